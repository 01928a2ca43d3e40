// Batch printing's and contact sheets' arithmetic on the figures of real printers (the test
// printer's A4 page at 300 dpi, a letter page) and of ones that report nothing or are very large;
// the cells a job fills; and the print-setup files, byte for byte, whole, short and damaged.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "batch_print_layout.h"
#include "batch_print_picture.h"
#include "contact_sheet_layout.h"
#include "print_setup_file.h"

namespace {

// A4 at 300 dpi with 1/4 inch margins, as Wine's PostScript driver reports it.
BatchPrinterCaps A4() {
  BatchPrinterCaps caps;
  caps.physicalWidth = 2479;
  caps.physicalHeight = 3508;
  caps.offsetX = caps.offsetY = 75;
  caps.horzRes = 2329;
  caps.vertRes = 3358;
  caps.dpiX = caps.dpiY = 300;
  return caps;
}

CAppSettings::BatchPrint Grid(int rows, int cols, bool text) {
  CAppSettings::BatchPrint print{};
  print.rows = rows;
  print.cols = cols;
  print.bp_dotext = text;
  print.copies = 1;
  print.bp_font = "Arial";
  return print;
}

TEST(BatchPrintLayout, DefaultLayoutFillsThePrintableArea) {
  CAppSettings::BatchPrint p = Grid(4, 3, false);
  ComputeBatchLayout(p, A4());
  // 2329 / 3 pixels at 300 dpi = 258777 units; 3358 / 4 = 279833.
  EXPECT_EQ(p.coloffset, 25000);
  EXPECT_EQ(p.rowoffset, 25000);
  EXPECT_EQ(p.colwidth, 258777);
  EXPECT_EQ(p.colheight, 279833);
  EXPECT_EQ(p.pawidth, 248425);
  EXPECT_EQ(p.paheight, 268639);
  EXPECT_EQ(p.paoffsetx, 5175);
  EXPECT_EQ(p.paoffsety, 5596);
  EXPECT_EQ(p.tasizex + p.tasizey + p.taoffsetx + p.taoffsety, 0);
  // The first cell's image area on the page's device context starts right of the margin.
  const DeviceRect first = BatchCellArea(p, A4(), 0, 0, false);
  EXPECT_EQ(first.left, 15);
  EXPECT_EQ(first.top, 16);
  EXPECT_EQ(first.Width(), 745);
  const DeviceRect last = BatchCellArea(p, A4(), 2, 3, false);
  EXPECT_LE(last.right, 2329);
  EXPECT_LE(last.bottom, 3358);
}

TEST(BatchPrintLayout, TextGoesBelowOrBesideThePicture) {
  BatchPrinterCaps caps = A4();
  caps.offsetX = caps.offsetY = 0;
  const struct {
    int horzRes, vertRes;  // the whole grid, one cell: 3 × 2 and 6 × 2 inches
    bool right;
  } cases[] = {{900, 600, false}, {1800, 600, true}, {1199, 600, false}, {1200, 600, true}};
  for (const auto& c : cases) {
    caps.horzRes = c.horzRes;
    caps.vertRes = c.vertRes;
    CAppSettings::BatchPrint p = Grid(1, 1, true);
    ComputeBatchLayout(p, caps);
    if (c.right) {
      EXPECT_EQ(p.taoffsety, p.paoffsety) << c.horzRes;
      EXPECT_GT(p.taoffsetx, p.paoffsetx + p.pawidth) << c.horzRes;
      EXPECT_EQ(p.tasizey, p.paheight) << c.horzRes;
    } else {
      EXPECT_EQ(p.taoffsetx, p.paoffsetx) << c.horzRes;
      EXPECT_GT(p.taoffsety, p.paoffsety + p.paheight) << c.horzRes;
      EXPECT_EQ(p.tasizex, p.pawidth) << c.horzRes;
    }
  }
}

TEST(BatchPrintLayout, LargePrintersAndPrintersWithoutResolution) {
  BatchPrinterCaps huge;
  huge.horzRes = huge.vertRes = 100000;  // a 2400 dpi plotter, 40 inches wide
  huge.dpiX = huge.dpiY = 2400;
  CAppSettings::BatchPrint p = Grid(1, 1, false);
  ComputeBatchLayout(p, huge);
  EXPECT_EQ(p.colwidth, 4166666);  // 32-bit products would have overflowed
  EXPECT_EQ(BatchCellArea(p, huge, 0, 0, false).right, 97999);
  CAppSettings::BatchPrint unchanged = Grid(3, 2, false);
  unchanged.colwidth = 12345;
  ComputeBatchLayout(unchanged, BatchPrinterCaps{});
  EXPECT_EQ(unchanged.colwidth, 12345);
  CAppSettings::BatchPrint outside = Grid(0, 99, false);
  ComputeBatchLayout(outside, A4());
  EXPECT_EQ(outside.rows, 1);
  EXPECT_EQ(outside.cols, 20);
}

TEST(BatchPrintLayout, FittingKeepsTheImageAreaInTheCellAndTheTextWithIt) {
  CAppSettings::BatchPrint p = Grid(1, 1, true);
  p.colwidth = 300000;
  p.colheight = 200000;
  p.pawidth = 400000;  // wider than the cell
  p.paheight = 100000;
  p.paoffsetx = 6000;
  p.paoffsety = 4000;
  p.center = 1;
  FitBatchImageArea(p);
  EXPECT_EQ(p.pawidth, 300000);
  EXPECT_EQ(p.paoffsetx, 0);
  EXPECT_EQ(p.taoffsetx, 6000);
  EXPECT_EQ(p.taoffsety, 4000 + 4000 + 100000);
  EXPECT_EQ(p.tasizey, 192000 - 100000);
  CAppSettings::BatchPrint plain = Grid(1, 1, false);
  plain.colwidth = 100;
  plain.colheight = 100;
  plain.pawidth = plain.paheight = 50;
  plain.center = 1;
  FitBatchImageArea(plain);
  EXPECT_EQ(plain.paoffsetx, 25);
  EXPECT_EQ(plain.paoffsety, 25);
}

TEST(BatchPrintLayout, CountsOfImagesAndPages) {
  EXPECT_EQ(BatchImagesToPrint(1, 5), 5);
  EXPECT_EQ(BatchPagesToPrint(2, 5, 3, 2), 2);
  EXPECT_EQ(BatchImagesToPrint(3, 4), 12);
  EXPECT_EQ(BatchPagesToPrint(0, 12, 4, 3), 1);
  EXPECT_EQ(BatchPagesToPrint(0, 13, 4, 3), 2);
  EXPECT_EQ(BatchPagesToPrint(0, 0, 4, 3), 0);
  EXPECT_EQ(BatchPagesToPrint(0, 5, 0, 0), 5);  // a grid of no cells counts as one cell
}

// The sheet announces the pages the job prints: cells skipped past the first page are not
// counted, as the job leaves at most the first page's cells but one empty.
TEST(BatchPrintLayout, TheSheetCountsThePagesTheJobPrints) {
  const struct {
    int skip, files, copies, rows, cols, pages;
  } cases[] = {
      {8, 5, 1, 2, 3, 2}, {5, 5, 1, 2, 3, 2}, {6, 1, 1, 2, 3, 1}, {2, 5, 1, 3, 2, 2},
      {1000000000, 7, 2, 4, 3, 3}, {-4, 6, 1, 2, 3, 1}, {3, 4, 3, 1, 1, 12},
  };
  for (const auto& c : cases) {
    const std::string what = "skip " + std::to_string(c.skip) + ", " + std::to_string(c.files) + " files";
    EXPECT_EQ(BatchPagesToPrint(c.skip, BatchImagesToPrint(c.copies, c.files), c.rows, c.cols), c.pages) << what;
    EXPECT_EQ(PlanBatchCells(c.files, c.copies, c.skip, c.rows, c.cols).back().page, c.pages) << what;
  }
}

std::string Plan(const std::vector<BatchCell>& cells) {
  std::ostringstream out;
  for (const BatchCell& c : cells) out << c.page << ":" << c.column << c.row << "=" << c.file << "." << c.copy << " ";
  return out.str();
}

TEST(BatchPrintLayout, CellsOfAJob) {
  const struct {
    int files, copies, skip, rows, cols;
    const char* plan;
  } cases[] = {
      {5, 1, 2, 3, 2, "1:00=-1.0 1:10=-1.0 1:01=0.0 1:11=1.0 1:02=2.0 1:12=3.0 2:00=4.0 "},
      {2, 0, 0, 1, 2, "1:00=0.0 1:10=1.0 "},                       // copies 0 prints one
      {2, 2, 0, 1, 3, "1:00=0.0 1:10=0.1 1:20=1.0 2:00=1.1 "},     // copies run across pages
      {1, 1, 9, 1, 2, "1:00=-1.0 1:10=0.0 "},                      // skip clamped to the page
      {1, 1, -3, 1, 1, "1:00=0.0 "},
      {3, 1, 0, 0, 2, ""},                                         // no cells: nothing placed
      {0, 1, 0, 2, 2, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Plan(PlanBatchCells(c.files, c.copies, c.skip, c.rows, c.cols)), c.plan);
}

TEST(BatchPrintLayout, PicturesFitTheirArea) {
  const struct {
    int pw, ph, aw, ah;
    bool overfill;
    PictureFit fit;
  } cases[] = {
      // Reduced to 4/3 of the area's width by its height, then its centre square over the area.
      {4000, 3000, 300, 300, true, {400, 300, 50, 0, 350, 300, 0, 0, 300, 300}},
      // Smaller than the area: its centre band cropped, no resampling, stretched over the area.
      {100, 50, 300, 300, true, {0, 0, 25, 0, 75, 50, 0, 0, 300, 300}},
      // Underfill: a small picture enlarged to the area's width, centred down.
      {100, 50, 300, 300, false, {0, 0, 0, 0, 0, 0, 0, 75, 300, 150}},
      // Underfill: a large tall one resampled to the area's height, centred across.
      {1000, 2000, 300, 300, false, {150, 300, 0, 0, 0, 0, 75, 0, 150, 300}},
      {0, 0, 300, 300, false, {}},  // a picture that did not load
      {100, 100, 0, 300, true, {}},  // an area of no size is skipped
  };
  for (const auto& c : cases) {
    const PictureFit f = FitPictureToArea(c.pw, c.ph, c.aw, c.ah, c.overfill);
    const int got[] = {f.resampleWidth, f.resampleHeight, f.cropLeft, f.cropTop, f.cropRight, f.cropBottom,
                       f.offsetX, f.offsetY, f.width, f.height};
    const int want[] = {c.fit.resampleWidth, c.fit.resampleHeight, c.fit.cropLeft, c.fit.cropTop, c.fit.cropRight,
                        c.fit.cropBottom, c.fit.offsetX, c.fit.offsetY, c.fit.width, c.fit.height};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(got[i], want[i]) << c.pw << "x" << c.ph << " field " << i;
  }
  EXPECT_TRUE(TurnToFitArea(100, 200, 300, 200));   // landscape picture, portrait area
  EXPECT_TRUE(TurnToFitArea(200, 100, 200, 300));
  EXPECT_FALSE(TurnToFitArea(100, 200, 200, 300));
  EXPECT_FALSE(TurnToFitArea(100, 100, 300, 200));  // a square area takes either
}

// Pictures made ready for their cells by the real decoder and resampler: the printed picture has
// the shape it is printed in (a resampling a pixel short of its plan once left the cut reaching
// past the picture, and the whole picture was squeezed into the area), and the size caption shows
// the file's picture size, turned with it, whatever the cell cut or resampled.
TEST(BatchPrintLayout, CellPicturesKeepTheirShapeAndFileSize) {
  const struct {
    int pw, ph, aw, ah;
    bool upright, overfill;
    int captionWidth, captionHeight;
  } cases[] = {
      {1000, 750, 559, 645, false, true, 750, 1000},   // a camera's shape in the benchmark's cell
      {1000, 750, 559, 645, true, true, 1000, 750},    // kept upright, cut to the tall cell
      {1000, 750, 559, 645, false, false, 750, 1000},  // underfilled, turned
      {4000, 3000, 600, 600, false, true, 4000, 3000}, // the centre square of a 4:3 picture
      {1500, 1001, 559, 645, false, true, 1001, 1500},
      {100, 80, 559, 645, false, false, 80, 100},      // enlarged to the cell, turned
  };
  const std::string path = (std::filesystem::temp_directory_path() / "vireldan-cell-picture.jpg").string();
  for (const auto& c : cases) {
    Cimage file;
    file.Blank(c.pw, c.ph, 0x4080C0);
    file.SaveImage(path.c_str());
    ASSERT_FALSE(file.m_saveError);
    CellPicture cell;
    PrepareCellPicture(cell, path, c.aw, c.ah, c.upright, c.overfill);
    const Cimage& p = cell.picture;
    const std::string what = std::to_string(c.pw) + "x" + std::to_string(c.ph) + (c.overfill ? " overfilled" : "");
    ASSERT_TRUE(cell.fit.Prints()) << what;
    EXPECT_EQ(cell.captionWidth, c.captionWidth) << what;
    EXPECT_EQ(cell.captionHeight, c.captionHeight) << what;
    // Printed undistorted: the picture's shape is the printed rectangle's within a pixel.
    const int64_t across = int64_t(p.m_width) * cell.fit.height, down = int64_t(p.m_height) * cell.fit.width;
    EXPECT_LE(std::abs(across - down), std::max(cell.fit.width, cell.fit.height)) << what;
    if (c.overfill) {
      EXPECT_EQ(cell.fit.width, c.aw) << what;
      EXPECT_EQ(cell.fit.height, c.ah) << what;
    } else {  // touches the area's sides one way, centred the other
      EXPECT_TRUE(cell.fit.width == c.aw || cell.fit.height == c.ah) << what;
      EXPECT_EQ(cell.fit.offsetX, (c.aw - cell.fit.width) / 2) << what;
      EXPECT_EQ(cell.fit.offsetY, (c.ah - cell.fit.height) / 2) << what;
    }
    // Never more than a pixel beyond the area's device size either way.
    EXPECT_LE(std::max(p.m_width, p.m_height), std::max(c.aw, c.ah) + 1) << what;
  }
  std::filesystem::remove(path);
}

TEST(BatchPrintLayout, TextsStepsAndLines) {
  EXPECT_EQ(LayoutLengthText(250000, true), "2.50(in)");
  EXPECT_EQ(LayoutLengthText(3937, false), " 1.0(mm)");
  EXPECT_EQ(BatchSizeCaption(2047, 640, 480), "1 K, 640 x 480");
  EXPECT_EQ(BatchSizeCaption(5000000000LL, 1, 2), "4882812 K, 1 x 2");
  EXPECT_EQ(SpinnerStep(10000, true, false), 50000);
  EXPECT_EQ(SpinnerStep(10000, false, true), 1000);
  EXPECT_EQ(SpinnerStep(3937, false, false), 3937);
  EXPECT_EQ(SpinValue(20, -1, 1, false, 1, 20), 20);  // up at 20 keeps 20
  EXPECT_EQ(SpinValue(1, 1, 1, false, 1, 20), 1);
  EXPECT_EQ(SpinValue(100, -1, 50, true, 0, 1000), 50);  // up moves a vertical offset up
  EXPECT_EQ(SpinValue(100, 1, 50, false, 0, 120), 50);
  const std::vector<std::string> lines = {"one", "two", "three"};
  EXPECT_EQ(TextLines("one\r\ntwo\n\n\rthree\r\n"), lines);
  EXPECT_TRUE(TextLines("").empty());
  std::string name = "a-long-file-name.jpg";
  FitTextToWidth(name, [](const std::string& t) { return t.size() <= 6; });
  EXPECT_EQ(name, "a-long");
  EXPECT_EQ(DottedLineDashes(0, 50, 10), (std::vector<std::pair<int, int>>{{0, 10}, {20, 30}, {40, 50}}));
  EXPECT_EQ(DottedLineDashes(5, 9, 0), (std::vector<std::pair<int, int>>{{5, 9}}));
  // The caption font's em is the point size on the printer's own resolution.
  const struct {
    int points, dpi, height;
  } fonts[] = {{12, 300, -50}, {12, 600, -100}, {12, 720, -120}, {10, 300, -42}, {7, 96, -9}, {500, 2400, -16667}};
  for (const auto& f : fonts) EXPECT_EQ(BatchFontHeight(f.points, f.dpi), f.height) << f.points << " at " << f.dpi;
}

// Print-setup files.

std::vector<uint8_t> Hex(const char* text) {
  std::vector<uint8_t> bytes;
  unsigned value = 0;
  int n = 0;
  while (std::sscanf(text, " %2x%n", &value, &n) == 1) {
    bytes.push_back(uint8_t(value));
    text += n;
  }
  return bytes;
}

CAppSettings::BatchPrint Saved() {
  CAppSettings::BatchPrint p = Grid(4, 3, true);
  p.english = 1, p.upright = 0, p.overfill = 1, p.framed = 1, p.dotted = 0, p.center = 1, p.copies = 2;
  p.coloffset = 25000, p.rowoffset = 0x00030201, p.colwidth = 258777, p.colheight = 279833;
  p.paoffsetx = 5175, p.paoffsety = 5596, p.pawidth = 248425, p.paheight = 209874;
  p.taoffsetx = 5175, p.taoffsety = 218269, p.tasizex = 248425, p.tasizey = 55966, p.bp_points = 12;
  p.bp_txtcolor = 0xFF, p.bp_names = 1, p.bp_string = "Copyright";
  return p;
}

TEST(PrintSetupFile, GoldenBytes) {
  const std::vector<uint8_t> bytes = EncodePrintSetup(Saved());
  ASSERT_EQ(bytes.size(), 296u);
  const std::vector<uint8_t> head = Hex(
      "4F 43 19 12  01 00 00 00  00 00 00 00  01 00 00 00  01 00 00 00  00 00 00 00  01 00 00 00"
      "02 00 00 00  04 00 00 00  03 00 00 00  A8 61 00 00  01 02 03 00  D9 F2 03 00  19 45 04 00"
      "37 14 00 00  DC 15 00 00  69 CA 03 00  D2 33 03 00  01 00 00 00  37 14 00 00  9D 54 03 00"
      "69 CA 03 00  9E DA 00 00  0C 00 00 00  41 72 69 61  6C 00");
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + head.size()), head);
  EXPECT_EQ(std::count(bytes.begin() + head.size(), bytes.end(), 0), long(bytes.size() - head.size()));
}

