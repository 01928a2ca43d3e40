// The batch process sheet and the batch workers under Wine: the sheet's pages, texts and stored
// values, Process Now's list; a run over real photographs with its progress and end; Abort and
// the program's end during a run leaving only complete pictures; the lossless transform.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app_settings.h"
#include "batch_process_ps.h"
#include "batch_progress_dlg.h"
#include "batch_threads.h"
#include "drop_files_block.h"
#include "missing_files.h"
#include "private_messages.h"
#include "property_sheet_driver.h"
#include "resource.h"
#include "temp_folder.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

const char kFlower[] = "Z:/usr/share/libjxl-testdata/jxl/flower/flower.png.im_q85_420.jpg";  // 2268 x 1512
const char kSquare[] = "Z:/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg";         // 1040 x 1040

// A window standing in for the main frame: it keeps what the sheet and the workers tell it.
class FrameStandIn {
 public:
  FrameStandIn() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BatchFrameStandIn";
    ::RegisterClassA(&windowClass);
    hwnd = ::CreateWindowExA(0, "BatchFrameStandIn", "Frame", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
    s_self = this;
  }
  ~FrameStandIn() {
    ::DestroyWindow(hwnd);
    s_self = nullptr;
  }

  // Dispatches messages until the stand-in has heard the message, with the sheet's navigation.
  void RunUntil(UINT awaited, ModelessPropertySheet* sheet = nullptr) {
    MSG message;
    while (!Heard(awaited) && ::GetMessageA(&message, nullptr, 0, 0)) {
      if (sheet && sheet->Handle() && sheet->PreTranslateMessage(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  bool Heard(UINT message) {
    std::lock_guard<std::mutex> hold(lock);
    for (UINT m : messages)
      if (m == message) return true;
    return false;
  }

  HWND hwnd = nullptr;
  std::mutex lock;
  std::vector<UINT> messages;
  std::vector<std::string> progress;
  std::vector<std::string> changed;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    FrameStandIn* self = s_self;
    if (self && message >= WM_USER) {
      std::lock_guard<std::mutex> hold(self->lock);
      self->messages.push_back(message);
      if (message == WM_BATCH_PROGRESS) {
        self->progress.push_back(reinterpret_cast<char*>(wParam));
        delete[] reinterpret_cast<char*>(wParam);
      }
      if (message == WM_FILE_CHANGED) self->changed.push_back(reinterpret_cast<const char*>(wParam));
      return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  static FrameStandIn* s_self;
};
FrameStandIn* FrameStandIn::s_self = nullptr;

std::vector<std::string> ListRows(HWND page) {
  std::vector<std::string> rows;
  const HWND list = ::GetDlgItem(page, IDC_BATCH_LIST);
  for (int i = 0; i < ListView_GetItemCount(list); ++i) {
    char text[MAX_PATH] = {};
    ListView_GetItemText(list, i, 0, text, sizeof text);
    rows.push_back(text);
  }
  return rows;
}

class BatchSheet : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    g_settings = CAppSettings();
    auto& resize = g_settings.batchResize;
    resize.batchpath = "c:\\pics\\thumbs";
    resize.targetsize = 1;
    resize.customwidth = resize.customheight = 100;
    resize.quality = 75;
    resize.transparent = resize.bordercolor = 0xFFFFFF;
    resize.bordsizx = resize.bordsizy = 50;
    g_settings.effects = {3, 3, 15, 10, 25};
  }
};

TEST_F(BatchSheet, PagesShowTheirTextsAndProcessNowHandsOverTheListAndStoresThePageInFront) {
  FrameStandIn frame;
  const std::vector<std::string> selected = {"C:\\in\\a.jpg", "C:\\in\\B.jpg", "C:\\in\\b.jpg"};
  const std::vector<std::string> all = {"C:\\in\\a.jpg", "C:\\in\\B.jpg", "C:\\in\\b.jpg", "C:\\in\\c.jpg"};
  int foldersMade = 0;
  CBatchProcessPS sheet(
      BatchSheetHooks{[&](bool selectedOnly) { return selectedOnly ? selected : all; }, [&] { ++foldersMade; }});
  std::vector<std::string> tabs, opened, afterAdd, afterNoDuplicates, outputTexts, sizeTexts, overlayTexts, borderTexts;
  std::string sheetCaption, saveSetup, processNow;
  RECT client = {}, processArea = {};
  UiDriver user([&] {
    HWND window = WaitForWindow("Batch process images");
    ASSERT_TRUE(window);
    char text[64] = {};
    ::GetWindowTextA(window, text, sizeof text);
    sheetCaption = text;
    tabs = SheetTabs(window);
    saveSetup = ControlText(window, IDC_BATCH_SAVE_SETUP);
    processNow = ControlText(window, IDC_BATCH_PROCESS_NOW);
    ::GetClientRect(window, &client);
    ::GetWindowRect(::GetDlgItem(window, IDC_BATCH_PROCESS_NOW), &processArea);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&processArea), 2);
    HWND input = SheetPage(window, 0);
    opened = ListRows(input);
    PressButton(input, IDC_BATCH_ADD_FOLDER);
    WaitFor([&] { return ListRows(input).size() == 7; });
    afterAdd = ListRows(input);
    PressButton(input, IDC_BATCH_NO_DUPLICATES);
    WaitFor([&] { return ListRows(input).size() == 4; });
    afterNoDuplicates = ListRows(input);
    for (int page : {CBatchProcessPS::kOverlay, CBatchProcessPS::kBorder, CBatchProcessPS::kSize})
      ASSERT_TRUE(ShowSheetPage(window, page));
    overlayTexts = ChildTexts(SheetPage(window, CBatchProcessPS::kOverlay));
    borderTexts = ChildTexts(SheetPage(window, CBatchProcessPS::kBorder));
    sizeTexts = ChildTexts(SheetPage(window, CBatchProcessPS::kSize));
    HWND size = SheetPage(window, CBatchProcessPS::kSize);
    ::SendDlgItemMessageA(size, IDC_BATCH_SIZE_800, BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendDlgItemMessageA(size, IDC_BATCH_SIZE_CUSTOM, BM_SETCHECK, BST_CHECKED, 0);
    ::SetDlgItemTextA(size, IDC_BATCH_CUSTOM_WIDTH, "1200");
    ASSERT_TRUE(ShowSheetPage(window, CBatchProcessPS::kOutput));
    HWND output = SheetPage(window, CBatchProcessPS::kOutput);
    outputTexts = ChildTexts(output);
    PressButton(output, IDC_BATCH_NEW_FOLDER);
    WaitFor([&] { return ControlText(output, IDC_BATCH_PATH).find("Batch") != std::string::npos; });
    // Typed on the page in front, which Process Now does not leave.
    ::SetDlgItemTextA(output, IDC_BATCH_PATH, "D:\\out");
    ::SendDlgItemMessageA(output, IDC_BATCH_FORMAT, BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendDlgItemMessageA(output, IDC_BATCH_FORMAT_PNG, BM_SETCHECK, BST_CHECKED, 0);
    PressButton(window, IDC_BATCH_PROCESS_NOW);
    EXPECT_TRUE(WaitUntilClosed(window));
  });
  const std::string current = std::filesystem::current_path().string();
  ASSERT_TRUE(sheet.Create(frame.hwnd));
  frame.RunUntil(WM_BATCHSHEET_CLOSED, &sheet);
  frame.RunUntil(WM_BATCH_START);
  EXPECT_EQ(sheetCaption, "Batch process images");
  EXPECT_EQ(tabs, (std::vector<std::string>{" Input ", " Output ", " Size ", " Overlay ", " Border ", "Bevel Edges"}));
  EXPECT_EQ(saveSetup, "Save Setup");
  EXPECT_EQ(processNow, "Process Now");
  EXPECT_EQ((std::vector<LONG>{processArea.left, processArea.bottom, processArea.bottom - processArea.top}),
            (std::vector<LONG>{120, client.bottom - 2, 27}));
  EXPECT_EQ(opened, selected);
  EXPECT_EQ(afterNoDuplicates,
            (std::vector<std::string>{"C:\\in\\a.jpg", "C:\\in\\B.jpg", "C:\\in\\b.jpg", "C:\\in\\c.jpg"}))
      << "duplicates go, rows differing in letter case stay";
  EXPECT_EQ(afterAdd.size(), 7u);
  EXPECT_EQ(g_batchWorkList.Entries(),
            (std::vector<std::string>{"C:\\in\\c.jpg", "C:\\in\\b.jpg", "C:\\in\\B.jpg", "C:\\in\\a.jpg"}));
  EXPECT_EQ(g_settings.batchResize.batchpath, "D:\\out");
  EXPECT_EQ(g_settings.batchResize.format, 4);
  EXPECT_EQ(g_settings.batchResize.targetsize, 3);
  EXPECT_EQ(g_settings.batchResize.customwidth, 1200);
  EXPECT_EQ(foldersMade, 1);
  EXPECT_TRUE(std::filesystem::is_directory(current + "\\Batch"));
  std::filesystem::remove(current + "\\Batch");
  EXPECT_EQ(outputTexts,
            (std::vector<std::string>{"c:\\pics\\thumbs", "Choose Folder", "Current Folder", "./Batch",
                                      "Original format", "JPEG", "GIF", "BMP", "PNG", "TIF", "75", "Colormapped",
                                      "Dithered", " Use Original Quality (when possible)"}));
  EXPECT_EQ(sizeTexts, (std::vector<std::string>{"640 x 480", "800 x 600", "1024 x 768", "Custom size", "Original size",
                                                 "100", "100", "Underfill output image, preserving aspect ratio",
                                                 "Overfill output image, cropping to fit output aspect ratio."}));
  EXPECT_EQ(overlayTexts, (std::vector<std::string>{"", "Choose", "Use overlay", "Top", "Centered", "Bottom", "Left",
                                                    "Centered", "Right", " Use transparency ", " Transparent Color ",
                                                    "Or, drop a thumbnail here "}));
  EXPECT_EQ(borderTexts[2], "Use border image");
  EXPECT_EQ(borderTexts.back(), "Or, drop a thumbnail here");
}

TEST_F(BatchSheet, SaveSetupStoresEveryShownPageAndTheBordersExcludeEachOther) {
  FrameStandIn frame;
  CBatchProcessPS sheet(BatchSheetHooks{[](bool) { return std::vector<std::string>(); }, nullptr});
  bool solidAfterImage = true;
  UiDriver user([&] {
    HWND window = WaitForWindow("Batch process images");
    ASSERT_TRUE(window);
    ASSERT_TRUE(ShowSheetPage(window, CBatchProcessPS::kBorder));
    HWND border = SheetPage(window, CBatchProcessPS::kBorder);
    // Each click handled before the next step: a click still queued would undo the checks after it.
    const auto click = [&](int id) {
      HWND button = ::GetDlgItem(border, id);
      ::SendMessageA(border, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    };
    ::SendDlgItemMessageA(border, IDC_BATCH_SOLID_BORDER, BM_SETCHECK, BST_CHECKED, 0);  // as its own click does
    click(IDC_BATCH_SOLID_BORDER);
    ::SendDlgItemMessageA(border, IDC_BATCH_USE_BORDER_IMAGE, BM_SETCHECK, BST_CHECKED, 0);
    click(IDC_BATCH_USE_BORDER_IMAGE);
    solidAfterImage = ::IsDlgButtonChecked(border, IDC_BATCH_SOLID_BORDER) == BST_CHECKED;
    ::SetDlgItemTextA(border, IDC_BATCH_BORDER_WIDTH, "70");
    ASSERT_TRUE(ShowSheetPage(window, CBatchProcessPS::kBevel));
    ::SendDlgItemMessageA(SheetPage(window, CBatchProcessPS::kBevel), IDC_BEVEL_NONE, BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendDlgItemMessageA(SheetPage(window, CBatchProcessPS::kBevel), IDC_BEVEL_DARK, BM_SETCHECK, BST_CHECKED, 0);
    PressButton(window, IDC_BATCH_SAVE_SETUP);
    EXPECT_TRUE(WaitUntilClosed(window));
  });
  ASSERT_TRUE(sheet.Create(frame.hwnd));
  frame.RunUntil(WM_BATCHSHEET_CLOSED, &sheet);
  EXPECT_FALSE(solidAfterImage);
  EXPECT_EQ(g_settings.batchResize.useborderimg, 1);
  EXPECT_EQ(g_settings.batchResize.border, 0);
  EXPECT_EQ(g_settings.batchResize.bordsizx, 70);
  EXPECT_EQ(g_settings.effects.batchmode, 2) << "the bevel page in front when the sheet closed";
  EXPECT_FALSE(frame.Heard(WM_BATCH_START));
}

// Posts the paths to the window as the shell drops them.
void DropFiles(HWND window, const std::vector<std::string>& paths) {
  const std::string block = DropFilesBlock(paths);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, block.size());
  block.copy(static_cast<char*>(::GlobalLock(memory)), block.size());
  ::GlobalUnlock(memory);
  ::PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

TEST_F(BatchSheet, DroppedFilesGoWhereThePageInFrontTakesThem) {
  FrameStandIn frame;
  CBatchProcessPS sheet(BatchSheetHooks{[](bool) { return std::vector<std::string>{"C:\\a.jpg"}; }, nullptr});
  std::vector<std::string> rows;
  std::string overlay, border;
  UiDriver user([&] {
    HWND window = WaitForWindow("Batch process images");
    ASSERT_TRUE(window);
    HWND input = SheetPage(window, CBatchProcessPS::kInput);
    DropFiles(window, {"C:\\x.jpg", "C:\\y.jpg"});
    WaitFor([&] { return ListRows(input).size() == 3; });
    rows = ListRows(input);
    const struct {
      int page, edit;
      std::string* text;
    } pages[] = {{CBatchProcessPS::kOverlay, IDC_BATCH_OVERLAY_FILE, &overlay},
                 {CBatchProcessPS::kBorder, IDC_BATCH_BORDER_FILE, &border}};
    for (const auto& p : pages) {
      ASSERT_TRUE(ShowSheetPage(window, p.page));
      const HWND page = SheetPage(window, p.page);
      DropFiles(window, {"C:\\first.png", "C:\\second.png"});
      WaitFor([&] { return ControlText(page, p.edit) == "C:\\first.png"; });
      *p.text = ControlText(page, p.edit);
    }
    // Taken, if at all, before the press that follows it in the queue.
    ASSERT_TRUE(ShowSheetPage(window, CBatchProcessPS::kOutput));
    DropFiles(window, {"C:\\first.png"});
    PressButton(window, IDC_BATCH_SAVE_SETUP);
    EXPECT_TRUE(WaitUntilClosed(window));
  });
  ASSERT_TRUE(sheet.Create(frame.hwnd));
  frame.RunUntil(WM_BATCHSHEET_CLOSED, &sheet);
  EXPECT_EQ(rows, (std::vector<std::string>{"C:\\a.jpg", "C:\\x.jpg", "C:\\y.jpg"}));
  EXPECT_EQ(overlay, "C:\\first.png");
  EXPECT_EQ(border, "C:\\first.png");
  EXPECT_EQ(g_settings.batchResize.batchpath, "c:\\pics\\thumbs") << "the Output page takes no drop";
  EXPECT_EQ(g_settings.batchResize.overimg, "C:\\first.png");
  EXPECT_EQ(g_settings.batchResize.borderimg, "C:\\first.png");
}

TEST_F(BatchSheet, TheSheetPaintsWhileItStaysOpen) {
  FrameStandIn frame;
  CBatchProcessPS sheet(BatchSheetHooks{[](bool) { return std::vector<std::string>{"C:\\a.jpg"}; }, nullptr});
  COLORREF face = 0, caption = 0;
  UiDriver user([&] {
    HWND window = WaitForWindow("Batch process images");
    ASSERT_TRUE(window);
    RECT area = {};
    ::GetWindowRect(window, &area);
    HDC screen = ::GetDC(nullptr);
    // Below the list, beside the buttons of the Input page: the dialog's face colour.
    WaitFor([&] { return ::GetPixel(screen, area.right - 8, area.bottom - 40) == ::GetSysColor(COLOR_BTNFACE); });
    face = ::GetPixel(screen, area.right - 8, area.bottom - 40);
    caption = ::GetPixel(screen, (area.left + area.right) / 2, area.top + 4);
    ::ReleaseDC(nullptr, screen);
    ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntilClosed(window));
  });
  ASSERT_TRUE(sheet.Create(frame.hwnd));
  frame.RunUntil(WM_BATCHSHEET_CLOSED, &sheet);
  EXPECT_EQ(face, ::GetSysColor(COLOR_BTNFACE));
  EXPECT_NE(caption, 0u);
}

class BatchWorker : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    for (const char* path : {kFlower, kSquare})
      if (!std::filesystem::exists(path)) SKIP_OR_FAIL_MISSING(std::string("missing ") + path);
    Cimage::S_Initialize();
    out_ = (folder_ / "out").string();
    std::filesystem::create_directory(out_);
  }

  // Copies of the photographs, every other one the square.
  std::vector<std::string> Sources(int count) {
    std::vector<std::string> sources;
    for (int i = 0; i < count; ++i) {
      const std::string path = (folder_ / ("photo" + std::to_string(i) + ".jpg")).string();
      std::filesystem::copy_file(i % 2 ? kSquare : kFlower, path, std::filesystem::copy_options::overwrite_existing);
      sources.push_back(path);
    }
    return sources;
  }

  BatchJob* Job(const std::vector<std::string>& sources, HWND owner) {
    auto* job = new BatchJob;
    job->recipe.folder = out_;
    job->recipe.originalSize = false;
    job->recipe.output = {640, 480};
    job->recipe.format = 4;
    job->recipe.colormap = 0;
    job->recipe.bevelMode = 0;
    job->files = BatchWorkList(sources);
    job->owner = owner;
    return job;
  }

  // Every file in the output folder is a complete picture.
  int CompletePictures() const {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(out_)) {
      Cimage picture;
      picture.LoadImageA(entry.path().string().c_str(), 0, 0, 5);
      EXPECT_TRUE(picture.m_valid && !picture.m_loadError) << entry.path();
      EXPECT_EQ(entry.path().extension(), ".png") << "no temporary left beside the pictures";
      ++count;
    }
    return count;
  }

  std::string out_;
};

TEST_F(BatchWorker, ARunWritesEveryPictureAndReportsItsStepsByPostedMessages) {
  FrameStandIn frame;
  const std::vector<std::string> sources = Sources(2);
  ASSERT_TRUE(StartBatchProcessThread(Job(sources, frame.hwnd)));
  frame.RunUntil(WM_BATCH_DONE);
  EXPECT_EQ(frame.progress, (std::vector<std::string>{"Loading " + sources[1], "Saving " + out_ + "\\photo1.png",
                                                      "Loading " + sources[0], "Saving " + out_ + "\\photo0.png"}));
  EXPECT_EQ(CompletePictures(), 2);
  Cimage expected, written;
  expected.LoadFrameFilled(kFlower, 640, 480, 0);
  int bevel[3] = {15, 10, 25};
  expected.Effect(1, 0, bevel);
  written.LoadImageA((out_ + "\\photo0.png").c_str(), 0, 0, 5);
  EXPECT_TRUE(SamePixels(written, expected));
  EXPECT_TRUE(StopBatchThreads(10000));
}

TEST_F(BatchWorker, AbortStopsAfterTheStepInHandAndSaysSo) {
  FrameStandIn frame;
  CBatchProgressDlg progress;
  BatchAbortFlag = 1;  // left by an earlier run: a new run starts clear all the same
  ASSERT_TRUE(progress.CreateModeless(frame.hwnd));
  EXPECT_EQ(BatchAbortFlag, 0);
  std::string told;
  {
    UiDriver user([&] {
      ASSERT_TRUE(WaitFor([&] {
        std::lock_guard<std::mutex> hold(frame.lock);
        return frame.progress.size() >= 2;
      }));
      PressButton(progress.Handle(), IDC_BATCH_ABORT);
      told = AnswerMessageBox(IDOK, "Error", kAnyThread);
    });
    ASSERT_TRUE(StartBatchProcessThread(Job(Sources(12), frame.hwnd)));
    frame.RunUntil(WM_BATCH_DONE);
    EXPECT_EQ(BatchAbortFlag, 1) << "the flag keeps its value after the run";
    EXPECT_TRUE(StopBatchThreads(10000));
  }  // the driver has told what it read
  EXPECT_EQ(told, "Batch process aborted.");
  const int written = CompletePictures();
  EXPECT_GE(written, 1);
  EXPECT_LT(written, 12);
}

TEST_F(BatchWorker, ATurnStartedWhileABatchRunsKeepsItsPendingAbort) {
  FrameStandIn frame;
  CBatchProgressDlg progress;
  ASSERT_TRUE(progress.CreateModeless(frame.hwnd));
  const std::string turned = (folder_ / "turn.jpg").string();
  std::filesystem::copy_file(kFlower, turned);
  std::string told;
  {
    UiDriver user([&] {
      if (HWND exists = WaitForWindow("File exists")) PressButton(exists, IDOK);
      told = AnswerMessageBox(IDOK, "Error", kAnyThread);
    });
    ASSERT_TRUE(StartBatchProcessThread(Job(Sources(12), frame.hwnd)));
    // Abort pressed, then the view's turn asked for before the batch worker looked at the flag.
    ::SendMessageA(progress.Handle(), WM_COMMAND, MAKEWPARAM(IDC_BATCH_ABORT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(progress.Handle(), IDC_BATCH_ABORT)));
    auto* turn = new BatchJob;
    turn->mode = BatchJob::kTransform;
    turn->op = 1;
    turn->files = BatchWorkList({turned});
    turn->owner = turn->notify = frame.hwnd;
    ASSERT_TRUE(StartTransformThread(turn));
    frame.RunUntil(WM_BATCH_DONE);
    EXPECT_TRUE(StopBatchThreads(30000));
  }
  EXPECT_EQ(told, "Batch process aborted.");
  EXPECT_LT(CompletePictures(), 12);
  EXPECT_TRUE(frame.changed.empty()) << "the turn stops at the same Abort";
}

TEST_F(BatchWorker, EndingTheProgramDuringARunStopsItAndWaitsForIt) {
  FrameStandIn frame;
  std::thread answer([] { AnswerMessageBox(IDOK, "Error", kAnyThread); });
  ASSERT_TRUE(StartBatchProcessThread(Job(Sources(12), frame.hwnd)));
  ASSERT_TRUE(WaitFor([&] {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    std::lock_guard<std::mutex> hold(frame.lock);
    return !frame.progress.empty();
  }));
  EXPECT_TRUE(StopBatchThreads(30000));
  answer.join();
  EXPECT_LT(CompletePictures(), 12);
}

TEST_F(BatchWorker, TheTransformRewritesEachFileInPlaceAfterAskingAndTellsTheView) {
  FrameStandIn frame;
  const std::vector<std::string> sources = Sources(3);
  std::vector<std::string> questions;
  UiDriver user([&] {
    HWND exists = WaitForWindow("File exists");
    ASSERT_TRUE(exists);
    questions.push_back(ControlText(exists, IDC_EXISTING_FILE));
    PressButton(exists, IDC_YES_TO_ALL);
  });
  auto* job = new BatchJob;
  job->mode = BatchJob::kTransform;
  job->op = 1;  // a quarter turn clockwise
  job->files = BatchWorkList(sources);
  job->owner = job->notify = frame.hwnd;
  BatchAbortFlag = 1;  // an aborted batch left it set: the transform still does every file
  ASSERT_TRUE(StartTransformThread(job));
  ASSERT_TRUE(WaitFor(
      [&] {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
        std::lock_guard<std::mutex> hold(frame.lock);
        return frame.changed.size() == 3;
      },
      60000));
  EXPECT_TRUE(StopBatchThreads(10000));
  EXPECT_EQ(frame.changed, (std::vector<std::string>{sources[2], sources[1], sources[0]}));
  EXPECT_EQ(questions.size(), 1u) << "Yes to All asks no more";
  Cimage turned;
  turned.LoadImageA(sources[0].c_str(), 0, 0, 5);
  // Turned without decoding, the ragged edge of partial blocks is trimmed.
  EXPECT_EQ((std::vector<int>{turned.m_width, turned.m_height}), (std::vector<int>{1504, 2268}));
}

}  // namespace
