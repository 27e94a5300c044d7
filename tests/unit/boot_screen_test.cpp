// The boot screen, read back from the screen image at each of its waits: its texts at their rows
// and columns, and the lengths of the waits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"
#include "platform/screen_text.h"
#include "support/fake_clock.h"

namespace kelvo {
namespace {

// Records the screen at every sleep; asks for the stop at attract mode's first wait.
struct SnapshotClock : test::FakeClock {
  Runtime* rt = nullptr;
  std::vector<std::vector<std::string>> screens;
  void sleep_ms(uint32_t ms) override {
    test::FakeClock::sleep_ms(ms);
    FrameCopy shown;
    shown.take_frame(*rt->image(0));  // page 0: the screen shown
    screens.push_back(frame_text_rows(shown.frame()));
    if (screens.size() == 6) rt->platform().request_stop();
  }
};

std::vector<std::string> boot_rows(int okCount) {
  std::vector<std::string> rows(18);
  rows[4] = std::string(15, ' ') + "V 1.0";
  const char* names[] = {"CPU", "GPU", "ROM", "RAM"};
  for (int i = 0; i < 4; ++i) {
    rows[static_cast<size_t>(6 + 2 * i)] =
        std::string(14, ' ') + names[i] + (i < okCount ? "  OK" : "");
  }
  return rows;
}

TEST(BootScreen, ShowsItsTextsAndOksAtTheirPlacesWithItsWaits) {
  SnapshotClock clock;
  Runtime rt(clock, TimeReference{1000, 0});
  clock.rt = &rt;
  GameState state;
  EXPECT_THROW(run_game(rt, state), ProgramEnded);
  // 0.5 s after the names, 0.2 s after each of the first three OKs, 1 s after the last; then
  // attract mode's own first second.
  EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{500, 200, 200, 200, 1000, 1000}));
  ASSERT_EQ(clock.screens.size(), 6u);
  for (int ok = 0; ok <= 4; ++ok) {
    EXPECT_EQ(clock.screens[static_cast<size_t>(ok)], boot_rows(ok)) << ok << " OKs";
  }
  EXPECT_EQ(rt.platform().handover().frame_number(), 0u);  // nothing shown through display_now yet
}

}  // namespace
}  // namespace kelvo
