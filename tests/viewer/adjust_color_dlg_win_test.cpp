// "Adjust Color" under Wine with a real photograph: its texts and tips, the reduced picture its
// preview shows before and after adjusting (exactly the full pass on the reduced picture), the
// curve plots, the steps of its buttons with and without Shift or Ctrl at the limits, Reset and
// the curve shapes, and that the caller's picture is never touched, on Cancel as on OK.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "adjust_color_dlg.h"
#include "color_adjustment.h"
#include "dialog_user_win.h"
#include "missing_files.h"
#include "resource.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

// Found by the assertions through the values' own (global) namespace.
static bool operator==(const ColorAdjustment& a, const ColorAdjustment& b) {
  return a.brightness == b.brightness && a.saturation == b.saturation && a.contrast == b.contrast &&
         a.saturationMode == b.saturationMode && a.contrastMode == b.contrastMode;
}

static std::ostream& operator<<(std::ostream& out, const ColorAdjustment& a) {
  return out << "{" << a.brightness << ", " << a.saturation << ", " << a.contrast << ", " << a.saturationMode << ", "
             << a.contrastMode << "}";
}

namespace {

constexpr char kCaption[] = "Adjust Color";
constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kBlack = 0;

// The custom window a frame control of the dialog holds.
HWND InsideFrame(HWND dialog, int frameId) { return ::GetWindow(::GetDlgItem(dialog, frameId), GW_CHILD); }

class AdjustColorDialog : public testing::Test {
 protected:
  void SetUp() override {
    const std::string flower = FlowerPhotoPath();
    if (flower.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata's flower photograph is not installed");
    photo_.LoadImageA(flower.c_str(), 0, 0, 0);
    ASSERT_TRUE(photo_.m_pixels && !photo_.m_loadError);
  }

  // The preview of the dialog's window must show the photograph reduced into it less its
  // margin, centred, adjusted as the full pass would adjust it, and white around it.
  void ExpectPreviewShows(HWND window, const ColorAdjustment& adjustment, const char* name) const {
    HWND preview = InsideFrame(window, IDC_ADJUST_PREVIEW);
    Cimage expected;
    const auto difference = [&](Cimage& shown) {
      expected = photo_;
      expected.ReSample(shown.m_width - 14, shown.m_height - 14, 2);
      ApplyColorAdjustment(expected, adjustment);
      return LargestDifference(expected, shown, (shown.m_width - expected.m_width) / 2,
                               (shown.m_height - expected.m_height) / 2);
    };
    Cimage shown = ShownPictureOnce(preview, [&](Cimage& seen) {
      return seen.m_width > 14 && seen.GetRGB(2, 2) == kWhite && difference(seen) == 0;
    });
    ASSERT_GT(expected.m_width, 0);
    EXPECT_EQ(difference(shown), 0) << adjustment;
    EXPECT_EQ(shown.GetRGB(2, 2), kWhite);
    EXPECT_EQ(shown.GetRGB(shown.m_width - 3, shown.m_height - 3), kWhite);
    ShownPicture(window, true, name);
  }

  Cimage photo_;
};

TEST_F(AdjustColorDialog, ShowsItsTextsTipsAndThePhotographAdjusted) {
  CAdjustColorDlg dialog(photo_);
  std::vector<std::string> texts, tips, insideFrames;
  EXPECT_EQ(RunModal(dialog, kCaption,
                     [&](HWND window) {
                       texts = ControlTexts(window);
                       for (int id : {IDC_BRIGHTNESS_UP, IDC_BRIGHTNESS_DOWN, IDC_SATURATION_UP, IDC_SATURATION_DOWN,
                                      IDC_CONTRAST_UP, IDC_CONTRAST_DOWN, IDOK, IDCANCEL, IDC_ADJUST_RESET})
                         tips.push_back(TipText(window, id));
                       for (int id : {IDC_ADJUST_PREVIEW, IDC_BRIGHTNESS_CURVE, IDC_SATURATION_CURVE,
                                      IDC_CONTRAST_CURVE})
                         insideFrames.push_back(TextOf(InsideFrame(window, id)));
                       ExpectPreviewShows(window, ColorAdjustment{}, "adjust_color");
                       {
                         HeldKey shift(window, VK_SHIFT);
                         for (int i = 0; i < 3; ++i) Click(window, IDC_BRIGHTNESS_UP);
                         Click(window, IDC_SATURATION_DOWN);
                       }
                       Click(window, IDC_CONTRAST_UP);
                       ExpectPreviewShows(window, ColorAdjustment{130, 75, 105, 2, 2}, "adjust_color_adjusted");
                       PressButton(window, IDOK);
                     }),
            IDOK);
  EXPECT_EQ(texts, (std::vector<std::string>{"", " Brightness ", "", "+", "-", " Saturation ", "", "+", "-",
                                               " Contrast ", "", "+", "-", "Reset",
                                               "Press and hold SHIFT while adjusting color for faster response",
                                               "OK", "Cancel"}));
  EXPECT_EQ(tips, (std::vector<std::string>{"Brighter", "Darker", "More color", "Less color", "Increase contrast",
                                              "Decrease contrast", "Apply these settings", "Cancel color adjust",
                                              ""}));
  EXPECT_EQ(insideFrames, (std::vector<std::string>(4, "preview")));
  EXPECT_EQ(dialog.adjustment, (ColorAdjustment{130, 75, 105, 2, 2}));
}

TEST_F(AdjustColorDialog, OpensAgainWithTheValuesItClosedWith) {
  CAdjustColorDlg dialog(photo_);
  for (int opening = 0; opening < 2; ++opening) {
    const ColorAdjustment start = dialog.adjustment;
    EXPECT_EQ(RunModal(dialog, kCaption,
                       [&](HWND window) {
                         ExpectPreviewShows(window, start, nullptr);
                         Click(window, IDC_CONTRAST_DOWN);
                         PressButton(window, IDOK);
                       }),
              IDOK);
  }
  EXPECT_EQ(dialog.adjustment, (ColorAdjustment{100, 100, 90, 2, 2}));
}

TEST_F(AdjustColorDialog, ItsButtonsShowTheirBitmapsRaisedAndPressed) {
  // The corners of the bitmaps: white at the top left of a raised button, black at the top left
  // of a pressed one.
  struct Look {
    int width, height;
    unsigned topLeft, middle;
  };
  std::vector<Look> looks;
  CAdjustColorDlg dialog(photo_);
  RunModal(dialog, kCaption, [&](HWND window) {
    for (int id : {IDC_SATURATION_UP, IDC_SATURATION_DOWN}) {
      HWND button = ::GetDlgItem(window, id);
      for (BOOL pressed : {FALSE, TRUE}) {
        ::SendMessageA(button, BM_SETSTATE, pressed, 0);
        Cimage shown = ShownPicture(button);
        // The glyph's stroke crosses the middle row, one pixel lower when pressed.
        looks.push_back({shown.m_width, shown.m_height, shown.GetRGB(0, 0),
                         shown.GetRGB(shown.m_width / 2 + 2, shown.m_height / 2 - 1 + pressed)});
      }
    }
    PressButton(window, IDCANCEL);
  });
  ASSERT_EQ(looks.size(), 4u);
  for (const Look& look : looks) {
    EXPECT_EQ(look.width, 20);
    EXPECT_EQ(look.height, 16);
    EXPECT_EQ(look.middle, kBlack);
  }
  EXPECT_EQ(looks[0].topLeft, kWhite);
  EXPECT_EQ(looks[1].topLeft, kBlack);
  EXPECT_EQ(looks[2].topLeft, kWhite);
  EXPECT_EQ(looks[3].topLeft, kBlack);
}

TEST_F(AdjustColorDialog, PlotsTheCurveOfEachValue) {
  CAdjustColorDlg dialog(photo_);
  // Where the brightness plot is black: at neutral the diagonal; at 200 twice as steep, so that
  // the upper half of the inputs runs along the top.
  struct Plot {
    int width, height;
    std::vector<unsigned> diagonal;  // at inputs 64, 128, 192
    std::vector<unsigned> top;       // the top row at inputs 64, 128 and 192
  };
  Plot neutral = {}, doubled = {};
  const auto look = [](HWND curve, Plot& plot) {
    Cimage shown = ShownPicture(curve);
    plot.width = shown.m_width;
    plot.height = shown.m_height;
    plot.diagonal.clear();
    plot.top.clear();
    for (int i : {64, 128, 192})
      plot.diagonal.push_back(shown.GetRGB(i * shown.m_width / 255, (255 - i) * shown.m_height / 255));
    for (int i : {64, 128, 192}) plot.top.push_back(shown.GetRGB(i * shown.m_width / 255, 0));
  };
  RunModal(dialog, kCaption, [&](HWND window) {
    look(InsideFrame(window, IDC_BRIGHTNESS_CURVE), neutral);
    {
      HeldKey shift(window, VK_SHIFT);
      for (int i = 0; i < 10; ++i) Click(window, IDC_BRIGHTNESS_UP);
    }
    // The plot is drawn again after the last click: read until it shows the new curve, with a bound.
    WaitFor([&] {
      look(InsideFrame(window, IDC_BRIGHTNESS_CURVE), doubled);
      return doubled.top == std::vector<unsigned>{kWhite, kBlack, kBlack};
    }, 5000);
    PressButton(window, IDCANCEL);
  });
  ASSERT_GT(neutral.width, 20);
  ASSERT_GT(neutral.height, 20);
  EXPECT_EQ(neutral.diagonal, (std::vector<unsigned>{kBlack, kBlack, kBlack}));
  EXPECT_EQ(neutral.top, (std::vector<unsigned>{kWhite, kWhite, kWhite}));
  EXPECT_EQ(doubled.diagonal, (std::vector<unsigned>{kWhite, kWhite, kWhite}));
  EXPECT_EQ(doubled.top, (std::vector<unsigned>{kWhite, kBlack, kBlack}));
}

TEST_F(AdjustColorDialog, ButtonsStepTheValuesAndStopAtTheLimits) {
  const struct {
    const char* what;
    ColorAdjustment start;
    int button;
    int heldKey;
    ColorAdjustment expected;
  } cases[] = {
      {"brightness 1 down", {1, 100, 100, 2, 2}, IDC_BRIGHTNESS_DOWN, 0, {0, 100, 100, 2, 2}},
      {"brightness 199 up", {199, 100, 100, 2, 2}, IDC_BRIGHTNESS_UP, 0, {200, 100, 100, 2, 2}},
      {"brightness up with Shift", {100, 100, 100, 2, 2}, IDC_BRIGHTNESS_UP, VK_SHIFT, {110, 100, 100, 2, 2}},
      {"saturation 180 up with Shift", {100, 180, 100, 2, 2}, IDC_SATURATION_UP, VK_SHIFT, {100, 200, 100, 2, 2}},
      {"contrast down with Ctrl", {100, 100, 100, 2, 2}, IDC_CONTRAST_DOWN, VK_CONTROL, {100, 100, 75, 2, 2}},
      {"Reset keeps the shapes", {150, 30, 170, 3, 3}, IDC_ADJUST_RESET, VK_SHIFT, {100, 100, 100, 3, 3}},
  };
  for (const auto& c : cases) {
    CAdjustColorDlg dialog(photo_);
    dialog.adjustment = c.start;
    EXPECT_EQ(RunModal(dialog, kCaption,
                       [&](HWND window) {
                         {
                           HeldKey held(window, c.heldKey);
                           Click(window, c.button);
                         }
                         PressButton(window, IDOK);
                       }),
              IDOK);
    EXPECT_EQ(dialog.adjustment, c.expected) << c.what;
  }
}

TEST_F(AdjustColorDialog, DoubleClicksOnTheSaturationAndContrastCurvesToggleTheirShapes) {
  CAdjustColorDlg dialog(photo_);
  RunModal(dialog, kCaption, [&](HWND window) {
    const auto doubleClick = [&](int frameId) {
      ::SendMessageA(InsideFrame(window, frameId), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    };
    doubleClick(IDC_SATURATION_CURVE);
    doubleClick(IDC_CONTRAST_CURVE);
    doubleClick(IDC_CONTRAST_CURVE);
    doubleClick(IDC_CONTRAST_CURVE);
    doubleClick(IDC_BRIGHTNESS_CURVE);  // brightness has one shape only
    PressButton(window, IDOK);
  });
  EXPECT_EQ(dialog.adjustment, (ColorAdjustment{100, 100, 100, 3, 3}));
}

TEST_F(AdjustColorDialog, LeavesTheCallersPictureAsItWasAfterPreviews) {
  const Cimage pristine(photo_);
  for (int closing : {IDCANCEL, IDOK}) {
    CAdjustColorDlg dialog(photo_);
    EXPECT_EQ(RunModal(dialog, kCaption,
                       [&](HWND window) {
                         HeldKey shift(window, VK_SHIFT);
                         for (int id : {IDC_BRIGHTNESS_UP, IDC_BRIGHTNESS_UP, IDC_SATURATION_DOWN, IDC_CONTRAST_UP})
                           Click(window, id);
                         ShownPicture(InsideFrame(window, IDC_ADJUST_PREVIEW));
                         PressButton(window, closing);
                       }),
              closing);
    EXPECT_TRUE(SamePixels(photo_, pristine)) << closing;
    EXPECT_EQ(photo_.m_valid, pristine.m_valid);
    EXPECT_EQ(photo_.m_loadError, 0);
  }
}

}  // namespace
