#include "tnc_test_support.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Cimage.h"

std::vector<int32_t> TncEntryOffsets(const std::vector<TncTestEntry>& entries) {
  std::vector<int32_t> offsets;
  int32_t at = int32_t(kTncHeaderSize);
  for (const TncTestEntry& e : entries) {
    offsets.push_back(at);
    at += int32_t(kTncEntrySize + e.jpeg.size());
  }
  return offsets;
}

std::vector<uint8_t> TncFileBytes(const std::vector<TncTestEntry>& entries, int32_t version, int16_t locked,
                                  int16_t stale) {
  const std::vector<int32_t> offsets = TncEntryOffsets(entries);
  TncHeader header;
  header.version = version;
  header.locked = locked;
  header.stale = stale;
  header.first = entries.empty() ? 0 : offsets[0];
  std::vector<uint8_t> bytes(kTncHeaderSize);
  uint8_t headerBytes[kTncHeaderSize];
  EncodeTncHeader(header, headerBytes);
  bytes.assign(headerBytes, headerBytes + kTncHeaderSize);
  for (size_t i = 0; i < entries.size(); ++i) {
    TncEntry entry;
    entry.next = i + 1 < entries.size() ? offsets[i + 1] : 0;
    entry.sizeKB = entries[i].sizeKB;
    entry.time = entries[i].time;
    entry.edge = entries[i].edge;
    entry.imageWidth = entries[i].imageWidth;
    entry.imageHeight = entries[i].imageHeight;
    SetTncEntryName(entry, entries[i].name);
    uint8_t entryBytes[kTncEntrySize];
    EncodeTncEntry(entry, entryBytes);
    bytes.insert(bytes.end(), entryBytes, entryBytes + kTncEntrySize);
    bytes.insert(bytes.end(), entries[i].jpeg.begin(), entries[i].jpeg.end());
  }
  return bytes;
}

void MakeThumbnail(Cimage& image, int width, int height, unsigned colour) {
  image.Blank(width, height, colour);
  image.m_origWidth = width * 10;
  image.m_origHeight = height * 10;
}

std::vector<uint8_t> TncFolderTest::ThumbnailJpeg(int width, int height, int quality) const {
  const std::string path = (folder_ / "thumbnail.jpg").string();
  Cimage image;
  MakeThumbnail(image, width, height);
  if (!Cimage::OpenTNC(path.c_str(), "wb")) return {};
  image.SaveTNC(quality);
  Cimage::CloseTNC();
  std::vector<uint8_t> bytes = FileBytes(path);
  std::remove(path.c_str());
  return bytes;
}

uint32_t LittleEndian(const std::vector<uint8_t>& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes.at(at + size_t(i));
  return value;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void TncFolderTest::SetUp() {
  TempFolderTest::SetUp();
  jpeg_ = ThumbnailJpeg(60, 45);
  options_.hideFile = false;
  options_.cachePath = (folder_ / "mirrors").string();
}

void TncFolderTest::TearDown() {
  cache_.Close();
  TempFolderTest::TearDown();
}

TncRequest TncFolderTest::MakeImage(const std::string& name, size_t size) {
  Make(name, std::string(size, 'i'));
  return RequestFor(name);
}

TncRequest TncFolderTest::RequestFor(const std::string& name) const {
  TncRequest file;
  file.name = name;
  platform::FileStamp stamp;
  if (platform::FindFileStamp(Folder() + platform::kPathSeparator + name, &stamp)) {
    file.sizeKB = TncSizeKB(stamp.size);
    file.lastWrite = platform::FileTimeFromTicks(stamp.lastWrite);
    file.creation = platform::FileTimeFromTicks(stamp.creation);
  }
  return file;
}

TncTestEntry TncFolderTest::EntryFor(const TncRequest& file, int edge) const {
  TncTestEntry entry;
  entry.name = file.name;
  entry.sizeKB = file.sizeKB;
  entry.time = file.lastWrite;
  entry.edge = edge;
  entry.jpeg = jpeg_;
  return entry;
}

void TncFolderTest::Use(int edge) {
  cache_.SetOptions(options_);
  cache_.UseFolder(Folder(), platform::DriveInfo(), edge);
}

void TncFolderTest::LeaveFolder() {
  const std::filesystem::path other = folder_ / "elsewhere";
  std::filesystem::create_directories(other);
  cache_.SetOptions(options_);
  cache_.UseFolder(other.string(), platform::DriveInfo(), 90);
  cache_.Close();
}

bool TncFolderTest::AddThumbnail(const TncRequest& file, int edge, int width, int height) {
  Cimage thumbnail;
  MakeThumbnail(thumbnail, width, height);
  return cache_.Add(file, edge, thumbnail);
}

bool TncFolderTest::Finds(const TncRequest& file, int edge) {
  Cimage found;
  return cache_.Load(file, edge, found);
}

void TncFolderTest::TryEveryChange(const TncRequest& cached) {
  EXPECT_FALSE(AddThumbnail(MakeImage("new.jpg")));
  cache_.NoteStale(50);
  cache_.NoteStale(-1);
  cache_.Invalidate(cached);
  Use();
  EXPECT_FALSE(cache_.Delete());
  LeaveFolder();
}
