// Every transition effect drawn with the system's drawing calls between two real photographs:
// after its first step the screen still shows nearly all of the old picture, after its last
// exactly the new one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "device_context.h"
#include "missing_files.h"
#include "slide_transition.h"
#include "transition_plan.h"
#include "viewer_pictures.h"

namespace {

constexpr char kOtherPhoto[] = "Z:/usr/share/libjxl-testdata/jxl/flower/flower.png.im_q85_420.jpg";

// A memory drawing context holding a picture of width × height.
class Surface {
 public:
  Surface(HDC compatible, int width, int height)
      : dc_(compatible), bitmap_(::CreateCompatibleBitmap(compatible, width, height)), width_(width),
        height_(height) {
    old_ = ::SelectObject(dc_.get(), bitmap_.get());
  }
  ~Surface() { ::SelectObject(dc_.get(), old_); }
  HDC get() const { return dc_.get(); }
  void Show(Cimage& picture) { picture.DisplayImage(dc_.get(), 0, 0); }
  Cimage Read() {
    Cimage picture;
    picture.FromDC(dc_.get(), width_, height_);
    return picture;
  }

 private:
  MemoryDC dc_;
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ old_;
  int width_, height_;
};

// Share of pixels that differ.
double Changed(const Cimage& a, const Cimage& b) {
  int differing = 0;
  for (int y = 0; y < a.m_height; ++y)
    for (int x = 0; x < a.m_width; ++x)
      differing += std::memcmp(a.m_pixels + y * a.m_stride + 3 * x, b.m_pixels + y * b.m_stride + 3 * x, 3) != 0;
  return double(differing) / (double(a.m_width) * a.m_height);
}

TEST(SlideTransitions, EachEffectGoesFromTheOldPictureToExactlyTheNewOne) {
  if (FlowerPhotoPath().empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata is not installed");
  constexpr int W = 400, H = 300;  // steps of whole pixels: the first frames show next to nothing
  Cimage oldPicture, newPicture;
  oldPicture.LoadImageA(FlowerPhotoPath().c_str(), 0, 0, 5);
  newPicture.LoadImageA(kOtherPhoto, 0, 0, 5);
  ASSERT_TRUE(oldPicture.m_pixels && newPicture.m_pixels);
  oldPicture.CopyArea(&oldPicture, CRect(0, 0, W, H), 0);
  newPicture.Flip_Horizontal();
  newPicture.CopyArea(&newPicture, CRect(0, 0, W, H), 0);
  ClientDC desktop(nullptr);
  Surface slide(desktop.get(), W, H);
  slide.Show(newPicture);
  const Cimage expected = slide.Read();
  for (int type = 0; type <= kTransitionCount; ++type) {
    Surface screen(desktop.get(), W, H);
    screen.Show(oldPicture);
    const Cimage before = screen.Read();
    Cimage first;
    DrawTransitionEffect(screen.get(), slide.get(), W, H, type, [&](int step, double) {
      if (step == 0) first = screen.Read();
      const char* folder = std::getenv("VIRELDAN_SCREENSHOTS");
      if (folder && step == 25 && type == 5)  // halfway through the fingers, for a person to see
        screen.Read().SaveImage((std::string(folder) + "\\transition_fingers_halfway.png").c_str());
    });
    ASSERT_TRUE(first.m_pixels) << type;
    if (type != 0) {
      EXPECT_LT(Changed(first, before), 0.15) << "type " << type;
    }
    EXPECT_EQ(LargestDifference(expected, screen.Read(), 0, 0), 0) << "type " << type;
  }
}

}  // namespace
