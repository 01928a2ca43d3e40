#include "slide_playlist.h"

#include <cstring>

#include "file_system.h"
#include "filetime.h"
#include "folder_entries.h"
#include "path_separators.h"
#include "picture_types.h"

namespace {

bool Full(const CThumbList& playlist) { return playlist.GetCount() >= kPlaylistCap; }

// The picture types a show collects, in the order it collects them, as the settings choose them.
std::vector<platform::PictureType> ShownTypes(const CAppSettings::FileOptions& files) {
  std::vector<platform::PictureType> types;
  if (files.showjpg) types.push_back(platform::PictureType::kJpeg);
  if (files.showgif) types.push_back(platform::PictureType::kGif);
  if (files.showtif) types.push_back(platform::PictureType::kTiff);
  if (files.showbmp) types.push_back(platform::PictureType::kBmp);
  if (files.showpng) types.push_back(platform::PictureType::kPng);
  return types;
}

void AddFile(CThumbList& playlist, const std::string& folder, const platform::FolderEntry& entry) {
  CThumbItem* item = playlist.AddTail();
  if (!item) return;
  item->name = entry.name;
  item->folder = folder + platform::kPathSeparator;
  item->sizeKB = int32_t(uint32_t(entry.stamp.size) >> 10);
  // The show sorts files found this way by their creation time.
  item->lastWrite = item->creation = platform::FileTimeFromTicks(entry.stamp.creation);
}

}  // namespace

CThumbItem* CopyViewItems(CThumbList& view, CThumbList& playlist, int include) {
  playlist.RemoveAll();
  const bool oneSelected = view.CountSelected() == 1;
  CThumbItem* start = nullptr;
  for (CThumbItem* item = view.GetFirst(); item && !Full(playlist); item = view.GetNext()) {
    if (include == 1 && !item->selected) continue;
    CThumbItem* copy = playlist.AddTail();
    if (!copy) break;
    copy->name = item->name;
    copy->folder = item->folder;
    copy->id = item->id;
    copy->sizeKB = item->sizeKB;
    copy->lastWrite = item->lastWrite;
    copy->creation = item->creation;
    if (oneSelected && item->selected) start = copy;
  }
  return start;
}

bool ScanFolder(const std::string& path, bool scanFiles, const CAppSettings& settings, CThumbList& playlist) {
  const std::string folder = platform::WithoutTrailingSeparators(path);
  std::vector<platform::FolderEntry> entries;
  if (!platform::ListFolder(folder, [&](const platform::FolderEntry& entry) {
        entries.push_back(entry);
        return true;
      }))
    return false;
  const bool showHidden = settings.thumbnails.showhidden != 0;
  // Room for the separator and the terminator after the folder.
  const auto fits = [&](const platform::FolderEntry& entry) {
    return folder.size() + 1 + entry.name.size() < platform::kMaxPath && (showHidden || !entry.stamp.hidden);
  };
  if (scanFiles) {
    for (const platform::PictureType type : ShownTypes(settings.fileOptions))
      for (const platform::FolderEntry& entry : entries) {
        if (Full(playlist)) return true;
        if (!entry.stamp.directory && fits(entry) && platform::PictureTypeOfName(entry.name) == type)
          AddFile(playlist, folder, entry);
      }
  }
  for (const platform::FolderEntry& entry : entries) {
    if (Full(playlist)) break;
    // A link may lead back up the tree: going into one could loop for ever.
    if (entry.stamp.directory && !entry.isLink && fits(entry))
      ScanFolder(folder + platform::kPathSeparator + entry.name, true, settings, playlist);
  }
  return true;
}

void OrderPlaylist(CThumbList& playlist, const CAppSettings::SlideShow& settings, bool startChosen) {
  if (!startChosen && settings.order >= 0 && settings.order <= kSortRandom)
    playlist.Sort(settings.order, settings.reverse != 0, settings.case_ != 0);
  CThumbItem* previous = nullptr;
  for (CThumbItem* item = playlist.GetFirst(); item; item = item->next) {
    item->aux = previous;
    previous = item;
  }
}

std::string SlideCaption(const std::string& name) {
  std::string caption = name.substr(name.find_last_of('\\') + 1);
  const size_t dot = caption.find_last_of('.');
  if (dot != std::string::npos && dot > 0) caption.resize(dot);
  return caption;
}

SlidePoint PlaceSlide(int position, int W, int H, int w, int h, int& corner, const std::function<int()>& random) {
  if (position == 1) return {(W - w) / 2, (H - h) / 2};
  if (position >= 2) {
    const int x = int(int64_t{random()} * (W - w) / 32767);
    return {x, int(int64_t{random()} * (H - h) / 32767)};
  }
  const int at = corner;
  corner = (corner + 1) % 4;
  return {at % 2 ? W - w : 0, at >= 2 ? H - h : 0};
}

SlidePoint SlideLoadBox(int size, int W, int H) {
  switch (size) {
    case 0: return {W, H};
    case 1: return {W * 7 / 8, H * 7 / 8};
    case 2: return {W * 3 / 4, H * 3 / 4};
    default: return {W / 2, H / 2};
  }
}

int SlideLoadMode(int fitmode) { return fitmode >= 0 && fitmode <= 2 ? fitmode + 2 : 0; }

int SlideTimerPeriod(const CAppSettings::SlideShow& settings) {
  if (!settings.usedelay) return -1;
  if (settings.interval <= 0) return 0;
  return settings.interval * (settings.tenths ? 100 : 1000);
}
