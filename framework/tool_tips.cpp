#include "tool_tips.h"

#include <commctrl.h>

ToolTips::~ToolTips() {
  if (tips_ && ::IsWindow(tips_)) ::DestroyWindow(tips_);
}

bool ToolTips::Create(HWND owner) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  owner_ = owner;
  tips_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ::GetModuleHandleA(nullptr),
                            nullptr);
  return tips_ != nullptr;
}

bool ToolTips::Add(HWND control, const char* text) {
  if (!tips_ || !control) return false;
  TOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text);
  return ::SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}
