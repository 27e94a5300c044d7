// Program start-up, the game thread, the display loop and the orderly shutdown.
#include "platform/app.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

#include "game/asset_table.h"
#include "game/game.h"
#include "platform/clocks.h"
#include "platform/data_location.h"
#include "platform/headless_frontend.h"
#include "platform/picture_prefetch.h"
#include "platform/recorder.h"
#include "platform/script_player.h"
#include "platform/sdl_audio.h"
#include "platform/sdl_frontend.h"
#include "platform/system_queries.h"
#include "runtime/services/error_table.h"

#ifndef KELVO_VERSION
#define KELVO_VERSION "dev"
#endif
#ifndef KELVO_DATA_FROM_BIN
#define KELVO_DATA_FROM_BIN ""  // where an installed game's data folder is, from its executable
#endif

namespace kelvo {
namespace {

constexpr uint32_t kHeadlessNoonMs = 12 * 3600 * 1000;

// Files named on the command line and in scripts are relative to where the program was started,
// not to the directory it works in.
std::string from_start_directory(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  std::error_code ignored;
  return (std::filesystem::current_path(ignored) / path).string();
}

Options with_absolute_paths(Options o) {
  o.scriptPath = from_start_directory(o.scriptPath);
  o.replayPath = from_start_directory(o.replayPath);
  o.recordPath = from_start_directory(o.recordPath);
  o.tracePath = from_start_directory(o.tracePath);
  return o;
}

DataLocation data_location(const Options& o) {
  return find_data_location(o.directory.value_or(""), executable_directory().value_or(""),
                            KELVO_DATA_FROM_BIN, player_data_directory());
}

// A folder named with --dir must be one: the program would otherwise read and save elsewhere.
bool enter_directory(const Options& o, const std::string& dir) {
  if (o.directory && o.directory->empty()) {
    std::fprintf(stderr, "kelvo: --dir names no folder\n");
    return false;
  }
  if (dir.empty() || chdir(dir.c_str()) == 0) return true;
  std::fprintf(stderr, "kelvo: cannot use the folder %s: %s\n", dir.c_str(), std::strerror(errno));
  return false;
}

// The commands of the script or recording; nullopt after reporting a fault. A `level` command
// takes the place of --level.
std::optional<std::vector<ScriptCommand>> load_commands(Options& o) {
  const std::string& path = o.replayPath.empty() ? o.scriptPath : o.replayPath;
  if (path.empty()) return std::vector<ScriptCommand>{};
  std::string error;
  auto commands = load_script(
      path, error,
      [](const std::string& field) {
        GameState probe;
        return find_number_field(probe, field) != nullptr;
      },
      [](const std::string& field) { return field_to_text(GameState{}, field).has_value(); });
  if (!commands) {
    std::fprintf(stderr, "kelvo: %s\n", error.c_str());
    return std::nullopt;
  }
  for (auto& c : *commands) {
    if (c.action == ScriptAction::Shot || c.action == ScriptAction::Dump ||
        c.action == ScriptAction::Text) {
      c.path = from_start_directory(c.path);
    }
    if (c.action == ScriptAction::Level) o.startLevel = static_cast<int>(c.value);
  }
  return commands;
}

void game_thread(const GameRoutine& routine, Runtime& rt, GameState& state,
                 std::atomic<int>& status) {
  try {
    routine(rt, state);
  } catch (const ProgramEnded&) {
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kelvo: the game stopped: %s\n", e.what());
    status.store(1);
    rt.platform().request_exit();
  }
  rt.platform().mark_program_finished();
}

// Where the answer to an error dialog comes from.
using AnswerSource = std::function<bool(const std::string& title, const std::string& text)>;

// Every dialog is traced and recorded with its answer, however it is answered.
ErrorDialog traced_dialog(PlatformPort port, Recorder& recorder, AnswerSource source) {
  return [port, &recorder, source = std::move(source)](
             int code, uint32_t line, const std::string& title, const std::string& text) {
    port.trace("error", std::to_string(code) + " " + std::to_string(line) + " " +
                            std::string(error_message(code)));
    const bool yes = source(title, text);
    port.trace("answer", yes ? "yes" : "no");
    recorder.answer(port.frame_number(), yes);
    return yes;
  };
}

// How the game thread ends the process at once (a critical error, no audio device): it leaves the
// exit status (plus one) in `criticalEnd`, asks the main thread to end, and waits. Only a stop
// that came first (the window closed meanwhile) ends this wait; the game thread then ends at its
// next statement as for any stop.
std::function<void(int)> process_end(PlatformPort port, std::atomic<int>& criticalEnd) {
  return [port, &criticalEnd](int status) {
    criticalEnd.store(status + 1);
    port.request_exit();
    port.hub().wait([&port] { return port.stop_requested(); });
  };
}

// A window run shows its dialogs unless the script answers them; a headless run answers each by
// the script or --on-error. A critical error ends the process from the main thread, after the
// game thread has left the window alone: the game thread asks for the exit and waits.
void install_dialogs(PlatformPort port, ScriptPlayer& player, Recorder& recorder,
                     SdlFrontend* window, std::atomic<int>& criticalEnd) {
  if (window) {
    port.set_dialog(
        traced_dialog(port, recorder, [&player, window](const auto& title, const auto& text) {
          if (const auto scripted = player.take_scripted_answer()) return *scripted;
          return window->ask({DialogKind::YesNo, title, text});
        }));
    port.set_critical_box([window](const std::string& title, const std::string& text) {
      window->ask({DialogKind::Ok, title, text});
    });
  } else {
    port.set_dialog(traced_dialog(
        port, recorder, [&player](const auto&, const auto&) { return player.take_answer(); }));
  }
  port.set_process_exit(process_end(port, criticalEnd));
}

// Between frames, and while the game is paused, the game takes its input: the window's keys (in
// show_frame), the script's commands; the recording notes what the game saw.
void install_inputs(Runtime& rt, ScriptPlayer& player, Recorder& recorder, SdlFrontend* window) {
  PlatformPort port = rt.platform();
  // Asking for the held keys builds a list: only a recording run does, once a frame.
  auto record = [port, &recorder] {
    if (recorder.recording()) {
      recorder.inputs(port.frame_number(), port.held_keys(), port.stop_requested());
    }
  };
  rt.set_frame_hook([&player, record](uint32_t frame) {
    player.run_frame(frame);
    record();
  });
  port.set_paused_input(
      [&player, window, record] {
        const bool delivered = (window && window->apply_keys()) || player.run_paused();
        record();
        return delivered;
      },
      [&player, window] { return (window && window->keys_waiting()) || player.can_run_paused(); });
  port.set_time_listener(
      [port, &recorder](uint32_t ms) { recorder.time_read(port.frame_number(), ms); });
  player.set_listener(
      [port, &recorder](const ScriptCommand& c) { recorder.set(port.frame_number(), c); });
  player.run_frame(0);
  record();
}

// After a critical error or a failed audio device: the process ends here, the game thread still
// waiting.
[[noreturn]] void end_at_once(PlatformPort port, Recorder& recorder, int status) {
  recorder.close();
  port.trace("exit", std::to_string(status));
  port.close_trace();
  std::exit(status);
}

// A muted or headless run opens no audio device but keeps every sound rule.
std::unique_ptr<AudioBackend> make_audio(const Options& o, std::function<void(int)> exit) {
  if (o.headless || o.mute) return std::make_unique<SilentAudio>();
  return std::make_unique<SdlAudio>(std::move(exit));
}

// The pictures the game loads, named as it names them.
std::vector<std::string> game_picture_paths() {
  std::vector<std::string> paths;
  for (const AssetFile& picture : picture_files()) paths.push_back(kAssetFolder + picture.file);
  return paths;
}

// The window, or for a headless run frames that nobody sees.
std::unique_ptr<Frontend> make_frontend(Runtime& rt, const Options& o) {
  if (o.headless) return std::make_unique<HeadlessFrontend>(rt);
  auto window = std::make_unique<SdlFrontend>(rt);
  window->prepare_window();
  window->keep_window_for_game(o.window);
  window->set_window_scale(o.windowScale);
  window->ignore_player_keys(!o.replayPath.empty());
  window->defer_close(!o.recordPath.empty());
  return window;
}

}  // namespace

int run_program(const Options& options) {
  return run_program(options, nullptr);
}

int run_program(const Options& options, const GameRoutine& routine) {
  Options o = with_absolute_paths(options);
  auto commands = load_commands(o);
  if (!commands) return 2;
  const GameOptions choices{o.startLevel};
  const GameRoutine play = routine ? routine : [choices](Runtime& rt, GameState& state) {
    run_game(rt, state, choices);
  };
  const DataLocation location = data_location(o);
  if (!enter_directory(o, location.directory)) return 2;
  // IMG_Load needs no video mode: the pictures are decoded while SDL starts, and headless runs
  // load pictures too.
  PicturePrefetch decoder(routine ? std::vector<std::string>{} : game_picture_paths());
  if (!o.headless) {
    if (const int status = start_sdl(!o.mute)) return status;
  }
  std::unique_ptr<Clock> clock;
  if (o.headless) {
    clock = std::make_unique<VirtualClock>();
  } else {
    clock = std::make_unique<RealClock>();
  }
  const uint32_t msOfDay =
      o.timeOfDayMs.value_or(o.headless ? kHeadlessNoonMs : local_ms_of_day().value_or(0));
  Runtime rt(*clock, TimeReference{clock->ticks(), msOfDay});
  PlatformPort port = rt.platform();
  if (!o.tracePath.empty() && !port.open_trace(o.tracePath)) {
    std::fprintf(stderr, "kelvo: cannot write the trace %s\n", o.tracePath.c_str());
    return 2;
  }
  if (!location.scoreFile.empty()) port.set_file_path_map(score_file_map(location.scoreFile));
  Recorder recorder;
  if (!o.recordPath.empty() && !recorder.open(o.recordPath, o.startLevel)) {
    std::fprintf(stderr, "kelvo: cannot write the recording %s\n", o.recordPath.c_str());
    return 2;
  }
  rt.set_image_decoder(&decoder);
  GameState state;
  std::atomic<int> closeRequested{0};
  std::atomic<int> status{0};
  ScriptPlayer player(rt, state, std::move(*commands), o.closeAfterFrame, closeRequested, status,
                      o.answerErrorsYes);
  std::atomic<int> criticalEnd{0};
  const auto audio = make_audio(o, process_end(port, criticalEnd));
  port.set_audio(audio.get());

  const std::unique_ptr<Frontend> frontend = make_frontend(rt, o);
  auto* window = dynamic_cast<SdlFrontend*>(frontend.get());
  rt.set_frontend(frontend.get());
  install_dialogs(port, player, recorder, window, criticalEnd);
  install_inputs(rt, player, recorder, window);

  std::thread game(game_thread, std::cref(play), std::ref(rt), std::ref(state), std::ref(status));
  frontend->run_loop(closeRequested);
  if (criticalEnd.load() != 0) {
    decoder.finish();  // the process ends without unwinding
    end_at_once(port, recorder, criticalEnd.load() - 1);
  }

  port.request_stop();
  game.join();
  recorder.close();
  port.close_files();
  if (window) window->release_pointer();
  port.trace("exit", std::to_string(status.load()));
  port.close_trace();
  return status.load();
}

int kelvo_main(int argc, const char* const* argv) {
  return kelvo_main(argc, argv, nullptr);
}

int kelvo_main(int argc, const char* const* argv, const GameRoutine& routine) {
  std::string error;
  const auto options = parse_options(argc, argv, error);
  if (!options) {
    std::fprintf(stderr, "kelvo: %s\n%s", error.c_str(), usage_text());
    return 2;
  }
  if (options->help) {
    std::fputs(usage_text(), stdout);
    return 0;
  }
  if (options->version) {
    std::printf("kelvo %s\n%s\n", KELVO_VERSION, loaded_sdl_version().c_str());
    return 0;
  }
  return routine ? run_program(*options, routine) : run_program(*options);
}

}  // namespace kelvo
