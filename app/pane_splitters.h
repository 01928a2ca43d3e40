#pragma once
// The main frame's two splitters. Each can hide one of its tracks (the outer one the folder-tree
// column, the inner one the Key-view row) and keeps that track's sizes while it is hidden.
#include "splitter_window.h"

class PaneSplitter : public SplitterWindow {
 public:
  static constexpr UINT kSpareId = 0xE932;  // the id a hidden pane is given

  bool hidden = false;
  int savedIdeal = 0;
  int savedMinimum = 0;
  int savedCurrent = 0;
};

// One row, two columns: the folder-tree column (the inner splitter) and the thumbnail view.
class COuterSplitWnd : public PaneSplitter {
 public:
  SplitterWindow* inner = nullptr;
  // Shows or hides the left column; the thumbnail view fills the frame while it is hidden.
  void ToggleLeftColumn();
};

// Two rows, one column: the folder tree above the Key view.
class CInnerSplitWnd : public PaneSplitter {
 public:
  // Shows or hides the Key-view row.
  void ToggleKeyRow();
};
