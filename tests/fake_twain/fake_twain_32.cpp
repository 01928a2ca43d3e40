// The fake source manager and its one source, "Fake Scanner".
//
// Script (fake_twain.ini in the Windows folder, section [scan]): pictures = how many the scanner
// delivers once enabled; fail = the number of the picture whose transfer fails; cancel = the
// number of one the user cancels; close = 1 to ask to be closed once nothing is pending;
// thread = 1 to post the scanner's events to the thread instead of its window; openmanager,
// opensource, enable = 1 to refuse opening the manager, opening the source, enabling it.
// Log (fake_twain.log beside it): one line per call, in the order the calls came.
#include <windows.h>

#include <cstdio>
#include <string>

#include "twain_protocol.h"

namespace {

HWND g_scanner = nullptr;
int g_delivered = 0;
int g_total = 0;
UINT g_scanMessage = 0;
UINT g_closeMessage = 0;

std::string WindowsFile(const char* name) {
  char folder[MAX_PATH] = {};
  ::GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

int Script(const char* key) {
  return int(::GetPrivateProfileIntA("scan", key, 0, WindowsFile("fake_twain.ini").c_str()));
}

void Log(const std::string& line) {
  if (FILE* log = std::fopen(WindowsFile("fake_twain.log").c_str(), "ab")) {
    std::fprintf(log, "%s\r\n", line.c_str());
    std::fclose(log);
  }
}

// A picture of 40 × 30 pixels in one colour that tells which picture it was.
HGLOBAL Picture(int number) {
  const int width = 40, height = 30, stride = 120;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + stride * height);
  auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(memory));
  *header = {};
  header->biSize = sizeof *header;
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = 24;
  auto* pixels = reinterpret_cast<unsigned char*>(header + 1);
  for (int i = 0; i < stride * height; i += 3) {
    pixels[i] = 0;                                   // blue
    pixels[i + 1] = static_cast<unsigned char>(number * 60);  // green
    pixels[i + 2] = 200;                             // red
  }
  ::GlobalUnlock(memory);
  return memory;
}

void Post(UINT message) {
  if (Script("thread"))
    ::PostThreadMessageA(::GetCurrentThreadId(), message, 0, 0);
  else if (g_scanner)
    ::PostMessageA(g_scanner, message, 0, 0);
}

// Logs the call that the script refuses; true when it does.
bool Refused(const char* key, const char* call) {
  if (!Script(key)) return false;
  Log(std::string(call) + " failed");
  return true;
}

TW_UINT16 Source(TW_UINT32 group, TW_UINT16 data, TW_UINT16 message, TW_MEMREF pData) {
  if (data == DAT_EVENT && message == MSG_PROCESSEVENT) {
    auto* event = static_cast<TW_EVENT*>(pData);
    const MSG* windowMessage = static_cast<const MSG*>(event->pEvent);
    event->TWMessage = MSG_NULL;
    if (windowMessage->message == g_scanMessage) {
      Log("XFERREADY");
      event->TWMessage = MSG_XFERREADY;
      return TWRC_DSEVENT;
    }
    if (windowMessage->message == g_closeMessage) {
      Log("CLOSEDSREQ");
      event->TWMessage = MSG_CLOSEDSREQ;
      return TWRC_DSEVENT;
    }
    return TWRC_NOTDSEVENT;
  }
  if (data == DAT_USERINTERFACE && message == MSG_ENABLEDS) {
    if (Refused("enable", "ENABLEDS")) return TWRC_FAILURE;
    const auto* ui = static_cast<const TW_USERINTERFACE*>(pData);
    Log("ENABLEDS showui=" + std::to_string(ui->ShowUI));
    g_scanner = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Fake Scanner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50,
                                  50, 200, 80, static_cast<HWND>(ui->hParent), nullptr, nullptr, nullptr);
    g_delivered = 0;
    g_total = Script("pictures");
    if (g_total > 0) Post(g_scanMessage);
    return TWRC_SUCCESS;
  }
  if (data == DAT_USERINTERFACE && message == MSG_DISABLEDS) {
    Log("DISABLEDS");
    if (g_scanner) ::DestroyWindow(g_scanner);
    g_scanner = nullptr;
    return TWRC_SUCCESS;
  }
  if (group == DG_IMAGE && data == DAT_IMAGENATIVEXFER && message == MSG_GET) {
    const int number = ++g_delivered;
    if (number == Script("fail")) {
      Log("GET " + std::to_string(number) + " failed");
      return TWRC_FAILURE;
    }
    if (number == Script("cancel")) {
      Log("GET " + std::to_string(number) + " cancelled");
      return TWRC_CANCEL;
    }
    Log("GET " + std::to_string(number) + " done");
    *static_cast<HGLOBAL*>(pData) = Picture(number);
    return TWRC_XFERDONE;
  }
  if (data == DAT_PENDINGXFERS && message == MSG_ENDXFER) {
    auto* pending = static_cast<TW_PENDINGXFERS*>(pData);
    pending->Count = TW_UINT16(g_total - g_delivered);
    Log("ENDXFER pending=" + std::to_string(pending->Count));
    if (pending->Count == 0 && Script("close")) Post(g_closeMessage);
    return TWRC_SUCCESS;
  }
  if (data == DAT_PENDINGXFERS && message == MSG_RESET) {
    static_cast<TW_PENDINGXFERS*>(pData)->Count = 0;
    g_delivered = g_total;
    Log("RESET");
    if (Script("close")) Post(g_closeMessage);
    return TWRC_SUCCESS;
  }
  Log("source " + std::to_string(data) + "/" + std::to_string(message) + " unknown");
  return TWRC_FAILURE;
}

