// Mirrors and quarter turns of a picture in memory: where each pixel goes, what the geometry
// becomes, and which sequences give the picture back.
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "turn_test_pictures.h"

namespace {

using Operation = std::function<void(Cimage&)>;

struct TurnCase {
  std::string name;
  Operation operation;
  int width, height;
  std::vector<std::vector<int>> labels;  // rows of the result, labels of the 3 × 2 source
};

// The source, by label:  1 2 3
//                        4 5 6
std::vector<TurnCase> TurnCases() {
  return {
      {"Clockwise", [](Cimage& p) { p.Rotate_Clockwise(); }, 2, 3, {{4, 1}, {5, 2}, {6, 3}}},
      {"CounterClockwise", [](Cimage& p) { p.Rotate_CounterClockwise(); }, 2, 3, {{3, 6}, {2, 5}, {1, 4}}},
      {"HalfTurn", [](Cimage& p) { p.Rotate_180(); }, 3, 2, {{6, 5, 4}, {3, 2, 1}}},
      {"FlipHorizontal", [](Cimage& p) { p.Flip_Horizontal(); }, 3, 2, {{3, 2, 1}, {6, 5, 4}}},
      {"FlipVertical", [](Cimage& p) { p.Flip_Vertical(); }, 3, 2, {{4, 5, 6}, {1, 2, 3}}},
  };
}

void PrintTo(const TurnCase& c, std::ostream* out) { *out << c.name; }

class TurnsAndMirrors : public ::testing::TestWithParam<TurnCase> {};

TEST_P(TurnsAndMirrors, PutEveryPixelOfA3By2PictureInItsPlace) {
  const TurnCase& c = GetParam();
  Cimage picture;
  MakeLabelledPicture(picture, 3, 2);
  c.operation(picture);
  ASSERT_EQ(picture.m_width, c.width);
  ASSERT_EQ(picture.m_height, c.height);
  EXPECT_EQ(picture.m_origWidth, c.width);
  EXPECT_EQ(picture.m_origHeight, c.height);
  EXPECT_EQ(picture.m_stride, (3 * c.width + 3) & ~3);
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      EXPECT_EQ(LabelAt(picture, x, y), c.labels[y][x]) << "at " << x << "," << y;
      const uint8_t* p = picture.m_pixels + y * picture.m_stride + 3 * x;
      EXPECT_EQ(p[1], p[0] + 1);  // the channels travel together
      EXPECT_EQ(p[2], p[0] + 2);
    }
}

TEST_P(TurnsAndMirrors, EndTheAnimationAndDropTheDisplayCopy) {
  Cimage picture;
  MakeLabelledPicture(picture, 3, 2);
  picture.m_animated = 1;
  picture.m_frameDelay = 10;
  picture.m_dispBits = static_cast<uint8_t*>(std::malloc(16));
  GetParam().operation(picture);
  EXPECT_EQ(picture.m_animated, 0);
  EXPECT_EQ(picture.m_frameDelay, 0);
  EXPECT_EQ(picture.m_dispBits, nullptr);
}

