#include "pane_splitters.h"

void COuterSplitWnd::ToggleLeftColumn() {
  HWND left = inner ? inner->Handle() : GetPane(0, 0);
  HWND right = GetPane(0, hidden ? 0 : 1);
  if (!left || !right) return;
  if (!hidden) {
    GetColumnInfo(0, savedCurrent, savedMinimum);
    savedIdeal = savedCurrent;
    ::SetWindowLongPtrA(left, GWLP_ID, kSpareId);
    ::SetWindowLongPtrA(right, GWLP_ID, PaneId(0, 0));
    ::ShowWindow(left, SW_HIDE);
    SetColumnCount(1);
  } else {
    int current = 0, minimum = 0;
    GetColumnInfo(0, current, minimum);
    SetColumnInfo(1, current, minimum);
    SetColumnInfo(0, savedIdeal, savedMinimum);
    ::SetWindowLongPtrA(left, GWLP_ID, PaneId(0, 0));
    ::SetWindowLongPtrA(right, GWLP_ID, PaneId(0, 1));
    ::ShowWindow(left, SW_SHOW);
    SetColumnCount(2);
  }
  hidden = !hidden;
  RecalcLayout();
}

void CInnerSplitWnd::ToggleKeyRow() {
  HWND keyView = GetDlgItem(Handle(), hidden ? kSpareId : int(PaneId(1, 0)));
  if (!keyView) return;
  if (!hidden) {
    GetRowInfo(1, savedCurrent, savedMinimum);
    savedIdeal = savedCurrent;
    ::SetWindowLongPtrA(keyView, GWLP_ID, kSpareId);
    ::ShowWindow(keyView, SW_HIDE);
    SetRowCount(1);
  } else {
    SetRowInfo(1, savedIdeal, savedMinimum);
    ::SetWindowLongPtrA(keyView, GWLP_ID, PaneId(1, 0));
    ::ShowWindow(keyView, SW_SHOW);
    SetRowCount(2);
  }
  hidden = !hidden;
  RecalcLayout();
}