TEST(PrintSetupFile, RoundTripKeepsWhatIsNotStored) {
  const CAppSettings::BatchPrint saved = Saved();
  CAppSettings::BatchPrint loaded = Grid(1, 1, false);
  loaded.bp_txtcolor = 0x123456, loaded.bp_names = 0, loaded.bp_string = "kept";
  std::string message;
  const std::string path = ::testing::TempDir() + "vireldan-setup.psu";
  ASSERT_TRUE(SavePrintSetupFile(path, saved));
  ASSERT_TRUE(LoadPrintSetupFile(path, loaded, message)) << message;
  EXPECT_EQ(EncodePrintSetup(loaded), EncodePrintSetup(saved));
  EXPECT_EQ(loaded.bp_font, "Arial");
  EXPECT_EQ(loaded.bp_txtcolor, 0x123456);
  EXPECT_EQ(loaded.bp_names, 0);
  EXPECT_EQ(loaded.bp_string, "kept");
  std::remove(path.c_str());
  EXPECT_FALSE(LoadPrintSetupFile(path, loaded, message));
  EXPECT_EQ(message, "");  // a file that cannot be opened is passed over in silence
}

TEST(PrintSetupFile, VersionOneTurnsTextAreasOff) {
  std::vector<uint8_t> bytes = Hex("79 42 18 12");
  const int values[17] = {0, 1, 0, 0, 1, 0, 3, 5, 4, 100, 200, 300, 400, 10, 20, 30, 40};
  for (int v : values)
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
  CAppSettings::BatchPrint p = Saved();
  std::string message;
  ASSERT_TRUE(DecodePrintSetup(bytes, p, message));
  EXPECT_EQ(p.english, 0);
  EXPECT_EQ(p.dotted, 1);
  EXPECT_EQ(p.copies, 3);
  EXPECT_EQ(p.rows, 5);
  EXPECT_EQ(p.paheight, 40);
  EXPECT_EQ(p.bp_dotext, 0);
  EXPECT_EQ(p.tasizex + p.tasizey + p.taoffsetx + p.taoffsety, 0);
  EXPECT_EQ(p.bp_font, "Times New Roman");
  EXPECT_EQ(p.bp_points, 10);
}

