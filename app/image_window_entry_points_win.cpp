#include "image_window_entry_points.h"

#include <algorithm>

#include "image_wnd.h"
#include "main_frame.h"
#include "vireldan_app.h"

void OpenImageWindow(const std::string& folder, const std::string& name, int viewMode, bool quiet) {
  CImageWnd::OpenFile(folder, name, quiet, OpenMode(std::clamp(viewMode, 0, 4)));
}

void OpenImageWindowFromImage(const Cimage& image) { CImageWnd::CImageWndFromImage(image); }

void OpenImageWindowFromDib(HGLOBAL dib) { CImageWnd::CImageWndFromDib(dib); }

int SlideshowIdleStep() { return theApp.Frame() ? theApp.Frame()->SlideShow().OnIdle() : 0; }

bool SlideshowWorkDue() { return theApp.Frame() && theApp.Frame()->SlideShow().WorkDue(); }
