#include "collage_layout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "picture_limits.h"

const char kCollageTooLarge[] = "The collage would be larger than a picture can be.";

namespace {

constexpr int kLoadFullSize = 5;
constexpr int kFit = 2;

bool FitsInt(double value) { return value >= INT_MIN && value <= INT_MAX; }

// The source fitted into width × height as the shown picture.
void Refit(CollageItem& item, int width, int height) {
  if (!item.source.m_pixels) return;
  item.shown = item.source;
  item.shown.ReSample(std::max(width, 1), std::max(height, 1), kFit);
}

}  // namespace

CollageItem& CollageLayout::Add(const std::string& path, int defaultWidth, int defaultHeight) {
  auto item = std::make_unique<CollageItem>();
  item->path = path;
  item->source.LoadImageA(path.c_str(), 0, 0, kLoadFullSize);
  if (!item->source.m_pixels) item->source = Cimage();
  item->x = nextX;
  item->y = nextY;
  Refit(*item, defaultWidth, defaultHeight);
  nextX += defaultWidth + kGap;
  if (nextX > canvasWidth) {
    nextX = kGap;
    nextY += defaultHeight + kGap;
  }
  items_.push_back(std::move(item));
  return *items_.back();
}

void CollageLayout::PlaceNextAt(int x, int y) {
  nextX = x - kDropOffset;
  nextY = y - kDropOffset;
}

bool CollageLayout::Scale(double f, std::string& refusal) {
  if (!(f > 0.0)) {
    refusal = "The scale factor must be greater than 0.0";
    return false;
  }
  const double width = std::trunc(f * canvasWidth), height = std::trunc(f * canvasHeight);
  bool fits = ravelight::IsSanePictureSize(int64_t(std::min(width, 1e12)), int64_t(std::min(height, 1e12)));
  for (const auto& item : items_) {
    fits = fits && FitsInt(f * item->x) && FitsInt(f * item->y) && f * item->Width() <= ravelight::kMaxPictureSide &&
           f * item->Height() <= ravelight::kMaxPictureSide &&
           f * item->Width() * f * item->Height() <= double(ravelight::kMaxPicturePixels);
  }
  if (!fits) {
    refusal = kCollageTooLarge;
    return false;
  }
  canvasWidth = int(width);
  canvasHeight = int(height);
  for (const auto& item : items_) {
    const int shownWidth = int(f * item->Width()), shownHeight = int(f * item->Height());
    item->x = int(f * item->x);
    item->y = int(f * item->y);
    Refit(*item, shownWidth, shownHeight);
  }
  return true;
}

bool CollageLayout::SetZoom(double zoom, std::string& refusal) {
  if (!Scale(zoom / zoom_, refusal)) return false;
  zoom_ = zoom;
  return true;
}

void CollageLayout::ShrinkFit() {
  if (items_.empty()) return;
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const auto& item : items_) {
    left = std::min(left, item->x);
    top = std::min(top, item->y);
    right = std::max(right, item->x + item->Width());
    bottom = std::max(bottom, item->y + item->Height());
  }
  MoveAll(-left, -top);
  canvasWidth = std::max(right - left, 1);
  canvasHeight = std::max(bottom - top, 1);
}

void CollageLayout::MoveAll(int dx, int dy) {
  for (const auto& item : items_) {
    item->x += dx;
    item->y += dy;
  }
}

bool CollageLayout::Resize(CollageItem& item, int width, int height, std::string& refusal) {
  const int64_t shownWidth = item.Width(), shownHeight = item.Height();
  if (!shownWidth || !shownHeight) return false;
  int64_t w = std::max(width, 1), h = std::max(height, 1);
  if (w > shownWidth)
    h = w * shownHeight / shownWidth;
  else if (h > shownHeight)
    w = h * shownWidth / shownHeight;
  if (!ravelight::IsSanePictureSize(w, h)) {
    refusal = kCollageTooLarge;
    return false;
  }
  Refit(item, int(w), int(h));
  return true;
}

CollageItem* CollageLayout::HitTest(int x, int y) const {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it)
    if ((*it)->Contains(x, y)) return it->get();
  return nullptr;
}

size_t CollageLayout::IndexOf(const CollageItem* item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return i;
  return items_.size();
}

void CollageLayout::Remove(const CollageItem* item) {
  const size_t at = IndexOf(item);
  if (at < items_.size()) items_.erase(items_.begin() + long(at));
}

void CollageLayout::ToFront(const CollageItem* item) {
  const size_t at = IndexOf(item);
  if (at < items_.size()) std::rotate(items_.begin() + long(at), items_.begin() + long(at) + 1, items_.end());
}

void CollageLayout::ToBack(const CollageItem* item) {
  const size_t at = IndexOf(item);
  if (at < items_.size()) std::rotate(items_.begin(), items_.begin() + long(at), items_.begin() + long(at) + 1);
}

bool CollageLayout::Flatten(Cimage& picture, unsigned colour, std::string& refusal) const {
  if (!ravelight::IsSanePictureSize(canvasWidth, canvasHeight)) {
    refusal = kCollageTooLarge;
    return false;
  }
  picture.Blank(canvasWidth, canvasHeight, colour);
  if (!picture.m_pixels) {
    refusal = "There is not enough memory for a picture of the collage.";
    return false;
  }
  for (const auto& item : items_)
    if (item->shown.m_pixels) picture.BitBlt(item->x, item->y, &item->shown);
  return true;
}

double ParseScaleFactor(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return end == text.c_str() ? 1.0 : value;
}
