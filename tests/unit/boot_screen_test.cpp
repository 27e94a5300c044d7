// The boot screen, read back from the screen image at each of its waits: its texts at their rows
// and columns, and the lengths of the waits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"
#include "runtime/display/fonts.h"
#include "support/fake_clock.h"

namespace kelvo {
namespace {

// The text of a 40 x 18 screen of 8 x 16 cells, one string per row; '?' for an unknown cell.
std::vector<std::string> screen_text(const Image& image) {
  std::vector<std::string> rows;
  for (int row = 0; row < image.height / 16; ++row) {
    std::string line;
    for (int column = 0; column < image.width / 8; ++column) {
      char found = '?';
      for (int c = 32; c < 127 && found == '?'; ++c) {
        const uint8_t* glyph = font_8x16_table().data() + c * 128;
        bool same = true;
        for (int y = 0; y < 16 && same; ++y) {
          const uint8_t* p = image.row(row * 16 + y) + column * 8;
          for (int x = 0; x < 8 && same; ++x) same = (p[x] != 0) == (glyph[y * 8 + x] != 0);
        }
        if (same) found = static_cast<char>(c);
      }
      line += found;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    rows.push_back(line);
  }
  return rows;
}

// Records the screen at every sleep; asks for the stop at attract mode's first wait.
struct SnapshotClock : test::FakeClock {
  Runtime* rt = nullptr;
  std::vector<std::vector<std::string>> screens;
  void sleep_ms(uint32_t ms) override {
    test::FakeClock::sleep_ms(ms);
    screens.push_back(screen_text(*rt->image(0)));  // page 0: the screen shown
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
