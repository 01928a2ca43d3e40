#pragma once
// A static splitter: a grid of panes (child windows) separated by bars the user can drag. Each
// row and column has an ideal and a minimum size; the last row and column take what is left. Panes
// are found by their child id (first pane 0xE900, + 16 per row, + 1 per column), so a pane can be
// hidden by giving it another id and showing fewer rows or columns.
#include <windows.h>

#include <vector>

#include "window.h"

class SplitterWindow : public Window {
 public:
  static constexpr UINT kFirstPaneId = 0xE900;
  static UINT PaneId(int row, int column) { return kFirstPaneId + UINT(row) * 16 + UINT(column); }

  bool CreateStatic(HWND parent, int rows, int columns, UINT id, DWORD style = WS_CHILD | WS_VISIBLE);
  HWND GetPane(int row, int column) const;

  void SetColumnInfo(int column, int ideal, int minimum);
  void GetColumnInfo(int column, int& current, int& minimum) const;
  void SetRowInfo(int row, int ideal, int minimum);
  void GetRowInfo(int row, int& current, int& minimum) const;

  int RowCount() const { return rowCount_; }
  int ColumnCount() const { return columnCount_; }
  void SetRowCount(int rows) { rowCount_ = rows; }
  void SetColumnCount(int columns) { columnCount_ = columns; }

  // Places the panes in the current client area.
  void RecalcLayout();

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Track {
    int ideal = 0;
    int minimum = 0;
    int current = 0;
  };
  static constexpr int kBar = 5;

  // Sizes the tracks along one axis of the given length.
  static void Lay(std::vector<Track>& tracks, int count, int length);
  // The bar under a client point: {row bar or -1, column bar or -1}.
  void BarAt(int x, int y, int& rowBar, int& columnBar) const;
  void Drag(int x, int y);

  std::vector<Track> rows_, columns_;
  int rowCount_ = 0, columnCount_ = 0;
  int draggingRow_ = -1, draggingColumn_ = -1;
};
