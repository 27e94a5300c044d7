// The game routine: start-up, the top-level states and their transitions.
#pragma once

#include <cstdint>
#include <source_location>
#include <string_view>

#include "game/game_state.h"
#include "runtime/runtime.h"

namespace kelvo {

// Runs the whole game on the calling (game) thread; leaves only through end_program.
void run_game(Runtime& rt, GameState& state);

enum class GameStage {
  Boot,
  Attract,
  NewGame,
  LevelSetup,
  LevelPlay,
  LevelOutcome,
  Ending,
  HighScoreCheck,
  ClosingStory,
  GameOver,
  InitialsEntry,
  Save,
};

const char* stage_name(GameStage stage);

// Finds the table position the finished game's score enters (11: none) and makes room for it:
// the entries below move down with their initials and the tenth drops out.
void rank_score(GameState& state);

// The statement line of a place in the game's sources: a block of 10000 numbers per source file.
uint32_t statement_line(const std::source_location& where);

class Game {
 public:
  Game(Runtime& rt, GameState& state) : rt_(rt), s_(state) {}
  [[noreturn]] void run();

 private:
  // Ends a statement: a pending error, pause or stop is handled here.
  void stmt(const std::source_location& where = std::source_location::current()) {
    if (rt_.errors.event_pending()) rt_.errors.statement_event(statement_line(where));
  }
  void enter(GameStage stage);
  // Prints a line of text at a text row and column, as every text of the game is printed.
  void print_line(int row, int column, std::string_view text);
  // One frame's ending: pace at `rate` frames per second and show it.
  void show_frame(double rate = 120);

  void start_up();
  void boot_screen();
  GameStage attract_mode();
  GameStage new_game();
  GameStage level_setup();
  GameStage level_play();
  GameStage level_outcome();
  GameStage ending();
  GameStage high_score_check();
  GameStage closing_story();
  GameStage game_over();
  GameStage initials_entry();
  GameStage save();

  void fill_fixed_tables();
  void load_high_scores();
  void save_high_scores();
  void level_introduction();

  Runtime& rt_;
  GameState& s_;
};

}  // namespace kelvo
