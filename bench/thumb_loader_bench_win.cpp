// A folder's thumbnails made end to end through the loader thread, the way the thumbnail view
// asks for them: one request at a time, each result taken on this thread (WM_THUMB_READY) before
// the next request goes. Prints the count of files, results, decodes and cache hits, and the
// time from the first request to the last result.
// thumb_loader_bench FOLDER [EDGE]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Cimage.h"
#include "app_settings.h"
#include "private_messages.h"
#include "thumb_decode.h"
#include "thumb_item.h"
#include "thumb_loader.h"
#include "tnc_format.h"

namespace {

int g_decodes = 0;
ThumbDecoder g_library = nullptr;

void CountingDecoder(const std::string& path, int edge, Cimage& image) {
  ++g_decodes;  // only the loader thread decodes
  g_library(path, edge, image);
}

std::vector<std::unique_ptr<CThumbItem>> ListPictures(const std::string& folder) {
  std::vector<std::unique_ptr<CThumbItem>> items;
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA((folder + "\\*.jpg").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return items;
  do {
    auto item = std::make_unique<CThumbItem>();
    item->name = found.cFileName;
    item->folder = folder + "\\";
    item->sizeKB = TncSizeKB(found.nFileSizeLow | uint64_t(found.nFileSizeHigh) << 32);
    item->lastWrite = found.ftLastWriteTime;
    item->creation = found.ftCreationTime;
    item->id = int32_t(items.size() + 1);
    items.push_back(std::move(item));
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return items;
}

bool TakeResult(Cthumbloader& loader, int expectedId) {
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_THUMB_READY) {
  }
  const bool ours = loader.GetResultId() == expectedId && loader.Image().m_pixels != nullptr;
  Cimage copy = loader.Image();
  loader.ClearPending();
  return ours;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: thumb_loader_bench FOLDER [EDGE]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const int edge = argc > 2 ? std::atoi(argv[2]) : 180;
  g_settings.thumbnails.cachemode = 0;
  g_settings.thumbnails.cachequality = 1;
  g_settings.thumbnails.limit = 0;
  g_settings.thumbnails.thresh = 1;
  g_library = ReplaceThumbDecoder(CountingDecoder);
  const std::vector<std::unique_ptr<CThumbItem>> items = ListPictures(folder);
  const HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  Cthumbloader* loader = Cthumbloader::Begin(window);
  if (items.empty() || !window || !loader) {
    std::fprintf(stderr, "nothing to do in %s\n", folder.c_str());
    return 1;
  }
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  int delivered = 0;
  for (const auto& item : items)
    if (loader->RequestThumbnail(*item, edge) && TakeResult(*loader, item->id)) ++delivered;
  ::QueryPerformanceCounter(&end);
  const int hits = loader->CacheInfo().hits;
  loader->Stop();
  const double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
  std::printf("files %zu results %d decodes %d hits %d seconds %.3f per_second %.1f\n", items.size(), delivered,
              g_decodes, hits, seconds, delivered / seconds);
  return delivered == int(items.size()) ? 0 : 1;
}
