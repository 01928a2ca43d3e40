#include "slide_sequence.h"

#include "Cimage.h"

bool SlideLoaded(const CThumbItem& item) { return item.thumbnail && item.thumbnail->m_pixels; }

void SlideSequence::Begin(CThumbItem* startItem, bool isContinuous) {
  current_ = nullptr;
  startItem_ = startItem;
  continuous = isContinuous;
  preloadDue = advanceRequested = true;
  stopRequest = backwards = paused = atLast = false;
  firstPaint = true;
}

void SlideSequence::End() {
  current_ = startItem_ = nullptr;
  preloadDue = advanceRequested = false;
  playlist_.RemoveAll();
}

void SlideSequence::Next() {
  advanceRequested = true;
  paused = false;
}

void SlideSequence::Previous() {
  advanceRequested = backwards = paused = true;
}

bool SlideSequence::OnIdle(SlideHost& host, bool recycle) {
  if (stopRequest) return false;
  if (advanceRequested && atLast && !backwards && !recycle) return false;
  if (preloadDue) {
    // Once the current slide was loaded (or tried), the next one is loaded ahead.
    CThumbItem* item = !current_ ? playlist_.GetFirst() : current_->thumbnail ? current_->next : current_;
    if (!item && recycle) item = playlist_.GetFirst();
    if (item) host.LoadSlide(*item);
    preloadDue = false;
  } else if (advanceRequested) {
    Step(host);
  }
  return true;
}

void SlideSequence::Move(bool forward) {
  CThumbItem* behind = current_;
  for (int i = 0; i < 3 && behind; ++i) behind = Neighbour(behind, !forward);
  if (behind) behind->FreeThumbnail();
  if (current_) current_ = Neighbour(current_, forward);
}

void SlideSequence::Step(SlideHost& host) {
  bool forward = !backwards;
  if (!(continuous && forward)) advanceRequested = false;
  const bool wrapping = forward && current_ && !current_->next;
  Move(forward);
  backwards = false;
  if (startItem_) {
    current_ = startItem_;
    startItem_ = nullptr;
  }
  if (!current_) current_ = playlist_.GetFirst();
  // Cycling back to the first slide: the last ones are behind it now, though no link says so.
  if (wrapping)
    for (CThumbItem* item = current_ ? current_->next : nullptr; item; item = item->next) item->FreeThumbnail();
  if (!current_) return;
  // A file that does not load is shown all the same: its slide is the background with its
  // caption (and transition), and the show goes on.
  host.LoadSlide(*current_);
  currentId = current_->id;
  // Set afresh at every step: after going back from the last slide, Next must show it again
  // rather than end the show.
  atLast = current_->next == nullptr;
  preloadDue = true;
  host.SlideChanged(*current_);
}

CThumbItem* SlideSequence::SlideToPaint(SlideHost& host) {
  if (!current_) Step(host);
  return current_;
}

int SlideSequence::LoadedCount() {
  int count = 0;
  for (CThumbItem* item = playlist_.GetFirst(); item; item = item->next) count += SlideLoaded(*item);
  return count;
}