TEST(PrintSetupFile, UntrustedFiles) {
  const std::vector<uint8_t> good = EncodePrintSetup(Saved());
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  std::vector<uint8_t> noEnd = good;
  std::fill(noEnd.begin() + 96, noEnd.end(), 'A');
  std::vector<uint8_t> otherMagic = good;
  otherMagic[0] = 0x50;
  const char kDamaged[] = "Error loading print setup file.\nThe file is damaged.";
  const struct {
    std::vector<uint8_t> bytes;
    const char* message;
  } refused[] = {
      {{}, kDamaged},
      {std::vector<uint8_t>(good.begin(), good.begin() + 3), kDamaged},
      {std::vector<uint8_t>(good.begin(), good.begin() + 100), kDamaged},
      {std::vector<uint8_t>(good.begin(), good.begin() + 72), kDamaged},
      {longer, kDamaged},
      {noEnd, kDamaged},
      {otherMagic, "Error loading print setup file.\nWrong format."},
  };
  for (const auto& c : refused) {
    CAppSettings::BatchPrint p = Grid(2, 2, false);
    p.bp_font = "Before";
    const std::vector<uint8_t> before = EncodePrintSetup(p);
    std::string message;
    EXPECT_FALSE(DecodePrintSetup(c.bytes, p, message)) << c.bytes.size();
    EXPECT_EQ(message, c.message) << c.bytes.size();
    EXPECT_EQ(EncodePrintSetup(p), before) << "the setup is unchanged";
  }
}

