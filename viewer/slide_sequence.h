#pragma once
// The slideshow's state machine, free of windows: which slide is current, which one is loaded
// ahead, when the show moves on and when it ends. The show window is its host: it loads slides,
// repaints and plays sounds.
#include "thumb_list.h"

class Cimage;

class SlideHost {
 public:
  virtual ~SlideHost() = default;
  // Gives the item an image (its thumbnail) loaded from its file, when it has none.
  virtual void LoadSlide(CThumbItem& item) = 0;
  // The item became the current slide, loaded (or, when its file did not load, without a picture).
  virtual void SlideChanged(CThumbItem& item) = 0;
};

class SlideSequence {
 public:
  CThumbList& Playlist() { return playlist_; }

  // The state a new show window starts with (and the item it starts at, or none).
  void Begin(CThumbItem* startItem, bool continuous);
  // Empties the playlist and forgets every item.
  void End();

  // The idle step: false when the show should stop now.
  bool OnIdle(SlideHost& host, bool recycle);
  // Moves to the next (or, after Previous, the previous) slide.
  void Step(SlideHost& host);

  void Next();
  void Previous();
  void Pause() { paused = true; }
  // The timer: advance unless paused.
  void Tick() {
    if (!paused) advanceRequested = true;
  }

  bool WorkDue() const { return preloadDue || advanceRequested || stopRequest || focusPending; }
  CThumbItem* Current() const { return current_; }
  // The slide to paint, after a step when none is current yet; null when there is none.
  CThumbItem* SlideToPaint(SlideHost& host);
  // The items that hold an image now.
  int LoadedCount();

  bool continuous = false;
  bool firstPaint = false;
  bool backwards = false;
  bool atLast = false;
  bool paused = false;
  bool preloadDue = false;
  bool stopRequest = false;
  bool advanceRequested = false;
  bool focusPending = false;
  int currentId = -1;

 private:
  // One place on in the direction, freeing the image of the item three places behind.
  void Move(bool forward);
  CThumbItem* Neighbour(CThumbItem* item, bool forward) const { return forward ? item->next : item->aux; }

  CThumbList playlist_;
  CThumbItem* current_ = nullptr;
  CThumbItem* startItem_ = nullptr;
};

// The item holds a picture with pixels.
bool SlideLoaded(const CThumbItem& item);
