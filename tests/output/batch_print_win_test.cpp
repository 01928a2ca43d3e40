// Printing many pictures on the test printer (Wine's PostScript driver writing into a file port):
// the Printing suite prints a batch-print grid and a contact sheet and drives the Batch Print Setup
// sheet; batch_print.sh renders the printed pages with Ghostscript at the printer's 300 dpi; the
// PrintedPage suite finds every picture, frame line and caption where the layout puts it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app.h"
#include "app_settings.h"
#include "batch_print_job.h"
#include "batch_print_ps.h"
#include "display_test_support.h"
#include "ini_profile.h"
#include "print_setup_file.h"
#include "print_thumbs_dlg.h"
#include "printed_page.h"
#include "printer_caps.h"
#include "printer_defaults.h"
#include "progress_window.h"
#include "resource.h"
#include "ui_driver.h"

namespace {

const char kPort[] = "C:\\vireldan-test-printer.ps";
const char kGridPage[] = "batch-grid";
const char kSheetPage[] = "contact-sheet";
const char kCaptionPage[] = "batch-captions";
constexpr int kFiles = 7;

// The pictures: one solid colour each, never black or white, landscape and portrait.
Rgb Colour(int i) { return Rgb{uint8_t(40 + 30 * i), uint8_t(200 - 25 * i), uint8_t(i % 2 ? 60 : 180)}; }

std::string PicturePath(int i) {
  char folder[MAX_PATH];
  ::GetTempPathA(sizeof folder, folder);
  return std::string(folder) + "vireldan-batch-" + std::to_string(i) + ".bmp";
}

void MakePictures() {
  for (int i = 0; i < kFiles; ++i) {
    Cimage picture;
    const bool tall = i == 3;
    MakePicture(picture, MakeBgrImage(tall ? 450 : 800, tall ? 800 : 600, [i](int, int) { return Colour(i); }));
    picture.SaveImage(PicturePath(i).c_str());
    ASSERT_FALSE(picture.m_saveError) << i;
  }
}

std::vector<std::string> Pictures() {
  std::vector<std::string> paths;
  for (int i = 0; i < kFiles; ++i) paths.push_back(PicturePath(i));
  return paths;
}

PrinterDefaults& TestPrinter() {
  static PrinterDefaults printer;
  static const bool loaded = printer.Load();
  EXPECT_TRUE(loaded) << "no printer: add_printer sets it up";
  return printer;
}

BatchPrinterCaps Caps() {
  HDC dc = TestPrinter().CreatePrinterDC();
  if (!dc) return BatchPrinterCaps{};
  const BatchPrinterCaps caps = ReadBatchPrinterCaps(dc);
  ::DeleteDC(dc);
  return caps;
}

// The grid the job prints: 4 rows of 3, frames, file names below the pictures, each file twice,
// the first cell skipped: 15 cells on two pages.
CAppSettings::BatchPrint GridLayout() {
  CAppSettings::BatchPrint p = g_settings.batchPrint;
  p.rows = 4, p.cols = 3, p.bp_dotext = 1, p.bp_names = 1, p.bp_paths = 0, p.bp_dates = 0, p.bp_sizes = 1;
  p.bp_annots = 0, p.bp_static = 0, p.framed = 1, p.dotted = 0, p.overfill = 1, p.upright = 1, p.copies = 2;
  p.bp_points = 4, p.bp_font = "Arial", p.bp_txtcolor = 0, p.center = 1;
  ComputeBatchLayout(p, Caps());
  return p;
}
constexpr int kSkip = 1;

bool FileExists(const char* path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// Prints the files on the test printer and keeps the document under the name, for rendering.
void PrintDocument(std::vector<std::string> files, int skip, CAppSettings::BatchPrint layout, const char* name) {
  ::DeleteFileA(kPort);
  BatchPrintRequest request;
  request.files = std::move(files);
  request.skip = skip;
  HDC dc = TestPrinter().CreatePrinterDC();
  ASSERT_TRUE(dc);
  request.printer = dc;
  EXPECT_EQ(RunBatchPrintJob(request, layout), BatchPrintEnd::kPrinted);
  ::DeleteDC(dc);
  ASSERT_TRUE(FileExists(kPort));
  EXPECT_TRUE(::CopyFileA(kPort, (std::string(name) + ".ps").c_str(), FALSE));
}

TEST(Printing, ABatchGridWithFramesCaptionsAndCopies) {
  MakePictures();
  PrintDocument(Pictures(), kSkip, GridLayout(), kGridPage);
}

// Captions as a new user prints them: the face and size the settings start with, name, date,
// size and two lines of fixed text, on a 2 x 2 grid, one file a cell.
CAppSettings::BatchPrint CaptionLayout() {
  CAppSettings defaults;
  IniProfile none("C:\\vireldan-no-such-settings.ini");
  defaults.Load(none, SettingsEnvironment{1024, 768, "C:\\Vireldan"});
  CAppSettings::BatchPrint p = defaults.batchPrint;
  EXPECT_EQ(p.bp_points, 12);
  p.rows = 2, p.cols = 2, p.bp_dotext = 1, p.bp_names = 1, p.bp_dates = 1, p.bp_sizes = 1, p.bp_static = 1;
  p.bp_string = "llllllllllll\r\nMMMMMMMMMMMM";
  ComputeBatchLayout(p, Caps());
  return p;
}
constexpr int kCaptionLines = 5;

TEST(Printing, CaptionsInTheDefaultFaceAndSize) {
  MakePictures();
  PrintDocument({PicturePath(0)}, 0, CaptionLayout(), kCaptionPage);
}

TEST(Printing, NothingIsSentWithoutFilesOrCells) {
  const struct {
    std::vector<std::string> files;
    int rows, copies, copiesAfter;
    const char* message;
  } cases[] = {
      {{}, 3, 0, 1, "Nothing to print..."},  // copies 0 print, and stay, as 1
      {Pictures(), 0, 100000000, kMaxBatchCopies,
       "Nothing fits on a page of this layout.\nCheck the rows and columns of the Grid Setup."},
  };
  for (const auto& c : cases) {
    ::DeleteFileA(kPort);
    CAppSettings::BatchPrint layout = GridLayout();
    layout.rows = c.rows;
    layout.copies = c.copies;
    BatchPrintRequest request;
    request.files = c.files;
    HDC dc = TestPrinter().CreatePrinterDC();
    request.printer = dc;
    std::string message;
    {
      UiDriver user([&] { message = AnswerMessageBox(); });
      EXPECT_EQ(RunBatchPrintJob(request, layout), BatchPrintEnd::kNotStarted);
    }
    ::DeleteDC(dc);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(layout.copies, c.copiesAfter);
    EXPECT_FALSE(FileExists(kPort));
  }
}

// The sheet, owned by a window that takes its messages.
class SheetOwner {
 public:
  SheetOwner() {
    WNDCLASSA type = {};
    type.lpfnWndProc = Proc;
    type.hInstance = ::GetModuleHandleA(nullptr);
    type.lpszClassName = "BatchPrintOwner";
    ::RegisterClassA(&type);
    hwnd_ = ::CreateWindowA("BatchPrintOwner", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            type.hInstance, nullptr);
  }
  ~SheetOwner() { ::DestroyWindow(hwnd_); }
  HWND Handle() const { return hwnd_; }
  static inline bool started = false, closed = false;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 0x42B) started = true;
    if (message == 0x42A) closed = true;
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  HWND hwnd_;
};

std::string WindowText(HWND window) {
  char text[600] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

// The user presses Cancel in the progress window while the third cell of the first page prints:
// that cell is finished, the page ended and the document aborted, so nothing reaches the printer;
// the progress window goes, the owner is enabled again, and no message is shown.
TEST(Printing, CancelInTheMiddleOfAPageAbortsTheDocument) {
  MakePictures();
  ::DeleteFileA(kPort);
  CAppSettings::BatchPrint layout = GridLayout();  // 14 cells on two pages
  layout.bp_annots = 1;
  SheetOwner owner;
  BatchPrintRequest request;
  request.owner = owner.Handle();
  request.files = Pictures();
  HDC dc = TestPrinter().CreatePrinterDC();
  ASSERT_TRUE(dc);
  request.printer = dc;
  int cells = 0;
  bool ownerDisabled = false;
  request.annotation = [&](const std::string&) {
    ownerDisabled = !::IsWindowEnabled(owner.Handle());
    if (++cells == 3) WaitFor([] { return g_bCancel != 0; });  // the user is pressing Cancel
    return std::string();
  };
  std::string page, file;
  HWND progress = nullptr;
  BatchPrintEnd end;
  {
    UiDriver user([&] {
      progress = WaitForWindow("Progress ...");
      if (!progress) return;
      const HWND line2 = ::GetDlgItem(progress, IDC_PROGRESS_LINE2);
      WaitFor([&] { return WindowText(line2) == PicturePath(1); });  // the second file, in the third cell
      page = WindowText(::GetDlgItem(progress, IDC_PROGRESS_LINE1));
      file = WindowText(line2);
      PressButton(progress, IDC_PROGRESS_CANCEL);
    });
    end = RunBatchPrintJob(request, layout);
  }
  ::DeleteDC(dc);
  EXPECT_EQ(end, BatchPrintEnd::kCancelled);
  EXPECT_EQ(page, "Page 1 of 2");
  EXPECT_EQ(file, PicturePath(1));
  EXPECT_EQ(cells, 3) << "the cell being printed is finished, no other begun";
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(::IsWindow(progress));
  EXPECT_FALSE(FileExists(kPort)) << "an aborted document never reaches the printer";
}

ContactSheetSource SheetSource() {
  ContactSheetSource source;
  for (int i = 0; i < kFiles; ++i)
    source.all.push_back({PicturePath(i), "picture " + std::to_string(i), "1/2/2026 10:00", 1407});
  char folder[MAX_PATH];
  ::GetTempPathA(sizeof folder, folder);
  const std::string broken = std::string(folder) + "vireldan-broken.jpg";
  FILE* file = std::fopen(broken.c_str(), "wb");
  std::fwrite("\xFF\xD8\xFF\xE0", 1, 4, file);
  std::fclose(file);
  source.all.push_back({broken, "broken", "1/2/2026 10:00", 0});
  source.title = "Contact sheet title";
  return source;
}

void SetSheetSettings() {
  g_settings.thumbPrint = {1, 1, 1, 1, 0, 3, 4, 0, 0};  // names, dates, sizes, title; all; 3 a row
}

TEST(Printing, AContactSheetThroughItsDialog) {
  MakePictures();
  SetSheetSettings();
  const ContactSheetSource source = SheetSource();
  ::DeleteFileA(kPort);
  std::string count, perPage, pages, printer;
  {
    UiDriver user([&] {
      HWND dialog = WaitForWindow("Print thumbnails setup");
      ASSERT_TRUE(dialog);
      // Sent, not posted: each click is handled before the texts are read.
      for (const int id : {IDC_PT_SMALLER, IDC_PT_BIGGER})  // 4 a row, then back to 3
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(dialog, id)));
      char text[64];
      for (auto [id, value] : {std::pair{IDC_PT_COUNT, &count}, {IDC_PT_PER_PAGE, &perPage}, {IDC_PT_PAGES, &pages},
                               {IDC_PT_PRINTER, &printer}}) {
        ::GetDlgItemTextA(dialog, id, text, sizeof text);
        *value = text;
      }
      PressButton(dialog, IDOK);
    });
    PrintThumbnailSheets(nullptr, TestPrinter(), source);
  }
  EXPECT_EQ(count, "8");
  EXPECT_EQ(perPage, "9");  // 3 a row of cells 776 pixels wide and 983 high: 3 rows
  EXPECT_EQ(pages, "1");
  EXPECT_EQ(printer, "Vireldan Test Printer");
  EXPECT_EQ(g_settings.thumbPrint.nx, 3);
  ASSERT_TRUE(FileExists(kPort));
  EXPECT_TRUE(::CopyFileA(kPort, (std::string(kSheetPage) + ".ps").c_str(), FALSE));
}

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 1000 && !done(); ++i) {
    Pump();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return done();
}