TEST(PrintSetupFile, ValuesAreClamped) {
  CAppSettings::BatchPrint wild = Saved();
  wild.rows = 0, wild.cols = 500, wild.copies = -4, wild.colwidth = -1, wild.pawidth = 2000000000;
  wild.framed = 7, wild.dotted = 1, wild.bp_points = 0;
  CAppSettings::BatchPrint p = Grid(1, 1, false);
  std::string message;
  ASSERT_TRUE(DecodePrintSetup(EncodePrintSetup(wild), p, message));
  EXPECT_EQ(p.rows, 1);
  EXPECT_EQ(p.cols, 20);
  EXPECT_EQ(p.copies, 1);
  EXPECT_EQ(p.colwidth, 0);
  EXPECT_EQ(p.pawidth, 10000000);
  EXPECT_EQ(p.framed, 1);
  EXPECT_EQ(p.dotted, 0);
  EXPECT_EQ(p.bp_points, 1);
  CAppSettings::BatchPrint longFace = Saved();
  longFace.bp_font = std::string(300, 'F');
  ASSERT_TRUE(DecodePrintSetup(EncodePrintSetup(longFace), p, message));
  EXPECT_EQ(p.bp_font, std::string(199, 'F'));
}

// Contact sheets.

ContactSheetPrinter A4Sheet() {
  ContactSheetPrinter p;
  p.physicalWidth = 2479, p.physicalHeight = 3508, p.offsetX = p.offsetY = 75, p.horzRes = 2329, p.vertRes = 3358;
  p.aspectX = p.aspectY = 100;
  return p;
}

