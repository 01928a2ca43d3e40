// Printing one picture through the page layout dialog on the test printer: Wine's PostScript
// driver writing into a file port. The Dialog and Printing suites print (with a user driving the
// dialog from a second thread); print_layout.sh renders each printed page with Ghostscript at the
// printer's resolution; the PrintedPage suite checks the renderings: the picture exactly as large
// and where the layout puts it, and nothing anywhere else.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app.h"
#include "display_test_support.h"
#include "page_layout_dlg.h"
#include "printed_page.h"
#include "printer_defaults.h"
#include "resource.h"
#include "single_print.h"
#include "ui_driver.h"

namespace {

const char kPrinterName[] = "Vireldan Test Printer";
const char kPort[] = "C:\\vireldan-test-printer.ps";

BgrImage Blocks(int width, int height) {
  return MakeBgrImage(width, height, [](int x, int y) {
    return Rgb{uint8_t(30 + 50 * x), uint8_t(200 - 60 * y), uint8_t(90 + 20 * x + 30 * y)};
  });
}

std::string ItemText(HWND dialog, int id) {
  char text[512] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

bool FileExists(const char* path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// The printer's figures, as the layout reads them.
struct Figures {
  int physicalWidth, physicalHeight, offsetX, offsetY, horzRes, vertRes;
  // The printable area made symmetric, in physical page pixels.
  int left() const { return std::max(offsetX, physicalWidth - horzRes - offsetX); }
  int top() const { return std::max(offsetY, physicalHeight - vertRes - offsetY); }
  int width() const { return physicalWidth - 2 * left(); }
  int height() const { return physicalHeight - 2 * top(); }
};

Figures ReadFigures() {
  HDC dc = ::CreateDCA("WINSPOOL", kPrinterName, nullptr, nullptr);
  Figures f = {};
  if (!dc) return f;
  f = {::GetDeviceCaps(dc, PHYSICALWIDTH), ::GetDeviceCaps(dc, PHYSICALHEIGHT), ::GetDeviceCaps(dc, PHYSICALOFFSETX),
       ::GetDeviceCaps(dc, PHYSICALOFFSETY), ::GetDeviceCaps(dc, HORZRES),       ::GetDeviceCaps(dc, VERTRES)};
  ::DeleteDC(dc);
  return f;
}

// Opens the layout for the picture, lets steps act as the user in the dialog, and returns what the
// print left: true when a page reached the printer's port, then kept as page.
bool PrintWithUser(const Cimage& picture, PrinterAccess& printer, const std::function<void(HWND)>& steps,
                   const char* page = nullptr) {
  ::DeleteFileA(kPort);
  {
    UiDriver user([&] {
      HWND dialog = WaitForWindow("Page Layout");
      ASSERT_TRUE(dialog);
      steps(dialog);
    });
    PrintPicture(nullptr, printer, picture);
  }
  if (!FileExists(kPort)) return false;
  return !page || ::CopyFileA(kPort, page, FALSE);
}

PrinterDefaults& TestPrinter() {
  static PrinterDefaults printer;
  static const bool loaded = printer.Load();
  EXPECT_TRUE(loaded) << "no printer: add_printer sets it up";
  return printer;
}

// A click the dialog has handled when this returns.
void Click(HWND dialog, int id, int times = 1) {
  for (int i = 0; i < times; ++i)
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

TEST(Dialog, ShowsThePrinterTheSizesAndTheirSteps) {
  Cimage picture;
  MakePicture(picture, Blocks(8, 2));
  struct Step {
    int button, times;
    const char *scale, *widthInches, *widthMm;
  };
  // The test printer's A4 page at 300 dpi: 2329 pixels wide printable.
  const Step steps[] = {
      {0, 0, "90.0 %", "6.99", "177.5"},
      {IDC_LAYOUT_TEN_BIGGER, 1, "100.0 %", "7.76", "197.2"},
      {IDC_LAYOUT_TEN_BIGGER, 1, "100.0 %", "7.76", "197.2"},  // not above 1000
      {IDC_LAYOUT_ONE_SMALLER, 1, "99.0 %", "7.68", "195.2"},
      {IDC_LAYOUT_TEN_SMALLER, 10, " 0.0 %", "0.00", " 0.0"},  // not below 0
      {IDC_LAYOUT_ONE_BIGGER, 2, " 2.0 %", "0.15", " 3.9"},
      {IDC_LAYOUT_MAXIMIZE, 1, "100.0 %", "7.76", "197.2"},
  };
  std::vector<std::string> texts, captions;
  std::string printer;
  const bool printed = PrintWithUser(picture, TestPrinter(), [&](HWND dialog) {
    for (const Step& step : steps) {
      Click(dialog, step.button, step.times);
      texts.push_back(ItemText(dialog, IDC_LAYOUT_SCALE) + "|" + ItemText(dialog, IDC_LAYOUT_WIDTH_INCHES) + "|" +
                      ItemText(dialog, IDC_LAYOUT_WIDTH_MM));
    }
    printer = ItemText(dialog, IDC_LAYOUT_PRINTER);
    char caption[64] = {};
    ::GetWindowTextA(dialog, caption, sizeof caption);
    captions.push_back(caption);
    for (const int id : {IDOK, IDCANCEL, IDC_LAYOUT_MAXIMIZE, IDC_LAYOUT_CENTER, IDC_LAYOUT_SETUP,
                         IDC_LAYOUT_NO_MARGIN, IDC_LAYOUT_TEN_BIGGER, IDC_LAYOUT_ONE_BIGGER, IDC_LAYOUT_ONE_SMALLER,
                         IDC_LAYOUT_TEN_SMALLER})
      captions.push_back(ItemText(dialog, id));
    PressButton(dialog, IDCANCEL);
  });
  EXPECT_FALSE(printed) << "Cancel prints nothing";
  ASSERT_EQ(texts.size(), std::size(steps));
  for (size_t i = 0; i < texts.size(); ++i)
    EXPECT_EQ(texts[i], std::string(steps[i].scale) + "|" + steps[i].widthInches + "|" + steps[i].widthMm) << i;
  EXPECT_EQ(printer, kPrinterName);
  const std::vector<std::string> expected = {"Page Layout", "Print",      "Cancel",    "Maximize",   "Center",
                                             "Setup",       "No Margin",  "10% Bigger", "1% Bigger", "1% Smaller",
                                             "10% Smaller"};
  EXPECT_EQ(captions, expected);
}

TEST(Dialog, WithoutAPrinterItSaysSoAndPrintsNothing) {
  Cimage picture;
  MakePicture(picture, Blocks(2, 2));
  PrinterDefaults none;  // never loaded: no printer chosen
  std::string message;
  bool printEnabled = true, setupEnabled = false;
  ::DeleteFileA(kPort);
  {
    UiDriver user([&] {
      message = AnswerMessageBox();
      HWND dialog = WaitForWindow("Page Layout");
      ASSERT_TRUE(dialog);
      printEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDOK));
      setupEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_LAYOUT_SETUP));
      PressButton(dialog, IDOK);  // disabled: a click through WM_COMMAND must still print nothing
      message += "|" + AnswerMessageBox();
    });
    PrintPicture(nullptr, none, picture);
  }
  EXPECT_EQ(message, "First, you must choose a printer with the \nFile-Print-Setup command|"
                     "Error creating printer device context");
  EXPECT_FALSE(printEnabled);
  EXPECT_TRUE(setupEnabled);
  EXPECT_FALSE(FileExists(kPort));
}

