#pragma once
// Cache files built byte by byte, image files with their stamps, and a folder per test for the
// thumbnail-cache tests.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_system.h"
#include "temp_folder.h"
#include "thumbnail_cache.h"
#include "tnc_format.h"

// One entry of a cache file under construction, with the bytes that follow it.
struct TncTestEntry {
  std::string name;
  int32_t sizeKB = 1;
  FILETIME time{};
  int32_t edge = 90;
  std::vector<uint8_t> jpeg;
  int32_t imageWidth = 640;
  int32_t imageHeight = 480;
};

// A cache file's bytes: the header, then the entries in order, each linked to the next.
std::vector<uint8_t> TncFileBytes(const std::vector<TncTestEntry>& entries, int32_t version = kTncVersion,
                                  int16_t locked = 0, int16_t stale = 0);
// The offsets of the entries in such a file.
std::vector<int32_t> TncEntryOffsets(const std::vector<TncTestEntry>& entries);

// A picture to add as a thumbnail.
void MakeThumbnail(Cimage& image, int width, int height, unsigned colour = 0x336699);

uint32_t LittleEndian(const std::vector<uint8_t>& bytes, size_t at, int size);
std::vector<uint8_t> FileBytes(const std::string& path);
void PutFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

class TncFolderTest : public TempFolderTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string Folder() const { return folder_.string(); }
  std::string CachePath() const { return Folder() + platform::kPathSeparator + kTncFileName; }
  // An image file of size bytes in the test's folder, and the request for it.
  TncRequest MakeImage(const std::string& name, size_t size = 3000);
  TncRequest RequestFor(const std::string& name) const;
  // An entry standing for that file as it is now.
  TncTestEntry EntryFor(const TncRequest& file, int edge = 90) const;
  // The cache used for the test's folder on a fixed drive.
  void Use(int edge = 90);
  // Leaving the folder for another one (where the previous folder's cache is squeezed or closed).
  void LeaveFolder();
  std::vector<uint8_t> CacheBytes() const { return FileBytes(CachePath()); }
  // Adds a plain thumbnail made for edge.
  bool AddThumbnail(const TncRequest& file, int edge = 90, int width = 30, int height = 30);
  // Whether the cache has a thumbnail for the file at edge.
  bool Finds(const TncRequest& file, int edge = 90);
  // Tries what changes a cache file and must not change this one: adding, stale counts and a
  // squeeze asked for, invalidating the cached file, deleting, and leaving the folder.
  void TryEveryChange(const TncRequest& cached);
  // A JPEG thumbnail as the image library writes it into a cache (through the cache stream, so
  // not while a cache is open).
  std::vector<uint8_t> ThumbnailJpeg(int width, int height, int quality = 75) const;

  TncOptions options_;
  ThumbnailCache cache_;
  std::vector<uint8_t> jpeg_;  // a valid thumbnail, made before the cache is opened
};
