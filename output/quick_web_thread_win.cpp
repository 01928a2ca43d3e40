#include "quick_web_thread.h"

#include <shellapi.h>

#include <atomic>
#include <memory>

#include "app.h"
#include "com_scope.h"
#include "file_time_text.h"
#include "private_messages.h"
#include "progress_window.h"
#include "scope_exit.h"
#include "worker_thread.h"

namespace {

std::unique_ptr<WorkerThread> g_worker;
std::atomic<bool> g_programEnding{false};

class ProgressHost : public QuickWebHost {
 public:
  ProgressHost(CProgressWnd& progress, HWND owner) : progress_(progress), owner_(owner) {}

  bool CancelRequested() override { return g_bCancel != 0 || g_programEnding; }
  void Progress(int picture, int count, const std::string& name) override {
    progress_.SetPos(picture, count);
    progress_.SetLine2(name.c_str());
  }
  void Tell(const std::string& message) override {
    ::MessageBoxA(owner_, message.c_str(), MessageCaption(), MB_OK | MB_ICONEXCLAMATION);
  }
  std::string NowText() override {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return FormatFileTime(now);
  }

 private:
  CProgressWnd& progress_;
  HWND owner_;
};

void QuickWebThreadProc(const QuickWebJob* job, HWND owner) {
  ComScope com;
  const std::string index = QuickWebIndexPath(job->options);
  QuickWebOutcome outcome = QuickWebOutcome::kNoIndex;  // until the run says otherwise
  {
    CProgressWnd progress(owner, false);
    // The job is the main window's again from here on, also after a run that failed part way,
    // so that the next Quick Web can start.
    ScopeExit done([&] { ::PostMessageA(owner, WM_QUICKWEB_DONE, 0, outcome == QuickWebOutcome::kNoIndex ? 1 : 0); });
    progress.SetPos(0, 100);
    progress.SetTitle("Generating web page, images, and thumbnails...");
    progress.SetLines(job->options.filename.c_str(), "Initializing...");
    ProgressHost host(progress, owner);
    outcome = RunQuickWeb(*job, host);
  }
  switch (outcome) {
    case QuickWebOutcome::kSameFolder:
      ::MessageBoxA(owner, "Quick Web - Generation Aborted.", MessageCaption(), MB_OK);
      break;
    case QuickWebOutcome::kNoIndex:
      ::MessageBoxA(owner, ("The web page " + index + " could not be written.").c_str(), MessageCaption(),
                    MB_OK | MB_ICONERROR);
      break;
    case QuickWebOutcome::kWritten:
      if (!g_programEnding) ::ShellExecuteA(nullptr, "open", index.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      break;
  }
}

}  // namespace

bool StartQuickWebThread(const QuickWebJob* job, HWND mainWindow) {
  if (g_worker && g_worker->Running()) return false;
  g_programEnding = false;
  g_worker = std::make_unique<WorkerThread>();
  return g_worker->Start([job, mainWindow] { QuickWebThreadProc(job, mainWindow); }, THREAD_PRIORITY_BELOW_NORMAL);
}

bool StopQuickWebThread(DWORD milliseconds) {
  if (!g_worker || !g_worker->Running()) return true;
  g_programEnding = true;
  return WaitAnsweringSentMessages(g_worker->Handle(), ::GetTickCount() + milliseconds);
}