TEST(Dialog, APictureThatDidNotLoadNeverReachesThePrinter) {
  char folder[MAX_PATH];
  ::GetTempPathA(sizeof folder, folder);
  const std::string truncated = std::string(folder) + "vireldan-truncated.jpg";
  FILE* file = std::fopen(truncated.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite("\xFF\xD8\xFF\xE0\x00\x10JFIF", 1, 10, file);
  std::fclose(file);
  Cimage failed;
  MakePicture(failed, Blocks(2, 2));
  failed.m_loadError = 1;
  const std::vector<std::function<void()>> prints = {
      [&] { PrintPictureFile(nullptr, TestPrinter(), truncated); },
      [&] { PrintPictureFile(nullptr, TestPrinter(), std::string(folder) + "no such picture.jpg"); },
      [&] { PrintPicture(nullptr, TestPrinter(), failed); },
      [&] { PrintPicture(nullptr, TestPrinter(), Cimage()); },
  };
  for (size_t i = 0; i < prints.size(); ++i) {
    ::DeleteFileA(kPort);
    std::string message;
    {
      UiDriver user([&] { message = AnswerMessageBox(); });
      prints[i]();
    }
    EXPECT_EQ(message, "Error reloading image") << i;
    EXPECT_FALSE(FileExists(kPort)) << i;
  }
  std::remove(truncated.c_str());
}

TEST(Dialog, SetupChoosesAPrinterAndThenItPrints) {
  Cimage picture;
  MakePicture(picture, Blocks(2, 2));
  PrinterDefaults chosenInTheDialog;  // none until Print Setup chooses the default one
  std::string message, printer;
  bool printEnabled = false;
  ::DeleteFileA(kPort);
  {
    UiDriver user([&] {
      message = AnswerMessageBox();
      HWND dialog = WaitForWindow("Page Layout");
      ASSERT_TRUE(dialog);
      PressButton(dialog, IDC_LAYOUT_SETUP);
      HWND setup = WaitForWindow("Print Setup");
      ASSERT_TRUE(setup);
      PressButton(setup, IDOK);
      // The layout dialog takes the printer after Print Setup has returned: wait for it to.
      printEnabled = WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != FALSE; });
      printer = ItemText(dialog, IDC_LAYOUT_PRINTER);
      PressButton(dialog, IDOK);
    });
    PrintPicture(nullptr, chosenInTheDialog, picture);
  }
  EXPECT_EQ(message, "First, you must choose a printer with the \nFile-Print-Setup command");
  EXPECT_TRUE(printEnabled);
  EXPECT_EQ(printer, kPrinterName);
  EXPECT_TRUE(FileExists(kPort));
}

