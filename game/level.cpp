// Level set-up: the seed, the jingle, every start value, and the 420-frame introduction.
#include <cmath>

#include "game/game.h"

namespace kelvo {
namespace {

constexpr const char* kTitles[] = {"   SAVE VOZID !",  "   SAVE PENGO !",     "  SAVE FROGGER !",
                                   "   SAVE QBERT !",  "  SAVE PAC MAN !",    "  SAVE POOYAN !",
                                   "   SAVE JOUST !",  "SAVE THE EXPLORER !", "    SAVE E.T. !",
                                   " SAVE VIDEOGAME !"};

}  // namespace

int Game::level_number() const {
  return static_cast<int>(round_to_int(s_.level));
}

GameStage Game::level_setup() {
  rt_.trace_event("level", std::to_string(level_number()));
  rt_.seed_random(rt_.time_of_day());
  pause_error_or_stop(301);
  rt_.sound_play(handle(h_.sndLevel));
  pause_error_or_stop(302);
  set_start_values();
  level_introduction();
  return GameStage::LevelPlay;
}

double Game::roll(double range) {
  return std::floor(rt_.random_number() * range);
}

void Game::set_start_values() {
  place_hero_at_start(15);  // Kept quirk: a respawn puts him at x 20
  s_.dyingTimer = 0;
  s_.heartCount = 0;
  s_.levelTimer = 120;
  s_.craneX = -64;
  s_.apeY = 200;
  s_.ladderPieceY = 60;
  s_.helpTimer = 0;
  s_.rescueState = kRescueWaiting;
  s_.thunderTimer = 0;
  s_.balloonX = 500;
  s_.balloonY = roll(200) + 80;
  pause_error_or_stop(303);
  for (int i = 1; i <= 4; ++i) {
    s_.cloudX[i] = roll(320);
    s_.cloudY[i] = roll(30) + 5 * s_.level - 30;
  }
  for (int i = 1; i <= 4; ++i) {
    s_.birdX[i] = 100 - roll(200);
    s_.birdY[i] = roll(200) + 10 * s_.level;
  }
  for (int i = 1; i <= 10; ++i) s_.heartActive[i] = 0;
  for (int i = 1; i <= 5; ++i) s_.bananaActive[i] = 0;
  for (int i = 1; i <= 10; ++i) {
    s_.barrelX[i] = 300;
    s_.barrelY[i] = 10;
    s_.barrelActive[i] = 0;
    s_.barrelFloor[i] = 7;
    s_.barrelDir[i] = -1;
  }
  for (int i = 1; i <= 4; ++i) {
    s_.bonusState[i] = kBonusNone;
    s_.bonusLanded[i] = 0;
  }
  s_.bonusCount = 0;
  s_.gameWonFlag = 0;
  s_.finalCountdown = 0;
  s_.boltPresent[1] = 1;
  s_.boltPresent[2] = 1;
  s_.fallX = 270;
  s_.fallY = 10;
  s_.musicState = kMusicWaiting;
  s_.heartSoundToggle = 1;
  s_.zeppelinX = 390;
  s_.zeppelinY = roll(50) + 50;
  s_.timeOutFlag = 0;
  s_.levelEndState = 0;
  s_.introTimer = 0;
  s_.introFrame = 0;
  s_.introY = 0;
  s_.idleTimer = 0;
  pause_error_or_stop(304);
}

void Game::level_introduction() {
  do {
    s_.introTimer += 1;
    s_.introY += 0.25;
    if (s_.level == 10) s_.introY += 0.25;
    s_.introFrame += 1;
    if (s_.introFrame == 80) s_.introFrame = 1;
    pause_error_or_stop(305);
    rt_.clear_screen();
    pause_error_or_stop(306);
    rt_.set_colour(15);
    pause_error_or_stop(307);
    print_line(6, 10, "LEVEL " + rt_.number_to_string(s_.level) + " ");
    if (s_.introFrame < 60) print_line(9, 6, kTitles[level_number() - 1]);
    const double frame = std::floor(s_.introFrame / 40) + 1;
    if (s_.level < 10) {
      draw(h_.chainImg, 256, s_.introY - 120);
      draw(h_.captiveImg[s_.level][frame], 253, s_.introY);
    } else {
      draw(h_.plumberFallImg[frame], 253, s_.introY);
    }
    show_frame();
  } while (s_.introTimer < 420);
}

}  // namespace kelvo
