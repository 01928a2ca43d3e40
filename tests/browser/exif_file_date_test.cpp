// The camera's date read from files, in both trees: a real photograph given a camera's EXIF date,
// a real file whose EXIF block holds only the editing date, one without EXIF, one not there.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "camera_date_segment.h"
#include "exif_file_date.h"
#include "temp_folder.h"

namespace {

constexpr uint64_t kUntouched = 0x0123456789ABCDEFull;
constexpr char kPhoto[] = "/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg";  // no EXIF block
// EXIF DateTime (when it was edited) "2021:10:27 18:59:15", no date the picture was taken.
constexpr char kEditedOnly[] = "/usr/share/libjxl-testdata/jxl/jpeg_reconstruction/1x1_exif_xmp.jpg";

class ExifFileDate : public TempFolderTest {};

TEST_F(ExifFileDate, ReadsTheDateThePictureWasTaken) {
  std::ifstream in(kPhoto, std::ios::binary);
  const std::string photo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (photo.empty()) GTEST_SKIP() << kPhoto << " is not installed";
  const std::string taken = Make("taken.jpg", camera_date::WithDateTaken(photo, "2003:05:01 12:30:00"));
  const std::string noDate = Make("nodate.jpg", camera_date::WithDateTaken(photo, "    :  :     :  :  "));
  const struct {
    std::string path;
    bool found;
    uint64_t ticks;  // 100-ns units since 1601-01-01
  } cases[] = {
      {taken, true, 126962658000000000ull},
      {noDate, false, kUntouched},
      {kEditedOnly, false, kUntouched},
      {kPhoto, false, kUntouched},
      {"/nonexistent/picture.jpg", false, kUntouched},
  };
  for (const auto& c : cases) {
    FILETIME time = platform::FileTimeFromTicks(kUntouched);
    EXPECT_EQ(ReadExifDate(c.path, &time), c.found) << c.path;
    EXPECT_EQ(platform::FileTimeTicks(time), c.ticks) << c.path;
  }
}

}  // namespace
