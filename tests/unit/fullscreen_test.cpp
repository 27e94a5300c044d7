// The display-mode search, the window/stretched/4:3 decision, its geometry and set_fullscreen.
#include <gtest/gtest.h>

#include "runtime/display/fullscreen.h"
#include "runtime/runtime.h"
#include "support/fake_clock.h"

namespace kelvo {
namespace {

constexpr DisplayMode k640x480{640, 480};
constexpr DisplayMode k800x600{800, 600};
constexpr DisplayMode k1024x768{1024, 768};
constexpr DisplayMode k1280x600{1280, 600};
constexpr DisplayMode k720x600{720, 600};  // wider than 4:3, and closer to the picture

TEST(ModeSearch, GameScreenIsDoubledAndPicksTheModeOfLeastWaste) {
  const ModeChoice found = find_modes({k640x480, k800x600, k1024x768}, 320, 300);
  ASSERT_TRUE(found.bestAny);
  EXPECT_EQ(*found.bestAny, k800x600);  // 640x480 is too low for 640x600; waste 160 beats 552
  ASSERT_TRUE(found.best43);
  EXPECT_EQ(*found.best43, k800x600);
  EXPECT_EQ(video_geometry(kStretched, found, 320, 300), (VideoGeometry{800, 600, 2, 80, 0}));
}

TEST(ModeSearch, SearchesEveryShapeButBest43OnlyAmongFourByThree) {
  const ModeChoice found = find_modes({k1024x768, k720x600, k1280x600}, 320, 300);
  EXPECT_EQ(*found.bestAny, k720x600);  // waste 80, against 552 and 640
  EXPECT_EQ(*found.best43, k1024x768);
  EXPECT_EQ(video_geometry(kFourByThree, found, 320, 300), (VideoGeometry{1024, 768, 2, 192, 84}));
}

TEST(ModeSearch, OnEqualWasteTheLaterModeWins) {
  // 700x600 and 640x660 both waste 60 for a 640x600 picture.
  const ModeChoice a = find_modes({{700, 600}, {640, 660}}, 320, 300);
  EXPECT_EQ(*a.bestAny, (DisplayMode{640, 660}));
  const ModeChoice b = find_modes({{640, 660}, {700, 600}}, 320, 300);
  EXPECT_EQ(*b.bestAny, (DisplayMode{700, 600}));
  // Two 4:3 modes of equal waste (duplicates, as with several refresh rates).
  const ModeChoice c = find_modes({k800x600, {1280, 400}, k800x600}, 320, 300);
  EXPECT_EQ(*c.best43, k800x600);
}

TEST(ModeSearch, ModesNarrowerThan640OrSmallerThanThePictureNeverQualify) {
  EXPECT_FALSE(find_modes({k640x480, {600, 800}, {1920, 599}}, 320, 300).bestAny);
  EXPECT_FALSE(find_modes({}, 320, 300).bestAny);
  // A small content that needs no doubling to fit still needs a mode at least 640 wide.
  const ModeChoice small = find_modes({{320, 240}, k640x480}, 100, 100);
  EXPECT_EQ(*small.bestAny, k640x480);
  EXPECT_EQ(video_geometry(kFourByThree, small, 100, 100), (VideoGeometry{640, 480, 2, 220, 140}));
}

TEST(ModeSearch, ContentBeyond512By384IsNotDoubled) {
  EXPECT_TRUE(shown_doubled(512, 384));
  EXPECT_FALSE(shown_doubled(513, 384));
  EXPECT_FALSE(shown_doubled(512, 385));
  // The start-up text screen, 640x400: 640x480 qualifies undoubled.
  const ModeChoice found = find_modes({k640x480, k800x600}, 640, 400);
  EXPECT_EQ(*found.bestAny, k640x480);
  EXPECT_EQ(video_geometry(kStretched, found, 640, 400), (VideoGeometry{640, 480, 1, 0, 40}));
}

TEST(ModeSearch, FourByThreeIsJudgedByIntegerDivision) {
  // 1283/4 = 320 and 962/3 = 320.
  EXPECT_EQ(*find_modes({{1283, 962}}, 320, 300).best43, (DisplayMode{1283, 962}));
  EXPECT_FALSE(find_modes({{1284, 962}}, 320, 300).best43);
}

TEST(FullscreenGeometry, WindowIsTheContentAndOffsetsRoundDown) {
  const ModeChoice found = find_modes({{801, 603}}, 320, 300);
  EXPECT_EQ(video_geometry(kWindowed, found, 320, 300), (VideoGeometry{320, 300, 1, 0, 0}));
  EXPECT_EQ(video_geometry(kStretched, found, 320, 300), (VideoGeometry{801, 603, 2, 80, 1}));
  // A kind without a mode is shown as the window.
  EXPECT_EQ(video_geometry(kFourByThree, found, 320, 300), (VideoGeometry{320, 300, 1, 0, 0}));
}

TEST(FullscreenDecision, RequestsAttemptTheirKindOrFallBackAsTheRulesSay) {
  const ModeChoice both = find_modes({k720x600, k1024x768}, 320, 300);
  const ModeChoice same = find_modes({k800x600, k1280x600}, 320, 300);
  const ModeChoice none = find_modes({k640x480}, 320, 300);
  EXPECT_EQ(next_fullscreen_mode(kWindowed, kStretched, false, both), kStretched);
  EXPECT_EQ(next_fullscreen_mode(kWindowed, kFourByThree, false, both), kFourByThree);
  EXPECT_EQ(next_fullscreen_mode(kFourByThree, kWindowed, false, both), kWindowed);
  // 800x600 is both best modes, so 4:3 would be the same picture: back to the window.
  EXPECT_EQ(*same.bestAny, k800x600);
  EXPECT_EQ(*same.best43, k800x600);
  EXPECT_EQ(next_fullscreen_mode(kStretched, kFourByThree, false, same), kWindowed);
  // No mode: stretched changes nothing, 4:3 returns to the window.
  EXPECT_EQ(next_fullscreen_mode(kWindowed, kStretched, false, none), kWindowed);
  EXPECT_EQ(next_fullscreen_mode(kWindowed, kFourByThree, false, none), kWindowed);
  // A request wins over a pending press; without either nothing moves.
  EXPECT_EQ(next_fullscreen_mode(kWindowed, kWindowed, true, both), kWindowed);
  EXPECT_EQ(next_fullscreen_mode(kStretched, -1, false, both), kStretched);
  EXPECT_EQ(next_fullscreen_mode(kStretched, 7, false, both), kStretched);
}

TEST(FullscreenDecision, AFullScreenKindWithoutItsModeAnyMoreReturnsToTheWindow) {
  const ModeChoice none = find_modes({k800x600}, 640, 700);
  EXPECT_EQ(next_fullscreen_mode(kStretched, -1, false, none), kWindowed);
  EXPECT_EQ(next_fullscreen_mode(kFourByThree, kStretched, false, none), kWindowed);
}

TEST(FullscreenDecision, ThreeAltEnterPressesCycleWindowStretchedFourByThreeWindow) {
  Display display;
  const ModeChoice found = find_modes({k640x480, k720x600, k800x600}, 320, 300);
  display.fullscreenToggles.store(3);
  std::vector<int32_t> modes;
  for (int i = 0; i < 4; ++i) {
    display.windowValid.store(1);
    const bool changed = take_fullscreen_step(display, found);
    EXPECT_EQ(changed, i < 3);
    EXPECT_EQ(display.windowValid.load(), changed ? 0 : 1);
    modes.push_back(display.fullscreenMode.load());
  }
  EXPECT_EQ(modes, (std::vector<int32_t>{kStretched, kFourByThree, kWindowed, kWindowed}));
  EXPECT_EQ(display.fullscreenToggles.load(), 0);
}

TEST(FullscreenDecision, WithOneModeThePressAfterStretchedReturnsToTheWindow) {
  Display display;
  const ModeChoice found = find_modes({k800x600}, 320, 300);
  display.fullscreenToggles.store(2);
  take_fullscreen_step(display, found);
  EXPECT_EQ(display.fullscreenMode.load(), kStretched);
  take_fullscreen_step(display, found);
  EXPECT_EQ(display.fullscreenMode.load(), kWindowed);
}

TEST(FullscreenDecision, ARequestIsTakenBeforePressesAndClearedByTheStep) {
  Display display;
  const ModeChoice found = find_modes({k720x600, k1024x768}, 320, 300);
  display.fullscreenRequest.store(kFourByThree);
  display.fullscreenToggles.store(1);
  EXPECT_TRUE(take_fullscreen_step(display, found));
  EXPECT_EQ(display.fullscreenMode.load(), kFourByThree);
  EXPECT_EQ(display.fullscreenRequest.load(), -1);
  EXPECT_EQ(display.fullscreenToggles.load(), 1);  // the press waits for the next refresh
  EXPECT_TRUE(take_fullscreen_step(display, found));
  EXPECT_EQ(display.fullscreenMode.load(), kWindowed);
}

TEST(SetFullscreen, OptionsMapToModesAndEachFullScreenKindFallsBackToTheOther) {
  EXPECT_EQ(fullscreen_target(0), kStretched);
  EXPECT_EQ(fullscreen_target(1), kWindowed);
  EXPECT_EQ(fullscreen_target(2), kStretched);
  EXPECT_EQ(fullscreen_target(3), kFourByThree);
  EXPECT_EQ(fullscreen_target(4), -1);
  EXPECT_EQ(fullscreen_target(-1), -1);
  EXPECT_EQ(other_fullscreen_kind(kStretched), kFourByThree);
  EXPECT_EQ(other_fullscreen_kind(kFourByThree), kStretched);
  EXPECT_EQ(other_fullscreen_kind(kWindowed), -1);
}

// Answers each request at once with the decision of a refresh over `modes`.
class DecidingFrontend : public Frontend {
 public:
  DecidingFrontend(Display& display, DisplayModes modes)
      : display_(display), found_(find_modes(modes, 320, 300)) {}
  void show_frame() override {}
  void request_fullscreen(int target) override {
    requests.push_back(target);
    display_.fullscreenRequest.store(target);
    take_fullscreen_step(display_, found_);
  }
  std::vector<int> requests;

