// Records a run as an input script that replays it exactly: the key changes at the frames where
// the game saw them, the times of day it read, the dialogs' answers, scripted changes of the state,
// the start level and the close.
#pragma once

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/script.h"

namespace kelvo {

class Recorder {
 public:
  Recorder() = default;
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // Starts the recording; false when the file cannot be created.
  bool open(const std::string& path, int startLevel);
  bool recording() const { return file_ != nullptr; }
  // Game thread, between frames or while paused: the keys held now and whether a stop has been
  // asked for; writes what changed since the last call.
  void inputs(uint32_t frame, const std::vector<int32_t>& heldKeys, bool stopRequested);
  // Game thread: a time of day read, a dialog answered, a scripted change of the state.
  void time_read(uint32_t frame, uint32_t msOfDay);
  void answer(uint32_t frame, bool yes);
  void set(uint32_t frame, const ScriptCommand& command);
  void close();

 private:
  void line(uint32_t frame, const std::string& command);

  std::FILE* file_ = nullptr;
  std::set<int32_t> held_;
  bool closed_ = false;
};

// How a recording names a key code: its script name, its character, or its number.
std::string recorded_key_name(int32_t code);

}  // namespace kelvo
