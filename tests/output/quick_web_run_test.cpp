// Quick Web runs over real pictures in both trees: a site whose every link and picture resolves
// (checked in the native tree by Python's HTML parser and by headless Chromium), names that clash
// or would break links, cancel after the first of five pictures, the guard against writing into a
// pictures' own folder however that folder is spelt, and output pictures without camera blocks
// while the library's setting stays as the user set it.
#if defined(_WIN32)
#include <windows.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "camera_date_segment.h"
#include "file_system.h"
#include "quick_web_options.h"
#include "quick_web_run.h"
#include "site_links.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

// A name that would break markup and links, as far as each system allows ('<' is no letter of
// Windows names), its link and its text in the page.
#if defined(_WIN32)
// In the ANSI code page, as the program names files; empty where the code page has no such letters.
std::string AccentedName() {
  const wchar_t wide[] = L"\u00e9t\u00e9 \u00e0 Z\u00fcrich.jpg";
  char name[64] = {};
  BOOL lost = FALSE;
  const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, name, sizeof name, nullptr, &lost);
  return length > 0 && !lost ? std::string(name) : std::string();
}
const char kOdd[] = "a b&c#d%e";
const char kOddLink[] = "a%20b%26c%23d%25e";
const char kOddText[] = "a b&amp;c#d%e";
#else
std::string AccentedName() { return "\xc3\xa9t\xc3\xa9 \xc3\xa0 Z\xc3\xbcrich.jpg"; }
const char kOdd[] = "a b&c#d<e";
const char kOddLink[] = "a%20b%26c%23d%3Ce";
const char kOddText[] = "a b&amp;c#d&lt;e";
#endif

class ScriptedHost : public QuickWebHost {
 public:
  bool CancelRequested() override { return cancelAfter >= 0 && int(progress.size()) >= cancelAfter; }
  void Progress(int picture, int count, const std::string& name) override {
    progress.push_back(std::to_string(picture) + "/" + std::to_string(count) + " " + name);
  }
  void Tell(const std::string& message) override { told.push_back(message); }
  std::string NowText() override { return "1/2/2005 3:04"; }

  int cancelAfter = -1;
  std::vector<std::string> progress;
  std::vector<std::string> told;
};

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

int Count(const std::string& text, const std::string& what) {
  int count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

class QuickWebRun : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    fs::create_directories(folder_ / "pictures");
    fs::create_directories(folder_ / "site");
    options_ = DefaultQuickWebOptions();
    options_.savepath = (folder_ / "site").string();
    options_.thumbwid = 60;
    options_.thumbhgt = 50;
  }

  // A picture of the size in the pictures' folder, saved in the format its name gives.
  void Picture(const std::string& name, int width, int height, unsigned colour) {
    Cimage picture;
    picture.Blank(width, height, colour);
    picture.SaveImage(((folder_ / "pictures").string() + kSeparator + name).c_str(), 80, 0, 0, 0, 0, 0, 0);
    ASSERT_FALSE(picture.m_saveError) << name;
    job_.sources.push_back({(folder_ / "pictures").string() + kSeparator, name, ""});
  }

  QuickWebOutcome Run() {
    job_.options = options_;
    return RunQuickWeb(job_, host_);
  }

  static constexpr char kSeparator = fs::path::preferred_separator;
  QuickWebOptions options_;
  QuickWebJob job_;
  ScriptedHost host_;
};

TEST_F(QuickWebRun, EveryLinkAndPictureOfTheSiteNamesItsOwnFile) {
  options_.createpages = 1;
  options_.annotations = 1;
  options_.idx_usebg = options_.img_usebg = 1;
  const std::string odd = kOdd;
  for (const std::string& name : {odd + ".jpg", std::string("index.jpg"), std::string("photo.jpg"),
                                  std::string("photo.png"), std::string("tn_photo.jpg"), std::string("background.jpg")})
    Picture(name, 300, 200, 0x336699);
  const std::string accented = AccentedName();
  if (!accented.empty()) Picture(accented, 200, 300, 0x993366);
  job_.sources[0].annotation = "Fish & <chips>";
  options_.idx_bgimage = options_.img_bgimage = job_.sources[5].folder + "background.jpg";
  ASSERT_EQ(Run(), QuickWebOutcome::kWritten);
  EXPECT_TRUE(host_.told.empty()) << host_.told.front();
  EXPECT_EQ(host_.progress.size(), job_.sources.size());
  EXPECT_EQ(host_.progress.front(), "1/" + std::to_string(job_.sources.size()) + " " + odd + ".jpg");

  const fs::path site = folder_ / "site";
  std::vector<std::string> expected = {"index.htm", "background.jpg",
                                       odd + ".jpg", "tn_" + odd + ".jpg", odd + ".htm",
                                       "index_2.jpg", "tn_index_2.jpg", "index_2.htm",
                                       "photo.jpg", "photo_2.jpg", "tn_photo_2.jpg", "photo_2.htm",
                                       "tn_photo_3.jpg", "tn_tn_photo_3.jpg", "tn_photo_3.htm",
                                       "background_2.jpg", "tn_background_2.jpg", "background_2.htm"};
  const std::string part = accented.substr(0, accented.size() - 4);
  if (!accented.empty())
    for (const std::string& name : {part + ".jpg", "tn_" + part + ".jpg", part + ".htm"}) expected.push_back(name);
  // Named as the program names files (in the ANSI code page on Windows).
  for (const std::string& name : expected) EXPECT_TRUE(platform::FileExists(site.string() + kSeparator + name)) << name;

  const std::string index = Read(site / "index.htm");
  EXPECT_NE(index.find("<A href = \"" + std::string(kOddLink) + ".htm\">" + kOddText + ".jpg</A>"), std::string::npos);
  EXPECT_NE(index.find("Fish &amp; &lt;chips&gt;<BR>"), std::string::npos);
  EXPECT_NE(index.find("<BODY background=\"background.jpg\""), std::string::npos);
  Cimage thumbnail;
  thumbnail.LoadImageA((site / "tn_photo_2.jpg").string().c_str(), 0, 0, 5);
  EXPECT_EQ(thumbnail.m_width, 60);
  EXPECT_LE(thumbnail.m_height, 50);
  EXPECT_NE(index.find("<img src= \"tn_photo_2.jpg\" border=0 width=\"60\" height=\"" +
                       std::to_string(thumbnail.m_height) + "\">"),
            std::string::npos);

  // Every href, src and background names a file of the site.
  for (const std::string& page : {std::string("index.htm"), std::string("photo_2.htm"), odd + ".htm"})
    EXPECT_EQ(BrokenLinks(site, page), std::vector<std::string>{});
#if !defined(_WIN32)
  if (std::system("python3 -c '' 2>/dev/null") == 0) {
    const std::string check = "python3 " + std::string(CHECK_SITE_SCRIPT) + " '" + site.string() +
                              "' index.htm '" + odd + ".htm' photo_2.htm '" + part + ".htm'";
    EXPECT_EQ(std::system(check.c_str()), 0) << check;
    // The same pages in a real browser, served over HTTP: nothing it asks for is missing.
    const std::string browse = "python3 " + std::string(BROWSE_SITE_SCRIPT) + " '" + site.string() + "' '" +
                               SITE_SCREENSHOT + "' index.htm '" + odd + ".htm' photo_2.htm '" + part + ".htm'";
    EXPECT_EQ(std::system(browse.c_str()), 0) << browse;
  }
#endif
}

