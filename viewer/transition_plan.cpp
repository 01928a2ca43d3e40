#include "transition_plan.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

constexpr int kSteps = 50;
constexpr int kRandomTries = 5000;
constexpr int kSequenceTries = 50;

int Ceil(int side, int parts) { return (side + parts - 1) / parts; }

// Adds the copy of the slide area at (sourceX, sourceY) to (x, y), cut to what lies on both the
// screen and the slide; nothing when no part does.
class StepBuilder {
 public:
  StepBuilder(int width, int height) : width_(width), height_(height) {}

  void Copy(int x, int y, int w, int h, int sourceX, int sourceY) {
    Cut(x, sourceX, w, width_);
    Cut(y, sourceY, h, height_);
    if (w > 0 && h > 0) step.copies.push_back({x, y, w, h, sourceX, sourceY});
  }
  // The same area of the slide to the same place.
  void CopyInPlace(int x, int y, int w, int h) { Copy(x, y, w, h, x, y); }
  void Emit(const std::function<void(const TransitionStep&)>& sink, bool paced, int pauseMs = 0) {
    step.paced = paced;
    step.pauseMs = pauseMs;
    sink(step);
    step.copies.clear();
  }

  TransitionStep step;

 private:
  // One axis: both the target and the source start within 0 .. limit, the length shrinking alike.
  static void Cut(int& at, int& source, int& length, int limit) {
    const int skip = std::max({0, -at, -source});
    at += skip;
    source += skip;
    length -= skip;
    length = std::min({length, limit - at, limit - source});
  }

  int width_, height_;
};

// Types 1-4: the whole slide shifted by (dx, dy) steps.
void PlanSlide(StepBuilder& b, int sx, int sy, int dx, int dy, int W, int H,
               const std::function<void(const TransitionStep&)>& sink) {
  for (int s = kSteps; s >= 0; --s) {
    b.Copy(dx * s * sx, dy * s * sy, W, H, 0, 0);
    b.Emit(sink, true);
  }
}

// Types 5-8: bands that slide in from both sides in turn.
void PlanFingers(StepBuilder& b, bool horizontal, int bands, int lastBand, int W, int H, int sx, int sy,
                 const std::function<void(const TransitionStep&)>& sink) {
  const int band = horizontal ? Ceil(H, bands) : Ceil(W, bands);
  for (int s = kSteps; s >= 0; --s) {
    for (int i = 0; i <= lastBand; ++i) {
      const int shift = (i % 2 == 0 ? -s : s) * (horizontal ? sx : sy);
      if (horizontal)
        b.Copy(shift, i * band, W, band, 0, i * band);
      else
        b.Copy(i * band, shift, band, H, i * band, 0);
    }
    b.Emit(sink, true);
  }
}

void PlanWeave(StepBuilder& b, int W, int H, int sx, int sy, const std::function<void(const TransitionStep&)>& sink) {
  const int cw = Ceil(W, 40), ch = Ceil(H, 40);
  for (int k = 0; k <= 20; ++k) {
    for (int s = kSteps; s >= 0; --s) {
      b.Copy(k * cw, s * sy, cw, H - s * sy, k * cw, 0);
      b.Copy(s * sx, k * ch, W - s * sx, ch, 0, k * ch);
      b.Copy((40 - k) * cw, 0, cw, H - s * sy, (40 - k) * cw, s * sy);
      b.Copy(0, (40 - k) * ch, W - s * sx, ch, s * sx, (40 - k) * ch);
    }
    b.Emit(sink, true);
  }
}

// Types 12, 13 and the frames of 11: bands growing from the edges towards the middle.
void AddEdgeBands(StepBuilder& b, int s, int W, int H, int sx, int sy, bool topBottom, bool leftRight) {
  if (topBottom) {
    b.CopyInPlace(0, 0, W, H - s * sy);
    b.CopyInPlace(0, H - (kSteps - s) * sy, W, H - s * sy);
  }
  if (leftRight) {
    b.CopyInPlace(0, 0, W - s * sx, H);
    b.CopyInPlace(W - (kSteps - s) * sx, 0, W - s * sx, H);
  }
}

void PlanGrid(StepBuilder& b, int parts, int W, int H, const std::function<void(const TransitionStep&)>& sink) {
  const int cw = Ceil(W, parts), ch = Ceil(H, parts);
  for (int s = kSteps; s >= 0; --s) {
    const int grown = kSteps - s;
    for (int i = 0; i <= parts; ++i)
      for (int j = 0; j <= parts; ++j)
        b.CopyInPlace(i * cw - grown * cw / 100, j * ch - grown * ch / 100, grown * cw / kSteps,
                      grown * ch / kSteps);
    b.Emit(sink, true);
  }
}