std::string Text(HWND window, int id) {
  char text[256] = {};
  ::GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

struct Box {
  int left, top, right, bottom;  // inclusive
};

// A window as the screen shows it, rows top first.
struct Grab {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;
  Rgb At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  void SavePpm(const char* path) const {
    FILE* file = std::fopen(path, "wb");
    if (!file) return;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (const Rgb& c : pixels) std::fwrite(&c, 1, 3, file);
    std::fclose(file);
  }
};

Grab GrabWindow(HWND window) {
  RECT whole = {};
  ::GetWindowRect(window, &whole);
  Grab grab;
  grab.width = whole.right - whole.left, grab.height = whole.bottom - whole.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), grab.width, -grab.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, grab.width, grab.height, screen, whole.left, whole.top, SRCCOPY);
  ::GdiFlush();
  const uint8_t* bgra = static_cast<const uint8_t*>(bits);
  for (int i = 0; i < grab.width * grab.height; ++i)
    grab.pixels.push_back(Rgb{bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]});
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return grab;
}

void ClickSetup(HWND page, const char* name) {
  LVFINDINFOA find = {};
  find.flags = LVFI_STRING;
  find.psz = name;
  const int item = int(::SendMessageA(::GetDlgItem(page, IDC_BP_SETUP_LIST), LVM_FINDITEMA, WPARAM(-1),
                                      reinterpret_cast<LPARAM>(&find)));
  ASSERT_GE(item, 0) << name;
  NMITEMACTIVATE click = {};
  click.hdr.hwndFrom = ::GetDlgItem(page, IDC_BP_SETUP_LIST);
  click.hdr.idFrom = IDC_BP_SETUP_LIST;
  click.hdr.code = NM_CLICK;
  click.iItem = item;
  ::SendMessageA(page, WM_NOTIFY, IDC_BP_SETUP_LIST, reinterpret_cast<LPARAM>(&click));
}

