#include "jpeg_marker_copy.h"

#include <cstring>

namespace ravelight {
namespace {

constexpr unsigned kLongestSegment = 0xFFFF;

bool Starts(const jpeg_saved_marker_ptr marker, const char* id, size_t idBytes, unsigned minimumLength) {
  return marker->data_length >= minimumLength && std::memcmp(marker->data, id, idBytes) == 0;
}

bool IsJfifHeader(const jpeg_saved_marker_ptr marker) {
  return marker->marker == JPEG_APP0 && Starts(marker, "JFIF", 5, 14);  // the id with its zero
}

bool IsAdobeMarker(const jpeg_saved_marker_ptr marker) {
  return marker->marker == JPEG_APP0 + 14 && Starts(marker, "Adobe", 5, 12);
}

}  // namespace

void KeepMarkers(j_decompress_ptr source, JpegMarkerCopy copy) {
  if (copy != JpegMarkerCopy::kNone) jpeg_save_markers(source, JPEG_COM, kLongestSegment);
  if (copy == JpegMarkerCopy::kAll)
    for (int n = 0; n < 16; ++n) jpeg_save_markers(source, JPEG_APP0 + n, kLongestSegment);
}

void WriteKeptMarkers(j_decompress_ptr source, j_compress_ptr destination) {
  for (jpeg_saved_marker_ptr marker = source->marker_list; marker; marker = marker->next) {
    if (destination->write_JFIF_header && IsJfifHeader(marker)) continue;
    if (destination->write_Adobe_marker && IsAdobeMarker(marker)) continue;
    jpeg_write_marker(destination, marker->marker, marker->data, marker->data_length);
  }
}

}  // namespace ravelight
