// GameState: the one record of all game variables, declared from field lists so that dumps and
// scripted edits see every field under its own name.
#pragma once

#include <optional>
#include <string>

#include "game/num.h"

namespace kelvo {

// clang-format off
// Plain numbers, in the order they are dumped.
#define KELVO_GAME_NUMBERS(X)                                                                      \
  X(level)                                                                                         \
  X(score)                                                                                         \
  X(lives)                                                                                         \
  X(hudBest) X(hallInsertPos) X(levelEndState) X(gameWonFlag) X(attractTimer) X(blinkTimer)        \
      X(creditTimer) X(storyScroll) X(introTimer) X(introFrame) X(introY) X(heroX) X(heroY)        \
          X(heroDX) X(heroFrame) X(heroFacing) X(jumpTimer) X(jumpLatch) X(idleTimer) X(heroFloor) \
              X(heroOnGround) X(heroFalling) X(dyingTimer) X(heartCount) X(levelTimer)             \
                  X(superTimer) X(musicState) X(rescueState) X(timeBonus) X(timeOutFlag) X(craneX) \
                      X(apeY) X(apeThrowPose) X(barrelCount) X(barrelDelay) X(barrelSlot)          \
                          X(spawnRoll) X(thunderTimer) X(ladderPieceY) X(helpTimer) X(climberY)    \
                              X(balloonX) X(balloonY) X(heartSoundToggle) X(bonusCount)            \
                                  X(finalCountdown) X(fallX) X(fallY) X(zeppelinX) X(zeppelinY)    \
                                      X(viewY) X(shakeY) X(slowPhase) X(slowPhaseBack)             \
                                          X(fastPhase) X(backgroundY) X(closingFrame) X(scrollY)   \
                                              X(shellX) X(closingStage) X(stageTimer) X(flyX)      \
                                                  X(endTimer) X(initialsCursor) X(initialsDelay)

// Number arrays with their declared upper bound (index 0 exists; the game counts from 1).
#define KELVO_GAME_ARRAYS(X)                                                                       \
  X(hallScores, 10)                                                                                \
  X(heroFloorBaseY, 10)                                                                            \
  X(floorBaseY, 10)                                                                                \
  X(cloudX, 4) X(cloudY, 4) X(birdX, 4) X(birdY, 4) X(heartActive, 10) X(heartX, 10) X(heartY, 10) \
      X(heartDX, 10) X(heartDY, 10) X(bananaActive, 5) X(bananaX, 5) X(bananaY, 5)                 \
          X(barrelActive, 10) X(barrelX, 10) X(barrelY, 10) X(barrelFloor, 10)                     \
              X(barrelOnGround, 10) X(barrelDir, 10) X(bonusState, 4) X(bonusX, 4) X(bonusY, 4)    \
                  X(bonusLanded, 4) X(bonusFloor, 4) X(boltPresent, 2) X(boltX, 2) X(boltY, 2)     \
                      X(letterIdx, 4)

// String arrays.
#define KELVO_GAME_STRING_ARRAYS(X) X(hallNames, 10) X(letters, 26)

// Image slots: single handles, then arrays of handles, then two-dimensional ones.
#define KELVO_GAME_IMAGES(X)                                                                    \
  X(titleImg)                                                                                   \
  X(gameOverImg)                                                                                \
  X(groundImg)                                                                                  \
  X(craneBarrierImg) X(levelImg) X(finalLevelImg) X(stormImg) X(boltImg) X(ladderImg)           \
      X(ladder2Img) X(hutImg) X(helpImg) X(chainImg) X(helpImg2) X(heartImg) X(heartOutlineImg) \
          X(heartBarImg) X(hookImg) X(zeppelinImg) X(zeppelin2Img)

#define KELVO_GAME_IMAGE_ARRAYS(X)                                                                \
  X(ambulanceImg, 2)                                                                              \
  X(nurseImg, 2)                                                                                  \
  X(balloonImg, 5)                                                                                \
  X(birdImg, 4) X(heroRightImg, 3) X(heroLeftImg, 3) X(heroIdleRightImg, 5) X(heroIdleLeftImg, 5) \
      X(heroKoImg, 4) X(superHeroRightImg, 3) X(superHeroLeftImg, 3) X(barrelImg, 4)              \
          X(backgroundImg, 10) X(ufoImg, 2) X(cauldronTopImg, 4) X(cauldronBottomImg, 4)          \
              X(duoImg, 12) X(plumberFallImg, 2) X(plumberLadderImg, 4) X(apeImg, 3)              \
                  X(bananaImg, 4) X(craneImg, 6) X(rainImg, 3) X(shellImg, 2)                     \
                      X(plumberShellImg, 7)

#define KELVO_GAME_IMAGE_GRIDS(X) X(cloudImg, 2, 10) X(captiveImg, 9, 2) X(captiveBonusImg, 9, 4)

#define KELVO_GAME_SOUNDS(X)                                                              \
  X(sndLevel)                                                                             \
  X(sndJump)                                                                              \
  X(sndMusic)                                                                             \
  X(sndHurry) X(sndMusicFast) X(sndDie) X(sndFall) X(sndBanana) X(sndThunder) X(sndHeart) \
      X(sndHeartB) X(sndMusic2) X(sndBonus) X(sndLaugh) X(sndBeep)

// clang-format on

struct GameState {
#define KELVO_DECLARE_NUMBER(name) Num name;
#define KELVO_DECLARE_ARRAY(name, upper) GameArray<Num, upper> name;
#define KELVO_DECLARE_STRINGS(name, upper) GameArray<std::string, upper> name;
#define KELVO_DECLARE_GRID(name, rows, cols) GameArray<GameArray<Num, cols>, rows> name;
  KELVO_GAME_NUMBERS(KELVO_DECLARE_NUMBER)
  KELVO_GAME_ARRAYS(KELVO_DECLARE_ARRAY)
  KELVO_GAME_STRING_ARRAYS(KELVO_DECLARE_STRINGS)
  KELVO_GAME_IMAGES(KELVO_DECLARE_NUMBER)
  KELVO_GAME_IMAGE_ARRAYS(KELVO_DECLARE_ARRAY)
  KELVO_GAME_IMAGE_GRIDS(KELVO_DECLARE_GRID)
  KELVO_GAME_SOUNDS(KELVO_DECLARE_NUMBER)
#undef KELVO_DECLARE_NUMBER
#undef KELVO_DECLARE_ARRAY
#undef KELVO_DECLARE_STRINGS
#undef KELVO_DECLARE_GRID
};

// The whole state as one JSON object: every field under its name, arrays from index 0.
std::string state_to_json(const GameState& state);

// A numeric field by name: "heroX", "hallScores[3]" or "cloudImg[1][2]"; null when there is no
// such field or index.
Num* find_number_field(GameState& state, const std::string& name);

// A field as it appears in the JSON dump: a number, a whole array ("hallScores"), a text
// ("hallNames[2]") or an element; nullopt when there is no such field or index.
std::optional<std::string> field_to_text(const GameState& state, const std::string& name);

}  // namespace kelvo
