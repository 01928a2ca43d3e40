// The index image as GDI draws it: every thumbnail at its place, bottom-aligned on its row's
// baseline, the picture cut to the rows used, the title centred in its band and the captions in
// the text colour under their thumbnails; items still without a thumbnail leave no gap.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "index_sheet_drawing.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(200, 0, 0);

CAppSettings::CreateIndex Settings(int columns, int rows) {
  CAppSettings::CreateIndex s{};
  s.width = columns;
  s.height = rows;
  s.color = int(kWhite);
  s.fgcolor = int(kInk);
  s.spacing = 10;
  s.autospace = 1;
  return s;
}

COLORREF PixelAt(const Cimage& picture, int x, int y) {
  const uint8_t* p = picture.m_pixels + size_t(y) * picture.m_stride + size_t(x) * 3;
  return RGB(p[2], p[1], p[0]);
}

// A distinct colour for item i.
COLORREF ColourOf(size_t i) { return RGB(10 + 10 * int(i), 255 - 10 * int(i), 100); }

// Selected items with thumbnails of the sizes given, a size of 0 x 0 being one not loaded yet.
class Selection {
 public:
  explicit Selection(const std::vector<std::pair<int, int>>& sizes) : pictures_(sizes.size()) {
    for (size_t i = 0; i < sizes.size(); ++i) {
      IndexSheetItem item;
      item.name = "picture " + std::to_string(i) + ".jpg";
      item.dateText = "01/02/2003  04:05";
      item.sizeText = "12 K, 640 x 480";
      if (sizes[i].first > 0) {
        pictures_[i].Blank(sizes[i].first, sizes[i].second, ColourOf(i));
        item.thumbnail = &pictures_[i];
      }
      items.push_back(item);
    }
  }
  std::vector<IndexSheetItem> items;

 private:
  std::vector<Cimage> pictures_;
};

struct Drawn {
  Cimage picture;
  std::string map;
};

void Draw(const CAppSettings::CreateIndex& settings, int edge, const Selection& selection, Drawn& drawn,
          const std::string& title = "") {
  ASSERT_TRUE(DrawIndexSheet(settings, edge, title, selection.items, drawn.picture, drawn.map));
  ASSERT_FALSE(drawn.picture.m_loadError);
}

// The thumbnail of item i fills exactly the rectangle (left, top) to (right, bottom), exclusive,
// and the pixels just outside it are the background.
void ExpectThumbnail(const Cimage& picture, size_t i, int left, int top, int right, int bottom) {
  SCOPED_TRACE("item " + std::to_string(i));
  const POINT corners[] = {{left, top}, {right - 1, top}, {left, bottom - 1}, {right - 1, bottom - 1}};
  for (const POINT corner : corners)
    EXPECT_EQ(PixelAt(picture, corner.x, corner.y), ColourOf(i)) << corner.x << "," << corner.y;
  EXPECT_EQ(PixelAt(picture, left - 1, top), kWhite);
  EXPECT_EQ(PixelAt(picture, left, top - 1), kWhite);
  if (right < picture.m_width) {
    EXPECT_EQ(PixelAt(picture, right, bottom - 1), kWhite);
  }
  if (bottom < picture.m_height) {
    EXPECT_EQ(PixelAt(picture, left, bottom), kWhite);
  }
}

size_t Areas(const std::string& map) {
  size_t areas = 0;
  for (size_t at = 0; (at = map.find("shape=\"rect\"", at)) != std::string::npos; ++at) ++areas;
  return areas;
}

// The rows of the picture in which the text colour appears within the columns left to right.
std::set<int> InkRows(const Cimage& picture, int left, int right, int top, int bottom) {
  std::set<int> rows;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (PixelAt(picture, x, y) == kInk) rows.insert(y);
  return rows;
}

TEST(IndexSheetDrawing, TwentySelectedInASixByThreeGridDrawTheFirstEighteen99PixelsApart) {
  const Selection selection(std::vector<std::pair<int, int>>(20, {90, 90}));
  Drawn drawn;
  Draw(Settings(6, 3), 90, selection, drawn);
  EXPECT_EQ(drawn.picture.m_width, 603);
  EXPECT_EQ(drawn.picture.m_height, 306);
  for (size_t i = 0; i < 18; ++i) {
    const int left = 9 + int(i % 6) * 99, top = 9 + int(i / 6) * 99;
    ExpectThumbnail(drawn.picture, i, left, top, left + 90, top + 90);
  }
  EXPECT_EQ(Areas(drawn.map), 18u);
  EXPECT_NE(drawn.map.find("coords=\"504,207,593,296\" href=\"picture%2017.jpg\""), std::string::npos);
  EXPECT_EQ(drawn.map.find("picture%2018.jpg"), std::string::npos);
  EXPECT_EQ(drawn.map.find("picture%2019.jpg"), std::string::npos);
}

