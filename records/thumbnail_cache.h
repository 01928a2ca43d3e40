#pragma once
// The thumbnail cache of the folder being shown: finding an image file's thumbnail in the
// folder's "vireldan.tnc", adding new ones, blanking changed files' entries, locking, squeezing
// and deleting the file. It works on the image library's one cache stream, so a process has one
// ThumbnailCache, used by one thread (the viewer's thumbnail loader, or Thumbwell's building
// loop); only NoteStale may be called from another thread.
//
// Faults of earlier versions that this one does not repeat: a cache is never truncated (a file
// is only ever created where there is none, and a squeeze writes a new file beside it that
// replaces it in one step); a broken chain keeps the entries before the break; nothing is
// deleted or written while the cache is read-only or locked; a thumbnail that cannot be decoded
// is a miss whose entry is blanked.
#include <atomic>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "file_system.h"
#include "tnc_chain.h"
#include "tnc_matching.h"
#include "tnc_options.h"
#include "tnc_stream.h"

class Cimage;

// The cache's state as the cache info dialog shows it; the numbers are stored values.
enum class TncStatus : int {
  kNormal = 0,
  kNoFile = 1,
  kLocked = 2,
  kReadOnly = 3,
  kError = 4,
  kDisabled = 5,
  kNewFile = 6,
};

struct TncInfo {
  TncStatus status = TncStatus::kNoFile;
  int entries = 0;
  int sameEdge = 0;  // entries made for the edge the folder was opened with
  int hits = 0;
  int fileSizeKB = 0;  // when the file was located
  bool locked = false;
};

class ThumbnailCache {
 public:
  ~ThumbnailCache() { Close(); }

  // The settings every later call works by; give them before each request, as they may change.
  void SetOptions(const TncOptions& options) { options_ = options; }

  // Makes folder's cache the current one, unless it is already: the previous folder's cache is
  // squeezed when enough of it is stale (or a squeeze was asked for), else closed, and the new
  // one is opened and its entries read; when it may be written, the temporary files that a
  // squeeze cut short left beside it are removed. drive is what the folder lies on, as recorded
  // when the folder was chosen; edge counts the entries of that size. With the cache disabled,
  // the open cache is closed and nothing is remembered.
  void UseFolder(const std::string& folder, const platform::DriveInfo& drive, int edge);

  // The newest entry for the file that holds a thumbnail of at least edge, decoded into image
  // and fitted into edge x edge, with the full image's size from the entry. False for a miss; an
  // entry whose thumbnail cannot be decoded is blanked and counts as a miss.
  bool Load(const TncRequest& file, int edge, Cimage& image);

  // Appends image (a thumbnail made for edge) as the file's entry, creating the cache file when
  // there is none. False when nothing was added: the cache is locked, read-only, disabled or in
  // error; the image has no picture; the name could never match; or the "limit" is reached.
  bool Add(const TncRequest& file, int edge, Cimage& image);

  // The file changed: its entries of any edge are blanked, and the file is squeezed (or closed).
  void Invalidate(const TncRequest& file);

  // Locks or unlocks the cache file; the new locked state. A cache that cannot be written is
  // only marked unlocked in memory.
  bool ToggleLock();

  // Closes and deletes the current folder's cache file. False, with the file kept, when the cache
  // is locked or read-only.
  bool Delete();

  // Closes the cache file, writing its stale count. The folder is forgotten, so the next request
  // opens the file again.
  void Close();

  // count entries went stale (or, with -1, a squeeze is asked for when leaving the folder). May
  // be called from any thread.
  void NoteStale(int count);

  TncInfo Info() const;
  bool IsOpen() const { return stream_.IsOpen(); }
  bool IsLocked() const { return locked_; }
  const std::string& Folder() const { return folder_; }
  const std::string& Path() const { return path_; }

 private:
  void Open(const std::string& folder, const platform::DriveInfo& drive, int edge);
  void ReadEntries();
  bool MayChange() const;
  void Leave();
  bool ShouldSqueeze() const;
  void Squeeze();
  void CloseFile(bool writeStale);
  void Forget();
  void Fail();
  // Runs writes on the stream opened for update; a failure puts the cache in error.
  template <typename Writes>
  bool Write(Writes writes);
  bool Create(const TncEntry& entry, Cimage& image);
  bool Append(const TncEntry& entry, Cimage& image);
  void Blank(TncEntryAt& entry);
  void Remember(TncEntryAt entry);

  TncOptions options_;
  TncStream stream_;
  std::string folder_;  // empty: no folder's cache is current
  std::string path_;
  std::vector<TncEntryAt> entries_;  // in file order: the newest last
  // Where each stored name's entries stand in entries_, oldest first: a folder of many files is
  // looked up without a walk over every entry for each thumbnail.
  std::unordered_map<std::string, std::vector<size_t>> byName_;
  int32_t lastEntryOffset_ = 0;      // 0: the header's first field links the next entry
  bool writable_ = false;            // entries may be added, changed and linked
  bool readOnly_ = false;            // read-only cache: nothing is deleted
  bool locked_ = false;
  bool timesIgnored_ = false;
  bool oldFormat_ = false;
  int storedStale_ = 0;  // the stale count in the file's header
  int edge_ = 0;
  int sameEdge_ = 0;
  int hits_ = 0;
  int fileSizeKB_ = 0;
  TncStatus status_ = TncStatus::kNoFile;
  std::atomic<int> stale_{0};
  std::atomic<bool> squeezeRequested_{false};
};
