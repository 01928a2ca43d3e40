// Saving by extension: settings, explicit options, and never losing the file that was there.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "cimage_test_access.h"
#include "jpeg_reference.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own per test, so leftovers can be counted.
std::string FreshFolder(const std::string& name) {
  const fs::path folder = fs::path(TempPath(name));
  fs::create_directories(folder);
  return folder.string();
}

size_t FilesInFolder(const std::string& folder) {
  size_t count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) count += entry.is_regular_file();
  return count;
}

void LoadSample(Cimage& picture) {
  LoadJpegBytes(picture, EncodeReferenceJpeg(GradientPicture(48, 32, 3), 85));
  ASSERT_FALSE(picture.m_loadError);
}

TEST(SaveByExtension, EachWrittenFormatLoadsBackAtItsSize) {
  const std::string folder = FreshFolder("formats");
  Cimage picture;
  LoadSample(picture);
  // ".tiff" and ".jpe" name the same formats as ".tif" and ".jpg", for saving as for loading.
  for (const char* name : {"a.jpg", "b.JPEG", "c.bmp", "d.gif", "e.png", "f.tif", "g.tiff", "h.jpe"}) {
    const std::string path = folder + "/" + name;
    picture.SaveImage(path.c_str(), 90, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(picture.m_saveError) << name;
    Cimage loaded;
    loaded.LoadImageA(path.c_str(), 0, 0, 5);
    EXPECT_FALSE(loaded.m_loadError) << name;
    EXPECT_EQ(loaded.m_width, 48) << name;
    EXPECT_EQ(loaded.m_height, 32) << name;
  }
  EXPECT_EQ(FilesInFolder(folder), 8u);  // no temporary files left behind
}

TEST(SaveByExtension, AnUnwritableFormatIsASaveErrorOnly) {
  const std::string folder = FreshFolder("unknown");
  Cimage picture;
  LoadSample(picture);
  for (const char* name : {"picture.psd", "picture.pcx", "picture.xyz", "picture"}) {
    picture.SaveImage((folder + "/" + name).c_str(), 90, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(picture.m_saveError, 1) << name;
    EXPECT_EQ(picture.m_loadError, 0) << name;  // the picture stays usable
    EXPECT_TRUE(picture.m_pixels);
  }
  EXPECT_EQ(FilesInFolder(folder), 0u);
}

TEST(SaveByExtension, AFailedSaveLeavesTheOldFileAsItWas) {
  const std::string folder = FreshFolder("keep");
  const std::string path = folder + "/precious.jpg";
  const std::vector<uint8_t> old = EncodeReferenceJpeg(GradientPicture(10, 10, 3), 85);
  WriteBytes(path, old);

  Cimage nothing;  // no pixels: the encoder fails
  nothing.m_width = nothing.m_height = 10;
  nothing.SaveImage(path.c_str(), 90, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(nothing.m_saveError, 1);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(FilesInFolder(folder), 1u);

  Cimage picture;
  LoadSample(picture);
  picture.SaveImage((folder + "/no-such-folder/x.jpg").c_str(), 90, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(picture.m_saveError, 1);

  // And a good save does replace it.
  picture.SaveImage(path.c_str(), 90, 0, 0, 0, 0, 0, 0);
  EXPECT_FALSE(picture.m_saveError);
  EXPECT_NE(ReadBytes(path), old);
  EXPECT_EQ(FilesInFolder(folder), 1u);
}

TEST(SaveByExtension, OnlyTheExplicitCallReusesTheLoadedTables) {
  const std::string folder = FreshFolder("tables");
  const std::vector<uint8_t> source = EncodeReferenceJpeg(GradientPicture(64, 64, 3), 85);
  auto dqt = [](const std::vector<uint8_t>& file) {
    std::vector<std::vector<uint8_t>> tables;
    for (const JpegSegment& s : JpegHeaderSegments(file))
      if (s.marker == 0xDB) tables.push_back(s.data);
    return tables;
  };
  Cimage picture;
  LoadJpegBytes(picture, source);
  const int quality = Cimage::S_file_save_quality;
  Cimage::S_file_save_quality = 20;
  const std::string bySettings = folder + "/settings.jpg", explicitReuse = folder + "/explicit.jpg";
  picture.SaveImage(bySettings.c_str());
  picture.SaveImage(explicitReuse.c_str(), 20, 0, 0, 0, 0, 0, 1);
  Cimage::S_file_save_quality = quality;
  EXPECT_NE(dqt(ReadBytes(bySettings)), dqt(source));
  EXPECT_EQ(dqt(ReadBytes(explicitReuse)), dqt(source));
}

}  // namespace
