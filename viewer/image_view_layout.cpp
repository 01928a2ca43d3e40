#include "image_view_layout.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr int kWheelNotch = 120;

int ToInt(int64_t value) { return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }

int Ratio(int64_t value, int times, int over) { return over > 0 ? ToInt(value * times / over) : 0; }

}  // namespace

ViewAxis LayoutAxis(ViewAxis axis, int client, int picture, int num, int den) {
  axis.visible = ToInt(int64_t{Ratio(client, den, num)} + 1);
  if (axis.visible >= picture) {
    axis.visible = picture;
    axis.origin = 0;
    axis.offset = ToInt((int64_t{client} - Ratio(picture, num, den)) / 2);
  } else {
    axis.offset = 0;
    if (int64_t{axis.origin} + axis.visible > picture)
      axis.origin = picture - axis.visible;
    else
      axis.origin = std::clamp(ToInt(int64_t{axis.centre} - axis.visible / 2), 0, picture - axis.visible);
  }
  axis.centre = ToInt(int64_t{axis.origin} + axis.visible / 2);
  return axis;
}

int ClientToPicture(int client, const ViewAxis& axis, int num, int den) {
  return ToInt(int64_t{Ratio(int64_t{client} - axis.offset, den, num)} + axis.origin);
}

int PictureToClient(int picture, const ViewAxis& axis, int num, int den) {
  return ToInt(int64_t{Ratio(int64_t{picture} - axis.origin, num, den)} + axis.offset);
}

int ClientToFile(int client, int offset, int shown, int inFile) {
  return Ratio(int64_t{client} - offset, inFile, shown);
}

int FileToClient(int file, int offset, int shown, int inFile) {
  return ToInt(int64_t{Ratio(file, shown, inFile)} + offset);
}

int OnPicture(int coordinate, int size) { return size > 0 ? std::clamp(coordinate, 0, size - 1) : 0; }

int LineStep(int visible) { return visible / 10; }

int PageStep(int visible) { return Ratio(visible, 9, 10); }

int WheelAccumulator::Add(int delta) {
  total_ = ToInt(int64_t{total_} + delta);
  int lines = 0;
  if (total_ > kWheelNotch)
    lines = (total_ - 1) / kWheelNotch;
  else if (total_ < -kWheelNotch)
    lines = (total_ + 1) / kWheelNotch;
  total_ -= lines * kWheelNotch;
  return lines;
}

int BlockOrigin(int origin, int den) { return den > 1 && origin > 0 ? origin - origin % den : std::max(origin, 0); }

int ShownShift(int oldOrigin, int newOrigin, int num, int den) {
  if (den <= 0) return 0;
  return ToInt((int64_t{BlockOrigin(oldOrigin, den)} - BlockOrigin(newOrigin, den)) / den * num);
}

PictureSpan SpanCovering(int clientFirst, int clientEnd, const ViewAxis& axis, int size, int num, int den) {
  const int blockOrigin = BlockOrigin(axis.origin, den);
  const int64_t first = blockOrigin + int64_t{clientFirst - axis.offset} * den / num - 1;
  int64_t end = blockOrigin + (int64_t{clientEnd - axis.offset} * den + num - 1) / num + 1;
  end = (end + den - 1) / den * den;
  return {BlockOrigin(int(std::clamp<int64_t>(first, blockOrigin, size)), den), int(std::clamp<int64_t>(end, 0, size))};
}
