// Colour swatches under Wine: a group box grows its swatch inside the frame with the insets of a
// captioned or compact box, ignores colours until then, paints the colour, and a double click
// opens the full colour chooser on the current colour; OK and Cancel both end in WM_COLOR_CHANGED
// at the window holding the group box.
#include <windows.h>
#include <colordlg.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "color_swatch.h"
#include "private_messages.h"
#include "ui_driver.h"

namespace {

// The page or dialog that holds the group boxes: it keeps every colour change it is told of.
class Holder : public Window {
 public:
  std::vector<std::pair<WPARAM, LPARAM>> changes;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COLOR_CHANGED) changes.emplace_back(wParam, lParam);
    return Window::WndProc(message, wParam, lParam);
  }
};

// Dispatches messages until done() holds, for 30 seconds at the most.
void PumpUntil(const std::function<bool()>& done) {
  const DWORD start = ::GetTickCount();
  while (!done() && ::GetTickCount() - start < 30000) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

RECT RectIn(HWND window, HWND reference) {
  RECT area = {};
  ::GetWindowRect(window, &area);
  ::MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

COLORREF PixelAtCentre(HWND window) {
  RECT client = {};
  ::GetClientRect(window, &client);
  HDC dc = ::GetDC(window);
  const COLORREF pixel = ::GetPixel(dc, client.right / 2, client.bottom / 2);
  ::ReleaseDC(window, dc);
  return pixel;
}

int EditNumber(HWND dialog, int id) { return int(::GetDlgItemInt(dialog, id, nullptr, FALSE)); }

class ColorSwatch : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(holder_.Create(0, "swatch holder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 420, 300, nullptr, nullptr));
    captioned_ = MakeGroupBox(" Text Color ", 20, 20, 180, 90);
    compact_ = MakeGroupBox("", 220, 20, 150, 60);
  }
  void TearDown() override { holder_.Destroy(); }

  HWND MakeGroupBox(const char* caption, int x, int y, int width, int height) {
    return ::CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, x, y, width, height,
                             holder_.Handle(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
  }

  Holder holder_;
  HWND captioned_ = nullptr;
  HWND compact_ = nullptr;
};

TEST_F(ColorSwatch, GrowsInsideTheGroupBoxWithTheColourItWasCreatedWith) {
  const struct {
    bool compact;
    int top;
  } cases[] = {{false, 15}, {true, 8}};
  for (const auto& c : cases) {
    HWND groupBox = c.compact ? compact_ : captioned_;
    CColorGroupBox box;
    ASSERT_TRUE(box.Subclass(groupBox));
    box.SetColor(RGB(255, 0, 0));  // no swatch yet: nothing happens
    EXPECT_FALSE(box.HasSwatch());
    EXPECT_EQ(::GetWindow(groupBox, GW_CHILD), nullptr);

    ASSERT_TRUE(box.CreateSwatch(RGB(0, 0, 255), c.compact));
    HWND swatch = ::GetWindow(groupBox, GW_CHILD);
    ASSERT_EQ(swatch, box.Swatch());
    EXPECT_EQ(box.GetColor(), RGB(0, 0, 255));
    RECT outer = {};
    ::GetWindowRect(groupBox, &outer);
    const RECT area = RectIn(swatch, groupBox);
    EXPECT_EQ(area.left, 10);
    EXPECT_EQ(area.top, c.top);
    EXPECT_EQ(area.right, outer.right - outer.left - 10);
    EXPECT_EQ(area.bottom, outer.bottom - outer.top - 8);
    char text[32] = {};
    ::GetWindowTextA(swatch, text, sizeof text);
    EXPECT_STREQ(text, "swatch");
    EXPECT_EQ(::GetDlgCtrlID(swatch), 0);
    const LONG style = ::GetWindowLongA(swatch, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_BORDER), LONG(WS_CHILD | WS_VISIBLE | WS_BORDER));
    EXPECT_EQ(PixelAtCentre(swatch), RGB(0, 0, 255));

    box.SetColor(RGB(0, 128, 0));  // painted at once, with no message loop running
    EXPECT_EQ(box.GetColor(), RGB(0, 128, 0));
    EXPECT_EQ(PixelAtCentre(swatch), RGB(0, 128, 0));

    // The group box lets the mouse through; the swatch inside it takes it.
    RECT screen = {};
    ::GetWindowRect(swatch, &screen);
    EXPECT_EQ(::WindowFromPoint(POINT{(screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2}), swatch);
  }
}

TEST_F(ColorSwatch, DoubleClickAsksTheChooserAndReportsItsAnswerEvenACancel) {
  CColorGroupBox box;
  ASSERT_TRUE(box.Subclass(captioned_));
  ASSERT_TRUE(box.CreateSwatch(RGB(200, 100, 50), false));
  const struct {
    int button;
    COLORREF typed;  // into the chooser's red, green and blue fields before the answer
    COLORREF reported;
  } cases[] = {
      {IDCANCEL, RGB(10, 20, 30), RGB(200, 100, 50)},
      {IDOK, RGB(10, 20, 30), RGB(10, 20, 30)},
      {IDCANCEL, RGB(1, 2, 3), RGB(10, 20, 30)},
  };
  for (const auto& c : cases) {
    holder_.changes.clear();
    const COLORREF before = box.GetColor();
    COLORREF offered = 0;
    bool fullOpen = false;
    UiDriver user([&] {
      HWND chooser = WaitForWindow("Color");
      ASSERT_TRUE(chooser);
      offered = RGB(EditNumber(chooser, COLOR_RED), EditNumber(chooser, COLOR_GREEN), EditNumber(chooser, COLOR_BLUE));
      fullOpen = ::IsWindowVisible(::GetDlgItem(chooser, COLOR_RED)) != FALSE;
      ::SetDlgItemInt(chooser, COLOR_RED, GetRValue(c.typed), FALSE);
      ::SetDlgItemInt(chooser, COLOR_GREEN, GetGValue(c.typed), FALSE);
      ::SetDlgItemInt(chooser, COLOR_BLUE, GetBValue(c.typed), FALSE);
      PressButton(chooser, c.button);
    });
    ::PostMessageA(box.Swatch(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpUntil([&] { return !holder_.changes.empty(); });
    EXPECT_EQ(offered, before);
    EXPECT_TRUE(fullOpen);
    ASSERT_EQ(holder_.changes.size(), 1u);
    EXPECT_EQ(holder_.changes[0].first, 0u);
    EXPECT_EQ(COLORREF(holder_.changes[0].second), c.reported);
    EXPECT_EQ(box.GetColor(), c.reported);
    EXPECT_EQ(PixelAtCentre(box.Swatch()), c.reported);
  }
}

}  // namespace
