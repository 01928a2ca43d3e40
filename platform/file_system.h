#pragma once
// File-system services the portable code needs, behind narrow functions: Win32 in the product,
// POSIX stand-ins in the native tree, so the logic above them is tested in both.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Paths handed to the Win32 API live in buffers of this many characters, the terminator included.
constexpr size_t kMaxPath = 260;

// The separator between a folder and the names in it.
#if defined(_WIN32)
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// A name for a temporary file in the same folder as path (so that a rename onto path stays on
// one volume), not naming an existing file, and short enough for kMaxPath; empty if none can be
// made.
std::string TemporaryNameBeside(const std::string& path);

// Removes the files in path's folder whose names are of the kind TemporaryNameBeside makes: what
// writes cut short left behind. Other names stay, similar ones included; on Win32 a file still
// open for writing cannot be removed, so a write in progress keeps its file.
void RemoveTemporariesBeside(const std::string& path);

struct FileStamp;
using LeftoverTest = std::function<bool(const std::string& path, const FileStamp& stamp)>;

// The same, for only the leftovers that removable accepts: where other programs may be saving
// into the folder under names of the same kind, the caller tells what is surely no one's work.
void RemoveTemporariesBeside(const std::string& path, const LeftoverTest& removable);

// Moves from onto to, replacing to if it exists, in one step: either to is the complete new file
// afterwards, or it is untouched. False on failure (from is then left where it was).
bool ReplaceFileWith(const std::string& from, const std::string& to);

// Writes the bytes to a temporary file beside path and then moves that onto path: path is either
// the complete new file or left as it was. False on failure.
bool ReplaceFileContents(const std::string& path, const void* bytes, size_t size);

// Writes a file where none is, through a temporary file beside it: path is either the complete
// file afterwards or still missing. False on failure, also when a file of that name turns up
// meanwhile (it is left as it is).
bool WriteNewFile(const std::string& path, const void* bytes, size_t size);

// On Windows a file in use is waited for a few seconds (while_in_use_win.h).
bool RemoveFile(const std::string& path);
// Removes the file only if nobody has it open now: a temporary a save is still writing (and
// would rename into place once closed) must never be waited for and then taken away.
bool RemoveFileUnlessInUse(const std::string& path);

bool FileExists(const std::string& path);

// Sets or clears a file's hidden attribute, keeping its other attributes; false when the file's
// attributes cannot be read or changed. POSIX has no such attribute: the stand-in does nothing.
bool SetHiddenAttribute(const std::string& path, bool hidden);

// The file is marked read-only: the user asked that it be neither changed, replaced nor deleted,
// which a replace by rename would not otherwise honour. The POSIX stand-in counts a file whose
// owner may not write it.
bool IsReadOnlyFile(const std::string& path);

// The name of a file without its folder.
std::string FileNameOf(const std::string& path);

// The system's folder for temporary files, ending in a separator; empty if it is not known or
// does not fit in kMaxPath. POSIX stand-in: $TMPDIR, else /tmp.
std::string TemporaryFolder();

// Moves a file to a path where no file is. On one volume it is renamed; across volumes it is
// copied through a temporary file beside to (so that to never names a partial file), flushed to
// the disk, and only then removed from where it was. False on failure, with from left where it
// was and to still missing.
bool MoveFileTo(const std::string& from, const std::string& to);

enum class RenameResult { kRenamed, kOtherVolume, kFailed };

// Renames a file to a path where no file is, without copying: kOtherVolume when the two lie on
// different volumes, where the bytes would have to be copied.
RenameResult RenameOnVolume(const std::string& from, const std::string& to);

// Writes whatever the system still holds of the file's bytes to the disk; false on failure.
bool FlushFileToDisk(const std::string& path);

// Copies a file to a path where no file is, through a temporary file beside it: to is either the
// complete copy afterwards or still missing. False on failure, also when a file of that name
// turns up meanwhile (it is left as it is).
bool CopyFileTo(const std::string& from, const std::string& to);

// Copies a file onto to, replacing it if it exists, through a temporary file beside it: to is
// either the complete copy afterwards or untouched. A read-only to is not replaced.
bool CopyFileOnto(const std::string& from, const std::string& to);

// Moves a file onto to, replacing it if it exists, across volumes too: to is either the moved file
// afterwards or untouched, and from is only removed once its bytes are at to. A read-only to is
// not replaced. False on failure; from may then still exist beside a replaced to only when it
// could not be removed after the copy, so that nothing is ever lost.
bool MoveFileOnto(const std::string& from, const std::string& to);

