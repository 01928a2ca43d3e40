#include "app.h"

namespace {

App* g_app = nullptr;

// What the profile gives before the program has chosen where its settings live: every default.
class NoProfile : public Profile {
 public:
  int GetInt(const std::string&, const std::string&, int defaultValue) override { return defaultValue; }
  std::string GetString(const std::string&, const std::string&, const std::string& defaultValue) override {
    return defaultValue;
  }
  bool WriteInt(const std::string&, const std::string&, int) override { return false; }
  bool WriteString(const std::string&, const std::string&, const std::string&) override { return false; }
  bool Flush() override { return false; }
};

}  // namespace

App::App() : profile_(new NoProfile) { g_app = this; }

App::~App() {
  if (g_app == this) g_app = nullptr;
}

App* App::Instance() { return g_app; }

Profile& App::GetProfile() { return *profile_; }

void App::SetProfile(std::unique_ptr<Profile> profile) {
  profile_ = profile ? std::move(profile) : std::unique_ptr<Profile>(new NoProfile);
}

bool App::OnIdle(long) { return false; }

bool App::PreTranslateMessage(MSG&) { return false; }

int App::Run(const std::string& commandLine, int showCommand) {
  commandLine_ = commandLine;
  showCommand_ = showCommand;
  if (!InitInstance()) return ExitInstance(0);
  loop_.onIdle = [this](long count) { return OnIdle(count); };
  loop_.firstLook = [this](MSG& message) { return PreviewMessage(message); };
  loop_.preTranslate = [this](MSG& message) { return PreTranslateMessage(message); };
  loop_.onThreadMessage = [this](const MSG& message) { OnThreadMessage(message); };
  loop_.mainWindow = [this] { return mainWindow_; };
  return ExitInstance(loop_.Run());
}
