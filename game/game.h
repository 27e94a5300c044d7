// The game routine: start-up, the top-level states and their transitions, and every screen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/game_state.h"
#include "runtime/runtime.h"

namespace kelvo {

// Choices made on the command line.
struct GameOptions {
  int startLevel = 1;  // the level every new game starts at; past 1 a practice run
};

// Runs the whole game on the calling (game) thread; leaves only through end_program.
void run_game(Runtime& rt, GameState& state, const GameOptions& options = {});

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

// The form in which a name is written to the high-score file so that reading the file gives it
// back: the name itself when it reads back unchanged (every name typed in the game does), else
// the name in double quotes, with its double quotes turned into apostrophes and its Ctrl-Z bytes
// into question marks, the two bytes no field can hold.
std::string storable_name(std::string_view name);

// A name as the hall of fame shows it: control bytes as question marks, cut to the columns left
// on its row, so that a hand-edited file can neither ring the bell nor scroll the screen.
std::string shown_name(std::string_view name);

// Girders 1, 3, 5 and 7 rise to the right; 2, 4 and 6 fall to the right. Any other number (the
// hero above the top girder) belongs to neither set.
inline bool odd_girder(double f) {
  return f == 1 || f == 3 || f == 5 || f == 7;
}
inline bool even_girder(double f) {
  return f == 2 || f == 4 || f == 6;
}

class Game {
 public:
  Game(Runtime& rt, GameState& state, const GameOptions& options)
      : rt_(rt), s_(state), h_(state.handles), options_(options) {}
  [[noreturn]] void run();

 private:
  // Ends a statement, where a pending event takes effect: a pause blocks here until it is
  // lifted, an error shows its dialog naming `site` as its line, and a stop request ends the game
  // thread. Each call site has its own number, the hundreds naming the unit it was written in,
  // so that the dialog's line stays the same whatever is edited around it.
  void pause_error_or_stop(uint32_t site) { rt_.end_statement(site); }
  void enter(GameStage stage);

  // Small helpers every screen uses (game.cpp).
  static int32_t handle(Num slot) { return static_cast<int32_t>(round_to_int(slot)); }
  void draw(Num image, double x, double y);
  void draw_world(Num image, double x, double y);
  void play(Num sound);
  void play_looped(Num sound);
  void stop(Num sound);
  double roll(double range);
  static double frame_of(double phase, double divisor);
  std::string number_text(double value);
  // Prints a line of text at a text row and column, as every text of the game is printed.
  void print_line(int row, int column, std::string_view text);
  // One frame's ending: pace at `rate` frames per second and show it.
  void show_frame(double rate = 120);

  // Start-up and the catalogue (game.cpp, catalogue.cpp).
  void start_up();
  void fill_fixed_tables();
  void read_letters();
  void open_sounds();
  void load_images();

  // Boot, attract mode and the closing story (front_screens.cpp).
  void boot_screen();
  GameStage attract_mode();
  void title_frame();
  void hall_of_fame_frame();
  void prologue_frame();
  GameStage closing_story();

  // New game and level set-up (game.cpp, level.cpp).
  GameStage new_game();
  GameStage level_setup();
  void set_start_values();
  void level_introduction();
  int level_number() const;

  // The play loop (play.cpp).
  GameStage level_play();
  GameStage level_outcome();
  bool windy_level() const;
  void frame_second_half();
  void level_music();
  void hero_control();
  void hero_walk_and_jump();
  void reach_the_top();
  void gravity_and_landing();
  void land_hero(double line);
  void wind();
  void climbing_and_falling();
  void shake_and_camera();
  void advance_clocks();
  void run_dying_sequence();
  void respawn();
  // The hero stands still on the bottom girder at `x`, facing right, not jumping or super.
  void place_hero_at_start(double x);
  void lower_rescue_ladder();
  bool captive_shouts();
  void drift_zeppelin();
  void drift_bird(int i);
  void bring_clouds_back();

  // Hazards, bonus items, hearts and the final level (hazards.cpp).
  int heart_quota() const;
  void move_ape_bananas_barrels();
  void move_banana(int i);
  void move_barrel(int i);
  void land_barrel(int i, double line);
  void bonus_fall();
  void barrel_launch();
  void balloon_and_hearts();
  void spawn_heart(int i);
  void drift_heart(int i);
  void heart_pickup();
  void start_super_mode();
  void count_down_super_mode();
  void end_super_mode();
  void resume_level_music();
  void bonus_pickup();
  void hazard_contact();
  void bolts_and_countdown();
  bool storm_flashes();

  // Drawing a play frame (scene.cpp); the rules it applies on its way live in play.cpp and
  // hazards.cpp and run from the drawing, so that the random draws keep their order.
  void draw_scene();
  void draw_sky();
  void draw_zeppelin(Num image);
  void draw_birds();
  void draw_structure();
  double duo_frame();
  void draw_captive_corner();
  void draw_final_hut();
  void draw_ape_and_bananas();
  void draw_barrels_and_bonus();
  void draw_clouds();
  void draw_dying_and_hero();
  void draw_walking_hero(const GameArray<Num, 3>& right, const GameArray<Num, 3>& left);
  // The score and best score with their labels in the top rows (play and game over).
  void print_scores();
  void draw_hud();
  void print_time_bonus();
  void draw_messages();

  // The end of a game (ending.cpp, high_scores.cpp).
  GameStage ending();
  void closing_scene_frame();
  void laughing_stage(double frame);
  void flying_stage(double frame);
  GameStage high_score_check();
  GameStage game_over();
  GameStage initials_entry();
  void initials_keys();
  GameStage save();
  void load_high_scores();
  void save_high_scores();

  Runtime& rt_;
  GameState& s_;
  GameHandles& h_;
  GameOptions options_;
};

}  // namespace kelvo
