#pragma once
// What the hover tip asks of the keyword index and the Key view: the file's annotation, and the
// marks of the file's keys in the Key view while the tip is up.
#include <string>

// Marks the file's keys in the Key view, when it exists.
void MarkTipFileKeys(const std::string& path);
// Clears the marks that MarkTipFileKeys set.
void ClearTipKeyMarks();
// The file's annotation; empty when it has none.
std::string TipAnnotation(const std::string& path);
