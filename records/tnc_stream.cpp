#include "tnc_stream.h"

#include <climits>
#include <cstdio>

#include "Cimage.h"

TncStream::Opened TncStream::Open(const std::string& path, bool writable) {
  Close();
  path_ = path;
  bool held = false;
  if (writable) {
    platform::SetHiddenAttribute(path, false);
    held = hold_.Take(path) == platform::DenyWriteHold::Result::kHeld;
  }
  if (!Cimage::OpenTNC(path.c_str(), "rb")) {
    hold_.Release();
    return Opened::kMissing;
  }
  open_ = true;
  return held ? Opened::kWritable : Opened::kReadOnly;
}

bool TncStream::CreateNew(const std::string& path) {
  Close();
  path_ = path;
  if (!platform::CreateNewFile(path)) return false;
  if (!Cimage::OpenTNC(path.c_str(), "rb+")) {
    platform::RemoveFile(path);  // empty, and ours
    return false;
  }
  open_ = writing_ = true;
  return true;
}

bool TncStream::BeginWrite() {
  if (!open_) return false;
  if (writing_) return true;
  Cimage::CloseTNC();
  hold_.Release();
  if (!Cimage::OpenTNC(path_.c_str(), "rb+")) {
    open_ = false;
    return false;
  }
  writing_ = true;
  return true;
}

TncStream::Resumed TncStream::EndWrite() {
  if (!open_) return Resumed::kClosed;
  if (!writing_) return hold_.IsHeld() ? Resumed::kWritable : Resumed::kReadOnly;
  Cimage::CloseTNC();
  writing_ = false;
  const bool held = hold_.Take(path_) == platform::DenyWriteHold::Result::kHeld;
  if (!Cimage::OpenTNC(path_.c_str(), "rb")) {
    hold_.Release();
    open_ = false;
    return Resumed::kClosed;
  }
  return held ? Resumed::kWritable : Resumed::kReadOnly;
}

void TncStream::Close() {
  if (open_) Cimage::CloseTNC();
  hold_.Release();
  open_ = writing_ = false;
}

int64_t TncStream::Size() {
  if (!open_ || Cimage::SeekTNC(0, SEEK_END) != 0) return -1;
  return Cimage::TellTNC();
}

bool TncStream::SeekTo(int64_t offset) {
  return open_ && offset >= 0 && offset <= LONG_MAX && Cimage::SeekTNC(long(offset), SEEK_SET) == 0;
}

bool TncStream::ReadAt(int64_t offset, void* buffer, size_t size) {
  return size <= UINT_MAX && SeekTo(offset) && Cimage::ReadTNC(buffer, 1, unsigned(size)) == size;
}

bool TncStream::WriteAt(int64_t offset, const void* data, size_t size) {
  return writing_ && size <= UINT_MAX && SeekTo(offset) && Cimage::WriteTNC(data, 1, unsigned(size)) == size;
}

// A seek puts out a stream's buffer, and reports when that fails.
bool TncStream::Flush() { return open_ && Cimage::SeekTNC(0, SEEK_CUR) == 0; }
