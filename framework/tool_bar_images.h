#pragma once
// The toolbar's pictures as image lists: one as drawn, one greyed for disabled buttons. The bitmap's
// light grey (192,192,192) is its background and shows the button face through. Common controls
// would grey a plain bitmap themselves, but some versions then fill every disabled button solid.
#include <windows.h>
#include <commctrl.h>

class ToolBarImages {
 public:
  ToolBarImages() = default;
  ToolBarImages(const ToolBarImages&) = delete;
  ToolBarImages& operator=(const ToolBarImages&) = delete;
  ~ToolBarImages();

  // Cuts the bitmap resource into pictures of the given size; false (and nothing changed) when the
  // bitmap is missing or unreadable.
  bool Load(HINSTANCE instance, int bitmapId, int width, int height);
  HIMAGELIST Normal() const { return normal_; }
  HIMAGELIST Disabled() const { return disabled_; }

 private:
  void Release();
  HIMAGELIST normal_ = nullptr;
  HIMAGELIST disabled_ = nullptr;
};
