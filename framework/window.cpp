#include "window.h"

#include <vector>

#include "unexpected_failure.h"

namespace {

constexpr char kObjectProperty[] = "Vireldan.Window";
constexpr char kDefaultClass[] = "VireldanWindow";

// What a message whose handler failed answers, so that the window goes on in a sound state: a
// window that could not be built is not made, and a failed paint is not asked for again at once.
LRESULT FailedMessageResult(HWND hwnd, UINT message) {
  switch (message) {
    case WM_NCCREATE:
      return FALSE;
    case WM_CREATE:
      return -1;
    case WM_PAINT:
      ::ValidateRect(hwnd, nullptr);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

Window::~Window() {
  if (hwnd_) {
    // The window outlives its object only by mistake; take it down without calling back into us.
    HWND hwnd = hwnd_;
    ::RemovePropA(hwnd, kObjectProperty);
    if (previous_) ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    hwnd_ = nullptr;
    ::DestroyWindow(hwnd);
  }
}

Window* Window::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<Window*>(::GetPropA(hwnd, kObjectProperty)) : nullptr;
}

const char* Window::RegisterWindowClass(const char* name, HBRUSH background, UINT style, HICON icon) {
  WNDCLASSA existing;
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  if (::GetClassInfoA(instance, name, &existing)) return name;
  WNDCLASSA windowClass = {};
  windowClass.style = style;
  windowClass.lpfnWndProc = StaticWndProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.hIcon = icon;
  windowClass.lpszClassName = name;
  return ::RegisterClassA(&windowClass) ? name : nullptr;
}

bool Window::Create(DWORD exStyle, const char* title, DWORD style, int x, int y, int width, int height, HWND parent,
                    HMENU menuOrId, const char* className) {
  if (!className) className = RegisterWindowClass(kDefaultClass, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  if (!className) return false;
  return ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                           ::GetModuleHandleA(nullptr), this) != nullptr;
}

bool Window::CreateControl(const char* className, DWORD exStyle, DWORD style, const RECT& area, HWND parent, UINT id) {
  HWND hwnd = ::CreateWindowExA(exStyle, className, "", style, area.left, area.top, area.right - area.left,
                                area.bottom - area.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                ::GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return false;
  if (Subclass(hwnd)) return true;
  ::DestroyWindow(hwnd);
  return false;
}

void Window::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  ::SetPropA(hwnd, kObjectProperty, this);
}

bool Window::Subclass(HWND hwnd) {
  if (!hwnd || FromHandle(hwnd)) return false;
  Attach(hwnd);
  previous_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
  return true;
}

void Window::Destroy() {
  if (hwnd_) ::DestroyWindow(hwnd_);
}

bool Window::PreTranslateMessage(MSG&) { return false; }

bool Window::LendsKeyToMainWindow(const MSG&) const { return false; }

std::string Window::GetText() const {
  const int length = ::GetWindowTextLengthA(hwnd_);
  std::vector<char> text(size_t(length) + 2, '\0');
  ::GetWindowTextA(hwnd_, text.data(), length + 1);
  return std::string(text.data());
}

void Window::SetText(const std::string& text) { ::SetWindowTextA(hwnd_, text.c_str()); }

LRESULT Window::WndProc(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return previous_ ? ::CallWindowProcA(previous_, hwnd_, message, wParam, lParam)
                   : ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

bool Window::OnReflectedCommand(UINT, LRESULT&) { return false; }
bool Window::OnReflectedNotify(NMHDR*, LRESULT&) { return false; }

bool Window::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && lParam) {
    Window* control = FromHandle(reinterpret_cast<HWND>(lParam));
    return control && control->OnReflectedCommand(HIWORD(wParam), result);
  }
  if (message == WM_NOTIFY && lParam) {
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    Window* control = FromHandle(header->hwndFrom);
    return control && control->OnReflectedNotify(header, result);
  }
  return false;
}

void Window::DetachOnFinalMessage() {
  HWND hwnd = hwnd_;
  ::RemovePropA(hwnd, kObjectProperty);
  if (previous_) ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  hwnd_ = nullptr;
  previous_ = nullptr;
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(hwnd);
  if (!self && message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self) self->Attach(hwnd);
  }
  if (!self) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  try {
    if (!Reflect(message, wParam, lParam, result)) result = self->WndProc(message, wParam, lParam);
  } catch (...) {
    ReportUnexpectedFailure(std::current_exception());
    result = FailedMessageResult(hwnd, message);
  }
  if (message == WM_NCDESTROY) {
    self->DetachOnFinalMessage();
    self->OnFinalMessage();
  }
  return result;
}
