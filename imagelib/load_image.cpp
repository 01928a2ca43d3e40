// Loading any supported file by its extension, trying every decoder in turn when the extension
// does not name the format, and fitting the result into a box on the way.
#include <climits>
#include <string>

#include "Cimage.h"
#include "file_names.h"
#include "load_size_modes.h"
#include "shared_reading.h"
#include "shortcut.h"
#include "stream_size.h"

namespace {

// Every decoder gets its turn, JPEG first; PCX gets the last three (the codes past 7).
constexpr int kAttempts = 9;

int NextCode(int code) { return code % kAttempts + 1; }

int ClampedFileSize(FILE* stream) {
  const int64_t size = platform::StreamSize(stream);
  return size < 0 ? 0 : size > INT_MAX ? INT_MAX : int(size);
}

}  // namespace

void Cimage::LoadImageA(const char* path, int width, int height, int mode) {
  m_unknownExt = 0;
  std::string file;
  if (!ravelight::TrimmedPath(path, file)) {
    DeleteImage();
    m_valid = 1;
    m_loadError = 1;
    return;
  }
  std::string extension = ravelight::ExtensionOf(file);
  if (extension == "LNK" && platform::ResolveShortcutTarget(file)) extension = ravelight::ExtensionOf(file);
  int code = ravelight::FormatOfExtension(extension);
  if (code == ravelight::kUnknownFormat) {
    code = ravelight::kJpegFormat;
    m_unknownExt = 1;
  }

  for (int attempts = 0; attempts == 0 || (m_loadError && attempts < kAttempts); ++attempts) {
    DeleteImage();
    m_valid = 1;
    m_scaleNum = m_scaleDen = 1;
    m_loadError = 0;
    m_displayDithered = 0;
    m_fileSize = 0;
    m_components = 3;
    FILE* stream = platform::OpenForSharedReading(file);
    if (!stream) {
      m_loadError = 1;
      return;
    }
    if (code == ravelight::kTiffFormat) {
      m_fileSize = ClampedFileSize(stream);
      std::fclose(stream);
      LoadTIF(file.c_str(), width, height, mode);
    } else {
      switch (code) {
        case ravelight::kJpegFormat: LoadJPEG(stream, width, height, mode); break;
        case ravelight::kGifFormat: LoadGIF(stream, width, height, mode); break;
        case ravelight::kBmpFormat: LoadBMP(stream, width, height, mode); break;
        case ravelight::kPngFormat: LoadPNG(stream, width, height, mode); break;
        case ravelight::kPsdFormat: LoadPSD(stream); break;
        default: LoadPCX(stream, width, height, mode); break;
      }
      m_fileSize = ClampedFileSize(stream);
      std::fclose(stream);
    }
    if (m_loadError) code = NextCode(code);
  }

  if (m_loadError) {
    DeleteImage();
    m_valid = 1;
    m_loadError = 1;
    return;
  }
  if (!ravelight::HasPicture(*this)) {
    DeleteImage();
    return;
  }
  ravelight::ApplySizeMode(*this, width, height, mode);
  ravelight::ReduceScaleFraction(*this);
  if (ravelight::HasPicture(*this))
    MakeBMIstruct();
  else
    DeleteImage();
}