// The pages that the PrintedPage suite checks, as print_layout.sh renders them.
const char kWidePage[] = "layout-wide.ps";
const char kNoMarginPage[] = "layout-no-margin.ps";
const char kEdgePage[] = "layout-edge.ps";
const char kFilePage[] = "layout-file.ps";

TEST(Printing, AWidePictureAtFullScaleFillsThePrintableWidth) {
  Cimage picture;
  MakePicture(picture, Blocks(8, 2));
  const std::vector<uint8_t> before = PixelBytes(picture);
  EXPECT_TRUE(PrintWithUser(picture, TestPrinter(), [](HWND dialog) {
    Click(dialog, IDC_LAYOUT_MAXIMIZE);
    PressButton(dialog, IDOK);
  }, kWidePage));
  EXPECT_EQ(PixelBytes(picture), before) << "the caller's picture is left as it was";
}

TEST(Printing, NoMarginFillsTheWholePaperWidth) {
  Cimage picture;
  MakePicture(picture, Blocks(8, 2));
  EXPECT_TRUE(PrintWithUser(picture, TestPrinter(), [](HWND dialog) {
    ::CheckDlgButton(dialog, IDC_LAYOUT_NO_MARGIN, BST_CHECKED);
    Click(dialog, IDC_LAYOUT_NO_MARGIN);
    Click(dialog, IDC_LAYOUT_MAXIMIZE);
    PressButton(dialog, IDOK);
  }, kNoMarginPage));
}

// The user drags the picture past the paper's top-left corner of the miniature.
void DragToTopLeft(HWND dialog) {
  RECT preview = {};
  ::GetWindowRect(::GetDlgItem(dialog, IDC_LAYOUT_PREVIEW), &preview);
  POINT start = {preview.left + 40, preview.top + 40}, end = {preview.left - 20, preview.top - 20};
  ::ScreenToClient(dialog, &start);
  ::ScreenToClient(dialog, &end);
  ::SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
  ::SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end.x, end.y));
  ::SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));
}

// A drag whose mouse is taken away (another window, or the user switching programs) is over: the
// mouse coming back with its button up moves the picture no further.
TEST(Dialog, ADragEndsWhenTheMouseIsTakenAway) {
  Cimage picture;
  MakePicture(picture, Blocks(2, 2));
  CPageLayoutDlg layout(picture, TestPrinter());
  {
    UiDriver user([&] {
      HWND dialog = WaitForWindow("Page Layout");
      ASSERT_TRUE(dialog);
      RECT preview = {};
      ::GetWindowRect(::GetDlgItem(dialog, IDC_LAYOUT_PREVIEW), &preview);
      POINT centre = {(preview.left + preview.right) / 2, (preview.top + preview.bottom) / 2},
            corner = {preview.left - 20, preview.top - 20};
      ::ScreenToClient(dialog, &centre);
      ::ScreenToClient(dialog, &corner);
      ::SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
      ::SendMessageA(dialog, WM_CANCELMODE, 0, 0);
      ::SendMessageA(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(corner.x, corner.y));
      PressButton(dialog, IDCANCEL);
    });
    layout.DoModal(nullptr);
  }
  EXPECT_EQ(layout.Position().x, kCentre);
  EXPECT_EQ(layout.Position().y, kCentre);
}

TEST(Printing, DraggedToTheEdgeItStopsAtTheMargin) {
  Cimage picture;
  MakePicture(picture, Blocks(2, 2));
  EXPECT_TRUE(PrintWithUser(picture, TestPrinter(), [](HWND dialog) {
    Click(dialog, IDC_LAYOUT_MAXIMIZE);
    Click(dialog, IDC_LAYOUT_TEN_SMALLER, 7);  // 30 %
    DragToTopLeft(dialog);
    PressButton(dialog, IDOK);
  }, kEdgePage));
}

