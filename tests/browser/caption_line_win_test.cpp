// Caption lines under thumbnails, drawn for real with the view's font: a text wider than the
// thumbnail ends in an ellipsis and stays inside the width; a text that fits is drawn whole.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "caption_line.h"
#include "device_context.h"

namespace {

constexpr char kEllipsis[] = "...";

class CaptionLine : public ::testing::Test {
 protected:
  CaptionLine() {
    ClientDC screen(nullptr);
    dc_ = ::CreateCompatibleDC(screen.get());
    bitmap_ = ::CreateCompatibleBitmap(screen.get(), kWidth, kHeight);
    oldBitmap_ = ::SelectObject(dc_, bitmap_);
    font_ = CreateCaptionFont();
    oldFont_ = ::SelectObject(dc_, font_);
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextColor(dc_, RGB(0, 0, 0));
  }
  ~CaptionLine() override {
    ::SelectObject(dc_, oldFont_);
    ::SelectObject(dc_, oldBitmap_);
    ::DeleteObject(font_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
  }
  int TextWidth(const std::string& text) const {
    SIZE size = {};
    ::GetTextExtentPoint32A(dc_, text.c_str(), int(text.size()), &size);
    return size.cx;
  }
  // Draws the caption at x = kLeft on white; the text as drawn, and whether any ink fell right
  // of the width.
  std::string Draw(const std::string& text, int width, bool* inkBeyond) {
    const RECT all = {0, 0, kWidth, kHeight};
    ::FillRect(dc_, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const std::string drawn = DrawCaptionLine(dc_, text, kLeft, 0, width, kLineHeight);
    *inkBeyond = false;
    for (int y = 0; y < kHeight; ++y)
      for (int x = kLeft + width; x < kWidth; ++x) *inkBeyond |= ::GetPixel(dc_, x, y) != RGB(255, 255, 255);
    return drawn;
  }

  static constexpr int kWidth = 400, kHeight = 20, kLeft = 10, kLineHeight = 14;
  HDC dc_;
  HBITMAP bitmap_;
  HFONT font_;
  HGDIOBJ oldBitmap_, oldFont_;
};

TEST_F(CaptionLine, ATextWiderThanTheThumbnailEndsInAnEllipsis) {
  const struct {
    const char* text;
    int width;
    bool clipped;
  } rows[] = {
      {"9 K, 2140 x 1203", 40, true},
      {"9 K, 2140 x 1203", 60, true},
      {"9 K, 2140 x 1203", 180, false},
      {"a picture with a long name.jpg", 90, true},
      {"a picture with a long name.jpg", 40, true},
      {"12/31/2003  11:59 PM", 60, true},
      {"12/31/2003  11:59 PM", 150, false},
      {"a.jpg", 40, false},
      {"", 40, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " in " + std::to_string(row.width));
    ASSERT_EQ(TextWidth(row.text) > row.width, row.clipped) << "the font measures otherwise";
    bool inkBeyond = true;
    const std::string drawn = Draw(row.text, row.width, &inkBeyond);
    EXPECT_FALSE(inkBeyond);
    EXPECT_LE(TextWidth(drawn), row.width);
    if (!row.clipped) {
      EXPECT_EQ(drawn, row.text);
      continue;
    }
    ASSERT_GE(drawn.size(), sizeof kEllipsis - 1);
    const std::string kept = drawn.substr(0, drawn.size() - (sizeof kEllipsis - 1));
    EXPECT_EQ(drawn.substr(kept.size()), kEllipsis);
    EXPECT_EQ(std::string(row.text).compare(0, kept.size(), kept), 0) << "kept: " << kept;
  }
}

}  // namespace
