#pragma once
// What a slideshow shows and how: the playlist taken from the thumbnail view and the folders
// below it, the caption of a slide, where a slide lands on the screen, the size it is loaded at
// and how often the timer advances.
#include <functional>
#include <string>

#include "app_settings.h"
#include "thumb_list.h"

// The playlist never holds more than this many files; collecting stops there without a word.
constexpr int kPlaylistCap = 25000;

// Copies the view's items (only the selected ones with "include" 1) into the emptied playlist, in
// the view's order; the copy of the one selected item when exactly one is selected, else null.
CThumbItem* CopyViewItems(CThumbList& view, CThumbList& playlist, int include);

// Adds the matching picture files of folder's subfolders (and, with scanFiles, of the folder
// itself), depth first. Folders that are links elsewhere, hidden entries (unless "showhidden"),
// and paths too long for the system are passed over; collecting stops at kPlaylistCap. False when
// the folder itself cannot be listed.
bool ScanFolder(const std::string& folder, bool scanFiles, const CAppSettings& settings, CThumbList& playlist);

// Sorts by "order" (0 name, 1 date, 2 size, 3 random; 4 keeps the view's order) unless the show
// starts at a chosen item, then links every item to its predecessor through aux.
void OrderPlaylist(CThumbList& playlist, const CAppSettings::SlideShow& settings, bool startChosen);

// The file name without its folder and without its extension (a leading dot is kept).
std::string SlideCaption(const std::string& name);

struct SlidePoint {
  int x, y;
};

// Where a w × h slide goes on a W × H screen by "position": 0 the corners in turn (corner counts
// 0..3 and moves on), 1 centred, 2 and above scattered by random (0..32767).
SlidePoint PlaceSlide(int position, int W, int H, int w, int h, int& corner, const std::function<int()>& random);

// The box slides are loaded into for "size" (0 the screen, 1 seven eighths, 2 three quarters,
// else a half), and the library's size mode for "fitmode" (0 for a fitmode that loads nothing).
SlidePoint SlideLoadBox(int size, int W, int H);
int SlideLoadMode(int fitmode);

// The timer's period in milliseconds; 0 when the show advances at every idle pass ("interval" 0
// or less with "usedelay"); -1 when no timer runs ("usedelay" off).
int SlideTimerPeriod(const CAppSettings::SlideShow& settings);
