#include "tool_bar.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr WORD kToolBarResource = 241;  // what resource compilers write for a TOOLBAR statement

// A TOOLBAR resource holds the button width and height, the count and the command ids. The
// Microsoft compiler writes a version (1) first and 16-bit values; windres writes no version and
// 32-bit values. Both are read; anything else is refused.
template <typename Field>
bool ParseToolBar(const void* data, DWORD size, DWORD versionFields, ToolBarLayout& layout) {
  const Field* fields = static_cast<const Field*>(data);
  const DWORD headerFields = versionFields + 3;
  if (size < headerFields * sizeof(Field) || (versionFields && fields[0] != 1)) return false;
  const Field* header = fields + versionFields;
  const DWORD count = header[2];
  if (size < (headerFields + count) * sizeof(Field)) return false;
  layout.width = int(header[0]);
  layout.height = int(header[1]);
  layout.commands.assign(fields + headerFields, fields + headerFields + count);
  return true;
}

bool ParseAnyToolBar(const void* data, DWORD size, ToolBarLayout& layout) {
  return ParseToolBar<WORD>(data, size, 1, layout) || ParseToolBar<DWORD>(data, size, 0, layout);
}

std::string CommandString(UINT id) {
  char text[512] = {};
  ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof text);
  return text;
}

}  // namespace

std::string CommandTip(UINT id) {
  const std::string text = CommandString(id);
  const size_t newline = text.find('\n');
  return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}

std::string CommandPrompt(UINT id) {
  const std::string text = CommandString(id);
  return text.substr(0, text.find('\n'));
}

bool ToolBar::Create(HWND parent, UINT id, bool flat) {
  const DWORD style = WS_CHILD | WS_VISIBLE | CCS_TOP | TBSTYLE_TOOLTIPS | (flat ? TBSTYLE_FLAT : 0);
  if (!CreateControl(TOOLBARCLASSNAMEA, 0, style, RECT{0, 0, 0, 0}, parent, id)) return false;
  ::SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  return true;
}

bool ReadToolBarResource(HINSTANCE instance, int resourceId, ToolBarLayout& layout) {
  HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(kToolBarResource));
  HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  const DWORD size = found ? ::SizeofResource(instance, found) : 0;
  return data && ParseAnyToolBar(data, size, layout);
}

bool ToolBar::Load(int resourceId) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  ToolBarLayout layout;
  if (!ReadToolBarResource(instance, resourceId, layout)) return false;

  while (::SendMessageA(Handle(), TB_BUTTONCOUNT, 0, 0) > 0) ::SendMessageA(Handle(), TB_DELETEBUTTON, 0, 0);
  ::SendMessageA(Handle(), TB_SETBITMAPSIZE, 0, MAKELONG(layout.width, layout.height));
  if (!images_.Load(instance, resourceId, layout.width, layout.height)) return false;
  ::SendMessageA(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.Normal()));
  ::SendMessageA(Handle(), TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.Disabled()));

  commands_ = layout.commands;
  std::vector<TBBUTTON> buttons(commands_.size());
  int image = 0;
  for (size_t i = 0; i < commands_.size(); ++i) {
    TBBUTTON& button = buttons[i];
    button.idCommand = int(commands_[i]);
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = commands_[i] ? BTNS_BUTTON : BTNS_SEP;
    button.iBitmap = commands_[i] ? image++ : 0;
  }
  ::SendMessageA(Handle(), TB_ADDBUTTONSA, WPARAM(buttons.size()), reinterpret_cast<LPARAM>(buttons.data()));
  ::SendMessageA(Handle(), TB_AUTOSIZE, 0, 0);
  return true;
}

void ToolBar::SetFlat(bool flat) {
  const LONG_PTR style = ::GetWindowLongPtrA(Handle(), GWL_STYLE);
  ::SetWindowLongPtrA(Handle(), GWL_STYLE, flat ? (style | TBSTYLE_FLAT) : (style & ~LONG_PTR(TBSTYLE_FLAT)));
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void ToolBar::UpdateButtons(CommandTarget& route) {
  for (UINT id : commands_) {
    if (!id) continue;
    CommandState state;
    state.id = id;
    if (!route.OnUpdateCommand(state)) state.enabled = false;
    ::SendMessageA(Handle(), TB_ENABLEBUTTON, id, MAKELONG(state.enabled, 0));
    ::SendMessageA(Handle(), TB_CHECKBUTTON, id, MAKELONG(state.checked, 0));
  }
}

int ToolBar::Height() const {
  RECT r = {};
  ::GetWindowRect(Handle(), &r);
  return ::IsWindowVisible(Handle()) ? int(r.bottom - r.top) : 0;
}
