// The transition effects in both trees: each one drawn on a simulated screen ends with exactly the
// new slide and starts close to the old one, copies nothing from outside the slide, and paces as
// the show expects; and the choice of effect from the "Transitions" settings.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "transition_plan.h"

namespace {

// A fixed stand-in for the C library's rand().
struct Sequence {
  unsigned state = 1;
  int operator()() {
    state = state * 1103515245 + 12345;
    return int((state >> 16) & 0x7FFF);
  }
};

CAppSettings::Transitions AllOff() { return CAppSettings::Transitions{}; }

CAppSettings::Transitions AllOn() {
  CAppSettings::Transitions t{};
  for (int* value : {&t.slidev, &t.slideh, &t.fingersv, &t.fingersh, &t.tfingersv, &t.tfingersh, &t.weave, &t.zoomi,
                     &t.zoomo, &t.shutterv, &t.shutterh, &t.wiperv, &t.wiperh, &t.gridl, &t.grids, &t.speckle,
                     &t.blocksl, &t.blockss})
    *value = 1;
  return t;
}

struct Outcome {
  int steps = 0, pacedSteps = 0, pauseMs = 0;
  double firstChanged = 0;  // share of the screen the first step changed
  bool endsWithNewSlide = false;
  bool copiesInside = true;
};

// Draws the effect with the old slide's pixels numbered from 1,000,000 and the new one's from 0.
Outcome Simulate(int type, int W, int H) {
  std::vector<uint32_t> screen(size_t(W) * H);
  for (size_t i = 0; i < screen.size(); ++i) screen[i] = uint32_t(1000000 + i);
  Outcome outcome;
  Sequence random;
  PlanTransition(type, W, H, random, [&](const TransitionStep& step) {
    for (const SlideCopy& c : step.copies) {
      if (c.x < 0 || c.y < 0 || c.sourceX < 0 || c.sourceY < 0 || c.x + c.width > W || c.y + c.height > H ||
          c.sourceX + c.width > W || c.sourceY + c.height > H || c.width <= 0 || c.height <= 0) {
        outcome.copiesInside = false;
        continue;
      }
      for (int row = 0; row < c.height; ++row)
        for (int column = 0; column < c.width; ++column)
          screen[size_t(c.y + row) * W + c.x + column] = uint32_t((c.sourceY + row) * W + c.sourceX + column);
    }
    if (outcome.steps++ == 0) {
      size_t changed = 0;
      for (size_t i = 0; i < screen.size(); ++i) changed += screen[i] < 1000000;
      outcome.firstChanged = double(changed) / double(screen.size());
    }
    outcome.pacedSteps += step.paced;
    outcome.pauseMs += step.pauseMs;
  });
  outcome.endsWithNewSlide = true;
  for (size_t i = 0; i < screen.size(); ++i) outcome.endsWithNewSlide &= screen[i] == i;
  return outcome;
}

TEST(TransitionEffects, EveryEffectEndsWithTheNewSlideAndBeginsNearTheOld) {
  // Paced steps of 10 ms, and rests after cells, give each effect its length.
  const struct {
    int type, pacedSteps, pauseMs, steps;
  } effects[] = {
      {0, 0, 0, 1},      {1, 51, 0, 51},   {2, 51, 0, 51},   {3, 51, 0, 51},   {4, 51, 0, 51},
      {5, 51, 0, 51},    {6, 51, 0, 51},   {7, 51, 0, 51},   {8, 51, 0, 51},   {9, 21, 0, 21},
      {10, 51, 0, 52},   {11, 27, 0, 27},  {12, 51, 0, 51},  {13, 51, 0, 51},  {14, 51, 0, 51},
      {15, 51, 0, 51},   {16, 51, 0, 51},  {17, 51, 0, 51},  {18, 0, 0, 63001}, {19, 0, 441, 441},
      {20, 0, 484, 121},
  };
  for (const auto& screen : {std::pair{640, 480}, std::pair{333, 251}}) {
    for (const auto& e : effects) {
      const Outcome outcome = Simulate(e.type, screen.first, screen.second);
      SCOPED_TRACE(testing::Message() << "type " << e.type << " on " << screen.first << "x" << screen.second);
      EXPECT_TRUE(outcome.copiesInside);
      EXPECT_TRUE(outcome.endsWithNewSlide);
      EXPECT_EQ(outcome.steps, e.steps);
      EXPECT_EQ(outcome.pacedSteps, e.pacedSteps);
      EXPECT_EQ(outcome.pauseMs, e.pauseMs);
      if (e.type != 0) {
        EXPECT_LT(outcome.firstChanged, 0.15);
      }
    }
  }
}

TEST(TransitionEffects, ScreensUnderFiftyPixelsCopyInPlace) {
  // sx = sy = 0: every frame of a slide puts the whole slide where it belongs.
  for (int type = 1; type <= 4; ++type) {
    const Outcome outcome = Simulate(type, 40, 30);
    EXPECT_EQ(outcome.firstChanged, 1.0) << type;
    EXPECT_TRUE(outcome.endsWithNewSlide) << type;
  }
  for (int type = 0; type <= kTransitionCount; ++type) {
    for (const auto& screen : {std::pair{1, 1}, std::pair{7, 49}, std::pair{49, 3}}) {
      const Outcome outcome = Simulate(type, screen.first, screen.second);
      EXPECT_TRUE(outcome.copiesInside && outcome.endsWithNewSlide) << type << " " << screen.first;
    }
  }
}

TEST(TransitionChoice, SettingsDecideTheEffect) {
  Sequence sequence;
  const TransitionRandom random = [&] { return sequence(); };
  EXPECT_EQ(NextTransitionType(AllOff(), 5, random), 0);  // sequenced, all off
  CAppSettings::Transitions allOffRandom = AllOff();
  allOffRandom.random = 1;
  EXPECT_EQ(NextTransitionType(allOffRandom, 5, random), 0);

  CAppSettings::Transitions onlyBlocks = AllOff();
  onlyBlocks.random = 1;
  onlyBlocks.blocksl = 1;
  for (int i = 0; i < 20; ++i) EXPECT_EQ(NextTransitionType(onlyBlocks, i, random), 20);

  // Sequenced with only "slideh": the two slide directions alternate.
  CAppSettings::Transitions onlySlideH = AllOff();
  onlySlideH.slideh = 1;
  int type = 5;
  const int expected[] = {1, 2, 1, 2};
  for (int want : expected) EXPECT_EQ(type = NextTransitionType(onlySlideH, type, random), want);

  // Sequenced over all: the next one, wrapping past 20 and from out-of-range starts.
  const struct {
    int previous, next;
  } sequenced[] = {{5, 6}, {19, 20}, {20, 1}, {0, 1}, {-3, 1}, {25, 1}};
  for (const auto& c : sequenced) EXPECT_EQ(NextTransitionType(AllOn(), c.previous, random), c.next) << c.previous;

  // Random over all: every effect comes up.
  CAppSettings::Transitions randomAll = AllOn();
  randomAll.random = 1;
  std::vector<int> seen(kTransitionCount + 1);
  for (int i = 0; i < 2000; ++i) ++seen[size_t(NextTransitionType(randomAll, 0, random))];
  EXPECT_EQ(seen[0], 0);
  for (int t = 1; t <= kTransitionCount; ++t) EXPECT_GT(seen[size_t(t)], 0) << t;
}

}  // namespace
