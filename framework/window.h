#pragma once
// The base of every window object: one window procedure for all of them, finding the object of a
// window through a window property set when the window is created (or when an existing control
// is subclassed). Messages go to the virtual WndProc; what it does not handle ends in Default.
// A control's own WM_COMMAND and WM_NOTIFY notifications are first offered back to the control's
// object (reflection), so a control class can handle its own events. No C++ exception ever
// crosses the window procedure.
#include <windows.h>

#include <string>

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  // The object attached to a window, or none.
  static Window* FromHandle(HWND hwnd);

  // Creates a window of the framework's own class (or of a class registered with
  // RegisterWindowClass) attached to this object.
  bool Create(DWORD exStyle, const char* title, DWORD style, int x, int y, int width, int height, HWND parent,
              HMENU menuOrId, const char* className = nullptr);
  // Creates a system control (tree view, list view, toolbar, ...) as a child window and attaches
  // this object to it, so its messages reach WndProc and its notifications are reflected to it.
  bool CreateControl(const char* className, DWORD exStyle, DWORD style, const RECT& area, HWND parent, UINT id);
  // Attaches this object to an existing window (a dialog's control, a system control), routing
  // its messages through WndProc before its own procedure.
  bool Subclass(HWND hwnd);
  void Destroy();

  // Offered every message before it is dispatched, from the target window up to its top-level
  // parent; true when the message was consumed (dialog navigation, accelerators).
  virtual bool PreTranslateMessage(MSG& message);
  // A key typed in this top-level window, passed by its own pre-translation, that the program's
  // main window may take next (its accelerators): none, unless the window says otherwise.
  virtual bool LendsKeyToMainWindow(const MSG& message) const;

  std::string GetText() const;
  void SetText(const std::string& text);

  // The framework's own window class, with the given background brush (none: the window paints
  // its whole area), arrow cursor and double clicks.
  static const char* RegisterWindowClass(const char* name, HBRUSH background, UINT style = CS_DBLCLKS,
                                         HICON icon = nullptr);

 protected:
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  // A notification of this window's own, reflected from its parent: true when handled (result
  // is then what the parent returns).
  virtual bool OnReflectedCommand(UINT code, LRESULT& result);
  virtual bool OnReflectedNotify(NMHDR* header, LRESULT& result);

  // After the last message: the window is gone. Objects that own themselves delete themselves here.
  virtual void OnFinalMessage() {}

  // Reflection as both window and dialog procedures use it.
  static bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Attach(HWND hwnd);
  void DetachOnFinalMessage();

 private:
  friend class Dialog;
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  WNDPROC previous_ = nullptr;  // the subclassed window's own procedure
};