TEST_F(QuickWebRun, CancelAfterTheFirstOfFivePicturesEndsTheIndexPageWithOneCell) {
  for (const char* name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg"}) Picture(name, 120, 90, 0x808080);
  options_.createpages = 1;
  host_.cancelAfter = 1;
  ASSERT_EQ(Run(), QuickWebOutcome::kWritten);
  const std::string index = Read(folder_ / "site" / "index.htm");
  EXPECT_EQ(Count(index, "<img src="), 1);
  EXPECT_NE(index.find("</HTML>"), std::string::npos);
  EXPECT_TRUE(fs::exists(folder_ / "site" / "tn_1.jpg"));
  EXPECT_FALSE(fs::exists(folder_ / "site" / "2.jpg"));
  // The one page leads to no page that was never written.
  EXPECT_EQ(Read(folder_ / "site" / "1.htm").find(">Next</A>"), std::string::npos);
  EXPECT_EQ(BrokenLinks(folder_ / "site", "1.htm"), std::vector<std::string>{});
}

TEST_F(QuickWebRun, APicturesOwnFolderIsRefusedHoweverItIsSpeltAndNothingIsWritten) {
  Picture("one.jpg", 50, 50, 0);
  Picture("two.jpg", 50, 50, 0);
  const std::string pictures = (folder_ / "pictures").string();
  for (const std::string& spelling :
       {pictures, pictures + kSeparator, pictures + kSeparator + "." + kSeparator,
        (folder_ / "site").string() + kSeparator + ".." + kSeparator + "pictures"}) {
    host_.told.clear();
    options_.savepath = spelling;
    EXPECT_EQ(Run(), QuickWebOutcome::kSameFolder) << spelling;
    EXPECT_EQ(host_.told, std::vector<std::string>{kQuickWebSameFolderMessage});
    EXPECT_EQ(std::distance(fs::directory_iterator(pictures), fs::directory_iterator()), 2) << spelling;
  }
}

TEST_F(QuickWebRun, PicturesLeaveTheirCameraBlockBehindAndTheLibrarySettingStays) {
  Picture("camera.jpg", 160, 120, 0x2040c0);
  const fs::path source = folder_ / "pictures" / "camera.jpg";
  const std::string withExif = camera_date::WithDateTaken(Read(source), "2004:06:01 09:05:00");
  std::ofstream(source, std::ios::binary | std::ios::trunc) << withExif;
  options_.createpages = 1;
  Picture("unreadable.jpg", 10, 10, 0);
  Picture("last.jpg", 30, 20, 0);
  std::ofstream(folder_ / "pictures" / "unreadable.jpg", std::ios::binary | std::ios::trunc) << "not a picture";
  const int kept = Cimage::S_keep_exifinfo;
  Cimage::S_keep_exifinfo = 1;
  const QuickWebOutcome outcome = Run();
  EXPECT_EQ(Cimage::S_keep_exifinfo, 1);
  Cimage::S_keep_exifinfo = kept;
  ASSERT_EQ(outcome, QuickWebOutcome::kWritten);
  ASSERT_NE(Read(source).find("Exif"), std::string::npos);
  EXPECT_EQ(Read(folder_ / "site" / "camera.jpg").find("Exif"), std::string::npos);
  EXPECT_EQ(Read(folder_ / "site" / "tn_camera.jpg").find("Exif"), std::string::npos);
  // The picture that cannot be read is named to the user and has neither cell nor page, and its
  // neighbours' pages lead to each other.
  ASSERT_EQ(host_.told.size(), 1u);
  EXPECT_NE(host_.told[0].find("unreadable.jpg"), std::string::npos);
  EXPECT_EQ(Count(Read(folder_ / "site" / "index.htm"), "<img src="), 2);
  EXPECT_NE(Read(folder_ / "site" / "camera.htm").find("<A href=\"last.htm\">Next</A>"), std::string::npos);
}

}  // namespace
