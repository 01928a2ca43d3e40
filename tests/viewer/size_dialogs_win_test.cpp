// The size dialogs under Wine: "Resize Image" keeps the proportions as either side is typed, is
// closed by its OK button only, and hands back sizes the image library can make (a side of 0, an
// empty one or one past the largest refused with a message, a size past the pixel cap shown
// reduced and said so, five-digit sides as they came); "Canvas Size" refuses sides outside
// 10..20000 and says so when two large sides are more pixels than the cap;
// "Scale Collage" takes a factor of up to 8 characters. Each with its exact texts.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "canvas_size_dlg.h"
#include "dialog_user_win.h"
#include "resize_image_dlg.h"
#include "resource.h"
#include "scale_collage_dlg.h"
#include "ui_driver.h"

namespace {

std::string ItemText(HWND dialog, int id) { return TextOf(::GetDlgItem(dialog, id)); }

int TextLimit(HWND dialog, int id) { return int(::SendDlgItemMessageA(dialog, id, EM_GETLIMITTEXT, 0, 0)); }

TEST(ResizeImageDialog, ShowsItsTextsAndTheStartingSize) {
  CResizeImageDlg dialog;
  dialog.width = 640;
  dialog.height = 480;
  std::vector<std::string> texts;
  std::vector<int> limits;
  EXPECT_EQ(RunModal(dialog, "Resize Image",
                     [&](HWND window) {
                       texts = ControlTexts(window);
                       limits = {TextLimit(window, IDC_SIZE_WIDTH), TextLimit(window, IDC_SIZE_HEIGHT)};
                       ShownPicture(window, true, "resize_image");
                       PressButton(window, IDC_RESIZE_OK);
                     }),
            IDOK);
  EXPECT_EQ(texts, (std::vector<std::string>{"New image dimensions", "Width", "640", "Height", "480",
                                               "Aspect ratio will be preserved", "OK", "Cancel"}));
  // Five digits: the library's largest side, 30000, must fit.
  EXPECT_EQ(limits, (std::vector<int>{5, 5}));
  EXPECT_EQ(dialog.width, 640);
  EXPECT_EQ(dialog.height, 480);
}

TEST(ResizeImageDialog, TypingOneSideSetsTheOtherAndOkGivesASizeTheLibraryCanMake) {
  const struct {
    int width, height;
    int typedId;
    const char* typed;  // none: nothing typed
    const char* other;  // the other side's text afterwards
    int resultWidth, resultHeight;
  } cases[] = {
      {200, 100, IDC_SIZE_HEIGHT, "50", "100", 100, 50},
      {200, 100, IDC_SIZE_WIDTH, "50", "25", 50, 25},
      {640, 480, IDC_SIZE_WIDTH, "333", "249", 333, 249},
      // Sides of five digits come back as they went in.
      {12000, 8000, 0, nullptr, nullptr, 12000, 8000},
      // A caller's zero size divides nothing.
      {0, 0, IDC_SIZE_WIDTH, "120", "1", 120, 1},
  };
  for (const auto& c : cases) {
    CResizeImageDlg dialog;
    dialog.width = c.width;
    dialog.height = c.height;
    std::string other;
    EXPECT_EQ(RunModal(dialog, "Resize Image",
                       [&](HWND window) {
                         if (c.typed) {
                           ::SetDlgItemTextA(window, c.typedId, c.typed);
                           other = ItemText(window, c.typedId == IDC_SIZE_WIDTH ? IDC_SIZE_HEIGHT : IDC_SIZE_WIDTH);
                         }
                         PressButton(window, IDC_RESIZE_OK);
                       }),
              IDOK);
    const std::string label = std::to_string(c.width) + " x " + std::to_string(c.height) + " typed " +
                              (c.typed ? c.typed : "nothing");
    if (c.other) {
      EXPECT_EQ(other, c.other) << label;
    }
    EXPECT_EQ(dialog.width, c.resultWidth) << label;
    EXPECT_EQ(dialog.height, c.resultHeight) << label;
  }
}

// OK with a side the library cannot make keeps the dialog open with a message: a typed 0 or an
// emptied side never resizes to 1 x 1, and a size past the pixel cap is shown reduced, which a
// second OK takes.
TEST(ResizeImageDialog, RefusesSidesItCannotMakeAndSaysWhenItReducesASize) {
  const struct {
    int width, height;
    int typedId;
    const char* typed;
    const char* message;
    const char* shownWidth;  // the fields after the message
    const char* shownHeight;
  } cases[] = {
      {200, 100, IDC_SIZE_HEIGHT, "0", "Please enter an integer between 1 and 30000.", "1", "0"},
      {200, 100, IDC_SIZE_WIDTH, "", "Please enter an integer.", "", "1"},
      {200, 100, IDC_SIZE_WIDTH, "99999", "Please enter an integer between 1 and 30000.", "99999", "30000"},
      {30000, 10, IDC_SIZE_HEIGHT, "9999",
       "A picture may have at most 268435456 pixels: the size was reduced to 28379 x 9458.", "28379", "9458"},
  };
  for (const auto& c : cases) {
    CResizeImageDlg dialog;
    dialog.width = c.width;
    dialog.height = c.height;
    std::string message, shownWidth, shownHeight;
    bool stayedOpen = false;
    EXPECT_EQ(RunModal(dialog, "Resize Image",
                       [&](HWND window) {
                         ::SetDlgItemTextA(window, c.typedId, c.typed);
                         PressButton(window, IDC_RESIZE_OK);
                         message = AnswerMessageBox();
                         stayedOpen = ::IsWindowVisible(window) != FALSE;
                         shownWidth = ItemText(window, IDC_SIZE_WIDTH);
                         shownHeight = ItemText(window, IDC_SIZE_HEIGHT);
                         PressButton(window, IDCANCEL);
                       }),
              IDCANCEL);
    EXPECT_EQ(message, c.message) << c.typed;
    EXPECT_TRUE(stayedOpen) << c.typed;
    EXPECT_EQ(shownWidth, c.shownWidth) << c.typed;
    EXPECT_EQ(shownHeight, c.shownHeight) << c.typed;
    EXPECT_EQ(dialog.width, c.width) << c.typed;
    EXPECT_EQ(dialog.height, c.height) << c.typed;
  }
  // The reduced size, confirmed.
  CResizeImageDlg dialog;
  dialog.width = 30000;
  dialog.height = 10;
  EXPECT_EQ(RunModal(dialog, "Resize Image",
                     [&](HWND window) {
                       ::SetDlgItemTextA(window, IDC_SIZE_HEIGHT, "9999");
                       PressButton(window, IDC_RESIZE_OK);
                       AnswerMessageBox();
                       PressButton(window, IDC_RESIZE_OK);
                     }),
            IDOK);
  EXPECT_EQ(dialog.width, 28379);
  EXPECT_EQ(dialog.height, 9458);
}

TEST(ResizeImageDialog, EnterDoesNotCloseItAndCancelKeepsTheCallersSize) {
  CResizeImageDlg dialog;
  dialog.width = 200;
  dialog.height = 100;
  bool openAfterEnter = false;
  EXPECT_EQ(RunModal(dialog, "Resize Image",
                     [&](HWND window) {
                       HWND height = ::GetDlgItem(window, IDC_SIZE_HEIGHT);
                       ::SetWindowTextA(height, "5");
                       // Enter, then a digit typed after it: once the digit is in, Enter was handled.
                       ::PostMessageA(height, WM_KEYDOWN, VK_RETURN, 0);
                       ::PostMessageA(height, WM_CHAR, '0', 0);
                       for (int i = 0; i < 500 && TextOf(height).size() != 2; ++i) ::Sleep(10);
                       openAfterEnter = ::IsWindowVisible(window) && TextOf(height).size() == 2;
                       PressButton(window, IDCANCEL);
                     }),
            IDCANCEL);
  EXPECT_TRUE(openAfterEnter);
  EXPECT_EQ(dialog.width, 200);
  EXPECT_EQ(dialog.height, 100);
}

TEST(CanvasSizeDialog, ShowsTheSizeAndTakesANewOne) {
  const struct {
    const char* width;
    const char* height;
    int resultWidth, resultHeight;
  } cases[] = {
      {"800", "300", 800, 300},
      {"10", "20000", 10, 20000},
      {"20000", "13421", 20000, 13421},
  };
  for (const auto& c : cases) {
    CCanvasSizeDlg dialog;
    dialog.width = 500;
    dialog.height = 300;
    std::vector<std::string> texts;
    EXPECT_EQ(RunModal(dialog, "Canvas Size",
                       [&](HWND window) {
                         texts = ControlTexts(window);
                         ShownPicture(window, true, "canvas_size");
                         ::SetDlgItemTextA(window, IDC_SIZE_WIDTH, c.width);
                         ::SetDlgItemTextA(window, IDC_SIZE_HEIGHT, c.height);
                         PressButton(window, IDOK);
                       }),
              IDOK);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"New canvas dimensions", "Width", "500", "Height", "300", "OK", "Cancel"}));
    EXPECT_EQ(dialog.width, c.resultWidth) << c.width << " x " << c.height;
    EXPECT_EQ(dialog.height, c.resultHeight) << c.width << " x " << c.height;
  }
}

