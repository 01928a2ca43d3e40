#include "twain_session.h"

#include <string>

namespace {

// One source manager per process.
HMODULE g_manager = nullptr;
DSMENTRYPROC g_entry = nullptr;
enum class Availability { kUnknown, kYes, kNo } g_available = Availability::kUnknown;
TW_IDENTITY g_source = {};

void CopyText(TW_STR32& field, const char* text) {
  lstrcpynA(field, text, int(kTwainTextChars + 1));
}

}  // namespace

CTwain::CTwain() {
  SetIdentity(1, 0, 13, 1, "<?>", "<?>", "<?>", "<?>");
}

CTwain::~CTwain() {
  CloseSourceManager(parent_);
  UnloadSourceManager();
}

void CTwain::SetIdentity(int major, int minor, int language, int country, const char* info, const char* manufacturer,
                         const char* family, const char* product) {
  identity_.Id = 0;
  identity_.Version.MajorNum = TW_UINT16(major);
  identity_.Version.MinorNum = TW_UINT16(minor);
  identity_.Version.Language = TW_UINT16(language);
  identity_.Version.Country = TW_UINT16(country);
  CopyText(identity_.Version.Info, info);
  identity_.ProtocolMajor = 1;
  identity_.ProtocolMinor = 6;
  identity_.SupportedGroups = DG_CONTROL | DG_IMAGE;
  CopyText(identity_.Manufacturer, manufacturer);
  CopyText(identity_.ProductFamily, family);
  CopyText(identity_.ProductName, product);
}

bool CTwain::IsAvailable() {
  if (g_entry) return true;
  if (g_available == Availability::kUnknown) g_available = LoadSourceManager() ? Availability::kYes : Availability::kNo;
  return g_available == Availability::kYes;
}

void CTwain::SetState(int state) {
  state_ = state;
  OnStateChanged(state);
}

bool CTwain::LoadSourceManager() {
  if (state_ != 1) return state_ >= 2;
  char folder[MAX_PATH] = {};
  ::GetWindowsDirectoryA(folder, MAX_PATH);
  std::string path = folder;
  if (path.empty() || path.back() != '\\') path += '\\';
  path += "TWAIN_32.DLL";
  OFSTRUCT probe = {};
  if (::OpenFile(path.c_str(), &probe, OF_EXIST) == HFILE_ERROR) {
    g_manager = nullptr;
    g_entry = nullptr;
    return false;
  }
  if (!g_manager) g_manager = ::LoadLibraryA(path.c_str());
  if (!g_manager) return false;
  g_entry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(::GetProcAddress(g_manager, "DSM_Entry")));
  if (!g_entry) {
    ::FreeLibrary(g_manager);
    g_manager = nullptr;
    return false;
  }
  g_available = Availability::kYes;
  SetState(2);
  return true;
}

void CTwain::UnloadSourceManager() {
  if (state_ != 2) return;
  if (g_manager) ::FreeLibrary(g_manager);
  g_manager = nullptr;
  g_entry = nullptr;
  SetState(1);
}

bool CTwain::Call(TW_IDENTITY* destination, TW_UINT32 group, TW_UINT16 data, TW_UINT16 message, TW_MEMREF pData) {
  if (!g_entry) return false;
  returnCode_ = g_entry(&identity_, destination, group, data, message, pData);
  return returnCode_ == TWRC_SUCCESS;
}

bool CTwain::CallManager(TW_UINT32 group, TW_UINT16 data, TW_UINT16 message, TW_MEMREF pData) {
  return Call(nullptr, group, data, message, pData);
}

bool CTwain::CallSource(TW_UINT32 group, TW_UINT16 data, TW_UINT16 message, TW_MEMREF pData) {
  return Call(&g_source, group, data, message, pData);
}

bool CTwain::OpenSourceManager(HWND window) {
  if (state_ == 1) LoadSourceManager();
  if (state_ == 2) {
    HWND handle = window;
    if (CallManager(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &handle)) SetState(3);
  }
  return state_ > 2;
}

bool CTwain::SelectSource(HWND window) {
  const int before = state_;
  bool selected = false;
  if (state_ < 3 && !OpenSourceManager(window)) {
    OnError(kManagerNotOpened);
  } else {
    TW_IDENTITY choice = {};
    CallManager(DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &choice);
    selected = CallManager(DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &choice);
  }
  DropToState(before);
  return selected;
}

bool CTwain::Acquire(HWND window) {
  savedState_ = state_;
  int error = -1;
  if (state_ < 3 && !OpenSourceManager(window)) error = kManagerNotOpened;
  if (error < 0 && state_ < 4) {
    g_source = {};
    if (CallManager(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &g_source))
      SetState(4);
    else
      error = kSourceNotOpened;
  }
  if (error < 0 && state_ < 5) {
    userInterface_.ShowUI = showUI_;
    userInterface_.ModalUI = 0;
    userInterface_.hParent = window;
    if (CallSource(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &userInterface_))
      SetState(5);
    else
      error = kSourceNotEnabled;
  }
  if (error < 0) return true;
  OnError(error);
  DropToState(savedState_);
  return false;
}

bool CTwain::ProcessMessage(MSG& message) {
  if (state_ < 5) return false;
  TW_EVENT event = {&message, MSG_NULL};
  Call(&g_source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
  const bool sourceMessage = returnCode_ == TWRC_DSEVENT;
  if (event.TWMessage == MSG_XFERREADY) {
    SetState(6);
    OnXferReady();
  } else if (event.TWMessage == MSG_CLOSEDSREQ) {
    SetState(5);
    OnCloseDSReq();
  }
  return sourceMessage;
}

void CTwain::AbandonTransfers() {
  pending_ = {};
  if (CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending_)) SetState(5);
}

void CTwain::OnXferReady() {
  while (state_ == 6) {
    HGLOBAL picture = nullptr;
    CallSource(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &picture);
    const bool done = returnCode_ == TWRC_XFERDONE;
    if (!done && returnCode_ != TWRC_CANCEL) {
      AbandonTransfers();
      OnError(kTransferFailed);
      return;
    }
    SetState(7);
    pending_ = {};
    if (CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending_)) SetState(pending_.Count ? 6 : 5);
    if (done && picture) OnImageReceived(picture);
  }
}

void CTwain::OnCloseDSReq() { DropToState(3); }

void CTwain::OnImageReceived(HGLOBAL dib) { ::GlobalFree(dib); }

bool CTwain::DropToState(int target) {
  while (state_ > target) {
    HWND parent = parent_;
    bool stepped = false;
    switch (state_) {
      case 7:
        pending_ = {};
        stepped = CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending_);
        if (stepped) SetState(pending_.Count ? 6 : 5);
        break;
      case 6:
        pending_ = {};
        stepped = CallSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending_);
        if (stepped) SetState(5);
        break;
      case 5:
        stepped = CallSource(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &userInterface_);
        if (stepped) SetState(4);
        break;
      case 4:
        stepped = CallManager(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &g_source);
        if (stepped) SetState(3);
        break;
      case 3:
        stepped = CallManager(DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
        if (stepped) SetState(2);
        break;
      default:
        UnloadSourceManager();
        stepped = state_ == 1;
        break;
    }
    if (!stepped) return false;
  }
  return true;
}

void CTwain::CloseSourceManager(HWND window) {
  if (window) parent_ = window;
  DropToState(2);
}
