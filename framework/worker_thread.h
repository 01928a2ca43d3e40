#pragma once
// A thread running one function, with its id for posted thread messages. A failure that escapes
// the function is reported to the user on that thread as it ends (after the function's own
// objects are gone, so that a done message they post on every exit is already on its way).
#include <windows.h>

#include <functional>

class WorkerThread {
 public:
  WorkerThread() = default;
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Starts work on a new thread; false when no thread could be made.
  bool Start(std::function<void()> work, int priority = THREAD_PRIORITY_NORMAL, unsigned stackSize = 0);
  // Waits up to the time given for the thread to end; true when it has.
  bool Wait(DWORD milliseconds = INFINITE);
  void SetPriority(int priority);

  bool Running() const;
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return handle_; }
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

 private:
  static unsigned __stdcall Entry(void* self);
  std::function<void()> work_;
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// Runs work on a new thread that nobody waits for: the thread owns what work holds and ends on
// its own. False (and work not run) when no thread could be made.
bool StartDetachedThread(std::function<void()> work, int priority = THREAD_PRIORITY_NORMAL);

// Waits for the thread to end until the tick count reaches deadline, answering the messages other
// threads send to this one meanwhile (a worker's question box talks to its owner window, which
// must answer for the worker to end); true when the thread ended.
bool WaitAnsweringSentMessages(HANDLE thread, DWORD deadline);
