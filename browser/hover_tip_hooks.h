#pragma once
// What the hover tip needs of the keyword index and of the annotation pop-up, which are not part
// of the program yet: the calls stand in for CKeyIndex::ShowFileKeys, CKeyIndex::GetAnnotation
// and CAnnotationWnd until those are built, and are then to call them.
#include <windows.h>

#include <string>

// Marks the file's keys in the Key view (none yet).
void MarkTipFileKeys(const std::string& path);
// Clears the marks that MarkTipFileKeys set.
void ClearTipKeyMarks();
// The file's annotation, at most 4000 bytes (none yet).
std::string TipAnnotation(const std::string& path);
// Shows the tip text as a bordered child of parent near the client point; the caller destroys it.
HWND ShowTipWindow(HWND parent, POINT at, const std::string& text);