TEST(ContactSheet, Layout) {
  ContactSheetChoices choices;
  choices.perRow = 5, choices.captionLines = 3, choices.count = 21;
  const ContactSheetLayout l = ComputeContactSheet(A4Sheet(), choices);
  EXPECT_EQ(l.side, 75);
  EXPECT_EQ(l.cellWidth, 465);
  EXPECT_EQ(l.thumbSize, 418);
  EXPECT_EQ(l.spacing, 41);
  EXPECT_EQ(l.cellHeight, 465 + 3 * 41);
  EXPECT_EQ(l.topBand, 67);
  EXPECT_EQ(l.extraTop, 0);
  EXPECT_EQ(l.rows, 5);
  EXPECT_EQ(l.originX, 0);
  EXPECT_EQ(l.pages, 1);
  choices.leftMargin = true;
  const ContactSheetLayout m = ComputeContactSheet(A4Sheet(), choices);
  EXPECT_EQ(m.margin, 145);
  EXPECT_EQ(m.originX, 145);
  EXPECT_LT(m.cellWidth, l.cellWidth);
  // A cell taller than the page still prints one row a page, never none.
  ContactSheetPrinter tiny = A4Sheet();
  tiny.vertRes = 100;
  EXPECT_EQ(ComputeContactSheet(tiny, choices).rows, 1);
  ContactSheetLayout none = ComputeContactSheet(ContactSheetPrinter{}, choices);
  EXPECT_EQ(none.rows, 1);
  EXPECT_EQ(none.pages, 5);
}

