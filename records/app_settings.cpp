#include "app_settings.h"

#include <type_traits>

#include "app_settings_table.h"
#include "geometry.h"

CAppSettings g_settings;

namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

// The middle three quarters of the screen.
CRect DefaultFrame(const SettingsEnvironment& environment) {
  const int width = environment.screenWidth, height = environment.screenHeight;
  return CRect(width / 8, height / 8, 7 * width / 8, 7 * height / 8);
}

int NumberDefault(const SettingRow& row, const SettingsEnvironment& environment) {
  const CRect frame = DefaultFrame(environment);
  switch (row.computedDefault) {
    case ComputedDefault::FrameLeft: return frame.left;
    case ComputedDefault::FrameTop: return frame.top;
    case ComputedDefault::FrameRight: return frame.right;
    case ComputedDefault::FrameBottom: return frame.bottom;
    default: return row.numberDefault;
  }
}

std::string TextDefault(const SettingRow& row, const SettingsEnvironment& environment) {
  if (row.computedDefault == ComputedDefault::CacheFolder) return environment.programFolder + "\\cache";
  return row.textDefault;
}

int ReadNumber(Profile& profile, const SettingRow& row, const SettingsEnvironment& environment) {
  int value = NumberDefault(row, environment);
  if (row.earlierName) value = profile.GetInt(row.section, row.earlierName, value);
  return profile.GetInt(row.section, row.name, value);
}

std::string ReadText(Profile& profile, const SettingRow& row, const SettingsEnvironment& environment) {
  std::string value = TextDefault(row, environment);
  if (row.earlierName) value = profile.GetString(row.section, row.earlierName, value);
  return profile.GetString(row.section, row.name, value);
}

void AtLeast(int& value, int minimum) {
  if (value < minimum) value = minimum;
}

void ClampBatchPrint(CAppSettings::BatchPrint& print) {
  AtLeast(print.colwidth, 1);
  AtLeast(print.colheight, 1);
  AtLeast(print.pawidth, 10);
  AtLeast(print.paheight, 10);
  AtLeast(print.tasizex, 1);
  AtLeast(print.tasizey, 1);
}

// Valid modes are 0, 1 and 2.
void ClampScalingMode(CAppSettings::PictureFrames& frames) {
  frames.scalingmode &= 3;
  if (frames.scalingmode == 3) frames.scalingmode = 2;
}

// Keeps the frame's edges on the screen. A rectangle with nothing left on the screen comes out
// of that empty, and is replaced by the default rather than opening a window nobody can reach.
void KeepFrameOnScreen(CAppSettings::FrameLayout& layout, const SettingsEnvironment& environment) {
  AtLeast(layout.top, 0);
  if (layout.bottom > environment.screenHeight) layout.bottom = environment.screenHeight;
  AtLeast(layout.left, 0);
  if (layout.right > environment.screenWidth) layout.right = environment.screenWidth;
  if (CRect(layout.left, layout.top, layout.right, layout.bottom).IsRectEmpty()) {
    const CRect frame = DefaultFrame(environment);
    layout.left = frame.left;
    layout.top = frame.top;
    layout.right = frame.right;
    layout.bottom = frame.bottom;
  }
}

// A pane too narrow to grab gets a usable width back.
void ClampPanes(CAppSettings::FrameLayout& layout) {
  if (layout.leftpane < 10) layout.leftpane = 300;
  if (layout.keypane < 10) layout.keypane = 300;
}

}  // namespace

void CAppSettings::Load(Profile& profile, const SettingsEnvironment& environment) {
  for (const SettingRow& row : SettingsTable(*this)) {
    std::visit(Overloaded{
                   [&](std::string* text) { *text = ReadText(profile, row, environment); },
                   [&](auto* number) {
                     using Number = std::remove_pointer_t<decltype(number)>;
                     *number = static_cast<Number>(ReadNumber(profile, row, environment));
                   },
               },
               row.field);
  }
  ClampBatchPrint(batchPrint);
  ClampScalingMode(pictureFrames);
  KeepFrameOnScreen(frameLayout, environment);
  ClampPanes(frameLayout);
}

bool CAppSettings::Save(Profile& profile) {
  bool written = true;
  for (const SettingRow& row : SettingsTable(*this)) {
    std::visit(Overloaded{
                   [&](std::string* text) { written &= profile.WriteString(row.section, row.name, *text); },
                   [&](auto* number) { written &= profile.WriteInt(row.section, row.name, int(*number)); },
               },
               row.field);
  }
  return profile.Flush() && written;
}
