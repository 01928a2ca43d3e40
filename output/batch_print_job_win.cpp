#include "batch_print_job.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <memory>

#include "Cimage.h"
#include "app.h"
#include "batch_print_layout.h"
#include "batch_print_picture.h"
#include "com_scope.h"
#include "device_context.h"
#include "file_system.h"
#include "file_time_text.h"
#include "message_loop.h"
#include "printer_caps.h"
#include "progress_window.h"
#include "worker_thread.h"

namespace {

void Tell(HWND owner, const char* text) { ::MessageBoxA(owner, text, MessageCaption(), MB_OK); }

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
}

// The grid's frame lines, solid or as dashes a sixteenth of an inch long.
void DrawFrames(HDC dc, const CAppSettings::BatchPrint& p, const BatchPrinterCaps& caps) {
  const int top = LayoutToDevice(p.rowoffset, caps.dpiY, caps.offsetY);
  const int bottom = LayoutToDevice(int(std::min<int64_t>(INT32_MAX, p.rowoffset + int64_t(p.rows) * p.colheight)),
                                    caps.dpiY, caps.offsetY);
  const int left = LayoutToDevice(p.coloffset, caps.dpiX, caps.offsetX);
  const int right = LayoutToDevice(int(std::min<int64_t>(INT32_MAX, p.coloffset + int64_t(p.cols) * p.colwidth)),
                                   caps.dpiX, caps.offsetX);
  for (int c = 0; c <= p.cols; ++c) {
    const int x = LayoutToDevice(int(std::min<int64_t>(INT32_MAX, p.coloffset + int64_t(c) * p.colwidth)), caps.dpiX,
                                 caps.offsetX);
    if (!p.dotted) Line(dc, x, top, x, bottom);
    else
      for (const auto& dash : DottedLineDashes(top, bottom, caps.dpiY / 16)) Line(dc, x, dash.first, x, dash.second);
  }
  for (int r = 0; r <= p.rows; ++r) {
    const int y = LayoutToDevice(int(std::min<int64_t>(INT32_MAX, p.rowoffset + int64_t(r) * p.colheight)), caps.dpiY,
                                 caps.offsetY);
    if (!p.dotted) Line(dc, left, y, right, y);
    else
      for (const auto& dash : DottedLineDashes(left, right, caps.dpiX / 16)) Line(dc, dash.first, y, dash.second, y);
  }
}

// The pictures of the job in the order they print, each made ready on a thread of its own while
// the printer driver takes the one before: decoding and printing overlap. Decoding a photograph
// takes longer than printing its cell, so the next few files are decoded at once, each on its
// own thread.
class PicturesAhead {
 public:
  PicturesAhead(const BatchPrintRequest& request, const CAppSettings::BatchPrint& print, const BatchPrinterCaps& caps,
                const std::vector<BatchCell>& cells)
      : request_(request), print_(print), caps_(caps), cells_(cells) {}
  PicturesAhead(const PicturesAhead&) = delete;
  PicturesAhead& operator=(const PicturesAhead&) = delete;
  ~PicturesAhead() {
    for (Pending& pending : ahead_)
      if (pending.thread) pending.thread->Wait();
  }

  // The picture of cells[index], a file's first cell, kept until the next Take.
  CellPicture& Take(size_t index) {
    StartFrom(index);
    Pending taken;
    if (!ahead_.empty() && ahead_.front().index == index) {
      taken = std::move(ahead_.front());
      ahead_.pop_front();
    }
    if (taken.thread) taken.thread->Wait();
    if (!taken.picture) taken.picture = std::make_unique<CellPicture>();
    if (!taken.thread) Prepare(index, *taken.picture);  // no thread could be made for it
    current_ = std::move(taken.picture);
    StartFrom(index + 1);
    return *current_;
  }

 private:
  static constexpr size_t kAhead = 3;  // files being decoded at once

  struct Pending {
    size_t index = 0;
    std::unique_ptr<CellPicture> picture;
    std::unique_ptr<WorkerThread> thread;  // none: prepared when taken
  };

