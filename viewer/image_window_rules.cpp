#include "image_window_rules.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

// Image-library size modes: shrink by halving steps, halve or double to fit, fit exactly.
constexpr int kScaledLoadModes[] = {2, 3, 4};

int Share(int side, int preferedsize) {
  switch (preferedsize) {
    case 0: return side;
    case 1: return int(int64_t{side} * 7 / 8);
    case 2: return int(int64_t{side} * 3 / 4);
    default: return side / 2;
  }
}

int Between(int64_t value, int low, int high) { return int(std::clamp<int64_t>(value, low, std::max(low, high))); }

}  // namespace

WindowSize WindowBox(WindowSize screen, const OpeningSettings& settings, OpenMode mode) {
  if (settings.viewstyle == 3 && (mode == OpenMode::Settings || mode == OpenMode::FullScreen)) return screen;
  const int share = std::max(settings.preferedsize, 0);
  return {Share(screen.width, share), Share(screen.height, share)};
}

WindowSize LoadBox(WindowSize windowBox, WindowSize overhead) {
  return {std::max(windowBox.width - overhead.width, 1), std::max(windowBox.height - overhead.height, 1)};
}

bool LoadsScaled(const OpeningSettings& settings, OpenMode mode) {
  if (settings.viewstyle == 1 || settings.viewstyle == 2) return mode == OpenMode::Autosize;
  return mode != OpenMode::OneToOne;
}

int ScaledLoadMode(int scalingmode) { return kScaledLoadModes[std::clamp(scalingmode, 0, 2)]; }

bool OpensFullScreen(int viewstyle, OpenMode mode) {
  return mode == OpenMode::FullScreen || ((viewstyle == 2 || viewstyle == 3) && mode == OpenMode::Settings);
}

WindowSize PanZoomWindowSize(WindowSize picture, WindowSize frame, WindowSize scrollBars, WindowSize box) {
  return {Between(int64_t{picture.width} + frame.width + scrollBars.width, 1, box.width),
          Between(int64_t{picture.height} + frame.height + scrollBars.height, 1, box.height)};
}

Placement PlaceWindow(int position, WindowSize screen, WindowSize window, int& corner, int randomX, int randomY) {
  const int right = screen.width - window.width, bottom = screen.height - window.height;
  switch (position) {
    case 0: {
      corner = (corner + 1) % 4;
      const Placement corners[] = {{0, 0}, {right, 0}, {0, bottom}, {right, bottom}};
      return corners[corner];
    }
    case 1: return {right / 2, bottom / 2};
    case 2: return {int(int64_t{randomX} * right / 32767), int(int64_t{randomY} * bottom / 32767)};
    default: return {0, bottom};
  }
}

std::string ImageWindowTitle(const std::string& name, int width, int height, int num, int den) {
  char size[80];
  std::snprintf(size, sizeof size, " %i X %i  @  %i:%i", width, height, num, den);
  return name + size;
}

WindowSize RefitClient(WindowSize client, WindowSize picture, WindowSize maxClient) {
  WindowSize fitted = client;
  if (picture.width > 0 && picture.height > 0) {
    if (client.width > picture.width && client.height <= picture.height + 5)
      fitted.height = int(std::min<int64_t>(int64_t{client.width} * picture.height / picture.width, INT32_MAX));
    else if (client.width <= picture.width + 5 && client.height > picture.height)
      fitted.width = int(std::min<int64_t>(int64_t{client.height} * picture.width / picture.height, INT32_MAX));
  }
  fitted.width = Between(fitted.width, 1, maxClient.width);
  fitted.height = Between(fitted.height, 1, maxClient.height);
  return fitted;
}

Refit RefitMethod(int clientWidth, int shownWidth, int fileWidth, bool shownValid) {
  if (!shownValid) return Refit::Reload;
  if (clientWidth < shownWidth) return Refit::Resample;
  return fileWidth > shownWidth ? Refit::Reload : Refit::Resample;
}

std::string PixelStatusText(int x, int y, unsigned rgb) {
  char text[96];
  std::snprintf(text, sizeof text, "X=%i,Y=%i,  R=%i, G=%i, B=%i", x, y, int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF),
                int(rgb & 0xFF));
  return text;
}
