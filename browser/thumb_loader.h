#pragma once
// The background thread that makes the thumbnail view's thumbnails: for one requested file at a
// time it takes the thumbnail from the folder's "vireldan.tnc" or decodes the image at the
// thumbnail size, adds new thumbnails to the cache, and posts WM_THUMB_READY to the window it
// reports to. It owns the cache of the folder being shown and makes every change to it.
//
// Hand-over: the user-interface thread writes a request only while no request is pending and
// sets pending before posting; after WM_THUMB_READY it reads GetResultId and Image, then calls
// ClearPending. The loader is idle between its post and ClearPending.
//
// Every WM_THUMB_READY is one result, and pending stays set until it is taken: a request's (the
// item's id, or 0 when a suspended loader discarded it), an invalidation's (0, so that the view
// asks for its next thumbnail), or the one that ends a suspension (0, the same). Item ids start
// at 1; 0 means "nothing for any item".
#include <windows.h>

#include <atomic>

#include "Cimage.h"
#include "thumbnail_cache.h"

class CThumbItem;
struct ThumbJob;

class Cthumbloader {
 public:
  // Starts the thread (below-normal priority); results go to notify as WM_THUMB_READY (wParam and
  // lParam 0). The thread's message queue exists when this returns, so the first request is never
  // lost. Null when no thread could be made.
  static Cthumbloader* Begin(HWND notify);
  // Ends the thread (no new requests are accepted from then on), waiting a bounded time for it,
  // closes the cache and deletes the object: drop every pointer to it. A thread that does not end
  // in time (a slow decode) closes the cache and deletes the object itself when it ends.
  void Stop();

  // Ignored (false) while a request is pending, for an item without an id (below 1), and while
  // suspended once a decode was discarded (until SetSuspended(false) restarts the chain).
  bool RequestThumbnail(const CThumbItem& item, int edge);
  // Never ignored while a request is pending: each invalidation is queued with its own copy of the
  // item, and is followed by a result with id 0. False only when the loader is stopping.
  bool InvalidateEntry(const CThumbItem& item);
  void SetEdge(int edge);
  // Closes and deletes the cache of folder (its own file or its mirror), unless it is locked or
  // read-only; the cache of any other folder that is open stays.
  void DeleteCache(const std::string& folder);
  // Locks or unlocks the cache and waits (bounded) until that is done: the cache's locked state
  // then (unlocked when the cache cannot be written). When the loader is busy past the bound, the
  // state the cache will have once it gets to the toggle.
  bool ToggleLock();
  // Closes the cache and waits (bounded) until it is closed.
  void CloseCache();
  // n entries went stale; -1 asks for a squeeze when the folder is left.
  void NoteStale(int n);
  // While suspended, decoded results are discarded (result id 0); cache hits are still delivered.
  void SetSuspended(bool on);
  // Waits (bounded, wait cursor) until no load is running.
  void WaitIdle();

  int GetResultId() const;
  // The thumbnail of the last result; valid between WM_THUMB_READY and ClearPending.
  Cimage& Image();
  void ClearPending();
  bool IsCacheOpen() const;
  // For the cache info dialog and the lock command's check mark.
  TncInfo CacheInfo() const;
  bool IsLocked() const;

 private:
  explicit Cthumbloader(HWND notify);
  ~Cthumbloader();
  Cthumbloader(const Cthumbloader&) = delete;
  Cthumbloader& operator=(const Cthumbloader&) = delete;

  // On the loader thread.
  static unsigned __stdcall ThreadEntry(void* self);
  void Run();
  void Dispatch(const MSG& message);
  void LoadThumbnail(const ThumbJob& job);
  void OnInvalidateEntry(const ThumbJob& job);
  void OnDeleteCache(const ThumbJob& job);
  void OnToggleLock();
  void CloseCacheFile();
  void Deliver(int id);
  void DeliverOwedResults();
  void PublishCacheState();
  void DropQueuedJobs();

  // On the user-interface thread.
  bool Post(UINT message, WPARAM wParam = 0) const;
  bool Send(UINT message, const ThumbJob& job) const;
  // Posts a command and waits (bounded) until the loader has done it and published the cache's
  // state; false when it was not done in time or the loader is stopping.
  bool CarryOut(UINT message);
  template <typename Done>
  void WaitRaised(Done done, DWORD milliseconds, int priority);
  // The user-interface side and the thread each hold the object; the last to let go deletes it.
  void Release();

  const HWND notify_;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HANDLE queueReady_;  // set once the thread has its message queue

  ThumbnailCache cache_;  // the loader thread's alone
  Cimage image_;          // the loader's while a request is pending, the view's while a result is
  std::atomic<int> resultId_{0};
  std::atomic<bool> pending_{false};  // a request outstanding or a result not yet taken
  std::atomic<int> owedResults_{0};   // results with id 0 that wait for pending to clear
  std::atomic<bool> stopping_{false};
  std::atomic<bool> suspended_{false};
  std::atomic<bool> halted_{false};  // a decode was discarded while suspended: no more requests
  std::atomic<bool> busy_{false};
  std::atomic<int> edge_{0};
  std::atomic<unsigned> ticketsAsked_{0};  // commands the user-interface thread waits for
  std::atomic<unsigned> ticketsDone_{0};   // set once the state after the command is published
  std::atomic<int> references_{2};

  // The cache's state as the thread last left it, for the user-interface thread.
  std::atomic<bool> cacheOpen_{false};
  std::atomic<bool> locked_{false};
  std::atomic<int> status_{int(TncStatus::kNoFile)};
  std::atomic<int> entries_{0};
  std::atomic<int> sameEdge_{0};
  std::atomic<int> hits_{0};
  std::atomic<int> fileSizeKB_{0};
};