// Types 18-20: the cells of an n × n grid, one by one in shuffled order.
void PlanCells(StepBuilder& b, int parts, int pauseMs, int W, int H, const TransitionRandom& random,
               const std::function<void(const TransitionStep&)>& sink) {
  const int cw = Ceil(W, parts), ch = Ceil(H, parts);
  std::vector<std::pair<int, int>> cells;
  cells.reserve(size_t(parts + 1) * size_t(parts + 1));
  for (int i = 0; i <= parts; ++i)
    for (int j = 0; j <= parts; ++j) cells.emplace_back(i, j);
  const int64_t last = int64_t(cells.size()) - 1;
  for (size_t p = 0; p < cells.size(); ++p) std::swap(cells[p], cells[size_t(random() * last / 32767)]);
  for (const auto& [i, j] : cells) {
    b.CopyInPlace(i * cw - cw / 2, j * ch - ch / 2, cw, ch);
    b.Emit(sink, false, pauseMs);
  }
}

}  // namespace

void PlanTransition(int type, int W, int H, const TransitionRandom& random,
                    const std::function<void(const TransitionStep&)>& sink) {
  StepBuilder b(W, H);
  const int sx = W / kSteps, sy = H / kSteps;
  switch (type) {
    case 1: return PlanSlide(b, sx, sy, 1, 0, W, H, sink);
    case 2: return PlanSlide(b, sx, sy, -1, 0, W, H, sink);
    case 3: return PlanSlide(b, sx, sy, 0, 1, W, H, sink);
    case 4: return PlanSlide(b, sx, sy, 0, -1, W, H, sink);
    case 5: return PlanFingers(b, true, 10, 9, W, H, sx, sy, sink);
    case 6: return PlanFingers(b, false, 10, 9, W, H, sx, sy, sink);
    case 7: return PlanFingers(b, true, 40, 41, W, H, sx, sy, sink);
    case 8: return PlanFingers(b, false, 40, 41, W, H, sx, sy, sink);
    case 9: return PlanWeave(b, W, H, sx, sy, sink);
    case 10:
      for (int s = kSteps; s >= 0; --s) {
        b.CopyInPlace(s * sx / 2, s * sy / 2, (kSteps - s) * sx, (kSteps - s) * sy);
        b.Emit(sink, true);
      }
      break;  // the whole slide follows, as the rounding may leave edges
    case 11:
      for (int s = kSteps; s >= 24; --s) {
        AddEdgeBands(b, s, W, H, sx, sy, true, true);
        b.Emit(sink, true);
      }
      return;
    case 12:
    case 13:
      for (int s = kSteps; s >= 0; --s) {
        AddEdgeBands(b, s, W, H, sx, sy, type == 12, type == 13);
        b.Emit(sink, true);
      }
      return;
    case 14:
    case 15: {
      const int r = Ceil(H, kSteps), c = Ceil(W, kSteps);
      for (int s = kSteps; s >= 0; --s) {
        if (type == 14)
          b.CopyInPlace(0, H - s * r, W, r);
        else
          b.CopyInPlace(W - s * c, 0, c, H);
        b.Emit(sink, true);
      }
      return;
    }
    case 16: return PlanGrid(b, 20, W, H, sink);
    case 17: return PlanGrid(b, 8, W, H, sink);
    case 18: return PlanCells(b, 250, 0, W, H, random, sink);
    case 19: return PlanCells(b, 20, 1, W, H, random, sink);
    case 20: return PlanCells(b, 10, 4, W, H, random, sink);
    default: break;
  }
  b.CopyInPlace(0, 0, W, H);
  b.Emit(sink, false);
}

bool TransitionEnabled(const CAppSettings::Transitions& t, int type) {
  const int values[kTransitionCount] = {t.slideh,   t.slideh,   t.slidev,   t.slidev,   t.fingersh,
                                        t.fingersv, t.tfingersh, t.tfingersv, t.weave,   t.zoomi,
                                        t.zoomo,    t.shutterh, t.shutterv, t.wiperv,    t.wiperh,
                                        t.grids,    t.gridl,    t.speckle,  t.blockss,   t.blocksl};
  return type >= 1 && type <= kTransitionCount && values[type - 1] != 0;
}

int NextTransitionType(const CAppSettings::Transitions& settings, int previous, const TransitionRandom& random) {
  if (settings.random) {
    for (int attempt = 1; attempt < kRandomTries; ++attempt) {
      const int type = 1 + random() * kTransitionCount / 32768;
      if (TransitionEnabled(settings, type)) return type;
    }
    return 0;
  }
  int type = previous + 1;
  if (type > kTransitionCount || type < 1) type = 1;
  for (int attempt = 1; attempt < kSequenceTries; ++attempt) {
    if (TransitionEnabled(settings, type)) return type;
    type = type % kTransitionCount + 1;
  }
  return 0;
}
