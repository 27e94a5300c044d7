// The end of a game: the closing scene after the final level, the game-over screen and the
// entry of the initials.
#include <cmath>

#include "game/game.h"

namespace kelvo {

GameStage Game::ending() {
  rt_.clear_screen();
  pause_error_or_stop(701);
  draw(h_.backgroundImg[2], 0, 0);
  print_line(7, 7, "CONGRATULATIONS !");
  rt_.display_now();
  pause_error_or_stop(702);
  rt_.delay(2);
  pause_error_or_stop(703);
  print_line(11, 11, "BUT... WAIT A MINUTE...");
  rt_.display_now();
  pause_error_or_stop(704);
  rt_.delay(2);
  pause_error_or_stop(705);
  s_.closingFrame = 0;
  s_.scrollY = 0;
  s_.shellX = -340;
  s_.closingStage = kClosingFall;
  pause_error_or_stop(706);
  do {
    closing_scene_frame();
    show_frame(60);
  } while (s_.closingStage != kClosingOver);
  return GameStage::HighScoreCheck;
}

void Game::closing_scene_frame() {
  s_.closingFrame += 1;
  if (s_.closingFrame == 60) s_.closingFrame = 1;
  pause_error_or_stop(707);
  rt_.clear_screen();
  pause_error_or_stop(708);
  draw(h_.backgroundImg[2], 0, -s_.scrollY);
  const double frame = std::floor(s_.closingFrame / 30);
  if (s_.closingStage == kClosingFall) {
    s_.scrollY += 1;
    draw(h_.plumberFallImg[frame + 1], 160, s_.scrollY);
    s_.shellX += 2.06;
    if (s_.shellX > 160) {
      s_.closingStage = kClosingShellLanding;
      s_.climberY = 245;
    }
    draw(h_.shellImg[frame + 1], s_.shellX, 250);
  }
  if (s_.closingStage == kClosingShellLanding) {
    s_.climberY += 1.5;
    draw(h_.plumberShellImg[1], 160, s_.climberY);
    if (s_.climberY >= 280) s_.closingStage = kClosingShellRising;
  }
  if (s_.closingStage == kClosingShellRising) {
    s_.climberY -= 1;
    draw(h_.plumberShellImg[2], 160, s_.climberY);
    if (s_.climberY <= 160) {
      s_.closingStage = kClosingLaugh;
      s_.stageTimer = 0;
    }
  }
  if (s_.closingStage == kClosingLaugh) laughing_stage(frame);
  if (s_.closingStage == kClosingFlight) flying_stage(frame);
}

void Game::laughing_stage(double frame) {
  s_.stageTimer += 1;
  if (s_.stageTimer > 120) {
    s_.closingStage = kClosingFlight;
    s_.flyX = 160;
  }
  play(h_.sndLaugh);
  draw(h_.plumberShellImg[frame + 4], 160, roll(2) + 160);
}

void Game::flying_stage(double frame) {
  s_.flyX += 1;
  if (s_.flyX > 200) s_.flyX += 1;
  if (s_.flyX > 250) s_.flyX += 1;
  if (s_.flyX > 440) s_.closingStage = kClosingOver;
  pause_error_or_stop(709);
  draw(h_.plumberShellImg[frame + 6], s_.flyX, 160);
  if (s_.flyX > 290) print_line(10, 17, "OOPS !");
}

GameStage Game::game_over() {
  s_.endTimer = 0;
  pause_error_or_stop(710);
  do {
    s_.endTimer += 1;
    pause_error_or_stop(711);
    rt_.clear_screen();
    pause_error_or_stop(712);
    print_scores();
    draw(h_.gameOverImg, 95, 45);
    print_line(13, 16, "GAME OVER");
    show_frame();
  } while (s_.endTimer <= 350);
  rt_.delay(1);
  pause_error_or_stop(713);
  return s_.hallInsertPos < 11 ? GameStage::InitialsEntry : GameStage::Save;
}

GameStage Game::initials_entry() {
  for (int i = 1; i <= 3; ++i) s_.letterIdx[i] = 1;
  s_.initialsCursor = 1;
  s_.initialsDelay = 0;
  pause_error_or_stop(714);
  do {
    initials_keys();
    rt_.clear_screen();
    pause_error_or_stop(715);
    draw(h_.craneImg[4], 0, -10);
    print_line(4, 15, "YOUR SCORE");
    print_line(5, 17, number_text(s_.score));
    print_line(8, 10, "ENTER YOUR INITIALES");
    for (int i = 1; i <= 3; ++i) print_line(10, 10 + 5 * i, s_.letters[s_.letterIdx[i]]);
    if (s_.initialsCursor <= 3) {
      rt_.locate(10, 9 + 5 * static_cast<int>(s_.initialsCursor));
      pause_error_or_stop(716);
      rt_.print_wrap_check(">");
      rt_.print_text(">", false);
      pause_error_or_stop(717);
    }
    show_frame(60);
  } while (s_.initialsCursor <= 3);
  s_.hallNames[s_.hallInsertPos] =
      s_.letters[s_.letterIdx[1]] + s_.letters[s_.letterIdx[2]] + s_.letters[s_.letterIdx[3]];
  pause_error_or_stop(718);
  return GameStage::Save;
}

void Game::initials_keys() {
  if (s_.initialsDelay > 0) s_.initialsDelay -= 1;
  const bool right = rt_.key_down(key::kRight) != 0;
  if (right && s_.initialsDelay == 0) {
    s_.initialsDelay = 30;
    s_.letterIdx[s_.initialsCursor] += 1;
  }
  const bool left = rt_.key_down(key::kLeft) != 0;
  if (left && s_.initialsDelay == 0) {
    s_.initialsDelay = 30;
    s_.letterIdx[s_.initialsCursor] -= 1;
  }
  const bool space = rt_.key_down(key::kSpace) != 0;
  if (space && s_.initialsDelay == 0) {
    s_.initialsDelay = 30;
    s_.initialsCursor += 1;
    play(h_.sndBeep);
  }
  if (s_.letterIdx[s_.initialsCursor] == 27) s_.letterIdx[s_.initialsCursor] = 1;
  if (s_.letterIdx[s_.initialsCursor] == 0) s_.letterIdx[s_.initialsCursor] = 26;
  pause_error_or_stop(719);
}

}  // namespace kelvo
