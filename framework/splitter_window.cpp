#include "splitter_window.h"

#include <algorithm>

bool SplitterWindow::CreateStatic(HWND parent, int rows, int columns, UINT id, DWORD style) {
  rows_.assign(size_t(rows), Track{});
  columns_.assign(size_t(columns), Track{});
  rowCount_ = rows;
  columnCount_ = columns;
  const char* className = RegisterWindowClass("VireldanSplitter", reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1));
  return Create(0, "", style | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), className);
}

HWND SplitterWindow::GetPane(int row, int column) const { return ::GetDlgItem(Handle(), int(PaneId(row, column))); }

void SplitterWindow::SetColumnInfo(int column, int ideal, int minimum) {
  if (column < 0 || column >= int(columns_.size())) return;
  columns_[size_t(column)].ideal = ideal;
  columns_[size_t(column)].minimum = minimum;
}

void SplitterWindow::GetColumnInfo(int column, int& current, int& minimum) const {
  if (column < 0 || column >= int(columns_.size())) return;
  current = columns_[size_t(column)].current;
  minimum = columns_[size_t(column)].minimum;
}

void SplitterWindow::SetRowInfo(int row, int ideal, int minimum) {
  if (row < 0 || row >= int(rows_.size())) return;
  rows_[size_t(row)].ideal = ideal;
  rows_[size_t(row)].minimum = minimum;
}

void SplitterWindow::GetRowInfo(int row, int& current, int& minimum) const {
  if (row < 0 || row >= int(rows_.size())) return;
  current = rows_[size_t(row)].current;
  minimum = rows_[size_t(row)].minimum;
}

void SplitterWindow::Lay(std::vector<Track>& tracks, int count, int length) {
  int left = length;
  for (int i = 0; i < count; ++i) {
    Track& track = tracks[size_t(i)];
    if (i == count - 1) {
      track.current = std::max(left, 0);
    } else {
      // A track squeezed below its minimum disappears, as a frame too small for both panes shows one.
      int size = std::min(track.ideal, std::max(left - kBar, 0));
      if (size < track.minimum) size = 0;
      track.current = size;
      left -= size + kBar;
    }
  }
}

void SplitterWindow::RecalcLayout() {
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  Lay(rows_, rowCount_, client.bottom);
  Lay(columns_, columnCount_, client.right);
  HDWP positions = ::BeginDeferWindowPos(rowCount_ * columnCount_);
  int y = 0;
  for (int row = 0; row < rowCount_; ++row) {
    int x = 0;
    for (int column = 0; column < columnCount_; ++column) {
      if (HWND pane = GetPane(row, column))
        positions = ::DeferWindowPos(positions, pane, nullptr, x, y, columns_[size_t(column)].current,
                                     rows_[size_t(row)].current, SWP_NOZORDER | SWP_NOACTIVATE);
      x += columns_[size_t(column)].current + kBar;
    }
    y += rows_[size_t(row)].current + kBar;
  }
  ::EndDeferWindowPos(positions);
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void SplitterWindow::BarAt(int x, int y, int& rowBar, int& columnBar) const {
  rowBar = columnBar = -1;
  int edge = 0;
  for (int row = 0; row + 1 < rowCount_; ++row) {
    edge += rows_[size_t(row)].current;
    if (y >= edge && y < edge + kBar) rowBar = row;
    edge += kBar;
  }
  edge = 0;
  for (int column = 0; column + 1 < columnCount_; ++column) {
    edge += columns_[size_t(column)].current;
    if (x >= edge && x < edge + kBar) columnBar = column;
    edge += kBar;
  }
}

void SplitterWindow::Drag(int x, int y) {
  auto startOf = [](const std::vector<Track>& tracks, int index) {
    int start = 0;
    for (int i = 0; i < index; ++i) start += tracks[size_t(i)].current + kBar;
    return start;
  };
  if (draggingRow_ >= 0) rows_[size_t(draggingRow_)].ideal = std::max(0, y - startOf(rows_, draggingRow_));
  if (draggingColumn_ >= 0)
    columns_[size_t(draggingColumn_)].ideal = std::max(0, x - startOf(columns_, draggingColumn_));
  RecalcLayout();
}

LRESULT SplitterWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
  switch (message) {
    case WM_SIZE:
      RecalcLayout();
      return 0;
    case WM_SETCURSOR: {
      POINT p;
      ::GetCursorPos(&p);
      ::ScreenToClient(Handle(), &p);
      int rowBar, columnBar;
      BarAt(p.x, p.y, rowBar, columnBar);
      if (rowBar < 0 && columnBar < 0) break;
      ::SetCursor(::LoadCursor(nullptr, columnBar >= 0 ? IDC_SIZEWE : IDC_SIZENS));
      return TRUE;
    }
    case WM_LBUTTONDOWN:
      BarAt(x, y, draggingRow_, draggingColumn_);
      if (draggingRow_ >= 0 || draggingColumn_ >= 0) ::SetCapture(Handle());
      return 0;
    case WM_MOUSEMOVE:
      if (::GetCapture() == Handle()) Drag(x, y);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (::GetCapture() == Handle()) ::ReleaseCapture();
      draggingRow_ = draggingColumn_ = -1;
      return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
      // Panes' notifications belong to the frame, as if the splitter were not there.
      return ::SendMessageA(::GetParent(Handle()), message, wParam, lParam);
    default:
      break;
  }
  return Default(message, wParam, lParam);
}
