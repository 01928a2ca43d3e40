#include "hover_tip_hooks.h"

#include "key_index.h"
#include "key_view.h"
#include "program_state.h"

void MarkTipFileKeys(const std::string& path) {
  CKeyView* keys = g_program.keyView;
  if (keys && keys->Handle()) keys->MarkFileKeys(path);
}

void ClearTipKeyMarks() {
  CKeyView* keys = g_program.keyView;
  if (keys && keys->Handle()) keys->SetAllItemsImage();
}

std::string TipAnnotation(const std::string& path) {
  std::string annotation;
  return g_keyIndex.GetAnnotation(path, &annotation) ? annotation : std::string();
}
