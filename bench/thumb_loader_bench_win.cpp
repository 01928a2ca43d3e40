// A folder's thumbnails made end to end through the loader thread, the way the thumbnail view
// asks for them: one request at a time, of up to 64 files, every result there taken on this
// thread at each WM_THUMB_READY; the files a decode left unanswered are asked for in the next
// request. Prints the count of files, results, decodes and cache hits, and the time from the
// first request to the last result.
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

constexpr size_t kFilesPerRequest = 64;

// Asks for the files from first on and takes the results; the number of files answered, and of
// them those with their own picture in delivered.
size_t AskAndTake(Cthumbloader& loader, const std::vector<std::unique_ptr<CThumbItem>>& items, size_t first, int edge,
                  int& delivered) {
  std::vector<CThumbItem*> asked;
  for (size_t i = first; i < items.size() && asked.size() < kFilesPerRequest; ++i) asked.push_back(items[i].get());
  if (!loader.RequestThumbnails(asked, edge)) return 0;
  size_t answered = 0;
  MSG message;
  while (loader.IsPending() && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message != WM_THUMB_READY) continue;
    for (; loader.HasResult(); ++answered) {
      const bool ours = answered < asked.size() && loader.GetResultId() == asked[answered]->id;
      const std::unique_ptr<Cimage> image = loader.TakeImage();
      delivered += ours && image && image->m_pixels;
      loader.ClearPending();
    }
  }
  return answered;
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
  for (size_t first = 0, answered = 1; first < items.size() && answered > 0; first += answered)
    answered = AskAndTake(*loader, items, first, edge, delivered);
  ::QueryPerformanceCounter(&end);
  const int hits = loader->CacheInfo().hits;
  loader->Stop();
  const double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
  std::printf("files %zu results %d decodes %d hits %d seconds %.3f per_second %.1f\n", items.size(), delivered,
              g_decodes, hits, seconds, delivered / seconds);
  return delivered == int(items.size()) ? 0 : 1;
}