  void Prepare(size_t index, CellPicture& into) const {
    const BatchCell& at = cells_[index];
    const DeviceRect area = BatchCellArea(print_, caps_, at.column, at.row, false);
    PrepareCellPicture(into, request_.files[size_t(at.file)], area.Width(), area.Height(), print_.upright != 0,
                       print_.overfill != 0);
  }

  // Starts the files' first cells from index on, each once, until kAhead are under way.
  void StartFrom(size_t index) {
    size_t& k = next_;
    k = std::max(k, index);
    for (; ahead_.size() < kAhead && k < cells_.size(); ++k) {
      if (cells_[k].file < 0 || cells_[k].copy != 0) continue;
      Pending pending;
      pending.index = k;
      pending.picture = std::make_unique<CellPicture>();
      pending.thread = std::make_unique<WorkerThread>();
      CellPicture* into = pending.picture.get();
      const bool started = pending.thread->Start([this, k, into] {
        const ComScope com;  // shortcuts are resolved through the shell
        Prepare(k, *into);
      });
      if (!started) pending.thread.reset();
      ahead_.push_back(std::move(pending));
    }
  }

  const BatchPrintRequest& request_;
  const CAppSettings::BatchPrint& print_;
  const BatchPrinterCaps& caps_;
  const std::vector<BatchCell>& cells_;
  std::deque<Pending> ahead_;
  size_t next_ = 0;  // the first cell not yet started
  std::unique_ptr<CellPicture> current_;
};

// The text lines of a cell, each only while a whole line still fits above the area's bottom.
class TextArea {
 public:
  TextArea(HDC dc, const DeviceRect& area, int lineHeight) : dc_(dc), area_(area), lineHeight_(lineHeight) {
    y_ = area.top;
  }
  bool HasRoom() const { return y_ < area_.bottom - lineHeight_; }
  void Print(std::string text) {
    FitTextToWidth(text, [this](const std::string& t) {
      SIZE size = {};
      ::GetTextExtentPoint32A(dc_, t.c_str(), int(t.size()), &size);
      return size.cx <= area_.Width();
    });
    ::TextOutA(dc_, area_.left, y_, text.c_str(), int(text.size()));
    y_ += lineHeight_;
  }
  void PrintIfRoom(const std::string& text) {
    if (HasRoom()) Print(text);
  }
  // Every line of a text, once there was room for its first.
  void PrintLines(const std::string& text) {
    if (!HasRoom()) return;
    for (const std::string& line : TextLines(text)) Print(line);
  }

 private:
  HDC dc_;
  DeviceRect area_;
  int lineHeight_;
  int y_ = 0;
};

void PrintCaptions(HDC dc, const BatchPrintRequest& request, const CAppSettings::BatchPrint& p,
                   const CellPicture& cell, const DeviceRect& area, int lineHeight) {
  ::SetTextColor(dc, COLORREF(p.bp_txtcolor));
  platform::FileStamp stamp;
  const bool found = platform::FindFileStamp(cell.path, &stamp);
  TextArea text(dc, area, lineHeight);
  if (p.bp_names) text.PrintIfRoom(p.bp_paths ? cell.path : platform::FileNameOf(cell.path));
  if (p.bp_dates && found) {
    FILETIME time = {DWORD(stamp.lastWrite), DWORD(stamp.lastWrite >> 32)};
    text.PrintIfRoom(FormatFileTime(time));
  }
  if (p.bp_sizes) text.PrintIfRoom(BatchSizeCaption(int64_t(stamp.size), cell.captionWidth, cell.captionHeight));
  if (p.bp_annots && request.annotation) {
    const std::string annotation = request.annotation(cell.path);
    if (!annotation.empty()) text.PrintLines(annotation);
  }
  if (p.bp_static) text.PrintLines(p.bp_string);
}

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};

}  // namespace