 private:
  Display& display_;
  ModeChoice found_;
};

struct SetFullscreenRun : ::testing::Test {
  test::FakeClock clock;
  Runtime rt{clock, TimeReference{}};
};

TEST_F(SetFullscreenRun, StretchedWithoutAModeTriesFourByThreeOnceAndStaysInTheWindow) {
  DecidingFrontend frontend(rt.display, {k640x480});
  rt.set_frontend(&frontend);
  rt.set_fullscreen(0);
  EXPECT_EQ(frontend.requests, (std::vector<int>{kStretched, kFourByThree}));
  EXPECT_EQ(rt.display.fullscreenMode.load(), kWindowed);
}

TEST_F(SetFullscreenRun, AReachedTargetAsksNoMoreAndTheCurrentModeAsksNothing) {
  DecidingFrontend frontend(rt.display, {k800x600});
  rt.set_frontend(&frontend);
  rt.set_fullscreen(0);
  EXPECT_EQ(frontend.requests, (std::vector<int>{kStretched}));
  rt.set_fullscreen(2);  // already stretched
  EXPECT_EQ(frontend.requests.size(), 1u);
  rt.set_fullscreen(3);  // 4:3 would be the same mode: the window, then stretched again
  EXPECT_EQ(frontend.requests, (std::vector<int>{kStretched, kFourByThree, kStretched}));
  EXPECT_EQ(rt.display.fullscreenMode.load(), kStretched);
}

TEST_F(SetFullscreenRun, AnUnknownOptionRaisesAnError) {
  DecidingFrontend frontend(rt.display, {k800x600});
  rt.set_frontend(&frontend);
  rt.set_fullscreen(4);
  EXPECT_TRUE(rt.errors.pending());
  EXPECT_TRUE(frontend.requests.empty());
}

}  // namespace
}  // namespace kelvo