TEST(Printing, AFileIsLoadedAndPrintedAtTheOpeningLayout) {
  char folder[MAX_PATH];
  ::GetTempPathA(sizeof folder, folder);
  const std::string path = std::string(folder) + "vireldan-print.bmp";
  Cimage picture;
  MakePicture(picture, Blocks(3, 1));
  picture.SaveImage(path.c_str());
  ASSERT_FALSE(picture.m_saveError);
  ::DeleteFileA(kPort);
  {
    UiDriver user([] {
      HWND dialog = WaitForWindow("Page Layout");
      ASSERT_TRUE(dialog);
      PressButton(dialog, IDOK);
    });
    PrintPictureFile(nullptr, TestPrinter(), path);
  }
  ASSERT_TRUE(FileExists(kPort));
  EXPECT_TRUE(::CopyFileA(kPort, kFilePage, FALSE));
  std::remove(path.c_str());
}

std::string Rendering(const char* page) { return std::string(page, std::strlen(page) - 3) + ".ppm"; }

struct Box {
  int x = 0, y = 0, width = 0, height = 0;
};

// Where the page is not white.
Box PrintedBox(const Page& page) {
  int left = page.width, top = page.height, right = -1, bottom = -1;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      if (!(page.At(x, y) == Rgb{255, 255, 255})) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  return right < 0 ? Box{} : Box{left, top, right - left + 1, bottom - top + 1};
}

// Every block of the picture in its place within the box, away from the blocks' shared edges.
::testing::AssertionResult ShowsBlocks(const Page& page, const Box& box, const BgrImage& image) {
  for (int y = box.y; y < box.y + box.height; ++y)
    for (int x = box.x; x < box.x + box.width; ++x) {
      const int bx = (x - box.x) * image.width / box.width, by = (y - box.y) * image.height / box.height;
      const bool nearEdge = (x - box.x + 2) * image.width / box.width != bx ||
                            (x - box.x - 2) * image.width / box.width != bx ||
                            (y - box.y + 2) * image.height / box.height != by ||
                            (y - box.y - 2) * image.height / box.height != by;
      if (nearEdge || page.At(x, y) == image.At(bx, by)) continue;
      const Rgb got = page.At(x, y);
      return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << int(got.red) << ","
                                           << int(got.green) << "," << int(got.blue);
    }
  return ::testing::AssertionSuccess();
}

// The test printer's A4 page at 300 dpi is 2479 x 3508 pixels, of which 2329 x 3358 from 75, 75
// are printable.
TEST(PrintedPage, CentredPicturesAreExactlyAsLargeAsTheLayoutSays) {
  const struct {
    const char* page;
    int blocksAcross, blocksDown;
    Box box;
  } cases[] = {
      {kWidePage, 8, 2, {75, 1463, 2329, 582}},      // the printable width; as much paper left as right
      {kNoMarginPage, 8, 2, {0, 1445, 2479, 619}},   // the whole paper's width
      {kFilePage, 3, 1, {191, 1405, 2096, 698}},     // 90 % of the printable width, in the middle
  };
  for (const auto& c : cases) {
    Page page;
    ASSERT_TRUE(ReadPpm(Rendering(c.page), page)) << c.page;
    EXPECT_EQ(page.width, 2479);
    EXPECT_EQ(page.height, 3508);
    const Box box = PrintedBox(page);
    EXPECT_EQ(box.x, c.box.x) << c.page;
    EXPECT_EQ(box.y, c.box.y) << c.page;
    EXPECT_EQ(box.width, c.box.width) << c.page;
    EXPECT_EQ(box.height, c.box.height) << c.page;
    EXPECT_TRUE(ShowsBlocks(page, box, Blocks(c.blocksAcross, c.blocksDown))) << c.page;
  }
}

TEST(PrintedPage, DraggedToTheCornerTheFullPictureLiesAgainstTheMargin) {
  Page page;
  ASSERT_TRUE(ReadPpm(Rendering(kEdgePage), page));
  const Figures f = ReadFigures();
  const Box box = PrintedBox(page);
  EXPECT_EQ(box.width, f.width() * 300 / 1000);
  EXPECT_EQ(box.height, box.width);
  // Against the printable area's corner, to within a pixel of the miniature; never over it.
  const int miniaturePixel = f.physicalWidth / 100;
  EXPECT_GE(box.x, f.left());
  EXPECT_GE(box.y, f.top());
  EXPECT_LE(box.x, f.left() + miniaturePixel);
  EXPECT_LE(box.y, f.top() + miniaturePixel);
  EXPECT_TRUE(ShowsBlocks(page, box, Blocks(2, 2)));
}

}  // namespace
