// Drawing a play frame back to front: sky and traffic, the structure and the captive's corner,
// the crane, the hazards, the hero, the hearts, clouds, the heads-up display, rain and messages.
#include <cmath>

#include "game/game.h"

namespace kelvo {

void Game::draw_world(Num image, double x, double y) {
  draw(image, x + 160 - s_.heroX, y + s_.viewY - s_.heroY);
}

double Game::frame_of(double phase, double divisor) {
  return std::floor(phase / divisor) + 1;
}

void Game::draw_scene() {
  rt_.clear_screen(0);
  pause_error_or_stop(501);
  draw_sky();
  draw_structure();
  if (s_.level < 10) draw_captive_corner();
  if (s_.level == 10) draw_final_hut();
  draw_world(h_.hookImg, s_.craneX, 21);
  draw_world(h_.craneImg[frame_of(s_.slowPhase, 20)], s_.craneX - 140, -25);
  if (s_.level == 1) {
    draw_world(h_.craneBarrierImg, -185, 485);
    draw_world(h_.groundImg, -240, 540);
    draw_world(h_.ambulanceImg[frame_of(s_.fastPhase, 15)], -138, 494);
  }
  draw_ape_and_bananas();
  draw_dying_and_hero();
  draw_barrels_and_bonus();
  draw_world(h_.balloonImg[frame_of(s_.slowPhase, 24)], s_.balloonX, s_.balloonY);
  for (int i = 1; i <= 10; ++i) {
    if (s_.heartActive[i] == 1) draw_world(h_.heartImg, s_.heartX[i], s_.heartY[i]);
  }
  draw_clouds();
  draw_hud();
  if (windy_level()) draw(h_.rainImg[frame_of(s_.fastPhase, 10)], 0, 0);
  draw_messages();
}

void Game::draw_sky() {
  s_.backgroundY = s_.heroY / -1.8;
  if (s_.level > 1 && s_.backgroundY < -253) s_.backgroundY = -253;
  pause_error_or_stop(502);
  draw(h_.backgroundImg[s_.level], 0, s_.backgroundY);
  if (s_.level == 10 && storm_flashes()) draw(h_.stormImg, 0, s_.heroY / -1.8);
  if (s_.level == 9) draw(h_.ufoImg[frame_of(s_.fastPhase, 16)], 110, s_.viewY - s_.heroY - 20);
  if (s_.level == 2 || s_.level == 5) draw_zeppelin(h_.zeppelin2Img);
  if (s_.level == 8) draw_zeppelin(h_.zeppelinImg);
  if (s_.level == 2 || s_.level == 4 || s_.level == 5 || s_.level == 7) draw_birds();
}

void Game::draw_zeppelin(Num image) {
  drift_zeppelin();
  draw(image, s_.zeppelinX, s_.zeppelinY + s_.viewY - s_.heroY);
}

void Game::draw_birds() {
  for (int i = 1; i <= 4; ++i) {
    drift_bird(i);
    draw_world(h_.birdImg[frame_of(s_.slowPhase, 30)], s_.birdX[i], s_.birdY[i]);
  }
}

void Game::draw_structure() {
  draw_world(s_.level < 10 ? h_.levelImg : h_.finalLevelImg, 0, 0);
  if (s_.level == 10) {
    for (int i = 1; i <= 2; ++i) {
      if (s_.boltPresent[i] == 1) draw_world(h_.boltImg, s_.boltX[i], s_.boltY[i]);
    }
  }
  draw_world(h_.ladderImg, 5, 488);
}

double Game::duo_frame() {
  if (s_.barrelDelay == 0) return frame_of(s_.fastPhase, 16) + 10;
  return 8 - std::floor(s_.barrelDelay / 10);
}

void Game::draw_captive_corner() {
  draw_world(h_.cauldronTopImg[frame_of(s_.fastPhase, 8)], 202, 19);
  draw_world(h_.chainImg, 215, -106 - s_.levelTimer);
  draw_world(h_.captiveImg[s_.level][frame_of(s_.fastPhase, 16)], 210, 16 - s_.levelTimer);
  if (captive_shouts()) draw_world(h_.helpImg, 230, 16 - s_.levelTimer);
  pause_error_or_stop(505);
  draw_world(h_.cauldronBottomImg[frame_of(s_.fastPhase, 8)], 202, 24);
  lower_rescue_ladder();
  draw_world(h_.ladder2Img, 355, -110 - s_.ladderPieceY);
  if (s_.rescueState == kPlumberClimbing) {
    s_.climberY -= 0.5;  // the plumber climbs the ladder
    draw_world(h_.plumberLadderImg[frame_of(s_.slowPhase, 30)], 355, s_.climberY);
    draw_world(h_.hutImg, 315, 0);
  }
  if (s_.rescueState < kPlumberClimbing) draw_world(h_.duoImg[duo_frame()], 315, 0);
}

void Game::draw_final_hut() {
  if (s_.finalCountdown == 0) {
    draw_world(h_.duoImg[duo_frame()], 240, -28);
    return;
  }
  s_.fallY += 1;
  pause_error_or_stop(507);
  draw_world(h_.hutImg, 240, -28);
  draw_world(h_.plumberFallImg[1], s_.fallX, s_.fallY);
  if (s_.finalCountdown > 200) print_time_bonus();
}

void Game::draw_ape_and_bananas() {
  if (s_.apeThrowPose > 0) {
    s_.apeThrowPose -= 1;
    draw_world(h_.apeImg[3], s_.craneX + 5, s_.apeY);
  } else {
    draw_world(h_.apeImg[frame_of(s_.fastPhase, 16)], s_.craneX, s_.apeY);
  }
  for (int i = 1; i <= 5; ++i) {
    if (s_.bananaActive[i] == 1) {
      draw_world(h_.bananaImg[frame_of(s_.slowPhase, 30)], s_.bananaX[i], s_.bananaY[i]);
    }
  }
}

void Game::draw_barrels_and_bonus() {
  for (int i = 1; i <= 10; ++i) {
    if (s_.barrelActive[i] != 1) continue;
    const double frame =
        s_.barrelDir[i] == -1 ? frame_of(s_.slowPhase, 30) : frame_of(s_.slowPhaseBack, 30);
    draw_world(h_.barrelImg[frame], s_.barrelX[i], s_.barrelY[i]);
  }
  if (s_.level == 10) return;
  for (int i = 1; i <= 4; ++i) {
    if (s_.bonusState[i] != kBonusOut) continue;
    double frame = 1;
    if (s_.level == 4) frame = frame_of(s_.slowPhase, 30);
    if (s_.level == 1) frame = frame_of(s_.slowPhase, 61);
    draw_world(h_.captiveBonusImg[s_.level][frame], s_.bonusX[i], s_.bonusY[i]);
  }
}

void Game::draw_clouds() {
  static constexpr double kSlow[] = {0, 0.2, 0.18, 0.16, 0.14};
  static constexpr double kFast[] = {0, 0.4, 0.3, 0.35, 0.25};
  const bool slow = s_.level == 2 || s_.level == 5 || s_.level == 9;
  const bool fast = windy_level();
  if (slow || fast) {
    for (int i = 1; i <= 4; ++i) s_.cloudX[i] -= slow ? kSlow[i] : kFast[i];
    for (int i = 1; i <= 4; ++i) {
      draw_world(h_.cloudImg[i % 2 == 1 ? 1 : 2][s_.level], s_.cloudX[i], s_.cloudY[i]);
    }
  }
  bring_clouds_back();
}

void Game::draw_dying_and_hero() {
  if (s_.dyingTimer > 0) {
    run_dying_sequence();
    if (s_.dyingTimer > 200) draw(h_.heroKoImg[frame_of(s_.slowPhase, 30)], 160, s_.viewY);
  }
  const bool visible = (s_.fastPhase > 10 && s_.dyingTimer < 200) || s_.dyingTimer == 0;
  if (s_.superTimer == 0 && visible) {
    if (s_.idleTimer < 250) {
      draw_walking_hero(h_.heroRightImg, h_.heroLeftImg);
    } else {
      const auto& idle = s_.heroFacing == kFacingRight ? h_.heroIdleRightImg : h_.heroIdleLeftImg;
      draw(idle[frame_of(s_.slowPhase, 24)], 160, s_.viewY);
    }
  }
  if (s_.superTimer > 0 && s_.fastPhase > 5) {
    draw_walking_hero(h_.superHeroRightImg, h_.superHeroLeftImg);
    count_down_super_mode();
  }
}

void Game::draw_walking_hero(const GameArray<Num, 3>& right, const GameArray<Num, 3>& left) {
  if (s_.jumpTimer > 0) s_.heroFrame = 3;
  if (s_.heroDX > 0) draw(right[std::floor(s_.heroFrame)], 160, s_.viewY);
  if (s_.heroDX < 0) draw(left[std::floor(s_.heroFrame)], 160, s_.viewY);
  if (s_.heroDX == 0) {
    s_.heroFrame = s_.jumpTimer > 0 ? 3 : 2;
    draw(s_.heroFacing == kFacingRight ? right[s_.heroFrame] : left[s_.heroFrame], 160, s_.viewY);
  }
}

void Game::print_scores() {
  rt_.set_colour(15);
  pause_error_or_stop(511);
  print_line(1, 2, "SCORE");
  print_line(1, 29, "HIGH-SCORE");
  rt_.set_colour(15);
  pause_error_or_stop(512);
  print_line(2, 2, number_text(s_.score));
  print_line(2, 32, number_text(s_.hudBest));
}

void Game::draw_hud() {
  print_scores();
  rt_.set_colour(15);
  pause_error_or_stop(513);
  print_line(1, 17, "TIMER");
  rt_.set_colour(15);
  pause_error_or_stop(514);
  if (s_.timeOutFlag == 1 || s_.levelTimer < 20) {
    rt_.set_colour(static_cast<uint32_t>(roll(16)));
    pause_error_or_stop(515);
  }
  if (s_.timeOutFlag == 0) print_line(2, 17, number_text(s_.levelTimer));
  if (s_.timeOutFlag == 1) print_line(2, 18, "0");
  for (int i = 1; i <= heart_quota(); ++i) draw(h_.heartOutlineImg, i * 5, 288);
  for (int i = 1; i <= s_.heartCount; ++i) draw(h_.heartImg, i * 5, 288);
  for (int i = 1; i <= s_.lives; ++i) {
    rt_.put_image(i * 12 + 270, 288, i * 12 + 280, 298, handle(h_.heroRightImg[2]));
    pause_error_or_stop(516);
  }
}

void Game::print_time_bonus() {
  rt_.set_print_mode(1);
  pause_error_or_stop(517);
  print_line(8, 13, "TIME BONUS : " + number_text(s_.timeBonus));
  rt_.set_print_mode(2);
  pause_error_or_stop(518);
}

void Game::draw_messages() {
  if (s_.levelEndState > 0) print_time_bonus();
  if (s_.dyingTimer > 200) {
    rt_.set_print_mode(1);
    pause_error_or_stop(519);
    print_line(10, 16, s_.timeOutFlag == 0 ? "ARGHHHH !!!" : "TIME OUT !!");
    rt_.set_print_mode(2);
    pause_error_or_stop(520);
  }
}

}  // namespace kelvo
