#include "hover_tip_hooks.h"

#include "key_index.h"

void MarkTipFileKeys(const std::string&) {}

void ClearTipKeyMarks() {}

std::string TipAnnotation(const std::string& path) {
  std::string annotation;
  return g_keyIndex.GetAnnotation(path, &annotation) ? annotation : std::string();
}