TEST(IndexSheetDrawing, ThumbnailsNotLoadedLeaveNoGapAndRowsAlignAtTheBottom) {
  // Three columns: 0 (not loaded), 1 (90 x 60), 2 (60 x 90), 3 (not loaded), 4 (90 x 30) fill the
  // first row; 5 (90 x 45) starts the second, whose baseline follows its own tallest thumbnail.
  const Selection selection({{0, 0}, {90, 60}, {60, 90}, {0, 0}, {90, 30}, {90, 45}});
  Drawn drawn;
  Draw(Settings(3, 3), 90, selection, drawn);
  EXPECT_EQ(drawn.picture.m_width, 9 + 3 * 99);
  const int firstBaseline = 9 + 90, secondBaseline = firstBaseline + 9 + 45;
  EXPECT_EQ(drawn.picture.m_height, secondBaseline + 9) << "cut below the second row";
  ExpectThumbnail(drawn.picture, 1, 9, firstBaseline - 60, 99, firstBaseline);
  ExpectThumbnail(drawn.picture, 2, 108, firstBaseline - 90, 168, firstBaseline);
  ExpectThumbnail(drawn.picture, 4, 207, firstBaseline - 30, 297, firstBaseline);
  ExpectThumbnail(drawn.picture, 5, 9, secondBaseline - 45, 99, secondBaseline);
  EXPECT_EQ(Areas(drawn.map), 4u);
  EXPECT_EQ(drawn.map.find("picture%200.jpg"), std::string::npos);
  EXPECT_EQ(drawn.map.find("picture%203.jpg"), std::string::npos);
  EXPECT_NE(drawn.map.find("coords=\"108,9,167,98\" href=\"picture%202.jpg\""), std::string::npos);
}

TEST(IndexSheetDrawing, TitleAndCaptionsInTheTextColourWhereTheyBelong) {
  const Selection selection({{60, 60}, {60, 40}});
  CAppSettings::CreateIndex settings = Settings(2, 1);
  settings.title = 1;
  settings.name = settings.date = settings.size = 1;
  settings.autospace = 0;
  settings.spacing = 12;
  Drawn drawn;
  Draw(settings, 60, selection, drawn, "Holiday");
  const int width = 12 + 2 * 72, baseline = 20 + 12 + 60;
  ASSERT_EQ(drawn.picture.m_width, width);
  ASSERT_EQ(drawn.picture.m_height, baseline + 3 * 15 + 12);
  ExpectThumbnail(drawn.picture, 0, 12, baseline - 60, 72, baseline);
  ExpectThumbnail(drawn.picture, 1, 84, baseline - 40, 144, baseline);

  // The title: ink in the band only, centred across the picture.
  const std::set<int> titleRows = InkRows(drawn.picture, 0, width, 0, 20);
  ASSERT_FALSE(titleRows.empty());
  int leftmost = width, rightmost = -1;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < width; ++x)
      if (PixelAt(drawn.picture, x, y) == kInk) leftmost = std::min(leftmost, x), rightmost = std::max(rightmost, x);
  EXPECT_LE(std::abs((leftmost + rightmost + 1) - width), 2) << leftmost << ".." << rightmost;
  EXPECT_TRUE(InkRows(drawn.picture, 0, width, 20, baseline).empty()) << "no ink between the title and captions";

  // Three caption lines under each thumbnail, within its column, each bottom-aligned in its box.
  for (int column = 0; column < 2; ++column) {
    const int left = 12 + column * 72;
    for (int line = 0; line < 3; ++line) {
      SCOPED_TRACE("column " + std::to_string(column) + " line " + std::to_string(line));
      const int top = baseline + line * 15;
      const std::set<int> rows = InkRows(drawn.picture, left, left + 60, top, top + 15);
      ASSERT_FALSE(rows.empty());
      // The line above may reach a row into this box with its descenders.
      if (line == 0) {
        EXPECT_GE(*rows.begin(), top + 2) << "text sits at the bottom of its box";
      }
    }
    EXPECT_TRUE(InkRows(drawn.picture, left + 60, left + 72, baseline, drawn.picture.m_height).empty())
        << "captions are cut at the thumbnail's width";
  }
}

TEST(IndexSheetDrawing, NothingToDrawWithoutALoadedThumbnail) {
  EXPECT_FALSE(AnyIndexThumbnail(Selection({{0, 0}, {0, 0}}).items));
  Selection failed({{30, 30}});
  failed.items[0].thumbnail->m_loadError = 1;
  EXPECT_FALSE(AnyIndexThumbnail(failed.items)) << "a damaged picture's crossed-out box is no thumbnail";
  EXPECT_TRUE(AnyIndexThumbnail(Selection({{0, 0}, {30, 30}}).items));
}

}  // namespace
