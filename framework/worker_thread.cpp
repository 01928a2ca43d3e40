#include "worker_thread.h"

#include <process.h>

#include <memory>

#include "unexpected_failure.h"

WorkerThread::~WorkerThread() {
  if (handle_) ::CloseHandle(handle_);
}

unsigned __stdcall WorkerThread::Entry(void* self) {
  try {
    static_cast<WorkerThread*>(self)->work_();
  } catch (...) {
    ReportUnexpectedFailure(std::current_exception());
  }
  return 0;
}

bool WorkerThread::Start(std::function<void()> work, int priority, unsigned stackSize) {
  if (handle_) return false;
  work_ = std::move(work);
  unsigned id = 0;
  handle_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, stackSize, Entry, this, CREATE_SUSPENDED, &id));
  if (!handle_) return false;
  id_ = id;
  ::SetThreadPriority(handle_, priority);
  ::ResumeThread(handle_);
  return true;
}

bool WorkerThread::Wait(DWORD milliseconds) {
  return !handle_ || ::WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0;
}

void WorkerThread::SetPriority(int priority) {
  if (handle_) ::SetThreadPriority(handle_, priority);
}

bool WorkerThread::Running() const { return handle_ && ::WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

bool WorkerThread::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
  return id_ && ::PostThreadMessageA(id_, message, wParam, lParam);
}

namespace {

unsigned __stdcall DetachedEntry(void* work) {
  std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(work));
  try {
    (*owned)();
  } catch (...) {
    ReportUnexpectedFailure(std::current_exception());
  }
  return 0;
}

}  // namespace

bool StartDetachedThread(std::function<void()> work, int priority) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  unsigned id = 0;
  const HANDLE handle =
      reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, DetachedEntry, owned.get(), CREATE_SUSPENDED, &id));
  if (!handle) return false;
  owned.release();  // the thread frees it
  ::SetThreadPriority(handle, priority);
  ::ResumeThread(handle);
  ::CloseHandle(handle);
  return true;
}

bool WaitAnsweringSentMessages(HANDLE thread, DWORD deadline) {
  for (;;) {
    const DWORD now = ::GetTickCount();
    const DWORD left = int(deadline - now) > 0 ? deadline - now : 0;
    const DWORD woken = ::MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_SENDMESSAGE);
    if (woken == WAIT_OBJECT_0) return true;
    if (woken != WAIT_OBJECT_0 + 1) return false;
    MSG message;
    ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}