TEST(CanvasSizeDialog, RefusesSidesOutsideTenTo20000) {
  const struct {
    int id;
    const char* text;
  } cases[] = {{IDC_SIZE_WIDTH, "9"}, {IDC_SIZE_WIDTH, "20001"}, {IDC_SIZE_HEIGHT, "9"}, {IDC_SIZE_HEIGHT, "20001"}};
  for (const auto& c : cases) {
    CCanvasSizeDlg dialog;
    dialog.width = 500;
    dialog.height = 300;
    EXPECT_EQ(RefusalOf(dialog, "Canvas Size", c.id, c.text), "Please enter an integer between 10 and 20000.")
        << c.text;
    EXPECT_EQ(dialog.width, 500);
    EXPECT_EQ(dialog.height, 300);
  }
}

// Two sides of 20000 are more pixels than a picture may have: the dialog says so and shows the
// size that fits, which a second OK takes.
TEST(CanvasSizeDialog, SaysWhenTwoLargeSidesAreReduced) {
  CCanvasSizeDlg dialog;
  dialog.width = 500;
  dialog.height = 300;
  std::string message, shown;
  EXPECT_EQ(RunModal(dialog, "Canvas Size",
                     [&](HWND window) {
                       ::SetDlgItemTextA(window, IDC_SIZE_WIDTH, "20000");
                       ::SetDlgItemTextA(window, IDC_SIZE_HEIGHT, "20000");
                       PressButton(window, IDOK);
                       message = AnswerMessageBox();
                       shown = ItemText(window, IDC_SIZE_WIDTH) + " x " + ItemText(window, IDC_SIZE_HEIGHT);
                       PressButton(window, IDOK);
                     }),
            IDOK);
  EXPECT_EQ(message, "A picture may have at most 268435456 pixels: the size was reduced to 16384 x 16384.");
  EXPECT_EQ(shown, "16384 x 16384");
  EXPECT_EQ(dialog.width, 16384);
  EXPECT_EQ(dialog.height, 16384);
}

TEST(ScaleCollageDialog, TakesAFactorOfUpToEightCharacters) {
  const struct {
    const char* typed;
    int closing;
    const char* result;
  } cases[] = {{"2.5", IDOK, "2.5"}, {"0.333333", IDOK, "0.333333"}, {"3", IDCANCEL, "1.0"}};
  for (const auto& c : cases) {
    CScaleCollageDlg dialog;
    dialog.factor = "1.0";
    std::vector<std::string> texts;
    int limit = 0;
    EXPECT_EQ(RunModal(dialog, "Scale Collage",
                       [&](HWND window) {
                         texts = ControlTexts(window);
                         limit = TextLimit(window, IDC_SCALE_FACTOR);
                         ShownPicture(window, true, "scale_collage");
                         ::SetDlgItemTextA(window, IDC_SCALE_FACTOR, c.typed);
                         PressButton(window, c.closing);
                       }),
              c.closing);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Scale Collage \nincrease or decrease the size of the collage\nincluding the images",
                         "Scale Factor (1.0 = no change)", "1.0", "OK", "Cancel"}));
    EXPECT_EQ(limit, 8);
    EXPECT_EQ(dialog.factor, c.result) << c.typed;
  }
}

}  // namespace
