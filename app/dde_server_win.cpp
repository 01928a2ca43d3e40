#include "dde_server.h"

#include <dde.h>

namespace {

bool AtomNames(ATOM atom, const std::string& name) {
  if (!atom) return true;  // a wildcard: any application, any topic
  char text[256] = {};
  ::GlobalGetAtomNameA(atom, text, sizeof text);
  return ::lstrcmpiA(text, name.c_str()) == 0;
}

}  // namespace

DdeServer::DdeServer(std::string application, std::string topic)
    : application_(std::move(application)), topic_(std::move(topic)) {}

LRESULT DdeServer::Handle(HWND server, UINT message, WPARAM wParam, LPARAM lParam,
                          const std::function<bool(const std::string&)>& onCommand) const {
  HWND client = reinterpret_cast<HWND>(wParam);
  switch (message) {
    case WM_DDE_INITIATE:
      if (AtomNames(LOWORD(lParam), application_) && AtomNames(HIWORD(lParam), topic_)) {
        const ATOM app = ::GlobalAddAtomA(application_.c_str()), topic = ::GlobalAddAtomA(topic_.c_str());
        if (!::SendMessageA(client, WM_DDE_ACK, WPARAM(server), MAKELPARAM(app, topic))) {
          ::GlobalDeleteAtom(app);
          ::GlobalDeleteAtom(topic);
        }
      }
      return 0;
    case WM_DDE_EXECUTE: {
      HGLOBAL commands = reinterpret_cast<HGLOBAL>(lParam);
      bool accepted = false;
      if (const char* text = static_cast<const char*>(::GlobalLock(commands))) {
        const std::string command(text, ::strnlen(text, ::GlobalSize(commands)));
        ::GlobalUnlock(commands);
        accepted = onCommand(command);
      }
      const LPARAM ack = ::PackDDElParam(WM_DDE_ACK, accepted ? 0x8000 : 0, UINT_PTR(commands));
      if (!::PostMessageA(client, WM_DDE_ACK, WPARAM(server), ack)) ::FreeDDElParam(WM_DDE_ACK, ack);
      return 0;
    }
    case WM_DDE_TERMINATE:
      ::PostMessageA(client, WM_DDE_TERMINATE, WPARAM(server), 0);
      return 0;
    default:
      return 0;
  }
}
