// The index image's geometry (title band, spacing, cell pitch, rows, baselines, the cut) and the
// HTML image map that goes with it.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "index_image_map.h"
#include "index_sheet_layout.h"

namespace {

CAppSettings::CreateIndex Settings(int columns, int rows, bool title, int captions, int spacing, bool autospace) {
  CAppSettings::CreateIndex s{};
  s.width = columns;
  s.height = rows;
  s.title = title;
  s.name = captions > 0;
  s.date = captions > 1;
  s.size = captions > 2;
  s.spacing = spacing;
  s.autospace = autospace;
  return s;
}

const IndexThumb kNone = {false, 0, 0};
IndexThumb Thumb(int width, int height) { return {true, width, height}; }
std::vector<IndexThumb> Square(size_t count, int edge) { return std::vector<IndexThumb>(count, Thumb(edge, edge)); }

struct Place {
  size_t item;
  int x, baseline;
};

struct Case {
  const char* what;
  CAppSettings::CreateIndex settings;
  int edge;
  std::vector<IndexThumb> thumbs;
  int spacing, pitch, width, surfaceHeight, height;
  std::vector<Place> places;
};

const Case kCases[] = {
    {"edge 90 with autospace: 99 apart, 9 from the edge", Settings(6, 3, false, 0, 10, true), 90, Square(3, 90), 9, 99,
     603, 306, 108, {{0, 9, 99}, {1, 108, 99}, {2, 207, 99}}},
    {"20 selected in a 6 x 3 grid: the first 18", Settings(6, 3, false, 0, 10, true), 90, Square(20, 90), 9, 99, 603,
     306, 306,
     {{0, 9, 99},   {1, 108, 99},  {2, 207, 99},  {3, 306, 99},  {4, 405, 99},  {5, 504, 99},
      {6, 9, 198},  {7, 108, 198}, {8, 207, 198}, {9, 306, 198}, {10, 405, 198}, {11, 504, 198},
      {12, 9, 297}, {13, 108, 297}, {14, 207, 297}, {15, 306, 297}, {16, 405, 297}, {17, 504, 297}}},
    {"items without a thumbnail leave no gap", Settings(2, 3, false, 0, 4, false), 50,
     {kNone, Thumb(50, 40), kNone, kNone, Thumb(30, 50), Thumb(50, 20), kNone}, 4, 54, 112, 166, 82,
     {{1, 4, 54}, {4, 58, 54}, {5, 4, 78}}},
    {"the title band and three caption lines", Settings(2, 2, true, 3, 5, false), 60, Square(4, 60), 5, 65, 135, 245,
     245, {{0, 5, 85}, {1, 70, 85}, {2, 5, 195}, {3, 70, 195}}},
    {"a row is as tall as its tallest thumbnail, also after one not loaded", Settings(3, 1, false, 1, 0, false), 80,
     {Thumb(80, 30), kNone, Thumb(40, 80), Thumb(80, 60)}, 0, 80, 240, 95, 95, {{0, 0, 80}, {2, 80, 80}, {3, 160, 80}}},
    {"a short last row cuts the picture short", Settings(3, 3, false, 1, 10, false), 100,
     {Thumb(100, 100), Thumb(100, 100), Thumb(100, 100), Thumb(100, 50)}, 10, 110, 340, 385, 210,
     {{0, 10, 110}, {1, 120, 110}, {2, 230, 110}, {3, 10, 185}}},
    {"spacing above 100 is held at 100", Settings(1, 1, false, 0, 500, false), 40, Square(1, 40), 100, 140, 240, 240,
     240, {{0, 100, 140}}},
    {"negative spacing is none", Settings(1, 1, false, 0, -7, false), 40, Square(1, 40), 0, 40, 40, 40, 40,
     {{0, 0, 40}}},
    {"autospace is held at 100 too", Settings(1, 1, false, 0, 0, true), 1500, Square(1, 10), 100, 1600, 1700, 1700,
     210, {{0, 100, 110}}},
    {"no thumbnail loaded: the title and the margin", Settings(6, 3, true, 2, 10, false), 90, {kNone, kNone}, 10, 100,
     610, 420, 30, {}},
    {"a grid of no columns or rows is one cell", Settings(0, -3, false, 0, 10, false), 50, Square(3, 50), 10, 60, 70,
     70, 70, {{0, 10, 60}}},
};

TEST(IndexSheetLayout, Geometry) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const IndexSheetLayout layout = LayOutIndexSheet(c.settings, c.edge, c.thumbs);
    EXPECT_EQ(layout.spacing, c.spacing);
    EXPECT_EQ(layout.pitch, c.pitch);
    EXPECT_EQ(layout.width, c.width);
    EXPECT_EQ(layout.surfaceHeight, c.surfaceHeight);
    EXPECT_EQ(layout.height, c.height);
    EXPECT_LE(layout.height, layout.surfaceHeight);
    ASSERT_EQ(layout.places.size(), c.places.size());
    for (size_t i = 0; i < c.places.size(); ++i) {
      const IndexPlace& place = layout.places[i];
      EXPECT_EQ(place.item, c.places[i].item) << i;
      EXPECT_EQ(place.x, c.places[i].x) << i;
      EXPECT_EQ(place.baseline, c.places[i].baseline) << i;
      EXPECT_EQ(place.width, c.thumbs[place.item].width) << i;
      EXPECT_EQ(place.height, c.thumbs[place.item].height) << i;
    }
  }
}

