// The ape, bananas and barrels; barrel launches and contact; bonus items; the balloon, hearts
// and the super mode; the final level's bolts and countdown.
#include <cmath>

#include "game/game.h"
#include "game/world.h"

namespace kelvo {

int Game::heart_quota() const {
  return static_cast<int>(std::floor(s_.level / 2)) + 4;
}

void Game::move_ape_bananas_barrels() {
  const double climb = 0.2 + s_.level / 50;
  if (s_.heroY > s_.apeY) s_.apeY += climb;
  if (s_.apeY > s_.heroY) s_.apeY -= climb;
  if (s_.apeY < 100) s_.apeY = 100;
  if (s_.apeY > 375) s_.apeY = 375;
  pause_error_or_stop(601);
  for (int i = 1; i <= 5; ++i) move_banana(i);
  s_.barrelCount = s_.level;
  if (s_.barrelCount < 5) s_.barrelCount = 5;
  if (s_.barrelCount > 10) s_.barrelCount = 10;
  pause_error_or_stop(602);
  for (int i = 1; i <= s_.barrelCount; ++i) {
    if (s_.barrelActive[i] == 0 && s_.barrelDelay == 0) {
      s_.spawnRoll = roll(3000);
      if (s_.spawnRoll == 2) {
        s_.barrelDelay = 80;
        s_.barrelSlot = i;
      }
    }
    if (s_.barrelActive[i] == 1) move_barrel(i);
    pause_error_or_stop(603);
  }
}

void Game::move_banana(int i) {
  if (s_.bananaActive[i] == 0) {
    s_.spawnRoll = std::floor(rt_.random_number() * s_.apeY * 12);
    if (s_.spawnRoll == 2) {
      s_.bananaActive[i] = 1;
      s_.bananaX[i] = s_.craneX + 45;
      s_.bananaY[i] = s_.apeY - 2;
      s_.apeThrowPose = 60;
      play(h_.sndBanana);
    }
  }
  if (s_.bananaActive[i] == 1) {
    s_.bananaX[i] += 1 + s_.level / 25;
    if (s_.bananaX[i] > 550) s_.bananaActive[i] = 0;
  }
  pause_error_or_stop(604);
}

void Game::move_barrel(int i) {
  s_.barrelOnGround[i] = 0;
  s_.barrelY[i] += 1;
  if (odd_girder(s_.barrelFloor[i])) {
    if (s_.barrelFloor[i] != 1 && s_.barrelX[i] < world::kBarrelOddDropX) s_.barrelFloor[i] -= 1;
    land_barrel(i, world::girder_line(s_.floorBaseY[s_.barrelFloor[i]], true, s_.barrelX[i]));
  }
  if (even_girder(s_.barrelFloor[i])) {
    if (s_.barrelX[i] > world::kBarrelEvenDropX) s_.barrelFloor[i] -= 1;
    land_barrel(i, world::girder_line(s_.floorBaseY[s_.barrelFloor[i]], false, s_.barrelX[i]));
  }
  if (s_.thunderTimer > 0 && s_.thunderTimer < 30) s_.barrelY[i] -= 1.1;
  if (s_.barrelOnGround[i] == 1 || s_.thunderTimer > 0) {
    if (odd_girder(s_.barrelFloor[i])) {
      s_.barrelX[i] -= 0.5 + s_.level / 50;
      s_.barrelDir[i] = -1;
    } else if (even_girder(s_.barrelFloor[i])) {
      s_.barrelX[i] += 0.4 + s_.level / 50;
      s_.barrelDir[i] = 1;
    }
  }
  if (s_.barrelFloor[i] == 1 && s_.barrelX[i] < 0) {
    s_.barrelActive[i] = 0;
    s_.barrelOnGround[i] = 0;
  }
}

void Game::land_barrel(int i, double line) {
  if (s_.barrelY[i] > line) {
    s_.barrelY[i] = line;
    s_.barrelOnGround[i] = 1;
  }
}

void Game::bonus_fall() {
  for (int i = 1; i <= 4; ++i) {
    if (s_.bonusState[i] == kBonusNone) {
      s_.spawnRoll = roll(6000);
      if (s_.spawnRoll == 2) {
        s_.bonusState[i] = kBonusOut;
        s_.bonusFloor[i] = roll(7) + 1;
        s_.bonusLanded[i] = 0;
        s_.bonusX[i] = roll(300) + 50;
        s_.bonusY[i] = -100;
      }
    }
    if (s_.bonusLanded[i] == 0 && s_.bonusState[i] == kBonusOut) {
      s_.bonusY[i] += 1;
      const double f = s_.bonusFloor[i];
      const double surface = world::girder_line(s_.floorBaseY[f], odd_girder(f), s_.bonusX[i]);
      if (s_.bonusY[i] > surface) {
        s_.bonusY[i] = surface;
        s_.bonusLanded[i] = 1;
      }
    }
    pause_error_or_stop(605);
  }
}

void Game::barrel_launch() {
  if (s_.barrelDelay > 0) {
    s_.barrelDelay -= 1;
    if (s_.barrelDelay == 0) {
      const double i = s_.barrelSlot;
      s_.barrelActive[i] = 1;
      s_.barrelX[i] = world::kLaunchX;
      s_.barrelY[i] = world::kLaunchY;
      s_.barrelFloor[i] = world::kLaunchGirder;
      s_.barrelDir[i] = -1;
    }
  }
  pause_error_or_stop(606);
}

void Game::balloon_and_hearts() {
  s_.balloonX += roll(2) / -2;
  s_.balloonX -= 0.1;
  if (s_.level == 3 || s_.level == 6) s_.balloonX -= 0.1;
  if (s_.level == 10) s_.balloonX -= 0.1;
  if (roll(10) == 1) s_.balloonY += roll(3) - 1;
  if (s_.balloonY < 0) s_.balloonY = 0;
  if (s_.balloonY > 450) s_.balloonY = 450;
  if (s_.balloonX < -250) {
    s_.balloonX = 600;
    s_.balloonY = roll(250) + 80;
  }
  pause_error_or_stop(607);
  for (int i = 1; i <= 10; ++i) {
    spawn_heart(i);
    if (s_.heartActive[i] == 1) drift_heart(i);
    pause_error_or_stop(608);
  }
}

void Game::spawn_heart(int i) {
  // Kept quirk: every operand is evaluated, the roll is drawn for every slot on every frame.
  const bool free = s_.heartActive[i] == 0;
  const bool rolled = roll(2600) == 4;
  const bool underBalloon = s_.balloonX > 50 && s_.balloonX < 350;
  if (!(free && rolled && underBalloon)) return;
  s_.heartActive[i] = 1;
  s_.heartDX[i] = roll(3) - 1;
  s_.heartDY[i] = roll(2) + 1 == 1 ? 0.5 : -0.5;
  s_.heartX[i] = roll(24) + s_.balloonX + 10;
  s_.heartY[i] = roll(30) + s_.balloonY + 25;
}

void Game::drift_heart(int i) {
  if (roll(4) == 1) s_.heartY[i] += s_.heartDY[i];
  if (roll(20) == 1) s_.heartY[i] -= s_.heartDY[i];
  if (roll(20) == 1) s_.heartX[i] += s_.heartDX[i];
  if (roll(20) == 1) s_.heartX[i] += s_.heartDX[i];
  if (roll(6) == 1) s_.heartX[i] += 1;
  if (roll(6) == 1) s_.heartX[i] -= 1;
  if (s_.heartX[i] < 0) {
    s_.heartX[i] = 0;
    s_.heartDX[i] = roll(2);
  }
  if (s_.heartX[i] > 392) {
    s_.heartX[i] = 390;
    s_.heartDX[i] = roll(2) - 1;
  }
  if (s_.heartY[i] > 470) s_.heartDY[i] = -0.5;
  if (s_.heartDY[i] == -0.5 && s_.heartY[i] < 150) s_.heartDY[i] = 0.5;
}

void Game::heart_pickup() {
  for (int i = 1; i <= 10; ++i) {
    if (s_.heartActive[i] == 1 && s_.dyingTimer == 0 &&
        world::touches(world::kHeartBox, s_.heroX, s_.heroY, s_.heartX[i], s_.heartY[i])) {
      s_.heartCount += 1;
      s_.score += 50;
      if (s_.heartSoundToggle == 1) {
        play(h_.sndHeart);
        s_.heartSoundToggle = 2;
      } else {
        play(h_.sndHeartB);
        s_.heartSoundToggle = 1;
      }
      if (s_.heartCount == heart_quota()) start_super_mode();
      s_.heartActive[i] = 0;
    }
    pause_error_or_stop(609);
  }
}

void Game::start_super_mode() {
  s_.superTimer = 960;
  s_.jumpTimer = 0;
  stop(h_.sndMusic);
  stop(h_.sndMusicFast);
  play_looped(h_.sndHurry);
}

void Game::end_super_mode() {
  s_.heartCount -= 3;
  if (s_.heartCount < 0) s_.heartCount = 0;
  stop(h_.sndMusic);
  stop(h_.sndHurry);
  stop(h_.sndMusicFast);
  resume_level_music();
}

void Game::count_down_super_mode() {
  s_.superTimer -= 1;
  if (s_.superTimer == 0) end_super_mode();
  pause_error_or_stop(509);
}

void Game::resume_level_music() {
  if (s_.levelTimer < 20) {
    play_looped(h_.sndMusicFast);
  } else {
    play_looped(h_.sndMusic);
  }
}

// On the final level lightning strikes now and then; true while it flashes.
bool Game::storm_flashes() {
  // Kept quirk: both operands are evaluated, the thunder roll is drawn on every frame.
  const bool calm = s_.thunderTimer == 0;
  const bool struck = roll(850) == 1;
  if (calm && struck) {
    s_.thunderTimer = 60;
    play(h_.sndThunder);
  }
  if (s_.thunderTimer <= 0) return false;
  s_.thunderTimer -= 1;
  return true;
}

void Game::bonus_pickup() {
  for (int i = 1; i <= 4; ++i) {
    if (s_.dyingTimer == 0 && s_.bonusState[i] == kBonusOut &&
        world::touches(world::kHazardBox, s_.heroX, s_.heroY, s_.bonusX[i], s_.bonusY[i])) {
      s_.bonusState[i] = kBonusTaken;
      s_.bonusCount += 1;
      s_.score += s_.bonusCount * 100;
      play(h_.sndBonus);
    }
    pause_error_or_stop(610);
  }
}

void Game::hazard_contact() {
  for (int i = 1; i <= 10; ++i) {
    if (s_.finalCountdown == 0 && s_.barrelActive[i] == 1 && s_.dyingTimer == 0 &&
        s_.superTimer == 0 &&
        world::touches(world::kHazardBox, s_.heroX, s_.heroY, s_.barrelX[i], s_.barrelY[i])) {
      s_.dyingTimer = 400;
      play(h_.sndDie);
    }
    pause_error_or_stop(611);
  }
  for (int i = 1; i <= 5; ++i) {
    if (s_.finalCountdown == 0 && s_.bananaActive[i] == 1 && s_.dyingTimer == 0 &&
        s_.superTimer == 0 &&
        world::touches(world::kHazardBox, s_.heroX, s_.heroY, s_.bananaX[i], s_.bananaY[i])) {
      s_.dyingTimer = 400;
      play(h_.sndDie);
    }
    pause_error_or_stop(612);
  }
}

void Game::bolts_and_countdown() {
  for (int i = 1; i <= 2; ++i) {
    if (s_.boltPresent[i] == 1 &&
        world::touches(world::kBoltBoxes[i], s_.heroX, s_.heroY, s_.boltX[i], s_.boltY[i])) {
      s_.boltPresent[i] = 0;
    }
  }
  if (s_.boltPresent[1] == 0 && s_.boltPresent[2] == 0 && s_.finalCountdown == 0) {
    s_.finalCountdown = 600;
    s_.timeBonus = s_.levelTimer * 100;
    s_.score += s_.timeBonus;
  }
  if (s_.finalCountdown > 0) {
    s_.finalCountdown -= 1;
    if (s_.finalCountdown == 0) s_.gameWonFlag = 1;
  }
  pause_error_or_stop(613);
}

}  // namespace kelvo
