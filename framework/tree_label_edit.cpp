#include "tree_label_edit.h"

void TreeLabelEdit::Begin(const NMHDR* header) { item_ = reinterpret_cast<const NMTVDISPINFOA*>(header)->item.hItem; }

bool TreeLabelEdit::End(const NMHDR* header, Ended& ended) {
  const TVITEMA& edited = reinterpret_cast<const NMTVDISPINFOA*>(header)->item;
  if (!edited.hItem || edited.hItem != item_) return false;
  item_ = nullptr;
  ended.item = edited.hItem;
  ended.cancelled = edited.pszText == nullptr;
  ended.text.clear();
  if (ended.cancelled) return true;
  char text[MAX_PATH] = {};
  const HWND edit = reinterpret_cast<HWND>(::SendMessageA(header->hwndFrom, TVM_GETEDITCONTROL, 0, 0));
  if (edit) {
    *reinterpret_cast<WORD*>(text) = WORD(sizeof text - 1);
    const LRESULT length = ::SendMessageA(edit, EM_GETLINE, 0, reinterpret_cast<LPARAM>(text));
    text[length >= 0 && length < LRESULT(sizeof text) ? length : 0] = '\0';
  } else if (header->code == TVN_ENDLABELEDITA) {
    lstrcpynA(text, edited.pszText, sizeof text);
  }
  ended.text = text;
  return true;
}
