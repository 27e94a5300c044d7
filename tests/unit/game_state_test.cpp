// Game numbers, bounds-checked arrays and state dumps.
#include <gtest/gtest.h>

#include <cstring>

#include "game/asset_table.h"
#include "game/game_state.h"
#include "runtime/runtime.h"
#include "support/fake_clock.h"

namespace kelvo {
namespace {

TEST(GameNumbers, StoredAsFloatComputedInDouble) {
  Num x = 0;
  for (int i = 0; i < 951; ++i) x += 0.2;  // each sum rounded to float, as the story's scroll
  EXPECT_EQ(x.value(), 190.1982421875f);
  Num level = 3;
  Num speed = 0.5 + level / 50;  // a double division, not a float one
  EXPECT_EQ(speed.value(), static_cast<float>(0.5 + 3.0 / 50));
  Num heroY = 24;
  const Num viewY = (456 - heroY) / -5 + 210;
  EXPECT_EQ(viewY.value(), 123.6f);
}

TEST(GameArrays, BadIndexRaisesNineAndTouchesNothing) {
  test::FakeClock clock;
  Runtime rt{clock, TimeReference{}};
  set_array_error_sink(&rt);
  GameArray<Num, 10> scores;
  scores[10] = 5;
  EXPECT_EQ(rt.pending_error(), 0);
  scores[11] = 7;
  EXPECT_EQ(rt.pending_error(), 9);
  EXPECT_EQ(scores[10], 5);
  Runtime more{clock, TimeReference{}};
  set_array_error_sink(&more);
  scores[-1] = 3;
  EXPECT_EQ(more.pending_error(), 9);
  Runtime rounding{clock, TimeReference{}};
  set_array_error_sink(&rounding);
  scores[Num(2.5)] = 4;  // rounds to even: element 2
  EXPECT_EQ(scores[2], 4);
  EXPECT_EQ(rounding.pending_error(), 0);
  set_array_error_sink(nullptr);
}

// The fields a script's `set` may name: numbers only, by name and index within their bounds.
TEST(StateFields, FoundByNameAndIndexWithinTheirBounds) {
  GameState s;
  *find_number_field(s, "hallScores[10]") = 5;
  EXPECT_EQ(s.hallScores[10], 5);
  *find_number_field(s, "cloudImg[2][10]") = 7;
  EXPECT_EQ(s.handles.cloudImg[2][10], 7);
  EXPECT_NE(find_number_field(s, "heroX"), nullptr);
  for (const auto* files : {&picture_files(), &sound_files()})
    for (const AssetFile& f : *files) EXPECT_NE(find_number_field(s, f.slot), nullptr) << f.slot;
  for (const char* bad : {"hallScores[11]", "heroX[1]", "hallScores", "cloudImg[3][1]",
                          "hallNames[1]", "nothing", "heroX[]"}) {
    EXPECT_EQ(find_number_field(s, bad), nullptr) << bad;
  }
}

}  // namespace
}  // namespace kelvo
