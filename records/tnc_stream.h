#pragma once
// The process's one cache stream, which the image library keeps (so that its JPEG codec reads
// and writes thumbnails in place). A cache that may be written is held deny-write while it is
// open, so that no other program, nor a second copy of this one, writes it meanwhile; since that
// hold denies writing to every other opener, the stream reads while the hold is taken and is
// opened for update only for the moment of a write.
#include <cstddef>
#include <cstdint>
#include <string>

#include "file_system.h"
#include "tnc_chain.h"

class TncStream : public TncSource {
 public:
  enum class Opened { kWritable, kReadOnly, kMissing };

  ~TncStream() override { Close(); }

  // Opens an existing file for reading; when writing is wanted, its attributes are made normal
  // and it is held deny-write first. kReadOnly when the hold cannot be had (another program
  // writes it: a sharing violation) or was not wanted.
  Opened Open(const std::string& path, bool writable);
  // Makes a file where there is none (never truncating one that is there) and opens it for
  // writing; end with EndWrite.
  bool CreateNew(const std::string& path);

  // Between these two the stream may be written. BeginWrite fails (the file then closed) when
  // the file cannot be opened for update. EndWrite goes back to reading under the hold: kReadOnly
  // when another program took the file meanwhile, kClosed when it cannot even be read again.
  enum class Resumed { kWritable, kReadOnly, kClosed };
  bool BeginWrite();
  Resumed EndWrite();

  void Close();
  bool IsOpen() const { return open_; }
  const std::string& Path() const { return path_; }

  int64_t Size() override;
  bool ReadAt(int64_t offset, void* buffer, size_t size) override;
  // The stream placed at offset, for the image library's own reading and writing there.
  bool SeekTo(int64_t offset);
  bool WriteAt(int64_t offset, const void* data, size_t size);
  // Puts out what is buffered; false when that fails (the disk is full).
  bool Flush();

 private:
  std::string path_;
  platform::DenyWriteHold hold_;
  bool open_ = false;
  bool writing_ = false;
};
