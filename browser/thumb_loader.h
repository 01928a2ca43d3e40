#pragma once
// The background thread that makes the thumbnail view's thumbnails: for the requested files, in
// the order asked, it takes each thumbnail from the folder's "vireldan.tnc" or decodes the image
// at the thumbnail size, adds new thumbnails to the cache, and posts WM_THUMB_READY to the window
// it reports to. It owns the cache of the folder being shown and makes every change to it.
//
// Hand-over: the user-interface thread asks only while no request is pending and sets pending
// before posting. Results queue up; WM_THUMB_READY is posted when one arrives at an empty queue,
// so one message may bring several: while HasResult, read GetResultId and Image (or TakeImage) of
// the oldest, then ClearPending lets it go. Pending clears once the request is answered and
// every result taken.
//
// A request of several files is answered from the cache one after the other, without waiting for
// the view between them. A file the cache does not hold is decoded and ends the request: the
// files after it get no result, so that the view, asking again, has its visible cells served
// first after at most one decode.
//
// Results: a request's (the item's id, or 0 when a suspended loader discarded it), an
// invalidation's (0, so that the view asks for its next thumbnail), or the one that ends a
// suspension (0, the same). Item ids start at 1; 0 means "nothing for any item".
#include <windows.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

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
  // The same for several items at once, answered in their order; ignored when any has no id.
  bool RequestThumbnails(const std::vector<CThumbItem*>& items, int edge);
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

  // A request outstanding or a result not yet taken: no request is taken meanwhile.
  bool IsPending() const { return pending_; }
  // Whether a result waits to be taken.
  bool HasResult() const;
  // The oldest result's id and thumbnail (an empty picture when it has none); valid until
  // ClearPending.
  int GetResultId() const;
  Cimage& Image();
  // Hands the oldest result's thumbnail over (null when it has none).
  std::unique_ptr<Cimage> TakeImage();
  // Lets the oldest result go.
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
  void LoadThumbnails(const std::vector<ThumbJob>& jobs);
  void OnInvalidateEntry(const ThumbJob& job);
  void OnDeleteCache(const ThumbJob& job);
  void OnToggleLock();
  void CloseCacheFile();
  // Queues a result; endsRequest when no other result of the request follows.
  void Deliver(int id, std::unique_ptr<Cimage> image, bool endsRequest);
  void DeliverOwedResults();
  void PublishCacheState();
  void DropQueuedJobs();

  // On the user-interface thread.
  bool Ask(const CThumbItem* const* items, size_t count, int edge);
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
  struct Result {
    int id = 0;
    std::unique_ptr<Cimage> image;
  };
  mutable std::mutex resultsLock_;
  std::deque<Result> results_;  // under resultsLock_, as is answering_
  bool answering_ = false;      // results of the request are still to come
  Cimage noImage_;              // what Image shows for a result without a thumbnail
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
