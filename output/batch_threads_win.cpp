#include "batch_threads.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "app.h"
#include "com_scope.h"
#include "file_exists_dlg.h"
#include "private_messages.h"
#include "scope_exit.h"
#include "worker_thread.h"

std::atomic<int> BatchAbortFlag{0};

namespace {

constexpr size_t kProgressTextSize = 500;

// The workers still running, so that the program can wait for them as it ends.
std::mutex g_workersLock;
std::vector<std::unique_ptr<WorkerThread>> g_workers;
std::atomic<int> g_batchRuns{0};  // batch runs started and not yet ended

class WorkerHost : public BatchHost {
 public:
  WorkerHost(const BatchJob& job, bool escapeStops) : job_(job), escapeStops_(escapeStops) {}

  bool AbortRequested() override {
    return BatchAbortFlag != 0 || (escapeStops_ && (::GetAsyncKeyState(VK_ESCAPE) & 0x8000));
  }

  // The receiver frees the text; a window that is gone leaves it to us.
  void ShowProgress(const std::string& text) override {
    char* posted = new char[kProgressTextSize];
    const size_t length = std::min(text.size(), kProgressTextSize - 1);
    std::memcpy(posted, text.data(), length);
    posted[length] = '\0';
    if (!::PostMessageA(job_.owner, WM_BATCH_PROGRESS, reinterpret_cast<WPARAM>(posted), 0)) delete[] posted;
  }

  Answer AskOverwrite(const std::string& path) override {
    CFileExistsDlg question(path);
    const INT_PTR answer = question.DoModal(job_.owner);
    if (question.all) return Answer::kYesToAll;
    return answer == IDOK ? Answer::kYes : Answer::kNo;
  }

  bool AskContinue(const std::string& message) override {
    return ::MessageBoxA(job_.owner, message.c_str(), MessageCaption(), MB_YESNO | MB_ICONQUESTION) == IDYES;
  }

  void FileChanged(const std::string& path) override {
    ::SendMessageA(job_.notify, WM_FILE_CHANGED, reinterpret_cast<WPARAM>(path.c_str()), 0);
  }

 private:
  const BatchJob& job_;
  const bool escapeStops_;
};

void BatchProcessThread(BatchJob* job) {
  ComScope com;
  const HWND owner = job->owner;
  bool completed;
  {
    // The main window takes its controls back however the run ends, also after one that failed.
    ScopeExit done([owner] {
      --g_batchRuns;
      ::PostMessageA(owner, WM_BATCH_DONE, 0, 0);
    });
    const std::unique_ptr<BatchJob> owned(job);
    WorkerHost host(*job, false);
    completed = RunBatch(job->recipe, job->files, host);
  }
  if (!completed) ::MessageBoxA(owner, "Batch process aborted.", MessageCaption(), MB_OK);
}

void TransformThread(BatchJob* job) {
  ComScope com;
  const std::unique_ptr<BatchJob> owned(job);
  WorkerHost host(*job, true);
  RunTransform(job->files, job->op, host);
}

bool StartWorker(BatchJob* job, void (*work)(BatchJob*)) {
  auto worker = std::make_unique<WorkerThread>();
  if (!worker->Start([job, work] { work(job); }, THREAD_PRIORITY_LOWEST)) {
    delete job;
    return false;
  }
  std::lock_guard<std::mutex> hold(g_workersLock);
  g_workers.erase(std::remove_if(g_workers.begin(), g_workers.end(),
                                 [](const std::unique_ptr<WorkerThread>& w) { return !w->Running(); }),
                  g_workers.end());
  g_workers.push_back(std::move(worker));
  return true;
}

}  // namespace

bool StartBatchProcessThread(BatchJob* job) {
  // A run starts with no stop pending, whatever an earlier run left behind.
  BatchAbortFlag = 0;
  ++g_batchRuns;
  if (StartWorker(job, BatchProcessThread)) return true;
  --g_batchRuns;
  return false;
}

bool StartTransformThread(BatchJob* job) {
  // A stop left by an earlier run does not cut the turn short; one that a running batch has not
  // seen yet is that batch's, and stays.
  if (g_batchRuns == 0) BatchAbortFlag = 0;
  return StartWorker(job, TransformThread);
}

bool StopBatchThreads(DWORD milliseconds) {
  BatchAbortFlag = 1;
  std::vector<HANDLE> running;
  {
    std::lock_guard<std::mutex> hold(g_workersLock);
    for (const auto& worker : g_workers)
      if (worker->Running()) running.push_back(worker->Handle());
  }
  const DWORD deadline = ::GetTickCount() + milliseconds;
  for (HANDLE thread : running)
    if (!WaitAnsweringSentMessages(thread, deadline)) return false;
  return true;
}
