#pragma once
// The slideshow: a playlist from the thumbnail view shown slide by slide on a window covering the
// screen, with transitions, captions and sounds, advancing on a timer, on clicks and on keys. The
// main frame owns the one controller and drives it from the program's idle time.
#include <windows.h>

#include <memory>
#include <string>

#include "slide_sequence.h"
#include "window.h"

class CThumbList;

// The window the slides are painted on; it covers the screen and hides the mouse pointer.
class CSlideShowWnd : public Window, public SlideHost {
 public:
  explicit CSlideShowWnd(SlideSequence& sequence) : sequence_(sequence) {}
  bool Create();
  // Timer 1 again from now, as "usedelay", "interval" and "tenths" say.
  void RestartTimer();

  void LoadSlide(CThumbItem& item) override;
  void SlideChanged(CThumbItem& item) override;
  // Keys typed while this window has the focus go there.
  void SetKeyWindow(HWND keys) { keys_ = keys; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  // The slide composed in memory (background, picture, caption) onto the screen.
  void Present(HDC screen, HDC memory, Cimage* picture, int x, int y, COLORREF background,
               const std::string& caption);

  SlideSequence& sequence_;
  int screenHeight_ = 0;
  int screenWidth_ = 0;
  int loadWidth_ = 0;
  int loadHeight_ = 0;
  int corner_ = 0;
  HWND keys_ = nullptr;
  bool painting_ = false;
};

// An invisible window that holds the keyboard focus while a show runs.
class CSlideShow;
class CSlideShowKeyWnd : public Window {
 public:
  explicit CSlideShowKeyWnd(CSlideShow& show) : show_(show) {}
  bool Create(HWND owner);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CSlideShow& show_;
};

class CSlideShow {
 public:
  CSlideShow() = default;
  ~CSlideShow();
  CSlideShow(const CSlideShow&) = delete;
  CSlideShow& operator=(const CSlideShow&) = delete;

  // A show of the view's items (plainFolder: the view lists the one folder `folder`, whose
  // subfolders "include" 2 adds); tells the user and starts nothing when there is nothing to show.
  void Start(CThumbList& viewItems, bool plainFolder, const std::string& folder);
  void Stop();
  void Next();
  void Previous();
  void Pause() { sequence_.Pause(); }
  // One step of the show at idle: 0 when no show runs.
  int OnIdle();
  bool IsRunning() const { return running_; }
  // Something is due at the next idle pass: loading ahead, a step, the end, the focus.
  bool WorkDue() const { return running_ && sequence_.WorkDue(); }
  // Next, then the thumbnail view selects the slide now shown.
  void NextAndSelect();

 private:
  std::unique_ptr<CSlideShowWnd> window_;
  bool running_ = false;
  std::unique_ptr<CSlideShowKeyWnd> keys_;
  BOOL screenSaverWasActive_ = FALSE;
  SlideSequence sequence_;
};
