#pragma once
// What the hover tip needs beyond the view: the file's annotation from the keyword index, and
// the marks of the file's keys in the Key view.
#include <string>

// Marks the file's keys in the Key view.
void MarkTipFileKeys(const std::string& path);
// Clears the marks that MarkTipFileKeys set.
void ClearTipKeyMarks();
// The file's annotation; empty when it has none.
std::string TipAnnotation(const std::string& path);
