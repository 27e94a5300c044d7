// The game's start-up sequence and its top-level state machine.
#include "game/game.h"

#include <array>
#include <cstring>
#include <string_view>

namespace kelvo {
namespace {

constexpr int32_t kEscape = 27;
constexpr int32_t kSpace = 32;
constexpr int32_t kCapitalQ = 81;

// Source files of the game, in the order of their statement-line blocks.
constexpr std::array<std::string_view, 8> kGameSources = {
    "game.cpp",  "front_screens.cpp", "level.cpp",  "play.cpp",
    "scene.cpp", "hazards.cpp",       "ending.cpp", "high_scores.cpp"};

}  // namespace

const char* stage_name(GameStage stage) {
  static constexpr const char* kNames[] = {
      "Boot",   "Attract",        "NewGame",      "LevelSetup", "LevelPlay",     "LevelOutcome",
      "Ending", "HighScoreCheck", "ClosingStory", "GameOver",   "InitialsEntry", "Save"};
  return kNames[static_cast<int>(stage)];
}

uint32_t statement_line(const std::source_location& where) {
  const std::string_view file = where.file_name();
  for (size_t i = 0; i < kGameSources.size(); ++i) {
    if (file.ends_with("/" + std::string(kGameSources[i])) || file == kGameSources[i]) {
      return static_cast<uint32_t>((i + 1) * 10000 + where.line());
    }
  }
  return where.line();
}

void run_game(Runtime& rt, GameState& state) {
  set_array_error_sink(&rt.errors);
  Game(rt, state).run();
}

void Game::run() {
  start_up();
  enter(GameStage::Boot);
  boot_screen();
  GameStage stage = GameStage::Attract;
  for (;;) {
    enter(stage);
    switch (stage) {
      case GameStage::Boot:
        stage = GameStage::Attract;
        break;
      case GameStage::Attract:
        stage = attract_mode();
        break;
      case GameStage::NewGame:
        stage = new_game();
        break;
      case GameStage::LevelSetup:
        stage = level_setup();
        break;
      case GameStage::LevelPlay:
        stage = level_play();
        break;
      case GameStage::LevelOutcome:
        stage = level_outcome();
        break;
      case GameStage::Ending:
        stage = ending();
        break;
      case GameStage::HighScoreCheck:
        stage = high_score_check();
        break;
      case GameStage::ClosingStory:
        stage = closing_story();
        break;
      case GameStage::GameOver:
        stage = game_over();
        break;
      case GameStage::InitialsEntry:
        stage = initials_entry();
        break;
      case GameStage::Save:
        stage = save();
        break;
    }
  }
}

void Game::enter(GameStage stage) {
  rt_.trace.event("state", stage_name(stage));
}

void Game::show_frame(double rate) {
  rt_.limit_rate(rate);
  stmt();
  rt_.display_now();
  stmt();
}

void Game::start_up() {
  s_.level = 1;
  stmt();
  const int32_t screen = rt_.new_image(320, 300, 256);
  stmt();
  rt_.set_screen(screen);
  stmt();
  rt_.set_fullscreen(0);
  stmt();
  rt_.set_print_mode(2);
  stmt();
  load_high_scores();
  for (int i = 1; i <= 26; ++i) s_.letters[i] = std::string(1, static_cast<char>('A' + i - 1));
  stmt();
  fill_fixed_tables();
}

void Game::fill_fixed_tables() {
  static constexpr int kHeroFloorBaseY[] = {457, 381, 354, 275, 249, 168, 142};
  for (int f = 1; f <= 7; ++f) {
    s_.heroFloorBaseY[f] = kHeroFloorBaseY[f - 1];
    s_.floorBaseY[f] = kHeroFloorBaseY[f - 1] + 4;
  }
  s_.boltX[1] = 190;
  s_.boltY[1] = 16;
  s_.boltX[2] = 265;
  s_.boltY[2] = 16;
  stmt();
}

void Game::print_line(int row, int column, std::string_view text) {
  rt_.locate(row, column);
  stmt();
  rt_.print_wrap_check(text);
  rt_.print_text(text, false);
  rt_.print_text("", true);
  stmt();
}

void Game::boot_screen() {
  rt_.clear_screen();
  stmt();
  print_line(5, 16, "V 1.0");
  print_line(7, 15, "CPU");
  print_line(9, 15, "GPU");
  print_line(11, 15, "ROM");
  print_line(13, 15, "RAM");
  rt_.delay(0.5);
  stmt();
  for (int row = 7; row <= 13; row += 2) {
    print_line(row, 20, "OK");
    rt_.delay(row < 13 ? 0.2 : 1);
    stmt();
  }
}

GameStage Game::attract_mode() {
  rt_.delay(1);
  stmt();
  s_.attractTimer = 0;
  for (;;) {
    s_.attractTimer += 1;
    if (s_.attractTimer == 3140) s_.attractTimer = 0;
    if (s_.attractTimer < 1000) {
      s_.blinkTimer += 1;
      if (s_.blinkTimer == 120) s_.blinkTimer = 0;
      s_.creditTimer += 1;
      if (s_.creditTimer == 1000) s_.creditTimer = 0;
      rt_.clear_screen();
    }
    if (s_.attractTimer > 999 && s_.attractTimer < 1800) {
      rt_.clear_screen();
      s_.storyScroll = 0;
    }
    if (s_.attractTimer > 1799) {
      rt_.clear_screen();
      s_.storyScroll += 0.2;
    }
    stmt();
    show_frame();
    if (rt_.key_down(kEscape)) rt_.quit_program();
    stmt();
    if (rt_.key_down(kSpace)) return GameStage::NewGame;
    stmt();
  }
}

GameStage Game::new_game() {
  s_.score = 0;
  s_.lives = 3;
  s_.level = 1;
  stmt();
  return GameStage::LevelSetup;
}

GameStage Game::level_setup() {
  rt_.seed_random(rt_.time_of_day());
  stmt();
  s_.levelEndState = 0;
  s_.gameWonFlag = 0;
  s_.introTimer = 0;
  s_.introFrame = 0;
  s_.introY = 0;
  stmt();
  level_introduction();
  return GameStage::LevelPlay;
}

void Game::level_introduction() {
  do {
    s_.introTimer += 1;
    s_.introY += s_.level == 10 ? 0.5 : 0.25;
    s_.introFrame += 1;
    if (s_.introFrame == 80) s_.introFrame = 1;
    rt_.clear_screen();
    stmt();
    rt_.set_colour(15);
    stmt();
    show_frame();
  } while (s_.introTimer < 420);
}

GameStage Game::level_play() {
  for (;;) {
    if (rt_.key_down(kCapitalQ)) return GameStage::HighScoreCheck;
    stmt();
    rt_.clear_screen();
    stmt();
    show_frame();
    const bool leave =
        s_.gameWonFlag == 1 || rt_.key_down(kEscape) || s_.levelEndState > 299 || s_.lives == 0;
    stmt();
    if (leave) return GameStage::LevelOutcome;
  }
}

GameStage Game::level_outcome() {
  if (s_.gameWonFlag == 1) return GameStage::Ending;
  if (s_.lives == 0) return GameStage::HighScoreCheck;
  if (s_.levelEndState == 0) rt_.quit_program();
  s_.level += 1;
  if (s_.level == 11) s_.level = 1;
  stmt();
  return GameStage::LevelSetup;
}

GameStage Game::ending() {
  return GameStage::HighScoreCheck;
}

GameStage Game::high_score_check() {
  rank_score(s_);
  stmt();
  return GameStage::ClosingStory;
}

GameStage Game::closing_story() {
  s_.endTimer = 0;
  s_.storyScroll = 0;
  stmt();
  do {
    s_.endTimer += 1;
    rt_.clear_screen();
    stmt();
    s_.storyScroll += 0.2;
    stmt();
    show_frame();
  } while (s_.endTimer <= 950);
  return GameStage::GameOver;
}

GameStage Game::game_over() {
  s_.endTimer = 0;
  stmt();
  do {
    s_.endTimer += 1;
    rt_.clear_screen();
    stmt();
    show_frame();
  } while (s_.endTimer <= 350);
  rt_.delay(1);
  stmt();
  return s_.hallInsertPos < 11 ? GameStage::InitialsEntry : GameStage::Save;
}

GameStage Game::initials_entry() {
  return GameStage::Save;
}

GameStage Game::save() {
  save_high_scores();
  return GameStage::Attract;
}

}  // namespace kelvo
