// The runtime as the platform layer drives it: frames through the hand-over, input between frames,
// the stop and the exit, and the hooks that start-up installs. The game uses Runtime's operations;
// nothing outside the runtime reaches its services any other way.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/display/frame_handover.h"
#include "runtime/services/audio_backend.h"
#include "runtime/services/errors.h"
#include "runtime/services/files.h"
#include "runtime/services/keyboard.h"
#include "runtime/services/timing.h"
#include "runtime/services/wait_hub.h"

namespace kelvo {

class Runtime;

// A handle: copies all drive the same runtime.
class PlatformPort {
 public:
  explicit PlatformPort(Runtime& rt) : rt_(rt) {}

  // Frames, and the one place where every thread waits for the others' flags.
  FrameHandover& handover() const;
  WaitHub& hub() const;
  uint32_t frame_number() const;
  // How the last limit_rate paced its frame.
  FramePacing frame_pacing() const;

  // The stop (the game ends at its next statement) and the exit (the display loop ends at once).
  const std::atomic<uint8_t>& stop_flag() const;
  bool stop_requested() const { return stop_flag().load() != 0; }
  bool exit_requested() const;
  bool program_finished() const;
  void request_stop() const;
  void request_exit() const;
  // Game thread, as it ends for any reason.
  void mark_program_finished() const;

  // Input, on the game thread between frames or while the game is paused.
  void press_key(int32_t code, uint32_t platformKey, bool pauseKey = false) const;
  void release_key(uint32_t platformKey) const;
  void release_code(int32_t code) const;
  void sync_locks(const LockStates& locks) const;
  std::vector<int32_t> held_keys() const;
  void fix_next_ms_of_day(uint32_t ms) const;

  // Set-up, before the game thread starts, and shutdown after it ended.
  void set_dialog(ErrorDialog dialog) const;
  void set_critical_box(CriticalErrorBox box) const;
  void set_process_exit(std::function<void(int)> exit) const;
  void set_paused_input(std::function<bool()> deliver, std::function<bool()> waiting) const;
  void set_time_listener(std::function<void(uint32_t)> listener) const;
  void set_audio(AudioBackend* backend) const;
  void set_file_path_map(FilePathMap map) const;
  bool open_trace(const std::string& path) const;
  void trace(std::string_view kind, std::string_view text = {}) const;
  void close_trace() const;
  void close_files() const;

 private:
  Runtime& rt_;
};

}  // namespace kelvo