// The bytes of from copied into a new file to, which must not exist; on failure no partial file
// stays behind. The low step under CopyFileTo and CopyFileOnto.
bool CopyFileBytes(const std::string& from, const std::string& to);

// The path with every short (8.3) component written in full, as the system lists it; the path
// unchanged where it cannot be looked up. The POSIX stand-in has no short names.
std::string LongPathName(const std::string& path);

// Sends a file to the recycle bin, from which the user can restore it; false when it stays where
// it was. POSIX stand-in: moves it into the folder that the environment variable VIRELDAN_TRASH
// names (a test's own; a name taken there gets a number appended), or deletes it when that is
// not set.
bool SendToRecycleBin(const std::string& path);

// A file's three times as the system keeps them (on Win32 each a FILETIME; in the POSIX stand-in
// nanoseconds since 1970, with no creation time, which POSIX cannot set).
struct FileTimes {
  uint64_t creation = 0;
  uint64_t lastAccess = 0;
  uint64_t lastWrite = 0;
};

// False when the file cannot be opened for reading.
bool ReadFileTimes(const std::string& path, FileTimes* times);

// Opens the file for writing and sets its times; false on failure.
bool WriteFileTimes(const std::string& path, const FileTimes& times);

enum class PathKind { kMissing, kFile, kDirectory };

// What a path names. A drive root ("C:" or "C:\") and a folder written with a trailing separator
// are folders; a path with wildcards names nothing.
PathKind KindOfPath(const std::string& path);

// Creates an empty file where there is none; false when the name is taken or the file cannot be
// made. Whoever creates a file this way knows that no one's data was there.
bool CreateNewFile(const std::string& path);

// Creates every missing folder of path, level by level below its root (a drive, a share, or the
// POSIX root). True when the path is a folder afterwards; false at the first level that is a file
// or cannot be made, with the text that tells the user why in failure (when given): a file in
// the way is named, since taking it for a folder would only fail later and less clearly.
bool CreateDirectoryChain(const std::string& path, std::string* failure = nullptr);

// Creates one folder whose parent exists; false on failure (also when it exists already).
bool MakeFolder(const std::string& path);

// The names of the folders directly inside folder ("." and ".." left out), in the order the
// system lists them; empty when it cannot be read.
std::vector<std::string> SubfolderNames(const std::string& folder);

// What a folder listing tells about a file without opening it: its size, whether it is a folder,
// and its times as 100-nanosecond units since 1601 (the FILETIME count; the POSIX stand-in
// converts the modification time and reports no creation time, 0).
struct FileStamp {
  uint64_t size = 0;
  uint64_t creation = 0;
  uint64_t lastWrite = 0;
  bool directory = false;
  bool hidden = false;  // Win32's hidden attribute; the POSIX stand-in counts names starting with a dot
};

// What looking for a file can tell: its stamp, that nothing of that name is there, or nothing at
// all (the system would not say: access denied, a network that does not answer). A name with
// wildcards finds nothing.
enum class FileLookup { kFound, kMissing, kUnknown };
FileLookup LookUpFileStamp(const std::string& path, FileStamp* stamp);

// False when the file's stamp cannot be had.
inline bool FindFileStamp(const std::string& path, FileStamp* stamp) {
  return LookUpFileStamp(path, stamp) == FileLookup::kFound;
}

// The kinds of drive that decide where thumbnail caches live, with the Win32 drive-type numbers
// (others, such as RAM disks, are kept by number).
enum DriveType : int { kDriveRemovable = 2, kDriveFixed = 3, kDriveRemote = 4, kDriveCdRom = 5 };

// A folder's drive as the main frame records it when the folder changes.
struct DriveInfo {
  int type = kDriveFixed;
  std::string label;  // the volume label, empty when there is none
};

// Holds an existing file open so that others may read it but not write, rename or delete it,
// until released. Since the hold denies writing to every other opener, the holder's own writes
// go through a stream opened while the hold is released.
class DenyWriteHold {
 public:
  enum class Result { kHeld, kInUse, kFailed };

  DenyWriteHold() = default;
  ~DenyWriteHold() { Release(); }
  DenyWriteHold(const DenyWriteHold&) = delete;
  DenyWriteHold& operator=(const DenyWriteHold&) = delete;

  // kInUse when another opener writes the file or denies writing (a sharing violation); kFailed
  // when it cannot be opened for writing at all. POSIX stand-in: a plain open for writing, which
  // nobody can be denied.
  Result Take(const std::string& path);
  void Release();
  bool IsHeld() const { return handle_ != kNone; }

 private:
  static constexpr intptr_t kNone = -1;
  intptr_t handle_ = kNone;  // a HANDLE on Win32, a descriptor elsewhere
};

}  // namespace platform
