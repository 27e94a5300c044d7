// The display-mode search, the window/stretched/4:3 decision and its geometry.
#include <gtest/gtest.h>

#include "runtime/display/fullscreen.h"

namespace kelvo {
namespace {

constexpr DisplayMode k640x480{640, 480};
constexpr DisplayMode k800x600{800, 600};
constexpr DisplayMode k1024x768{1024, 768};
constexpr DisplayMode k720x600{720, 600};  // wider than 4:3, and closer to the picture
constexpr VideoGeometry kNoMode{0, 0, 0, 0, 0};

// Content of 512 by 384 or less is doubled; the least waste wins, on equal waste the later mode;
// 4:3 is judged by integer division; a mode must be 640 wide and hold the (doubled) picture.
TEST(ModeSearch, BestModesAndWhereThePictureGoes) {
  struct Case {
    DisplayModes modes;
    int width, height;
    VideoGeometry stretched, fourByThree;  // kNoMode: no such mode
  };
  // clang-format off
  const Case cases[] = {
      {{k640x480, k800x600, k1024x768}, 320, 300, {800, 600, 2, 80, 0}, {800, 600, 2, 80, 0}},
      {{k1024x768, k720x600, {1280, 600}}, 320, 300, {720, 600, 2, 40, 0}, {1024, 768, 2, 192, 84}},
      {{{700, 600}, {640, 660}}, 320, 300, {640, 660, 2, 0, 30}, kNoMode},
      {{{640, 660}, {700, 600}}, 320, 300, {700, 600, 2, 30, 0}, kNoMode},
      {{k640x480, {600, 800}, {1920, 599}}, 320, 300, kNoMode, kNoMode},
      {{}, 320, 300, kNoMode, kNoMode},
      {{{320, 240}, {620, 480}, k640x480}, 100, 100, {640, 480, 2, 220, 140}, {640, 480, 2, 220, 140}},
      {{k640x480, k800x600}, 640, 400, {640, 480, 1, 0, 40}, {640, 480, 1, 0, 40}},
      {{{1283, 962}}, 320, 300, {1283, 962, 2, 321, 181}, {1283, 962, 2, 321, 181}},
      {{{1284, 962}}, 320, 300, {1284, 962, 2, 322, 181}, kNoMode},
      {{{801, 603}}, 320, 300, {801, 603, 2, 80, 1}, kNoMode},
      {{k1024x768}, 512, 384, {1024, 768, 2, 0, 0}, {1024, 768, 2, 0, 0}},
      {{{512, 384}, k640x480}, 513, 384, {640, 480, 1, 63, 48}, {640, 480, 1, 63, 48}}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.modes.size() << " modes, first " << (c.modes.empty() ? 0 : c.modes[0].width)
                 << " for " << c.width << "x" << c.height);
    const ModeChoice found = find_modes(c.modes, c.width, c.height);
    const VideoGeometry window{c.width, c.height, 1, 0, 0};
    EXPECT_EQ(video_geometry(kWindowed, found, c.width, c.height), window);
    EXPECT_EQ(video_geometry(kStretched, found, c.width, c.height),
              c.stretched == kNoMode ? window : c.stretched);
    EXPECT_EQ(video_geometry(kFourByThree, found, c.width, c.height),
              c.fourByThree == kNoMode ? window : c.fourByThree);
  }
}

TEST(FullscreenDecision, RequestsAttemptTheirKindOrFallBackAsTheRulesSay) {
  const ModeChoice both = find_modes({k720x600, k1024x768}, 320, 300);
  const ModeChoice same = find_modes({k800x600, {1280, 600}}, 320, 300);  // 800x600 is both
  const ModeChoice none = find_modes({k640x480}, 320, 300);
  const ModeChoice gone = find_modes({k800x600}, 640, 700);  // the content outgrew every mode
  struct Case {
    int32_t mode, request;
    bool toggle;
    const ModeChoice& found;
    int32_t next;
  };
  // clang-format off
  const Case cases[] = {
      {kWindowed, kStretched, false, both, kStretched},
      {kWindowed, kFourByThree, false, both, kFourByThree},
      {kFourByThree, kWindowed, false, both, kWindowed},
      {kStretched, kFourByThree, false, same, kWindowed},
      // 4:3 would be the same picture
      {kWindowed, kStretched, false, none, kWindowed},
      {kWindowed, kFourByThree, false, none, kWindowed},
      {kWindowed, kWindowed, true, both, kWindowed},
      // a request wins over a press
      {kStretched, -1, false, both, kStretched}, {kStretched, 7, false, both, kStretched},
      {kStretched, -1, false, gone, kWindowed}, {kFourByThree, kStretched, false, gone, kWindowed},
      {kWindowed, -1, true, both, kStretched},
      // Alt+Enter: window, stretched, 4:3, window
      {kStretched, -1, true, both, kFourByThree}, {kFourByThree, -1, true, both, kWindowed},
      {kStretched, -1, true, same, kWindowed}};
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(next_fullscreen_mode(c.mode, c.request, c.toggle, c.found), c.next)
        << c.mode << " " << c.request << " " << c.toggle;
  }
}

TEST(SetFullscreen, OptionsMapToModesAndEachFullScreenKindFallsBackToTheOther) {
  EXPECT_EQ(fullscreen_target(0), kStretched);
  EXPECT_EQ(fullscreen_target(1), kWindowed);
  EXPECT_EQ(fullscreen_target(2), kStretched);
  EXPECT_EQ(fullscreen_target(3), kFourByThree);
  EXPECT_EQ(fullscreen_target(4), -1);
  EXPECT_EQ(fullscreen_target(-1), -1);
}

}  // namespace
}  // namespace kelvo