BatchPrintEnd RunBatchPrintJob(const BatchPrintRequest& request, CAppSettings::BatchPrint& print) {
  print.copies = std::clamp(print.copies, 1, kMaxBatchCopies);
  if (request.files.empty()) {
    Tell(request.owner, "Nothing to print...");
    return BatchPrintEnd::kNotStarted;
  }
  HDC dc = request.printer;
  if (!dc) {
    Tell(request.owner, "Error creating printer device context");
    return BatchPrintEnd::kNotStarted;
  }
  const BatchPrinterCaps caps = ReadBatchPrinterCaps(dc);
  const std::vector<BatchCell> cells =
      PlanBatchCells(int(request.files.size()), print.copies, request.skip, print.rows, print.cols);
  if (!caps.Known()) {
    Tell(request.owner, "Error loading printer capabilities...\nTry Print->Setup");
    return BatchPrintEnd::kNotStarted;
  }
  if (cells.empty()) {
    Tell(request.owner, "Nothing fits on a page of this layout.\nCheck the rows and columns of the Grid Setup.");
    return BatchPrintEnd::kNotStarted;
  }
  const bool ownerWasEnabled = request.owner && !::EnableWindow(request.owner, FALSE);
  std::unique_ptr<void, GdiObjectDeleter> font(::CreateFontA(
      BatchFontHeight(print.bp_points, caps.dpiY), 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_MODERN, print.bp_font.c_str()));
  const HGDIOBJ oldFont = ::SelectObject(dc, font.get());
  ::SetMapMode(dc, MM_TEXT);
  ::SetStretchBltMode(dc, COLORONCOLOR);
  ::SetBkMode(dc, TRANSPARENT);
  SIZE letter = {};
  ::GetTextExtentPoint32A(dc, "T", 1, &letter);
  const auto finish = [&] {
    ::SelectObject(dc, oldFont);
    if (ownerWasEnabled) ::EnableWindow(request.owner, TRUE);
  };
  DOCINFOA document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = "Vireldan Batch Print";
  if (::StartDocA(dc, &document) <= 0) {
    finish();
    Tell(request.owner, "Error setting up printer");
    return BatchPrintEnd::kNotStarted;
  }
  CProgressWnd progress(request.owner, false);
  progress.SetPos(0, 100);
  progress.SetLines("Vireldan Batch Print", "Initializing...");
  MessageLoop::DispatchWaiting();
  const int total = int(request.files.size()) * print.copies;
  const int pages = cells.back().page;
  g_bCancel = 0;
  CellPicture* cell = nullptr;
  PicturesAhead ahead(request, print, caps, cells);
  int printed = 0;
  bool pageOpen = false;
  CDC printer(dc);
  for (size_t index = 0; index < cells.size(); ++index) {
    const BatchCell& at = cells[index];
    if (g_bCancel) break;
    if (at.column == 0 && at.row == 0) {
      char line[64];
      std::snprintf(line, sizeof line, "Page %i of %i", at.page, pages);
      progress.SetLine1(line);
      ::StartPage(dc);
      pageOpen = true;
      progress.SetPos(printed, total);
      progress.SetLine2("Grid...");
      if (print.framed || print.dotted) DrawFrames(dc, print, caps);
    }
    if (at.file >= 0) {
      const DeviceRect area = BatchCellArea(print, caps, at.column, at.row, false);
      if (at.copy == 0) {
        progress.SetLine2(request.files[size_t(at.file)].c_str());
        cell = &ahead.Take(index);
      }
      progress.SetPos(++printed, total);
      if (cell->fit.Prints())
        cell->picture.PrintImage(&printer, area.left + cell->fit.offsetX, area.top + cell->fit.offsetY,
                                 cell->fit.width, cell->fit.height);
      if (print.bp_dotext)
        PrintCaptions(dc, request, print, *cell, BatchCellArea(print, caps, at.column, at.row, true), letter.cy);
    }
    if (at.column == print.cols - 1 && at.row == print.rows - 1) {
      ::EndPage(dc);
      pageOpen = false;
    }
  }
  if (pageOpen) ::EndPage(dc);
  const bool cancelled = g_bCancel != 0;
  if (cancelled)
    ::AbortDoc(dc);
  else
    ::EndDoc(dc);
  finish();
  progress.Close();
  return cancelled ? BatchPrintEnd::kCancelled : BatchPrintEnd::kPrinted;
}
