// The batch run's arithmetic and naming: sizes, the solid border's canvas, output names, the
// destination's checks, the Input list's duplicates and the order of the work list.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch_rules.h"
#include "batch_work_list.h"
#include "file_system.h"
#include "temp_folder.h"
#include "thumb_list.h"

namespace {

const std::string kSep(1, platform::kPathSeparator);

TEST(BatchRules, TargetSizes) {
  const struct {
    int targetsize;
    bool fitted;
    int width, height;
  } cases[] = {{0, true, 640, 480}, {1, true, 800, 600}, {2, true, 1024, 768}, {3, true, 321, 123},
               {4, false, 0, 0},    {-1, false, 0, 0},   {9, false, 0, 0}};
  for (const auto& c : cases) {
    BatchSize size;
    EXPECT_EQ(BatchTargetSize(c.targetsize, 321, 123, &size), c.fitted) << c.targetsize;
    if (c.fitted) {
      EXPECT_EQ((std::vector<int>{size.width, size.height}), (std::vector<int>{c.width, c.height}));
    }
  }
}

TEST(BatchRules, SolidBorderCanvasGrowsByTheBorderUnlessTheBorderIsLargerBothWays) {
  const struct {
    int borderWidth, borderHeight, width, height, canvasWidth, canvasHeight;
  } cases[] = {
      {50, 50, 640, 480, 690, 530},    {700, 400, 640, 480, 1340, 880},  // only one way larger
      {700, 500, 640, 480, 700, 500},                                    // larger both ways: the border is the canvas
      {640, 480, 640, 480, 1280, 960},                                   // equal is not larger
      {0, 0, 2268, 1512, 2268, 1512},                                    // an original-size picture's own size
  };
  for (const auto& c : cases) {
    const BatchSize canvas = SolidBorderCanvas(c.borderWidth, c.borderHeight, {c.width, c.height});
    EXPECT_EQ((std::vector<int>{canvas.width, canvas.height}), (std::vector<int>{c.canvasWidth, c.canvasHeight}))
        << c.borderWidth << " x " << c.borderHeight << " around " << c.width << " x " << c.height;
  }
}

TEST(BatchRules, OutputPathIsTheFolderAndTheNameWithTheFormatsExtension) {
  const struct {
    std::string folder;
    const char* source;
    int format;
    const char* name;
  } cases[] = {
      {"out", "in/photo.tif", 1, "photo.jpg"},
      {"out", "in\\photo.tif", 0, "photo.tif"},
      {"out" + kSep, "in/photo.tif", 2, "photo.gif"},  // no second separator
      {"out", "photo.tif", 3, "photo.bmp"},
      {"out", "in/photo.jpg", 4, "photo.png"},
      {"out", "in/photo.jpg", 5, "photo.tif"},
      {"out", "in/photo.old.JPG", 4, "photo.old.png"},  // only the last extension goes
      {"out", "in/README", 1, "README.jpg"},            // no extension: one is added
      {"out", "in/README", 0, "README"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BatchOutputPath(c.folder, c.source, c.format), "out" + kSep + c.name)
        << c.source << " format " << c.format;
}

class BatchDestination : public TempFolderTest {};

TEST_F(BatchDestination, RefusesRootsHoweverWrittenMissingFoldersAndFilesButNotTheSourcesOwnFolder) {
  const std::string folder = folder_.string();
  const std::string file = Make("photo.jpg", "x");
  const std::string root = "Sorry, you can't batch process into the root directory";
  const std::string none = "The specified destination path does not exist,\nis not a directory, or is read only";
  const struct {
    std::string destination;
    std::string message;
  } cases[] = {
      {"C:", root},
      {"c:", root},
      {"C:\\", root},
      {"c:/", root},
      {"C:\\\\", root},
      {"\\", root},  // the current drive's
      {"/", root},
      {"\\\\server\\share", root},
      {"\\\\server\\share\\", root},
      {"\\\\server", root},
      {folder + kSep + "missing", none},
      {file, none},
      {"", none},
      {folder, ""},  // the sources' own folder: each file is asked about as it comes
      {folder + kSep, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(BatchDestinationProblem(c.destination), c.message) << c.destination;
}

TEST(BatchInputList, NoDuplicatesKeepsTheFirstOfEqualRowsAndRowsDifferingInCase) {
  std::vector<std::string> rows = {"C:\\a.jpg", "C:\\b.jpg", "C:\\A.jpg", "C:\\a.jpg", "C:\\b.jpg", "C:\\c.jpg"};
  RemoveDuplicateRows(rows);
  EXPECT_EQ(rows, (std::vector<std::string>{"C:\\a.jpg", "C:\\b.jpg", "C:\\A.jpg", "C:\\c.jpg"}));
}

TEST(BatchWorkListOrder, FilesAreWorkedOnInTheReverseOfTheirListing) {
  EXPECT_EQ(BatchWorkList({"A", "B", "C"}).Entries(), (std::vector<std::string>{"C", "B", "A"}));
  BatchWorkList list;
  EXPECT_EQ(list.Count(), 0);
  list.Prepend("A");
  list.Prepend("B");
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(list.Count(), 2);
}

TEST(BatchWorkListOrder, ATransformsListHoldsTheViewsSelectedFilesLastFirst) {
  CThumbList items;
  const struct {
    const char* folder;
    const char* name;
    bool selected;
  } files[] = {{"C:\\a\\", "1.jpg", true}, {"C:\\a\\", "2.jpg", false}, {"C:\\b\\", "3.jpg", true}};
  for (const auto& f : files) {
    CThumbItem* item = items.AddTail();
    item->folder = f.folder;
    item->name = f.name;
    item->selected = f.selected;
  }
  EXPECT_EQ(BuildWorkList(items).Entries(), (std::vector<std::string>{"C:\\b\\3.jpg", "C:\\a\\1.jpg"}));
  items.RemoveAll();
  EXPECT_EQ(BuildWorkList(items).Count(), 0);
}

}  // namespace