TEST_P(TurnsAndMirrors, LeaveUnusablePicturesAlone) {
  for (int kind = 0; kind < 3; ++kind) {
    Cimage picture;
    MakeLabelledPicture(picture, 3, 2);
    if (kind == 0) picture.m_loadError = 1;
    if (kind == 1) picture.m_valid = 0;
    if (kind == 2) {
      std::free(picture.m_pixels);
      picture.m_pixels = nullptr;
    }
    const std::vector<uint8_t> before = kind == 2 ? std::vector<uint8_t>() : BufferOf(picture);
    picture.m_animated = 1;
    GetParam().operation(picture);
    EXPECT_EQ(picture.m_width, 3) << "kind " << kind;
    EXPECT_EQ(picture.m_height, 2);
    EXPECT_EQ(picture.m_animated, 1);
    if (kind != 2) {
      EXPECT_EQ(BufferOf(picture), before);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(All, TurnsAndMirrors, ::testing::ValuesIn(TurnCases()),
                         [](const ::testing::TestParamInfo<TurnCase>& info) { return info.param.name; });

struct Size {
  int width, height;
};

// Odd widths leave row padding; sizes past 32 cross the tiles the turns work in.
class SequencesThatGiveThePictureBack : public ::testing::TestWithParam<Size> {
 protected:
  void ExpectIdentity(const std::vector<Operation>& steps) {
    Cimage picture, original;
    MakeLabelledPicture(picture, GetParam().width, GetParam().height);
    MakeLabelledPicture(original, GetParam().width, GetParam().height);
    for (const Operation& step : steps) step(picture);
    ASSERT_EQ(picture.m_width, original.m_width);
    ASSERT_EQ(picture.m_height, original.m_height);
    ASSERT_EQ(picture.m_stride, original.m_stride);
    EXPECT_EQ(BufferOf(picture), BufferOf(original));
  }
};

const Operation kClockwise = [](Cimage& p) { p.Rotate_Clockwise(); };
const Operation kCounterClockwise = [](Cimage& p) { p.Rotate_CounterClockwise(); };

TEST_P(SequencesThatGiveThePictureBack, ClockwiseThenCounterClockwise) { ExpectIdentity({kClockwise, kCounterClockwise}); }
TEST_P(SequencesThatGiveThePictureBack, FourClockwiseTurns) {
  ExpectIdentity({kClockwise, kClockwise, kClockwise, kClockwise});
}
TEST_P(SequencesThatGiveThePictureBack, TwoHalfTurns) {
  ExpectIdentity({[](Cimage& p) { p.Rotate_180(); }, [](Cimage& p) { p.Rotate_180(); }});
}
TEST_P(SequencesThatGiveThePictureBack, DoubleFlips) {
  ExpectIdentity({[](Cimage& p) { p.Flip_Horizontal(); }, [](Cimage& p) { p.Flip_Horizontal(); }});
  ExpectIdentity({[](Cimage& p) { p.Flip_Vertical(); }, [](Cimage& p) { p.Flip_Vertical(); }});
}
TEST_P(SequencesThatGiveThePictureBack, TwoClockwiseTurnsAreAHalfTurn) {
  Cimage turned, halfTurned;
  MakeLabelledPicture(turned, GetParam().width, GetParam().height);
  MakeLabelledPicture(halfTurned, GetParam().width, GetParam().height);
  turned.Rotate_Clockwise();
  turned.Rotate_Clockwise();
  halfTurned.Rotate_180();
  EXPECT_EQ(BufferOf(turned), BufferOf(halfTurned));
}

INSTANTIATE_TEST_SUITE_P(Sizes, SequencesThatGiveThePictureBack,
                         ::testing::Values(Size{3, 2}, Size{1, 1}, Size{1, 9}, Size{7, 5}, Size{33, 65}, Size{70, 31}),
                         [](const ::testing::TestParamInfo<Size>& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

TEST(QuarterTurns, DescribeTheNewGeometryToTheDisplay) {
  for (const Operation& turn : {kClockwise, kCounterClockwise}) {
    Cimage picture;
    MakeLabelledPicture(picture, 3, 2);
    turn(picture);
    ASSERT_NE(picture.m_bmi, nullptr);
    EXPECT_EQ(picture.m_bmi->bmiHeader.biWidth, 2);
    EXPECT_EQ(picture.m_bmi->bmiHeader.biHeight, -3);
  }
}

TEST(QuarterTurns, ClearTheRowPaddingOfTheTurnedPicture) {
  Cimage picture;
  MakeLabelledPicture(picture, 2, 5);  // turned: 5 wide, 15 bytes in a 16-byte row
  picture.Rotate_Clockwise();
  ASSERT_EQ(picture.m_stride, 16);
  for (int y = 0; y < picture.m_height; ++y) EXPECT_EQ(picture.m_pixels[y * 16 + 15], 0);
}

}  // namespace
