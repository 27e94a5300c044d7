// GameState: the one record of all game variables, declared from field lists so that dumps and
// scripted edits see every field under its own name.
#pragma once

#include <optional>
#include <string>

#include "game/num.h"

namespace kelvo {

// clang-format off
// Each list is in the order the fields are dumped; one field a line, grouped by concern.

// Plain numbers.
#define KELVO_GAME_NUMBERS(X)                   \
  /* the game and the hall of fame */           \
  X(level)                                      \
  X(score)                                      \
  X(lives)                                      \
  X(hudBest)                                    \
  X(hallInsertPos)                              \
  /* the level's end */                         \
  X(levelEndState)                              \
  X(gameWonFlag)                                \
  /* attract mode and the level introduction */ \
  X(attractTimer)                               \
  X(blinkTimer)                                 \
  X(creditTimer)                                \
  X(storyScroll)                                \
  X(introTimer)                                 \
  X(introFrame)                                 \
  X(introY)                                     \
  /* the hero */                                \
  X(heroX)                                      \
  X(heroY)                                      \
  X(heroDX)                                     \
  X(heroFrame)                                  \
  X(heroFacing)                                 \
  X(jumpTimer)                                  \
  X(jumpLatch)                                  \
  X(idleTimer)                                  \
  X(heroFloor)                                  \
  X(heroOnGround)                               \
  X(heroFalling)                                \
  X(dyingTimer)                                 \
  X(heartCount)                                 \
  /* the level's clock, music and rescue */     \
  X(levelTimer)                                 \
  X(superTimer)                                 \
  X(musicState)                                 \
  X(rescueState)                                \
  X(timeBonus)                                  \
  X(timeOutFlag)                                \
  /* the crane, the ape and the barrels */      \
  X(craneX)                                     \
  X(apeY)                                       \
  X(apeThrowPose)                               \
  X(barrelCount)                                \
  X(barrelDelay)                                \
  X(barrelSlot)                                 \
  X(spawnRoll)                                  \
  /* the storm and the captive's corner */      \
  X(thunderTimer)                               \
  X(ladderPieceY)                               \
  X(helpTimer)                                  \
  X(climberY)                                   \
  /* the balloon, hearts and bonus items */     \
  X(balloonX)                                   \
  X(balloonY)                                   \
  X(heartSoundToggle)                           \
  X(bonusCount)                                 \
  /* the final level */                         \
  X(finalCountdown)                             \
  X(fallX)                                      \
  X(fallY)                                      \
  /* scenery, camera and animation clocks */    \
  X(zeppelinX)                                  \
  X(zeppelinY)                                  \
  X(viewY)                                      \
  X(shakeY)                                     \
  X(slowPhase)                                  \
  X(slowPhaseBack)                              \
  X(fastPhase)                                  \
  X(backgroundY)                                \
  /* the closing scene */                       \
  X(closingFrame)                               \
  X(scrollY)                                    \
  X(shellX)                                     \
  X(closingStage)                               \
  X(stageTimer)                                 \
  X(flyX)                                       \
  X(endTimer)                                   \
  /* initials entry */                          \
  X(initialsCursor)                             \
  X(initialsDelay)

// Number arrays with their declared upper bound (index 0 exists; the game counts from 1).
#define KELVO_GAME_ARRAYS(X)                  \
  /* the hall of fame and the girder lines */ \
  X(hallScores, 10)                           \
  X(heroFloorBaseY, 10)                       \
  X(floorBaseY, 10)                           \
  /* scenery */                               \
  X(cloudX, 4)                                \
  X(cloudY, 4)                                \
  X(birdX, 4)                                 \
  X(birdY, 4)                                 \
  /* hearts */                                \
  X(heartActive, 10)                          \
  X(heartX, 10)                               \
  X(heartY, 10)                               \
  X(heartDX, 10)                              \
  X(heartDY, 10)                              \
  /* bananas and barrels */                   \
  X(bananaActive, 5)                          \
  X(bananaX, 5)                               \
  X(bananaY, 5)                               \
  X(barrelActive, 10)                         \
  X(barrelX, 10)                              \
  X(barrelY, 10)                              \
  X(barrelFloor, 10)                          \
  X(barrelOnGround, 10)                       \
  X(barrelDir, 10)                            \
  /* bonus items */                           \
  X(bonusState, 4)                            \
  X(bonusX, 4)                                \
  X(bonusY, 4)                                \
  X(bonusLanded, 4)                           \
  X(bonusFloor, 4)                            \
  /* the final level's bolts */               \
  X(boltPresent, 2)                           \
  X(boltX, 2)                                 \
  X(boltY, 2)                                 \
  /* initials entry */                        \
  X(letterIdx, 4)

// String arrays.
#define KELVO_GAME_STRING_ARRAYS(X)\
  X(hallNames, 10) \
  X(letters, 26)

// Image handles: single ones, arrays of them, then two-dimensional ones.
#define KELVO_GAME_IMAGES(X)           \
  /* screens and the street */         \
  X(titleImg)                          \
  X(gameOverImg)                       \
  X(groundImg)                         \
  X(craneBarrierImg)                   \
  /* the structure and the sky */      \
  X(levelImg)                          \
  X(finalLevelImg)                     \
  X(stormImg)                          \
  X(boltImg)                           \
  X(ladderImg)                         \
  X(ladder2Img)                        \
  /* the captive's corner */           \
  X(hutImg)                            \
  X(helpImg)                           \
  X(chainImg)                          \
  X(helpImg2)                          \
  /* hearts, the crane and airships */ \
  X(heartImg)                          \
  X(heartOutlineImg)                   \
  X(heartBarImg)                       \
  X(hookImg)                           \
  X(zeppelinImg)                       \
  X(zeppelin2Img)

#define KELVO_GAME_IMAGE_ARRAYS(X)         \
  /* the street and the sky */             \
  X(ambulanceImg, 2)                       \
  X(nurseImg, 2)                           \
  X(balloonImg, 5)                         \
  X(birdImg, 4)                            \
  /* the hero */                           \
  X(heroRightImg, 3)                       \
  X(heroLeftImg, 3)                        \
  X(heroIdleRightImg, 5)                   \
  X(heroIdleLeftImg, 5)                    \
  X(heroKoImg, 4)                          \
  X(superHeroRightImg, 3)                  \
  X(superHeroLeftImg, 3)                   \
  /* the structure and the sky */          \
  X(barrelImg, 4)                          \
  X(backgroundImg, 10)                     \
  X(ufoImg, 2)                             \
  X(cauldronTopImg, 4)                     \
  X(cauldronBottomImg, 4)                  \
  /* the villains and the closing scene */ \
  X(duoImg, 12)                            \
  X(plumberFallImg, 2)                     \
  X(plumberLadderImg, 4)                   \
  X(apeImg, 3)                             \
  X(bananaImg, 4)                          \
  X(craneImg, 6)                           \
  X(rainImg, 3)                            \
  X(shellImg, 2)                           \
  X(plumberShellImg, 7)

#define KELVO_GAME_IMAGE_GRIDS(X)\
  X(cloudImg, 2, 10)       \
  X(captiveImg, 9, 2)      \
  X(captiveBonusImg, 9, 4)

// Sound handles.
#define KELVO_GAME_SOUNDS(X)\
  X(sndLevel)     \
  X(sndJump)      \
  X(sndMusic)     \
  X(sndHurry)     \
  X(sndMusicFast) \
  X(sndDie)       \
  X(sndFall)      \
  X(sndBanana)    \
  X(sndThunder)   \
  X(sndHeart)     \
  X(sndHeartB)    \
  X(sndMusic2)    \
  X(sndBonus)     \
  X(sndLaugh)     \
  X(sndBeep)

// clang-format on

#define KELVO_DECLARE_NUMBER(name) Num name;
#define KELVO_DECLARE_ARRAY(name, upper) GameArray<Num, upper> name;
#define KELVO_DECLARE_STRINGS(name, upper) GameArray<std::string, upper> name;
#define KELVO_DECLARE_GRID(name, rows, cols) GameArray<GameArray<Num, cols>, rows> name;

// The handles of the pictures and sounds the game opens at start-up.
struct GameHandles {
  KELVO_GAME_IMAGES(KELVO_DECLARE_NUMBER)
  KELVO_GAME_IMAGE_ARRAYS(KELVO_DECLARE_ARRAY)
  KELVO_GAME_IMAGE_GRIDS(KELVO_DECLARE_GRID)
  KELVO_GAME_SOUNDS(KELVO_DECLARE_NUMBER)
};

struct GameState {
  KELVO_GAME_NUMBERS(KELVO_DECLARE_NUMBER)
  KELVO_GAME_ARRAYS(KELVO_DECLARE_ARRAY)
  KELVO_GAME_STRING_ARRAYS(KELVO_DECLARE_STRINGS)
  // Kept beside the game variables so that scripts reach them, but dumped only on request.
  GameHandles handles;
};

#undef KELVO_DECLARE_NUMBER
#undef KELVO_DECLARE_ARRAY
#undef KELVO_DECLARE_STRINGS
#undef KELVO_DECLARE_GRID

// Codes that number fields hold (plain numbers, as the fields are).
// heroFacing
inline constexpr int kFacingLeft = -1;
inline constexpr int kFacingRight = 1;
// musicState: the level's music waits for the first second, then plays, then plays fast.
inline constexpr int kMusicWaiting = 0;
inline constexpr int kMusicNormal = 1;
inline constexpr int kMusicFast = 2;
// rescueState: once the hero is on top the ladder comes down, then the plumber climbs it.
inline constexpr int kRescueWaiting = 0;
inline constexpr int kLadderLowering = 1;
inline constexpr int kPlumberClimbing = 2;
// bonusState[i]: none, out (falling or lying on a girder), taken.
inline constexpr int kBonusNone = 0;
inline constexpr int kBonusOut = 1;
inline constexpr int kBonusTaken = 2;
// closingStage: the plumber falls while the shell comes in, drops into it, is carried up,
// laughs and flies off.
inline constexpr int kClosingFall = 1;
inline constexpr int kClosingShellLanding = 2;
inline constexpr int kClosingShellRising = 3;
inline constexpr int kClosingLaugh = 4;
inline constexpr int kClosingFlight = 5;
inline constexpr int kClosingOver = 6;

// The whole state as one JSON object: every field under its name, arrays from index 0; the
// handles follow the game variables when asked for.
std::string state_to_json(const GameState& state, bool withHandles = false);

// A numeric field or handle by name: "heroX", "hallScores[3]" or "cloudImg[1][2]"; null when there
// is no such field or index.
Num* find_number_field(GameState& state, const std::string& name);

// A field as it appears in the JSON dump: a number, a whole array ("hallScores"), a text
// ("hallNames[2]") or an element; nullopt when there is no such field or index.
std::optional<std::string> field_to_text(const GameState& state, const std::string& name);

}  // namespace kelvo