TEST(ContactSheet, PagesChoicesAndPlacement) {
  ContactSheetChoices choices;
  choices.perRow = 5, choices.count = 21;
  ContactSheetPrinter tall = A4Sheet();
  tall.aspectX = 100, tall.aspectY = 100;
  ContactSheetLayout l = ComputeContactSheet(tall, choices);
  l.rows = 4;
  EXPECT_EQ((21 + l.PerPage(5) - 1) / l.PerPage(5), 2);
  EXPECT_EQ(FewerPerRow(2), 2);
  EXPECT_EQ(MorePerRow(20), 20);
  EXPECT_EQ(FewerPerRow(6), 5);
  EXPECT_EQ(DraftQualityLimit(2), 6);
  EXPECT_EQ(DraftQualityLimit(0), 5);
  EXPECT_EQ(DraftQualityLimit(4), 9);
  EXPECT_EQ(DraftQualityLimit(7), 4);
  const ThumbPlacement wide = PlaceDraftThumb(160, 120, 400, 100, 100);
  EXPECT_EQ(wide.width, 400);
  EXPECT_EQ(wide.height, 300);
  EXPECT_EQ(wide.y, 100);  // bottom-aligned
  const ThumbPlacement tallThumb = PlaceDraftThumb(90, 120, 400, 100, 100);
  EXPECT_EQ(tallThumb.width, 300);
  EXPECT_EQ(tallThumb.height, 400);
  const ThumbPlacement loaded = PlaceLoadedThumb(400, 200, 400, 100, 50);  // pixels twice as tall as wide
  EXPECT_EQ(loaded.height, 400);
  EXPECT_EQ(loaded.y, 400);
  EXPECT_EQ(ThumbSquareHeight(400, 100, 50), 800);
  const ContactMiniature mini = ContactSheetMiniature(200, 283, tall, choices, 4);
  EXPECT_EQ(mini.cellWidth, 200 * 2329 / 5 / 2479);
  EXPECT_EQ(mini.left, (200 - 5 * mini.cellWidth) / 2);
}

}  // namespace
