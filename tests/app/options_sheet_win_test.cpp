// The "Vireldan options" sheet under Wine: its nine pages, every control moving its setting both
// ways, the rules between the slideshow's and the transitions' boxes, the capture index's range
// and the hot key in words. (The page it reopens on: the program's options commands test.)
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app.h"
#include "app_settings.h"
#include "controls_ps.h"
#include "property_sheet_driver.h"
#include "resource.h"
#include "ui_driver.h"

namespace {

const char kSheet[] = "Vireldan options";

// The pages' bindings in the sheet's tab order.
const OptionBindings* const kPages[] = {&kThumbnailsPage, &kImagePage,         &kSlideshowPage,
                                        &kTransitionsPage, &kSystemPage,       &kPreferencesPage,
                                        &kCaptureOptionsPage, &kCachePage,     &kAudioPage};

// The buttons of the radio group that starts at the control.
std::vector<HWND> RadioGroup(HWND page, int firstId) {
  std::vector<HWND> group;
  for (HWND button = ::GetDlgItem(page, firstId); button; button = ::GetWindow(button, GW_HWNDNEXT)) {
    if (!group.empty() && (::GetWindowLongA(button, GWL_STYLE) & WS_GROUP)) break;
    group.push_back(button);
  }
  return group;
}

void StoreEverywhere(int number, const std::string& text) {
  for (const OptionBindings* page : kPages)
    for (const OptionBinding& row : *page) {
      if (row.number) *row.number = number;
      if (row.text) *row.text = text;
    }
}

TEST(OptionsSheet, EveryControlShowsItsSettingAndTakesTheUsersChoiceOnOk) {
  StoreEverywhere(0, "before");
  std::vector<std::string> tabs, wrong;
  bool applyShown = true;
  // A setting two pages share shows on the second what the user chose on the first.
  std::set<const int*> chosen;
  UiDriver user([&] {
    HWND sheet = WaitForWindow(kSheet);
    ASSERT_TRUE(sheet);
    tabs = SheetTabs(sheet);
    applyShown = ::IsWindowVisible(::GetDlgItem(sheet, 0x3021)) != FALSE;
    for (int index = 0; index < 9; ++index) {
      ASSERT_TRUE(ShowSheetPage(sheet, index));
      HWND page = SheetPage(sheet, index);
      for (const OptionBinding& row : *kPages[index]) {
        HWND control = ::GetDlgItem(page, row.id);
        const std::string where = tabs[index] + " " + std::to_string(row.id);
        if (!control) {
          wrong.push_back(where + ": missing");
          continue;
        }
        switch (row.kind) {
          case OptionKind::kCheck:
            if (::SendMessageA(control, BM_GETCHECK, 0, 0) != (chosen.count(row.number) ? BST_CHECKED : BST_UNCHECKED))
              wrong.push_back(where + ": not as stored");
            ::SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
            chosen.insert(row.number);
            break;
          case OptionKind::kRadio: {
            const std::vector<HWND> group = RadioGroup(page, row.id);
            if (::SendMessageA(group.front(), BM_GETCHECK, 0, 0) != BST_CHECKED) wrong.push_back(where + ": not first");
            for (HWND button : group)
              ::SendMessageA(button, BM_SETCHECK, button == group.back() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
          }
          case OptionKind::kInt:
            if (ControlText(page, row.id) != "0") wrong.push_back(where + ": " + ControlText(page, row.id));
            ::SetWindowTextA(control, "7");
            break;
          case OptionKind::kText:
            if (ControlText(page, row.id) != "before") wrong.push_back(where + ": " + ControlText(page, row.id));
            ::SetWindowTextA(control, "after");
            break;
        }
      }
    }
    PressSheetButton(sheet, PSBTN_OK);
  });
  ASSERT_EQ(CControlsPS(0).DoModal(), IDOK);
  EXPECT_EQ(tabs, (std::vector<std::string>{"Thumbnails", "Images", "Slideshow", "Transitions", "System",
                                            "Preferences", "Screen Capture", "Cache", "Audio"}));
  EXPECT_FALSE(applyShown);
  EXPECT_TRUE(wrong.empty()) << ::testing::PrintToString(wrong);
  // Every page was left or confirmed, so every value is the user's now; a few by name.
  const struct {
    const char* name;
    int value, expected;
  } named[] = {
      {"Thumbnail Size: Gigantic", g_settings.thumbnails.thumbnailSize, 5},
      {"sortby: Unsorted", g_settings.thumbnails.sortby, 5},
      {"viewstyle: Full Screen Autosizing", g_settings.pictureFrames.viewstyle, 3},
      {"slide order: Thumbnail order", g_settings.slideShow.order, 4},
      {"Slide Show case", g_settings.slideShow.case_, 1},
      {"dismisstime", g_settings.pictureFrames.dismisstime, 7},
      {"Dither GIF", Cimage::S_file_dither_gif, 1},
      {"JPEG Quality", Cimage::S_file_save_quality, 7},
      {"allsize", g_settings.confirmations.allsize, 7},
      {"capture window: Full Screen", g_settings.capture.window, 1},
      {"capture format: GIF", g_settings.capture.format, 4},
      {"cachequality: High Quality", g_settings.thumbnails.cachequality, 2},
      {"hide tnc", g_settings.hiddenFiles.tnc, 1},
      {"autoextract", g_settings.audio.autoextract, 1},
  };
  for (const auto& n : named) EXPECT_EQ(n.value, n.expected) << n.name;
  EXPECT_EQ(g_settings.capture.prefix, "after");
  EXPECT_EQ(g_settings.fileOptions.homedirectory, "after");
  EXPECT_EQ(g_settings.mainOptions.cachepath, "after");
}

TEST(OptionsSheet, OverlappingSlidesAndFileNamesOrTransitionsExcludeEachOther) {
  auto& slides = g_settings.slideShow;
  slides.overlap = 0;
  slides.shownames = 1;
  g_settings.transitions.enable = 1;
  std::vector<int> seen;  // names box, transitions setting; overlap box; overlap setting
  UiDriver user([&] {
    HWND sheet = WaitForWindow(kSheet);
    ASSERT_TRUE(sheet);
    HWND page = SheetPage(sheet, kOptionsSlideshowPage);
    ::SendMessageA(::GetDlgItem(page, IDC_SLIDESHOW_OVERLAP), BM_CLICK, 0, 0);
    seen.push_back(int(::IsDlgButtonChecked(page, IDC_SLIDESHOW_NAMES)));
    seen.push_back(g_settings.transitions.enable);
    ::SendMessageA(::GetDlgItem(page, IDC_SLIDESHOW_NAMES), BM_CLICK, 0, 0);
    seen.push_back(int(::IsDlgButtonChecked(page, IDC_SLIDESHOW_OVERLAP)));
    ::SendMessageA(::GetDlgItem(page, IDC_SLIDESHOW_OVERLAP), BM_CLICK, 0, 0);
    ASSERT_TRUE(ShowSheetPage(sheet, kOptionsTransitionsPage));
    HWND transitions = SheetPage(sheet, kOptionsTransitionsPage);
    ::SendMessageA(::GetDlgItem(transitions, IDC_TRANSITIONS_ENABLE), BM_CLICK, 0, 0);
    seen.push_back(g_settings.slideShow.overlap);
    PressSheetButton(sheet, PSBTN_OK);
  });
  ASSERT_EQ(CControlsPS(kOptionsSlideshowPage).DoModal(), IDOK);
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(slides.overlap, 0);
  EXPECT_EQ(slides.shownames, 0);
  EXPECT_EQ(g_settings.transitions.enable, 1);
}

TEST(OptionsSheet, TheCaptureIndexStopsAtTenMillionAndTheHotKeyIsShownInWords) {
  g_settings.capture.vkey = 123;
  g_settings.capture.kmod = 6;
  std::string hotkey, refusal;
  UiDriver user([&] {
    HWND sheet = WaitForWindow(kSheet);
    ASSERT_TRUE(sheet);
    HWND page = SheetPage(sheet, 6);
    hotkey = ControlText(page, IDC_CAPTURE_HOTKEY_TEXT);
    ::SetDlgItemTextA(page, IDC_CAPTURE_INDEX, "10000001");
    PressSheetButton(sheet, PSBTN_OK);
    refusal = AnswerMessageBox(IDOK, MessageCaption() ? MessageCaption() : "");
    ::SetDlgItemTextA(page, IDC_CAPTURE_INDEX, "10000000");
    PressSheetButton(sheet, PSBTN_OK);
  });
  ASSERT_EQ(CControlsPS(6).DoModal(), IDOK);
  EXPECT_EQ(hotkey, "Alt + Ctrl + F12");
  EXPECT_EQ(refusal, "Please enter an integer between 0 and 10000000.");
  EXPECT_EQ(g_settings.capture.index, 10000000);
}

}  // namespace