TEST(IndexSheetLayout, TitleAndCaptionLines) {
  const IndexSheetLayout bare = LayOutIndexSheet(Settings(1, 1, false, 0, 0, false), 10, {});
  EXPECT_EQ(bare.titleBand, 0);
  EXPECT_EQ(bare.captionLines, 0);
  const IndexSheetLayout full = LayOutIndexSheet(Settings(1, 1, true, 3, 0, false), 10, {});
  EXPECT_EQ(full.titleBand, 20);
  EXPECT_EQ(full.captionLines, 3);
}

TEST(IndexImageMap, OneAreaAThumbnailLinkingItsFile) {
  const std::vector<IndexThumb> thumbs = {Thumb(90, 60), kNone, Thumb(45, 90)};
  const IndexSheetLayout layout = LayOutIndexSheet(Settings(6, 3, false, 0, 10, true), 90, thumbs);
  EXPECT_EQ(IndexImageMap(layout.places, {"beach.jpg", "not loaded.jpg", "my pic #1 & co.jpg"}),
            "<map name=\"IMAGEMAP_NAME\">\r\n"
            "    <area shape=\"rect\" coords=\"9,39,98,98\" href=\"beach.jpg\">\r\n"
            "    <area shape=\"rect\" coords=\"108,9,152,98\" href=\"my%20pic%20%231%20%26%20co.jpg\">\r\n"
            "    <area shape=\"default\" nohref>\r\n"
            "</map>\r\n"
            "<img border=\"0\" src=\"IMAGEMAP_IMAGENAME\" usemap=\"#IMAGEMAP_NAME\">\r\n");
}

TEST(IndexImageMap, TwentySelectedInASixByThreeGridMakeEighteenAreas) {
  const IndexSheetLayout layout = LayOutIndexSheet(Settings(6, 3, false, 0, 10, true), 90, Square(20, 90));
  std::vector<std::string> names;
  for (int i = 0; i < 20; ++i) names.push_back("p" + std::to_string(i) + ".jpg");
  const std::string map = IndexImageMap(layout.places, names);
  size_t areas = 0;
  for (size_t at = 0; (at = map.find("shape=\"rect\"", at)) != std::string::npos; ++at) ++areas;
  EXPECT_EQ(areas, 18u);
  EXPECT_NE(map.find("href=\"p17.jpg\""), std::string::npos);
  EXPECT_EQ(map.find("href=\"p18.jpg\""), std::string::npos);
}

}  // namespace
