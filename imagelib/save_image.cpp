// Saving by extension. The encoder writes a file beside the target, and only a complete, closed
// file replaces the target, so a failed or interrupted save never costs the user the old file.
#include <string>

#include "Cimage.h"
#include "file_names.h"
#include "file_system.h"

namespace {

// Flushes and closes, reporting any write error the stream saw on the way.
bool CloseChecked(FILE* stream) {
  const bool flushed = std::fflush(stream) == 0 && !std::ferror(stream);
  return std::fclose(stream) == 0 && flushed;
}

}  // namespace

void Cimage::SaveImage(const char* path) {
  SaveImage(path, S_file_save_quality, S_file_colormap_bmp, S_file_dither_bmp, S_file_colormap_png,
            S_file_dither_png, S_file_dither_gif, S_file_save_useorig);
}

void Cimage::SaveImage(const char* path, int quality, int bmpColormap, int bmpDither, int pngColormap,
                       int pngDither, int gifDither, int jpegUseOrig) {
  m_saveError = 0;
  std::string file;
  if (!ravelight::TrimmedPath(path, file)) {
    m_saveError = 1;
    return;
  }
  const ravelight::FileFormat format = ravelight::FormatOfExtension(ravelight::ExtensionOf(file));
  if (format != ravelight::kJpegFormat && format != ravelight::kGifFormat && format != ravelight::kBmpFormat &&
      format != ravelight::kPngFormat && format != ravelight::kTiffFormat) {
    m_saveError = 1;  // not a format we write; the picture stays as it is
    return;
  }
  const std::string temporary = platform::TemporaryNameBeside(file);
  if (temporary.empty()) {
    m_saveError = 1;
    return;
  }

  if (format == ravelight::kTiffFormat) {
    SaveTIF(temporary.c_str(), file.c_str());
  } else if (FILE* stream = std::fopen(temporary.c_str(), "wb")) {
    switch (format) {
      case ravelight::kJpegFormat: SaveJPEG(stream, quality, jpegUseOrig); break;
      case ravelight::kGifFormat: SaveGIF(stream, gifDither); break;
      case ravelight::kBmpFormat: SaveBMP(stream, bmpColormap, bmpDither); break;
      default: SavePNG(stream, pngColormap, pngDither); break;
    }
    if (!CloseChecked(stream)) m_saveError = 1;
  } else {
    m_saveError = 1;
  }

  if (!m_saveError && !platform::ReplaceFileWith(temporary, file)) m_saveError = 1;
  if (m_saveError) platform::RemoveFile(temporary);
}
