#pragma once
// Drawing contexts and GDI objects that release themselves.
#include <windows.h>

#include <utility>

// A drawing context as the image library's drawing calls take it: the handle, owned elsewhere.
class CDC {
 public:
  explicit CDC(HDC dc = nullptr) : m_hDC(dc) {}
  HDC GetSafeHdc() const { return m_hDC; }
  HDC m_hDC;
};

class ClientDC {
 public:
  explicit ClientDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~ClientDC() { ::ReleaseDC(hwnd_, dc_); }
  ClientDC(const ClientDC&) = delete;
  ClientDC& operator=(const ClientDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetWindowDC(hwnd)) {}
  ~WindowDC() { ::ReleaseDC(hwnd_, dc_); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &paint_)) {}
  ~PaintDC() { ::EndPaint(hwnd_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return dc_; }
  const RECT& Area() const { return paint_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_ = {};
  HDC dc_;
};

class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDC() {
    if (dc_) ::DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// Owns a pen, brush, font, bitmap, region or palette and deletes it.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
  ~GdiObject() { reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  Handle get() const { return handle_; }
  void reset(Handle handle = nullptr) {
    if (handle_) ::DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_;
};

// Selects an object into a context for the scope, then puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectedObject() { ::SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
