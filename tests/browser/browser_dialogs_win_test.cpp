// The thumbnail browser's dialogs under Wine, driven as a user would: each opens with its exact
// caption and texts, shows what it was given, and returns what was chosen after OK; the cache
// states in words, the index image's starting grid, the EXIF tip boxes' enable rules and mask,
// and the rename edit's limit.
#include <windows.h>
#include <colordlg.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app.h"
#include "app_settings.h"
#include "cache_info_dlg.h"
#include "dialog.h"
#include "dialog_driver.h"
#include "exif_tips_dlg.h"
#include "index_image_dlg.h"
#include "rename_file_dlg.h"
#include "resource.h"
#include "ui_driver.h"

namespace {

std::string ItemText(HWND dialog, int id) {
  char text[512] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

bool IsEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }
bool IsChecked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// A click on a check box: its state flips, then the dialog hears of it.
void Click(HWND dialog, int id) {
  ::CheckDlgButton(dialog, id, IsChecked(dialog, id) ? BST_UNCHECKED : BST_CHECKED);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(dialog, id)));
}

TEST(CacheInfoDialog, NamesTheStateAndShowsTheFigures) {
  const struct {
    TncStatus status;
    const char* text;
  } states[] = {
      {TncStatus::kNormal, "Normal"},     {TncStatus::kNoFile, "No File"},    {TncStatus::kLocked, "Locked"},
      {TncStatus::kReadOnly, "Read Only"}, {TncStatus::kError, "Error"},       {TncStatus::kDisabled, "Disabled"},
      {TncStatus::kNewFile, "New File"},  {TncStatus(9), "Error"},
  };
  for (const auto& state : states) {
    TncInfo info;
    info.status = state.status;
    info.entries = 12;
    info.sameEdge = 7;
    info.hits = 5;
    info.fileSizeKB = 340;
    CCacheInfoDlg dialog(info);
    std::vector<std::string> lines;
    EXPECT_EQ(RunModal(dialog, "Thumbnail cache info",
                  [&](HWND window) {
                    for (int id : {IDC_CACHE_STATE, IDC_CACHE_ENTRIES, IDC_CACHE_SAME_SIZE, IDC_CACHE_HITS,
                                   IDC_CACHE_FILE_SIZE})
                      lines.push_back(ItemText(window, id));
                    PressButton(window, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(lines, (std::vector<std::string>{state.text, "12 thumbnail images", "7 correct size", "5 cache hits",
                                                "Cache file size: 340Kb "}));
  }
}

TEST(IndexImageDialog, OpensWithAGridThatFitsTheSelection) {
  const struct {
    int selected;
    int columns, rows;
  } cases[] = {
      {0, 6, 3},  // nothing selected: the stored grid stays
      {1, 1, 1},     {2, 2, 1},     {5, 3, 2},     {12, 4, 3},    {13, 5, 3},     {24, 6, 4},
      {140, 14, 10}, {141, 15, 10}, {150, 15, 10}, {200, 15, 10}, {1000, 15, 10},
  };
  for (const auto& c : cases) {
    CIndexImageDlg dialog;
    dialog.selectedImages = c.selected;
    std::string columns, rows, selected;
    EXPECT_EQ(RunModal(dialog, "Create an index image",
                  [&](HWND window) {
                    columns = ItemText(window, IDC_INDEX_COLUMNS);
                    rows = ItemText(window, IDC_INDEX_ROWS);
                    selected = ItemText(window, IDC_INDEX_SELECTED);
                    PressButton(window, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(columns, std::to_string(c.columns)) << c.selected;
    EXPECT_EQ(rows, std::to_string(c.rows)) << c.selected;
    EXPECT_EQ(selected, std::to_string(c.selected) + " Images selected");
    EXPECT_EQ(dialog.columns, c.columns);
    EXPECT_EQ(dialog.rows, c.rows);
  }
}

TEST(IndexImageDialog, ShowsTheSettingsAndStoresTheChoicesWithTheSwatchColours) {
  CAppSettings::CreateIndex stored = {};
  stored.width = 7;
  stored.height = 2;
  stored.title = 0;
  stored.date = 1;
  stored.name = 0;
  stored.size = 1;
  stored.color = 0x336699;
  stored.fgcolor = 0x00FF00;
  stored.spacing = 12;
  stored.autospace = 1;
  CIndexImageDlg dialog;
  dialog.LoadSettings(stored);
  dialog.titleText = "Holiday";

  std::vector<std::string> texts, values;
  std::vector<bool> spacingEnabled;
  COLORREF offered = 0;
  EXPECT_EQ(RunModal(dialog, "Create an index image",
                [&](HWND window) {
                  for (int id : {IDC_INDEX_TITLE, IDC_INDEX_SIZES, IDC_INDEX_NAMES, IDC_INDEX_DATES,
                                 IDC_INDEX_AUTOSPACE, IDC_INDEX_BACKGROUND, IDC_INDEX_FOREGROUND, IDOK, IDCANCEL})
                    texts.push_back(ItemText(window, id));
                  for (int id : {IDC_INDEX_COLUMNS, IDC_INDEX_ROWS, IDC_INDEX_TITLE_TEXT, IDC_INDEX_SPACING})
                    values.push_back(ItemText(window, id));
                  for (int id : {IDC_INDEX_TITLE, IDC_INDEX_SIZES, IDC_INDEX_NAMES, IDC_INDEX_DATES, IDC_INDEX_AUTOSPACE})
                    values.push_back(IsChecked(window, id) ? "checked" : "clear");
                  // The spacing edit follows the auto-spacing box.
                  spacingEnabled.push_back(IsEnabled(window, IDC_INDEX_SPACING));
                  Click(window, IDC_INDEX_AUTOSPACE);
                  spacingEnabled.push_back(IsEnabled(window, IDC_INDEX_SPACING));
                  Click(window, IDC_INDEX_AUTOSPACE);
                  spacingEnabled.push_back(IsEnabled(window, IDC_INDEX_SPACING));
                  Click(window, IDC_INDEX_AUTOSPACE);
                  ::SetDlgItemTextA(window, IDC_INDEX_SPACING, "55");
                  ::SetDlgItemTextA(window, IDC_INDEX_COLUMNS, "20");
                  ::SetDlgItemTextA(window, IDC_INDEX_TITLE_TEXT, "Summer 2003");
                  Click(window, IDC_INDEX_NAMES);
                  Click(window, IDC_INDEX_DATES);
                  // A new background colour from the chooser.
                  HWND swatch = ::GetWindow(::GetDlgItem(window, IDC_INDEX_BACKGROUND), GW_CHILD);
                  ::PostMessageA(swatch, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
                  HWND chooser = WaitForWindow("Color");
                  ASSERT_TRUE(chooser);
                  offered = RGB(::GetDlgItemInt(chooser, COLOR_RED, nullptr, FALSE),
                                ::GetDlgItemInt(chooser, COLOR_GREEN, nullptr, FALSE),
                                ::GetDlgItemInt(chooser, COLOR_BLUE, nullptr, FALSE));
                  ::SetDlgItemInt(chooser, COLOR_RED, 10, FALSE);
                  ::SetDlgItemInt(chooser, COLOR_GREEN, 20, FALSE);
                  ::SetDlgItemInt(chooser, COLOR_BLUE, 30, FALSE);
                  PressButton(chooser, IDOK);
                  while (::IsWindow(chooser)) ::Sleep(10);
                  PressButton(window, IDOK);
                }),
            IDOK);
  EXPECT_EQ(texts, (std::vector<std::string>{"Page Title", "File sizes", "File names", "File dates",
                                               "AutoSpace at 1/10 thumb size", "Background color", "Foreground color",
                                               "OK", "Cancel"}));
  EXPECT_EQ(values, (std::vector<std::string>{"7", "2", "Holiday", "12", "clear", "checked", "clear", "checked",
                                               "checked"}));
  EXPECT_EQ(spacingEnabled, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(offered, COLORREF(0x336699));

  CAppSettings::CreateIndex result = {};
  dialog.StoreSettings(result);
  EXPECT_EQ(result.width, 20);
  EXPECT_EQ(result.height, 2);
  EXPECT_EQ(result.title, 0);
  EXPECT_EQ(result.name, 1);
  EXPECT_EQ(result.date, 0);
  EXPECT_EQ(result.size, 1);
  EXPECT_EQ(result.autospace, 0);
  EXPECT_EQ(result.spacing, 55);
  EXPECT_EQ(result.color, int(RGB(10, 20, 30)));
  EXPECT_EQ(result.fgcolor, 0x00FF00);
  EXPECT_EQ(dialog.titleText, "Summer 2003");
}

TEST(IndexImageDialog, RefusesCountsOutsideTheirRanges) {
  const struct {
    int id;
    const char* text;
    const char* message;
  } cases[] = {
      {IDC_INDEX_COLUMNS, "21", "Please enter an integer between 1 and 20."},
      {IDC_INDEX_COLUMNS, "0", "Please enter an integer between 1 and 20."},
      {IDC_INDEX_ROWS, "25", "Please enter an integer between 1 and 20."},
      {IDC_INDEX_SPACING, "101", "Please enter an integer between 0 and 100."},
  };
  for (const auto& c : cases) {
    CIndexImageDlg dialog;
    EXPECT_EQ(RefusalOf(dialog, "Create an index image", c.id, c.text), c.message) << c.text;
  }
}

// Every field box of the EXIF tips dialog: its text, and the mask bits it stands for.
struct ExifBox {
  int id;
  const char* text;
  unsigned bits;
};
const ExifBox kExifBoxes[] = {
    {IDC_EXIF_MAKE, "Camera Manufacturer", 0x1},
    {IDC_EXIF_MODEL, "Camera Model ", 0x2},
    {IDC_EXIF_DATE, "Date/Time of exposure", 0x4},
    {IDC_EXIF_FLASH, "Flash Used", 0x8},
    {IDC_EXIF_FOCAL_LENGTH, "Focal Length", 0x10},
    {IDC_EXIF_EXPOSURE_TIME, "Exposure Time", 0x20},
    {IDC_EXIF_APERTURE, "Aperture", 0x40},
    {IDC_EXIF_FOCUS_DISTANCE, "Focus Distance", 0x80},
    {IDC_EXIF_ISO, "ISO Equivalent", 0x200},
    {IDC_EXIF_WHITE_BALANCE, "White Balance", 0x800},
    {IDC_EXIF_METERING, "Metering Mode", 0x1000},
    {IDC_EXIF_EXPOSURE_PROGRAM, "Exposure Program", 0x2000},
    {IDC_EXIF_JPEG_QUALITY, "JPG compression", 0x4000},
    {IDC_EXIF_COMMENT, "Comment Text", 0x20000},
    {IDC_EXIF_DESCRIPTION, "Image Description", 0x40000},
};
constexpr char kExifCaption[] = "EXIF file information to dispaly as tip text";

// Which boxes are enabled: the enable box, the all-lines box, then every field box.
std::string EnabledBoxes(HWND dialog) {
  std::string state;
  state += IsEnabled(dialog, IDC_EXIF_ENABLE) ? 'E' : '-';
  state += IsEnabled(dialog, IDC_EXIF_ALL) ? 'A' : '-';
  for (const ExifBox& box : kExifBoxes) state += IsEnabled(dialog, box.id) ? 'f' : '-';
  return state;
}

constexpr char kAllEnabled[] = "EAfffffffffffffff";
constexpr char kFieldsDisabled[] = "EA---------------";
constexpr char kAllDisabled[] = "E----------------";

TEST(ExifTipsDialog, ShowsItsTextsAndTheStoredChoice) {
  g_settings.thumbnails.exif_tipsenable = 1;
  g_settings.thumbnails.exif_tipoptions = 0x8000007;  // the default: all lines
  CExifTipsDlg dialog;
  std::vector<std::string> texts;
  std::string checked;
  EXPECT_EQ(RunModal(dialog, kExifCaption,
                [&](HWND window) {
                  texts.push_back(ItemText(window, IDC_EXIF_ENABLE));
                  texts.push_back(ItemText(window, IDC_EXIF_ALL));
                  for (const ExifBox& box : kExifBoxes) {
                    texts.push_back(ItemText(window, box.id));
                    checked += IsChecked(window, box.id) ? 'x' : '-';
                  }
                  checked += IsChecked(window, IDC_EXIF_ENABLE) && IsChecked(window, IDC_EXIF_ALL) ? " all" : "";
                  PressButton(window, IDCANCEL);
                }),
            IDCANCEL);
  std::vector<std::string> expected = {"Display EXIF info as tips.",
                                       "All EXIF info, overriding specific field settings below."};
  for (const ExifBox& box : kExifBoxes) expected.push_back(box.text);
  EXPECT_EQ(texts, expected);
  EXPECT_EQ(checked, "xxx------------ all");
  EXPECT_EQ(g_settings.thumbnails.exif_tipoptions, 0x8000007);
}

TEST(ExifTipsDialog, EnablesTheBoxesByTheEnableAndAllLinesBoxes) {
  const struct {
    int enable;
    unsigned mask;
    const char* atStart;
  } starts[] = {
      {1, 0x8000007, kFieldsDisabled},
      {1, 0x3, kAllEnabled},
      {0, 0x3, kAllDisabled},
      {0, 0x8000000, kAllDisabled},
  };
  for (const auto& start : starts) {
    g_settings.thumbnails.exif_tipsenable = start.enable;
    g_settings.thumbnails.exif_tipoptions = int(start.mask);
    CExifTipsDlg dialog;
    std::string state;
    RunModal(dialog, kExifCaption, [&](HWND window) {
      state = EnabledBoxes(window);
      PressButton(window, IDCANCEL);
    });
    EXPECT_EQ(state, start.atStart) << start.enable << " " << start.mask;
  }

  // Clicks, one after the other, from enabled tips with specific lines.
  g_settings.thumbnails.exif_tipsenable = 1;
  g_settings.thumbnails.exif_tipoptions = 0x3;
  const struct {
    int box;
    const char* after;
  } clicks[] = {
      {IDC_EXIF_ALL, kFieldsDisabled},     // all lines on
      {IDC_EXIF_ALL, kAllEnabled},         // off again
      {IDC_EXIF_ENABLE, kAllDisabled},     // tips off
      {IDC_EXIF_ENABLE, kAllEnabled},      // on, all lines still off
      {IDC_EXIF_ALL, kFieldsDisabled},
      {IDC_EXIF_ENABLE, kAllDisabled},
      {IDC_EXIF_ENABLE, kFieldsDisabled},  // on, with all lines still on
  };
  CExifTipsDlg dialog;
  std::vector<std::string> states;
  RunModal(dialog, kExifCaption, [&](HWND window) {
    for (const auto& click : clicks) {
      Click(window, click.box);
      states.push_back(EnabledBoxes(window));
    }
    PressButton(window, IDCANCEL);
  });
  ASSERT_EQ(states.size(), sizeof clicks / sizeof clicks[0]);
  for (size_t i = 0; i < states.size(); ++i) EXPECT_EQ(states[i], clicks[i].after) << "click " << i;
}

TEST(ExifTipsDialog, OkStoresTheMaskOfTheCheckedBoxes) {
  const struct {
    std::vector<int> checked;  // besides the enable box
    int enable;
    unsigned mask;
  } cases[] = {
      {{IDC_EXIF_DESCRIPTION}, 1, 0x10000 | 0x40000},
      {{IDC_EXIF_MAKE, IDC_EXIF_ISO, IDC_EXIF_COMMENT}, 1, 0x1 | 0x200 | 0x20000},
      {{IDC_EXIF_ALL, IDC_EXIF_DATE}, 1, 0x8000000 | 0x4},
      {{}, 0, 0},
  };
  for (const auto& c : cases) {
    g_settings.thumbnails.exif_tipsenable = 1;
    g_settings.thumbnails.exif_tipoptions = 0x3;
    CExifTipsDlg dialog;
    EXPECT_EQ(RunModal(dialog, kExifCaption,
                  [&](HWND window) {
                    Click(window, IDC_EXIF_MAKE);
                    Click(window, IDC_EXIF_MODEL);
                    for (int id : c.checked) Click(window, id);
                    if (!c.enable) Click(window, IDC_EXIF_ENABLE);
                    PressButton(window, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(g_settings.thumbnails.exif_tipsenable, c.enable);
    EXPECT_EQ(unsigned(g_settings.thumbnails.exif_tipoptions), c.mask);
  }

  // Reading: the description box answers to 0x40000 only; the stored mask shows it checked again.
  for (const unsigned mask : {0x10000u, 0x40000u, 0x50000u}) {
    g_settings.thumbnails.exif_tipsenable = 1;
    g_settings.thumbnails.exif_tipoptions = int(mask);
    CExifTipsDlg dialog;
    bool description = false;
    RunModal(dialog, kExifCaption, [&](HWND window) {
      description = IsChecked(window, IDC_EXIF_DESCRIPTION);
      PressButton(window, IDOK);
    });
    EXPECT_EQ(description, (mask & 0x40000) != 0) << mask;
    EXPECT_EQ(unsigned(g_settings.thumbnails.exif_tipoptions), (mask & 0x40000) ? 0x50000u : 0u) << mask;
  }
}

TEST(RenameFileDialog, TakesANameOfAtMost255CharactersThatWindowsAllows) {
  CRenameFileDlg dialog;
  dialog.newName = "old name.jpg";
  std::string shown, button, message, typed;
  HWND focused = nullptr, edit = nullptr;
  LRESULT limit = 0;
  bool filtered = false;
  EXPECT_EQ(RunModal(dialog, "Rename file",
                [&](HWND window) {
                  shown = ItemText(window, IDC_RENAME_NAME);
                  button = ItemText(window, IDOK);
                  edit = ::GetDlgItem(window, IDC_RENAME_NAME);
                  GUITHREADINFO thread = {};
                  thread.cbSize = sizeof thread;
                  ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &thread);
                  focused = thread.hwndFocus;
                  limit = ::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
                  filtered = Window::FromHandle(edit) != nullptr;
                  // Typed over the whole name: the characters names cannot hold are refused.
                  ::SendMessageA(edit, EM_SETSEL, 0, -1);
                  for (const char c : std::string("a\":?b")) ::SendMessageA(edit, WM_CHAR, WPARAM(c), 0);
                  typed = ItemText(window, IDC_RENAME_NAME);
                  // One character too many (set directly, past the typing limit) is refused.
                  ::SetWindowTextA(edit, std::string(256, 'n').c_str());
                  PressButton(window, IDOK);
                  message = AnswerMessageBox();
                  ::SetWindowTextA(edit, std::string(255, 'n').c_str());
                  PressButton(window, IDOK);
                }),
            IDOK);
  EXPECT_EQ(shown, "old name.jpg");
  EXPECT_EQ(button, "Rename");
  EXPECT_EQ(focused, edit);
  EXPECT_EQ(limit, 255);
  EXPECT_TRUE(filtered);
  EXPECT_EQ(typed, "ab");
  EXPECT_EQ(message, "Enter no more than 255 characters.");
  EXPECT_EQ(dialog.newName, std::string(255, 'n'));

  CRenameFileDlg cancelled;
  cancelled.newName = "kept.jpg";
  EXPECT_EQ(RunModal(cancelled, "Rename file",
                [&](HWND window) {
                  ::SetDlgItemTextA(window, IDC_RENAME_NAME, "typed.jpg");
                  PressButton(window, IDCANCEL);
                }),
            IDCANCEL);
  EXPECT_EQ(cancelled.newName, "kept.jpg");
}

}  // namespace
