// The play loop: level music, the hero's control, jumping, wind, the girders, falling, and the
// second half of every frame (clocks, time-out, shake, camera, pacing, the loop's exit).
#include <cmath>

#include "game/game.h"
#include "game/world.h"

namespace kelvo {
bool Game::windy_level() const {
  return s_.level == 3 || s_.level == 6 || s_.level == 10;
}

GameStage Game::level_play() {
  for (;;) {
    level_music();
    const bool abandon = rt_.key_down(key::kQ) != 0;
    pause_error_or_stop(401);
    if (abandon) return GameStage::HighScoreCheck;  // Kept quirk: the music keeps playing
    hero_control();
    hero_walk_and_jump();
    gravity_and_landing();
    wind();
    climbing_and_falling();
    move_ape_bananas_barrels();
    if (s_.level < 10) bonus_fall();
    frame_second_half();
    const bool escape = rt_.key_down(key::kEscape) != 0;
    pause_error_or_stop(402);
    if (s_.gameWonFlag == 1 || escape || s_.levelEndState > 299 || s_.lives == 0) {
      return GameStage::LevelOutcome;
    }
  }
}

void Game::frame_second_half() {
  barrel_launch();
  balloon_and_hearts();
  heart_pickup();
  bonus_pickup();
  hazard_contact();
  if (s_.level == 10) bolts_and_countdown();
  if (s_.gameWonFlag == 0 && s_.levelTimer <= 0) {
    s_.timeOutFlag = 1;
    s_.levelTimer = 122;
    s_.dyingTimer = 400;
  }
  pause_error_or_stop(403);
  shake_and_camera();
  advance_clocks();
  draw_scene();
  show_frame();
}

void Game::level_music() {
  if (s_.levelTimer == 119 && s_.musicState == kMusicWaiting) {
    play_looped(h_.sndMusic);
    s_.musicState = kMusicNormal;
  }
  if (s_.levelTimer == 20 && s_.musicState == kMusicNormal) {
    stop(h_.sndMusic);
    stop(h_.sndHurry);
    play_looped(h_.sndMusicFast);
    s_.musicState = kMusicFast;
  }
  pause_error_or_stop(404);
}

void Game::hero_control() {
  s_.idleTimer += 1;
  if (s_.heroFalling == 0 && s_.dyingTimer < 200) {
    s_.heroDX = 0;
    const bool right = rt_.key_down(key::kRight) != 0;
    const bool left = rt_.key_down(key::kLeft) != 0;
    if (right && s_.levelEndState == 0) {
      s_.heroDX = 1;
      s_.heroFacing = kFacingRight;
      s_.idleTimer = 0;
    }
    if (left && s_.levelEndState == 0) {
      s_.heroDX = -1;
      s_.heroFacing = kFacingLeft;
      s_.idleTimer = 0;
    }
    if (windy_level() && s_.heroDX == 1) s_.heroDX = 0.75;
    if (windy_level() && s_.heroDX == -1) s_.heroDX = -1.25;
    const bool space = rt_.key_down(key::kSpace) != 0;
    if (!space && s_.jumpLatch == 1) s_.jumpLatch = 0;
    if (space && s_.jumpLatch == 0 && s_.levelEndState == 0 && s_.jumpTimer == 0 &&
        s_.heroOnGround == 1) {
      s_.jumpLatch = 1;
      s_.jumpTimer = 1;
      play(h_.sndJump);
      s_.idleTimer = 0;
    }
  }
  if (s_.dyingTimer > 200) s_.heroDX = 0;
  pause_error_or_stop(405);
}

void Game::hero_walk_and_jump() {
  if (s_.heroDX != 0) {
    s_.heroX += s_.heroDX;
    s_.heroFrame += 0.1;
    if (s_.heroFrame > 3.9) s_.heroFrame = 1;
  }
  if (s_.jumpTimer > 0) {
    s_.jumpTimer += 1;
    if ((s_.superTimer == 0 && s_.jumpTimer > 40) || (s_.superTimer > 0 && s_.jumpTimer > 105)) {
      s_.jumpTimer = 0;
    }
  }
  if (s_.jumpTimer > 0) s_.heroY -= 2;
  if (s_.level < 10) reach_the_top();
  if (s_.heroX < -40) s_.heroX = -40;
  if (s_.heroX > 450) s_.heroX = 450;
  pause_error_or_stop(406);
}

void Game::reach_the_top() {
  if (s_.heroY < world::kTopReachY && s_.heroX > world::kTopLeftX && s_.levelEndState == 0) {
    s_.levelEndState = 1;
    s_.rescueState = kLadderLowering;
    s_.timeBonus = s_.levelTimer * 100;
    s_.score += s_.timeBonus;
    stop(h_.sndMusic);
    stop(h_.sndMusicFast);
    stop(h_.sndHurry);
    play(h_.sndMusic2);
  }
  if (s_.levelEndState > 0) {
    s_.heroY = world::kTopStandY;
    s_.levelEndState += 1;
  }
}

void Game::gravity_and_landing() {
  if (s_.levelEndState != 0) return;
  s_.heroOnGround = 0;
  s_.heroY += 1;
  if (odd_girder(s_.heroFloor)) {
    if (s_.heroFloor != 1 && s_.heroX < world::kHeroOddDropX) s_.heroFloor -= 1;
    land_hero(world::girder_line(s_.heroFloorBaseY[s_.heroFloor], true, s_.heroX));
  }
  if (even_girder(s_.heroFloor)) {
    if (s_.heroX > world::kHeroEvenDropX) s_.heroFloor -= 1;
    land_hero(world::girder_line(s_.heroFloorBaseY[s_.heroFloor], false, s_.heroX));
  }
  pause_error_or_stop(407);
}

void Game::land_hero(double line) {
  if (s_.heroFalling == 0 && s_.heroY > line) {
    s_.heroY = line;
    s_.heroOnGround = 1;
  }
}

void Game::wind() {
  if (!windy_level() || s_.levelEndState != 0) return;
  s_.heroX -= 0.1;
  if (s_.jumpTimer > 0) s_.heroX -= 0.6;
  if (s_.level == 10) {
    s_.heroX -= 0.05;
    if (s_.jumpTimer > 0) s_.heroX -= 0.3;
  }
  pause_error_or_stop(408);
}

void Game::climbing_and_falling() {
  // The girder above an odd one falls to the right, the one above an even one rises.
  if (odd_girder(s_.heroFloor) &&
      s_.heroY < world::girder_line(s_.heroFloorBaseY[s_.heroFloor + 1], false, s_.heroX)) {
    s_.heroFloor += 1;
  }
  if (even_girder(s_.heroFloor) &&
      s_.heroY < world::girder_line(s_.heroFloorBaseY[s_.heroFloor + 1], true, s_.heroX)) {
    s_.heroFloor += 1;
  }
  if ((s_.heroX < world::kFallLeftX || s_.heroX > world::kFallRightX) && s_.heroFalling == 0) {
    s_.heroFalling = 1;
    play(h_.sndFall);
  }
  if (s_.heroFalling == 1) s_.heroY += 1;
  if (s_.heroY > 530 && s_.dyingTimer == 0) s_.dyingTimer = 400;
  if (s_.heroY > 530) s_.heroY = 530;
  pause_error_or_stop(409);
}

void Game::shake_and_camera() {
  s_.shakeY = 0;
  if (s_.thunderTimer > 0) s_.shakeY = roll(5) - 2;
  if (s_.levelTimer > 9 && s_.levelTimer < 20) s_.shakeY = roll(3) - 1;
  if (s_.levelTimer < 10) s_.shakeY = roll(5) - 2;
  s_.viewY = (456 - s_.heroY) / -5 + 210 + s_.shakeY;
  pause_error_or_stop(410);
}

void Game::advance_clocks() {
  s_.slowPhase += 1;
  s_.slowPhaseBack -= 1;
  s_.fastPhase += 1;
  if (s_.levelEndState == 0 && s_.slowPhase == 119) s_.levelTimer -= 1;
  if (s_.levelTimer < 0) s_.levelTimer = 0;
  if (s_.slowPhase > 119) s_.slowPhase = 1;
  if (s_.slowPhaseBack < 1) s_.slowPhaseBack = 119;
  if (s_.fastPhase > 29) s_.fastPhase = 0;
  pause_error_or_stop(411);
}

// One frame of the hero's death: at its middle he starts again at the bottom, at its end he has
// lost a life; with his last life he is gone at the middle.
void Game::run_dying_sequence() {
  // Kept quirk: the tunes are stopped on every frame of the death.
  stop(h_.sndMusicFast);
  stop(h_.sndMusic);
  stop(h_.sndHurry);
  s_.superTimer = 0;
  if (s_.lives > 1 && s_.dyingTimer == 200) respawn();
  s_.dyingTimer -= 1;
  if (s_.dyingTimer == 0) {
    s_.lives -= 1;
    s_.timeOutFlag = 0;
    resume_level_music();
  }
  if (s_.lives == 1 && s_.dyingTimer == 200) s_.lives = 0;  // Kept quirk: gone at the middle
  pause_error_or_stop(510);
}

void Game::place_hero_at_start(double x) {
  s_.heroX = x;
  s_.heroY = 456;
  s_.heroDX = 0;
  s_.superTimer = 0;
  s_.heroFrame = 2;
  s_.heroFacing = kFacingRight;
  s_.jumpTimer = 0;
  s_.heroFalling = 0;
  s_.heroFloor = 1;
}

void Game::respawn() {
  place_hero_at_start(20);  // Kept quirk: a level starts him at x 15
  s_.heartCount -= 3;
  if (s_.heartCount < 0) s_.heartCount = 0;
}

void Game::lower_rescue_ladder() {
  if (s_.rescueState == kLadderLowering) {
    s_.ladderPieceY -= 0.5;
    if (s_.ladderPieceY < 0) {
      s_.ladderPieceY = 0;
      s_.rescueState = kPlumberClimbing;
      s_.climberY = 12;
    }
  }
  pause_error_or_stop(506);
}

// The scenery drifts across the sky and comes back at a random height.
void Game::drift_zeppelin() {
  s_.zeppelinX -= 0.08;
  if (s_.zeppelinX < -200) {
    s_.zeppelinX = 390;
    s_.zeppelinY = roll(50) + 50;
  }
  pause_error_or_stop(503);
}

void Game::drift_bird(int i) {
  s_.birdX[i] += 0.25;
  if (s_.birdX[i] > 600) {
    s_.birdX[i] = -180 - roll(100);
    s_.birdY[i] = roll(200) + s_.level * 10;
  }
  pause_error_or_stop(504);
}

// Kept quirk: clouds drift only on some levels, but every level rolls for their return.
void Game::bring_clouds_back() {
  for (int i = 1; i <= 4; ++i) {
    if (s_.cloudX[i] < -200 - roll(30)) {
      s_.cloudX[i] = roll(30) + 530;
      s_.cloudY[i] = roll(30) * (s_.level * 5) - 30;
    }
    pause_error_or_stop(508);
  }
}

bool Game::captive_shouts() {
  // Kept quirk: both operands are evaluated, the shout is rolled on every frame.
  const bool shout = roll(1000) == 2;
  if (shout && s_.helpTimer == 0) s_.helpTimer = 120;
  if (s_.helpTimer <= 0) return false;
  s_.helpTimer -= 1;
  return true;
}

GameStage Game::level_outcome() {
  stop(h_.sndMusic);
  stop(h_.sndHurry);
  stop(h_.sndMusicFast);
  stop(h_.sndMusic2);
  if (s_.gameWonFlag == 1) return GameStage::Ending;
  if (s_.lives == 0) return GameStage::HighScoreCheck;
  if (s_.levelEndState == 0) rt_.quit_program();  // Kept quirk: Escape ends the program
  s_.level += 1;
  if (s_.level == 11) s_.level = 1;
  pause_error_or_stop(412);
  return GameStage::LevelSetup;
}

}  // namespace kelvo
