#pragma once
// How an image window opens: how large a picture it loads, whether it loads it scaled to fit
// (autosizing) or whole (pan/zoom), the window's size around the picture, where the window goes
// on the screen, its title, and how an autosizing window refits its picture when the user resizes
// it.
#include <string>

struct WindowSize {
  int width;
  int height;
  bool operator==(const WindowSize& other) const { return width == other.width && height == other.height; }
};

// How a window was asked to open.
enum class OpenMode { Settings = 0, OneToOne = 1, Autosize = 2, FullScreen = 3, NeverFullScreen = 4 };

// The "Picture Frames" values that decide the opening.
struct OpeningSettings {
  int viewstyle = 0;
  int preferedsize = 0;
  int scalingmode = 0;
};

// The outer size a window may take on the screen: the whole screen box, or the preferred share
// of it ("preferedsize" 0 all, 1 seven eighths, 2 three quarters, 3 and above one half).
WindowSize WindowBox(WindowSize screen, const OpeningSettings& settings, OpenMode mode);
// The picture size a scaled load fits: the window box less the frame around the picture.
WindowSize LoadBox(WindowSize windowBox, WindowSize overhead);
// True when the file is loaded scaled to the box (autosizing), false when at its full size.
bool LoadsScaled(const OpeningSettings& settings, OpenMode mode);
// The image library's size mode of a scaled load for "scalingmode" 0, 1, 2.
int ScaledLoadMode(int scalingmode);
// True when the window shows its picture full screen as it opens.
bool OpensFullScreen(int viewstyle, OpenMode mode);

// A pan/zoom window's outer size for a picture: the picture plus the frame around the client
// and both scroll bars (they stay, disabled, when not needed), each side capped by the box.
WindowSize PanZoomWindowSize(WindowSize picture, WindowSize frame, WindowSize scrollBars, WindowSize box);

// Where a new window goes on a screen box of `screen` ("Picture Frames" "position": 0 the next of
// the four corners by `corner`, which it advances; 1 centred; 2 scattered by the two random
// numbers 0 .. 32767; 3 the lower left corner).
struct Placement {
  int x;
  int y;
};
Placement PlaceWindow(int position, WindowSize screen, WindowSize window, int& corner, int randomX, int randomY);

// The caption: the file name, the picture's size in the file and the ratio it is shown at.
std::string ImageWindowTitle(const std::string& name, int width, int height, int num, int den);

// The client size an autosizing window's picture is refitted to after the user resized it: a
// drag that widened (or heightened) only one side grows the other to keep the picture's
// proportions; nothing exceeds the screen box's client room.
WindowSize RefitClient(WindowSize client, WindowSize picture, WindowSize maxClient);

// How the refitted picture is made: resampled from the one shown, or loaded again from the file
// (fitted exactly) when it grows past what the shown picture holds.
enum class Refit { Resample, Reload };
Refit RefitMethod(int clientWidth, int shownWidth, int fileWidth, bool shownValid);

// The status bar's read-out of the picture pixel under the pointer; `rgb` packs blue in the low
// byte, then green, then red.
std::string PixelStatusText(int x, int y, unsigned rgb);