TEST(Printing, TheSetupSheetCountsShowsTheMiniatureLoadsSetupsAndHandsOverItsFiles) {
  MakePictures();
  g_settings.batchPrint = GridLayout();
  BatchPrintSkip = kSkip;
  SheetOwner owner;
  BatchPrintHooks hooks{[](bool) { return Pictures(); },
                        [](const std::string& path, Cimage& copy) {
                          copy.LoadImageA(path.c_str(), 160, 160, 1);  // larger than the areas
                          return copy.m_valid != 0;
                        }};
  CBatchPrintPS sheet(owner.Handle(), TestPrinter(), hooks);
  sheet.AddPages();
  ASSERT_TRUE(sheet.Create());
  ASSERT_TRUE(PumpUntil([&] { return sheet.TimerFired(); }));
  EXPECT_EQ(Text(sheet.Handle(), IDC_BP_IMAGES), "14 Images to print");
  EXPECT_EQ(Text(sheet.Handle(), IDC_BP_PAGES), "2 Pages to print");
  char caption[64] = {};
  ::GetWindowTextA(sheet.Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Batch Print Setup");
  // The miniature as the screen shows it, kept for a look: its paper is where it is not dark grey.
  ::RedrawWindow(sheet.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
  const Grab shot = GrabWindow(sheet.Handle());
  shot.SavePpm("batch-sheet.ppm");
  const HWND miniature = ::GetDlgItem(sheet.Handle(), IDC_BP_PREVIEW);
  RECT area = {};
  ::GetClientRect(miniature, &area);
  ::MapWindowPoints(miniature, nullptr, reinterpret_cast<POINT*>(&area), 2);
  RECT whole = {};
  ::GetWindowRect(sheet.Handle(), &whole);
  ::OffsetRect(&area, -whole.left, -whole.top);
  Box paper = {area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (!(shot.At(x, y) == Rgb{64, 64, 64})) {
        paper.left = std::min(paper.left, x), paper.right = std::max(paper.right, x);
        paper.top = std::min(paper.top, y), paper.bottom = std::max(paper.bottom, y);
      }
  const BatchPrinterCaps caps = Caps();
  const int paperWidth = paper.right - paper.left + 1, paperHeight = paper.bottom - paper.top + 1;
  EXPECT_NEAR(double(paperHeight) / paperWidth, double(caps.physicalHeight) / caps.physicalWidth, 0.01);
  const CAppSettings::BatchPrint& p = g_settings.batchPrint;
  // A point of a cell's image area, at a share of its width and height.
  const auto at = [&](int column, int row, double across = 0.5, double down = 0.5) {
    const int64_t x = p.coloffset + column * int64_t(p.colwidth) + p.paoffsetx + int64_t(p.pawidth * across);
    const int64_t y = p.rowoffset + row * int64_t(p.colheight) + p.paoffsety + int64_t(p.paheight * down);
    return shot.At(paper.left + int(x * caps.dpiX / 100000 * paperWidth / caps.physicalWidth),
                   paper.top + int(y * caps.dpiY / 100000 * paperHeight / caps.physicalHeight));
  };
  // The skipped cell stays grey; the pictures follow, each in two cells, filling their areas to
  // the corners (overfill), as the printed page does.
  EXPECT_EQ(at(0, 0), (Rgb{224, 224, 224}));
  const struct {
    int column, row, file;
  } filled[] = {{1, 0, 0}, {2, 0, 0}, {0, 1, 1}};
  for (const auto& [column, row, file] : filled) {
    EXPECT_EQ(at(column, row), Colour(file)) << column << "," << row;
    EXPECT_EQ(at(column, row, 0.94, 0.94), Colour(file)) << column << "," << row << ": the bottom right corner";
    EXPECT_EQ(at(column, row, 0.06, 0.06), Colour(file)) << column << "," << row << ": the top left corner";
  }
  // Skipping more cells than a page has: the count follows the job, which leaves all the first
  // page's cells but one empty.
  const HWND grid = sheet.PageWindow(CBatchPrintPS::kGrid);
  ::SetDlgItemTextA(grid, IDC_BP_SKIP, "100");
  EXPECT_EQ(Text(sheet.Handle(), IDC_BP_PAGES), "3 Pages to print");  // 11 skipped, 14 images: 25 cells of 12
  ::SetDlgItemTextA(grid, IDC_BP_SKIP, "1");
  // Copies out of range: the counts keep the last good number, and the page is not left.
  ::SetDlgItemTextA(grid, IDC_BP_COPIES, "100000000");
  EXPECT_EQ(Text(sheet.Handle(), IDC_BP_IMAGES), "14 Images to print");
  std::string message;
  {
    UiDriver user([&] { message = AnswerMessageBox(); });
    sheet.SetActiveIndex(CBatchPrintPS::kSetups);
  }
  EXPECT_EQ(message, "Please enter an integer between 1 and 1000.");
  EXPECT_EQ(sheet.ActiveIndex(), CBatchPrintPS::kGrid);
  ::SetDlgItemTextA(grid, IDC_BP_COPIES, "2");
  // Setups: a good one loads, a damaged one is refused with a message and changes nothing.
  const std::string folder = CBPSaveLoadPP::SetupsFolder();
  CAppSettings::BatchPrint saved = g_settings.batchPrint;
  saved.rows = 2, saved.cols = 5, saved.copies = 3, saved.bp_font = "Courier New";
  ASSERT_TRUE(SavePrintSetupFile(folder + "\\a-good.psu", saved));
  FILE* damaged = std::fopen((folder + "\\b-short.psu").c_str(), "wb");
  std::fwrite("\x4F\x43\x19\x12\x01\x00", 1, 6, damaged);
  std::fclose(damaged);
  sheet.SetActiveIndex(CBatchPrintPS::kSetups);
  HWND setups = sheet.PageWindow(CBatchPrintPS::kSetups);
  {
    UiDriver user([&] { message = AnswerMessageBox(); });
    ClickSetup(setups, "b-short.psu");
  }
  EXPECT_EQ(message, "Error loading print setup file.\nThe file is damaged.");
  EXPECT_EQ(g_settings.batchPrint.rows, 4);
  ClickSetup(setups, "a-good.psu");
  EXPECT_EQ(g_settings.batchPrint.rows, 2);
  EXPECT_EQ(g_settings.batchPrint.cols, 5);
  EXPECT_EQ(g_settings.batchPrint.bp_font, "Courier New");
  EXPECT_EQ(Text(sheet.Handle(), IDC_BP_IMAGES), "21 Images to print");
  EXPECT_EQ(Text(sheet.Handle(), IDC_BP_PAGES), "3 Pages to print");  // 22 cells of 10
  std::remove((folder + "\\a-good.psu").c_str());
  std::remove((folder + "\\b-short.psu").c_str());
  sheet.SetActiveIndex(CBatchPrintPS::kGrid);
  EXPECT_EQ(Text(grid, IDC_BP_COPIES), "3") << "the Copies box shows the loaded setup's";
  const auto print = [&] {
    ::SendMessageA(sheet.Handle(), WM_COMMAND, MAKEWPARAM(IDC_BP_PRINT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(sheet.Handle(), IDC_BP_PRINT)));
  };
  // Print with Copies out of range says so and keeps the sheet and its list.
  ::SetDlgItemTextA(grid, IDC_BP_COPIES, "0");
  message.clear();
  {
    UiDriver user([&] { message = AnswerMessageBox(); });
    print();
  }
  EXPECT_EQ(message, "Please enter an integer between 1 and 1000.");
  Pump();
  EXPECT_FALSE(SheetOwner::started);
  ASSERT_TRUE(::IsWindow(sheet.Handle()));
  EXPECT_EQ(g_settings.batchPrint.copies, 3);
  // Print hands the list over and closes the sheet.
  ::SetDlgItemTextA(grid, IDC_BP_COPIES, "3");
  print();
  EXPECT_TRUE(PumpUntil([] { return SheetOwner::started && SheetOwner::closed; }));
  EXPECT_EQ(BatchPrintList, Pictures());
  EXPECT_EQ(BatchPrintCount, kFiles);
}

// The rendered pages.

std::string Rendering(const char* name, int page) { return std::string(name) + "-" + std::to_string(page) + ".ppm"; }

// Where the colour lies within a search area of the page.
Box FindColour(const Page& page, Rgb colour, const Box& within) {
  Box box = {within.right + 1, within.bottom + 1, within.left - 1, within.top - 1};
  for (int y = std::max(0, within.top); y <= std::min(page.height - 1, within.bottom); ++y)
    for (int x = std::max(0, within.left); x <= std::min(page.width - 1, within.right); ++x)
      if (page.At(x, y) == colour) {
        box.left = std::min(box.left, x), box.right = std::max(box.right, x);
        box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
      }
  return box;
}

int DarkPixels(const Page& page, const Box& within) {
  int dark = 0;
  for (int y = within.top; y <= within.bottom; ++y)
    for (int x = within.left; x <= within.right; ++x) {
      const Rgb c = page.At(x, y);
      dark += c.red < 128 && c.green < 128 && c.blue < 128;
    }
  return dark;
}

::testing::AssertionResult Near(const Box& got, const Box& want) {
  if (std::abs(got.left - want.left) <= 1 && std::abs(got.top - want.top) <= 1 &&
      std::abs(got.right - want.right) <= 1 && std::abs(got.bottom - want.bottom) <= 1)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "found " << got.left << "," << got.top << "-" << got.right << ","
                                       << got.bottom << " wanted " << want.left << "," << want.top << "-"
                                       << want.right << "," << want.bottom;
}

TEST(PrintedPage, EveryCellOfTheGridHoldsItsPictureFramesAndCaption) {
  const BatchPrinterCaps caps = Caps();
  const CAppSettings::BatchPrint p = GridLayout();
  const std::vector<BatchCell> cells = PlanBatchCells(kFiles, p.copies, kSkip, p.rows, p.cols);
  ASSERT_EQ(cells.back().page, 2);
  Page pages[2];
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(ReadPpm(Rendering(kGridPage, i + 1), pages[i])) << i;
  EXPECT_FALSE(FileExists(Rendering(kGridPage, 3).c_str()));
  for (const BatchCell& cell : cells) {
    const Page& page = pages[cell.page - 1];
    const DeviceRect area = BatchCellArea(p, caps, cell.column, cell.row, false);
    const Box want = {area.left + caps.offsetX, area.top + caps.offsetY, area.right + caps.offsetX - 1,
                      area.bottom + caps.offsetY - 1};
    const Box around = {want.left - 20, want.top - 20, want.right + 20, want.bottom + 20};
    const DeviceRect text = BatchCellArea(p, caps, cell.column, cell.row, true);
    const Box caption = {text.left + caps.offsetX, text.top + caps.offsetY, text.right + caps.offsetX - 1,
                         text.bottom + caps.offsetY - 1};
    const std::string where = "page " + std::to_string(cell.page) + " cell " + std::to_string(cell.column) + "," +
                              std::to_string(cell.row);
    if (cell.file < 0) {
      EXPECT_EQ(DarkPixels(page, caption), 0) << where << ": a skipped cell has no caption";
      continue;
    }
    EXPECT_TRUE(Near(FindColour(page, Colour(cell.file), around), want)) << where;
    EXPECT_GT(DarkPixels(page, caption), 20) << where << ": its caption";
  }
  // The frame lines: every column boundary is black half-way down the first row.
  const int y = LayoutToDevice(p.rowoffset + p.colheight / 2, caps.dpiY, caps.offsetY) + caps.offsetY;
  for (int c = 0; c <= p.cols; ++c) {
    const int x = LayoutToDevice(p.coloffset + c * p.colwidth, caps.dpiX, caps.offsetX) + caps.offsetX;
    EXPECT_GT(DarkPixels(pages[0], {x - 2, y, x + 2, y}), 0) << "column line " << c;
  }
}

// The runs of rows of a box that hold dark pixels: the printed lines of a text, each as the box
// its dark pixels fill.
std::vector<Box> TextLinesIn(const Page& page, const Box& within) {
  std::vector<Box> lines;
  bool inLine = false;
  for (int y = within.top; y <= within.bottom + 1; ++y) {
    const bool dark = y <= within.bottom && DarkPixels(page, {within.left, y, within.right, y}) > 0;
    if (dark && !inLine) lines.push_back({within.right, y, within.left, y});
    if (dark) {
      Box& line = lines.back();
      line.bottom = y;
      for (int x = within.left; x <= within.right; ++x) {
        const Rgb c = page.At(x, y);
        if (c.red < 128 && c.green < 128 && c.blue < 128) line.left = std::min(line.left, x), line.right = std::max(line.right, x);
      }
    }
    inLine = dark;
  }
  return lines;
}

// Twelve points at 300 dpi are an em of 50 pixels: the text area of a 2 x 2 grid holds every line
// asked for, and the face is the proportional one named (a run of l is far narrower than one of M).
TEST(PrintedPage, CaptionsPrintAtTheirPointSizeInAProportionalFace) {
  Page page;
  ASSERT_TRUE(ReadPpm(Rendering(kCaptionPage, 1), page));
  const BatchPrinterCaps caps = Caps();
  ASSERT_EQ(caps.dpiY, 300);
  const DeviceRect text = BatchCellArea(CaptionLayout(), caps, 0, 0, true);
  const std::vector<Box> lines = TextLinesIn(page, {text.left + caps.offsetX, text.top + caps.offsetY,
                                                    text.right + caps.offsetX - 1, text.bottom + caps.offsetY - 1});
  ASSERT_EQ(lines.size(), size_t(kCaptionLines)) << "name, date, size and two lines of fixed text";
  const Box& capitals = lines[4];  // "MMMMMMMMMMMM": capitals stand about two thirds of an em high
  EXPECT_NEAR(capitals.bottom - capitals.top + 1, 33, 5);
  const int narrow = lines[3].right - lines[3].left, wide = capitals.right - capitals.left;
  EXPECT_LT(narrow * 2, wide) << "l is " << narrow << " pixels a dozen, M " << wide;
}

TEST(PrintedPage, TheContactSheetHasItsTitlePicturesCaptionsAndACrossForTheBrokenFile) {
  Page page;
  ASSERT_TRUE(ReadPpm(Rendering(kSheetPage, 1), page));
  EXPECT_FALSE(FileExists(Rendering(kSheetPage, 2).c_str()));
  ContactSheetPrinter printer;
  const BatchPrinterCaps caps = Caps();
  printer.physicalWidth = caps.physicalWidth, printer.physicalHeight = caps.physicalHeight;
  printer.offsetX = caps.offsetX, printer.offsetY = caps.offsetY, printer.horzRes = caps.horzRes;
  printer.vertRes = caps.vertRes;
  printer.aspectX = printer.aspectY = 100;
  ContactSheetChoices choices;
  choices.perRow = 3, choices.captionLines = 3, choices.count = kFiles + 1;
  const ContactSheetLayout l = ComputeContactSheet(printer, choices);
  const int square = ThumbSquareHeight(l.thumbSize, 100, 100);
  EXPECT_GT(DarkPixels(page, {0, caps.offsetY, page.width - 1, caps.offsetY + l.topBand}), 50) << "the title";
  for (int i = 0; i <= kFiles; ++i) {
    const int x = l.originX + (i % 3) * l.cellWidth + caps.offsetX;
    const int y = l.originY + l.extraTop + (i / 3) * l.cellHeight + caps.offsetY;
    const std::string where = "thumbnail " + std::to_string(i);
    if (i < kFiles) {
      // Loaded to fit the square, printed at its own size against the square's bottom.
      const bool tall = i == 3;
      const int width = tall ? l.thumbSize * 450 / 800 : l.thumbSize;
      const int height = tall ? l.thumbSize : l.thumbSize * 600 / 800;
      const Box want = {x, y + square - height, x + width - 1, y + square - 1};
      EXPECT_TRUE(Near(FindColour(page, Colour(i), {x - 20, y - 20, x + l.cellWidth, y + square + 20}), want))
          << where;
    } else {
      EXPECT_GT(DarkPixels(page, {x + square / 2 - 2, y + square / 2 - 2, x + square / 2 + 2, y + square / 2 + 2}),
                0)
          << "the broken file's cross";
    }
    EXPECT_GT(DarkPixels(page, {x, y + square, x + l.thumbSize, y + square + 3 * l.spacing}), 30)
        << where << ": its captions";
  }
}

}  // namespace
