// Printing through Wine's PostScript driver on the printer that add_printer sets up. The first
// suite prints a page; print_page.sh renders it with Ghostscript at the printer's resolution;
// the second suite checks the rendering: every picture exactly where and as large as asked for,
// upright, and nothing anywhere else.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "device_context.h"
#include "display_test_support.h"
#include "printed_page.h"

namespace {

const char kPrinter[] = "Vireldan Test Printer";
const char kPostScript[] = "printed-page.ps";
const char kRendering[] = "printed-page.ppm";
constexpr int kResolution = 300;

struct Placement {
  int x, y, width, height;  // on the printable area, in printer pixels
  BgrImage image;
};

// No white in them, so that the page's white shows where nothing was printed; every block of a
// picture gets a whole number of printer pixels each way.
BgrImage Blocks(int width, int height, int seed) {
  return MakeBgrImage(width, height, [=](int x, int y) {
    return Rgb{uint8_t(40 * x + 7 * seed), uint8_t(60 * y + 13 * seed), uint8_t(250 - 30 * x - 20 * y)};
  });
}

const std::vector<Placement>& Placements() {
  static const std::vector<Placement> placements = {
      {300, 300, 400, 300, Blocks(4, 3, 1)},   // square blocks
      {1000, 250, 700, 250, Blocks(7, 5, 2)},  // wider than high
      {300, 1100, 150, 200, Blocks(3, 2, 3)},  // higher than wide
      {1234, 2345, 37, 53, Blocks(1, 1, 4)},   // one pixel, odd sizes
  };
  return placements;
}

std::string InWorkingFolder(const char* name) {
  char folder[MAX_PATH];
  const DWORD length = ::GetCurrentDirectoryA(sizeof folder, folder);
  return std::string(folder, length) + "\\" + name;
}

using PrinterDC = std::unique_ptr<HDC__, decltype(&::DeleteDC)>;

PrinterDC OpenPrinter() { return PrinterDC(::CreateDCA("WINSPOOL", kPrinter, nullptr, nullptr), &::DeleteDC); }

// The page goes into a file named in the document, never to a "FILE:" port, where Wine would
// ask for a file name in a dialog nobody answers.
TEST(Printing, PrintsEachPictureAndLeavesItAsItWas) {
  const PrinterDC printer = OpenPrinter();
  ASSERT_NE(printer.get(), nullptr) << "no printer \"" << kPrinter << "\": add_printer sets it up";
  ASSERT_EQ(::GetDeviceCaps(printer.get(), LOGPIXELSX), kResolution);
  ASSERT_EQ(::GetDeviceCaps(printer.get(), LOGPIXELSY), kResolution);
  const std::string output = InWorkingFolder(kPostScript);
  std::remove(output.c_str());
  DOCINFOA doc = {sizeof doc, "print test", output.c_str(), nullptr, 0};
  ASSERT_GT(::StartDocA(printer.get(), &doc), 0);
  ASSERT_GT(::StartPage(printer.get()), 0);
  CDC cdc(printer.get());
  TestWindow window(8, 8);
  ClientDC screen(window.Handle());
  for (const Placement& p : Placements()) {
    Cimage picture;
    MakePicture(picture, p.image);
    picture.DisplayImage(screen.get(), 0, 0);  // gives the picture its header
    const std::vector<uint8_t> pixels = PixelBytes(picture);
    const BITMAPINFOHEADER header = picture.m_bmi->bmiHeader;
    picture.PrintImage(&cdc, p.x, p.y, p.width, p.height);
    EXPECT_EQ(PixelBytes(picture), pixels);
    EXPECT_EQ(std::memcmp(&header, &picture.m_bmi->bmiHeader, sizeof header), 0);
    window.Fill({0, 0, 0});
    picture.DisplayImage(screen.get(), 0, 0);
    EXPECT_TRUE(ShowsPictureAt(window.Read(), p.image, 0, 0, {0, 0, 0})) << "upright after printing";
  }
  Cimage failed;
  MakePicture(failed, Blocks(2, 2, 5));
  failed.m_loadError = 1;
  failed.PrintImage(&cdc, 100, 2000, 500, 500);  // prints nothing
  ASSERT_GT(::EndPage(printer.get()), 0);
  ASSERT_GT(::EndDoc(printer.get()), 0);
  FILE* file = std::fopen(output.c_str(), "rb");
  ASSERT_NE(file, nullptr) << "no PostScript in " << output;
  std::fclose(file);
}

TEST(PrintedPage, ShowsEachPictureExactlyWhereAndAsLargeAsAsked) {
  Page page;
  ASSERT_TRUE(ReadPpm(kRendering, page)) << "no rendering of the printed page: print_page.sh makes it";
  const PrinterDC printer = OpenPrinter();
  ASSERT_NE(printer.get(), nullptr);
  EXPECT_EQ(page.width, ::GetDeviceCaps(printer.get(), PHYSICALWIDTH));
  EXPECT_EQ(page.height, ::GetDeviceCaps(printer.get(), PHYSICALHEIGHT));
  const int left = ::GetDeviceCaps(printer.get(), PHYSICALOFFSETX), top = ::GetDeviceCaps(printer.get(), PHYSICALOFFSETY);
  int wrong = 0;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x) {
      Rgb expected = {255, 255, 255};
      for (const Placement& p : Placements()) {
        const int px = x - left - p.x, py = y - top - p.y;
        if (px >= 0 && px < p.width && py >= 0 && py < p.height)
          expected = p.image.At(px * p.image.width / p.width, py * p.image.height / p.height);
      }
      const Rgb got = page.At(x, y);
      if (!(got == expected) && ++wrong <= 10)
        ADD_FAILURE() << "page pixel " << x << "," << y << " is " << int(got.red) << "," << int(got.green) << ","
                      << int(got.blue) << ", not " << int(expected.red) << "," << int(expected.green) << ","
                      << int(expected.blue);
    }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
