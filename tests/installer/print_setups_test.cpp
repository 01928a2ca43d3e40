// The print setups the build writes for the installer, read back through the program's own
// reader: each holds the grid its name promises, on a US letter page, with its captions where the
// Batch Print sheet would put them.
#include <gtest/gtest.h>

#include <string>

#include "print_setup_file.h"

namespace {

constexpr int kInch = 100000;

enum class Caption { None, Below, Beside };

struct Expected {
  const char* file;
  int rows, cols;
  Caption caption;
  int pictureWidth, pictureHeight;  // hundredths of an inch; 0: not a fixed print size
};

// The areas must not overlap: either one lies wholly beside or wholly below the other.
bool Apart(int ax, int ay, int aw, int ah, int bx, int by, int bw, int bh) {
  return ax + aw <= bx || bx + bw <= ax || ay + ah <= by || by + bh <= ay;
}

TEST(ShippedPrintSetups, EachLoadsWithTheLayoutItsNameNames) {
  const Expected setups[] = {
      {"columnwtext.psu", 5, 1, Caption::Beside, 0, 0},
      {"thumbnails.psu", 8, 6, Caption::Below, 0, 0},
      {"two-sidebar.psu", 2, 1, Caption::Beside, 0, 0},
      {"9-wallets.psu", 3, 3, Caption::None, 250, 350},
      {"mailinglabels.psu", 10, 3, Caption::Beside, 0, 0},
      {"1-8x10.psu", 1, 1, Caption::None, 800, 1000},
      {"2-5x7.psu", 2, 1, Caption::None, 700, 500},
  };
  for (const Expected& e : setups) {
    SCOPED_TRACE(e.file);
    CAppSettings::BatchPrint p{};
    std::string message;
    ASSERT_TRUE(LoadPrintSetupFile(std::string(SHIPPED_PRINT_SETUPS) + "/" + e.file, p, message)) << message;
    EXPECT_EQ(p.rows, e.rows);
    EXPECT_EQ(p.cols, e.cols);
    EXPECT_EQ(p.copies, 1);
    EXPECT_FALSE(p.bp_font.empty());

    // The grid lies on the page, each area in its cell.
    EXPECT_GE(p.coloffset, 0);
    EXPECT_GE(p.rowoffset, 0);
    EXPECT_LE(p.coloffset + p.cols * p.colwidth, 85 * kInch / 10);
    EXPECT_LE(p.rowoffset + p.rows * p.colheight, 11 * kInch);
    EXPECT_GT(p.pawidth, 0);
    EXPECT_GT(p.paheight, 0);
    EXPECT_LE(p.paoffsetx + p.pawidth, p.colwidth);
    EXPECT_LE(p.paoffsety + p.paheight, p.colheight);
    if (e.pictureWidth) {
      EXPECT_EQ(p.pawidth, e.pictureWidth * kInch / 100);
      EXPECT_EQ(p.paheight, e.pictureHeight * kInch / 100);
      EXPECT_EQ(p.overfill, 1) << "a print of a fixed size is filled";
    }

    EXPECT_EQ(p.bp_dotext, e.caption != Caption::None);
    if (e.caption == Caption::None) continue;
    EXPECT_GT(p.tasizex, 0);
    EXPECT_GT(p.tasizey, 0);
    EXPECT_LE(p.taoffsetx + p.tasizex, p.colwidth);
    EXPECT_LE(p.taoffsety + p.tasizey, p.colheight);
    EXPECT_TRUE(Apart(p.paoffsetx, p.paoffsety, p.pawidth, p.paheight, p.taoffsetx, p.taoffsety, p.tasizex, p.tasizey));
    if (e.caption == Caption::Below) EXPECT_GE(p.taoffsety, p.paoffsety + p.paheight);
    else EXPECT_GE(p.taoffsetx, p.paoffsetx + p.pawidth);
  }
}

}  // namespace
