#pragma once
// The background thread that makes the thumbnail view's thumbnails: for one requested file at a
// time it takes the thumbnail from the folder's "vireldan.tnc" or decodes the image at the
// thumbnail size, adds new thumbnails to the cache, and posts WM_THUMB_READY to the window it
// reports to. It owns the cache of the folder being shown and makes every change to it.
//
// Hand-over: the user-interface thread writes a request only while no request is pending and
// sets pending before posting; after WM_THUMB_READY it reads GetResultId and Image, then calls
// ClearPending. The loader is idle between its post and ClearPending.
#include <windows.h>

#include "Cimage.h"
#include "thumbnail_cache.h"

class CThumbItem;

class Cthumbloader {
 public:
  // Starts the thread (below-normal priority); results go to notify as WM_THUMB_READY (wParam and
  // lParam 0). The thread's message queue exists when this returns, so the first request is never
  // lost. Null when no thread could be made.
  static Cthumbloader* Begin(HWND notify);
  // Ends the thread (no new requests are accepted from then on), waiting a bounded time for it,
  // closes the cache and deletes the object.
  void Stop();

  // Ignored (false) while a request is pending.
  bool RequestThumbnail(const CThumbItem& item, int edge);
  bool InvalidateEntry(const CThumbItem& item);
  void SetEdge(int edge);
  void DeleteCache();
  // The locked state the cache will have.
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
};
