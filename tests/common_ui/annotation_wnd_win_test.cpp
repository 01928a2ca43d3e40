// The annotation pop-up under Wine: where it opens for points across its parent (below and to the
// right of the cursor, moved in from the right edge, above the point near the bottom), how it
// sizes one-line and multi-line texts in the GUI font, and its 4000-character cap.
#include <windows.h>

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "annotation_wnd.h"

namespace {

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 400;

SIZE TextSize(const std::string& line) {
  HDC dc = ::GetDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {};
  ::GetTextExtentPoint32A(dc, line.c_str(), int(line.size()), &size);
  TEXTMETRICA metrics = {};
  ::GetTextMetricsA(dc, &metrics);
  size.cy = metrics.tmHeight;
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return size;
}

class AnnotationPopup : public testing::Test {
 protected:
  void SetUp() override {
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    ASSERT_TRUE(parent_.Create(0, "annotation parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, nullptr));
    RECT client = {};
    ::GetClientRect(parent_.Handle(), &client);
    ASSERT_EQ(client.right, kClientWidth);
    ASSERT_EQ(client.bottom, kClientHeight);
  }
  void TearDown() override { parent_.Destroy(); }

  RECT Placed(const CAnnotationWnd& popup) const {
    RECT area = {};
    ::GetWindowRect(popup.Handle(), &area);
    ::MapWindowPoints(nullptr, parent_.Handle(), reinterpret_cast<POINT*>(&area), 2);
    return area;
  }

  Window parent_;
};

TEST_F(AnnotationPopup, OpensBesideThePointAndStaysInsideTheParent) {
  const int halfCursorX = ::GetSystemMetrics(SM_CXCURSOR) / 2, halfCursorY = ::GetSystemMetrics(SM_CYCURSOR) / 2;
  const std::string oneLine = "Sunset over the harbour, taken from the ferry";
  const SIZE line = TextSize(oneLine);
  const struct {
    int x, y;
    bool movedLeft, movedUp;
  } cases[] = {
      {40, 30, false, false},
      {kClientWidth - 20, 30, true, false},
      {40, kClientHeight - 5, false, true},
      {kClientWidth - 5, kClientHeight - 5, true, true},  // the lower right corner: above and to the left
  };
  for (const auto& c : cases) {
    CAnnotationWnd popup(parent_.Handle(), c.x, c.y, oneLine);
    ASSERT_TRUE(popup.Handle());
    EXPECT_FALSE(popup.IsMultiLine());
    const RECT area = Placed(popup);
    EXPECT_EQ(area.right - area.left, line.cx + 8) << c.x << "," << c.y;
    EXPECT_EQ(area.bottom - area.top, line.cy + 3) << c.x << "," << c.y;
    if (c.movedLeft) {
      EXPECT_EQ(area.right, kClientWidth - 10);
      EXPECT_LT(area.left, c.x);
    } else {
      EXPECT_EQ(area.left, c.x + halfCursorX);
    }
    if (c.movedUp) {
      EXPECT_EQ(area.bottom, c.y + halfCursorY - 25);
      EXPECT_LT(area.bottom, c.y);
    } else {
      EXPECT_EQ(area.top, c.y + halfCursorY);
    }
  }
}

TEST_F(AnnotationPopup, IsABorderedChildWithTheTextInLines) {
  const struct {
    std::string text;
    bool multiLine;
    int lines;
  } cases[] = {
      {"one line", false, 1},
      {"Line one\r\nLine two is longer\r\nthree", true, 3},
      {"Line one\nLine two", true, 2},
      {"carriage\rreturn", true, 2},
  };
  for (const auto& c : cases) {
    CAnnotationWnd popup(parent_.Handle(), 10, 10, c.text);
    EXPECT_EQ(popup.IsMultiLine(), c.multiLine) << c.text;
    EXPECT_EQ(popup.Text(), c.text);
    EXPECT_EQ(::GetParent(popup.Handle()), parent_.Handle());
    EXPECT_EQ(::GetDlgCtrlID(popup.Handle()), 10000);
    char name[32] = {};
    ::GetWindowTextA(popup.Handle(), name, sizeof name);
    EXPECT_STREQ(name, "Annotation");
    const LONG style = ::GetWindowLongA(popup.Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_BORDER), LONG(WS_CHILD | WS_VISIBLE | WS_BORDER));
    const RECT area = Placed(popup);
    EXPECT_EQ(area.bottom - area.top, c.lines * TextSize("x").cy + 3) << c.text;
    if (c.multiLine) {
      int widest = 0;
      size_t start = 0;
      while (start <= c.text.size()) {
        const size_t end = std::min(c.text.find_first_of("\r\n", start), c.text.size());
        widest = std::max(widest, int(TextSize(c.text.substr(start, end - start)).cx));
        start = c.text.find_first_not_of("\r\n", end);
        if (start == std::string::npos) break;
      }
      EXPECT_EQ(area.right - area.left, widest + 14) << c.text;
    }
  }
}

TEST_F(AnnotationPopup, KeepsAtMost4000Characters) {
  for (const size_t length : {size_t(3999), size_t(4000), size_t(4001), size_t(12000)}) {
    const std::string text(length, 'a');
    CAnnotationWnd popup(parent_.Handle(), 10, 10, text);
    EXPECT_EQ(popup.Text(), text.substr(0, 4000));
  }
}

}  // namespace