void Name(TW_STR32& field, const char* text) { lstrcpynA(field, text, sizeof field); }

TW_UINT16 Manager(TW_IDENTITY* origin, TW_UINT16 data, TW_UINT16 message, TW_MEMREF pData) {
  if (data == DAT_PARENT && message == MSG_OPENDSM) {
    if (Refused("openmanager", "OPENDSM")) return TWRC_FAILURE;
    Log(std::string("OPENDSM ") + origin->ProductName + "|" + origin->Manufacturer + "|" + origin->ProductFamily +
        "|" + origin->Version.Info + " " + std::to_string(origin->Version.MajorNum) + "." +
        std::to_string(origin->Version.MinorNum) + " protocol " + std::to_string(origin->ProtocolMajor) + "." +
        std::to_string(origin->ProtocolMinor) + " groups " + std::to_string(origin->SupportedGroups) +
        (*static_cast<HWND*>(pData) ? " parent" : " no parent"));
    g_scanMessage = ::RegisterWindowMessageA("FakeTwainScan");
    g_closeMessage = ::RegisterWindowMessageA("FakeTwainClose");
    return TWRC_SUCCESS;
  }
  if (data == DAT_PARENT && message == MSG_CLOSEDSM) {
    Log("CLOSEDSM");
    return TWRC_SUCCESS;
  }
  if (data == DAT_IDENTITY) {
    auto* source = static_cast<TW_IDENTITY*>(pData);
    switch (message) {
      case MSG_OPENDS:
        if (Refused("opensource", "OPENDS")) return TWRC_FAILURE;
        [[fallthrough]];
      case MSG_GETDEFAULT:
      case MSG_USERSELECT:
        Log(message == MSG_GETDEFAULT ? "GETDEFAULT" : message == MSG_USERSELECT ? "USERSELECT" : "OPENDS");
        source->Id = 7;
        Name(source->ProductName, "Fake Scanner");
        return TWRC_SUCCESS;
      case MSG_CLOSEDS:
        Log("CLOSEDS");
        return TWRC_SUCCESS;
      default:
        break;
    }
  }
  Log("manager " + std::to_string(data) + "/" + std::to_string(message) + " unknown");
  return TWRC_FAILURE;
}

}  // namespace

extern "C" TW_UINT16 WINAPI DSM_Entry(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_UINT32 group,
                                      TW_UINT16 data, TW_UINT16 message, TW_MEMREF pData) {
  if (!origin) return TWRC_FAILURE;
  return destination ? Source(group, data, message, pData) : Manager(origin, data, message, pData);
}
