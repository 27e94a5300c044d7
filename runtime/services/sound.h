// Sounds by handle: the 256-slot table, the requirement words, the single streamed sound, and
// playing, looping and stopping through an AudioBackend.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/services/audio_backend.h"
#include "runtime/services/clock.h"
#include "runtime/services/errors.h"
#include "runtime/services/trace.h"

namespace kelvo {

// Capability bits granted by the requirement words.
enum SoundCapability : uint32_t { kSoundSync = 1, kSoundVol = 2, kSoundPause = 4, kSoundLen = 8 };

struct SoundRequirements {
  uint32_t capabilities = 0;
  bool setPosition = false;  // "SETPOS": only a streamed MP3 sound can seek
};

// Reads comma-separated requirement words in any letter case with blanks around them; nullopt
// for a word that is unknown or given twice. Empty text asks for nothing.
std::optional<SoundRequirements> parse_sound_requirements(std::string_view text);

struct SoundSlot {
  int32_t handle = 0;  // 0 marks a free slot
  int chunk = 0;       // the backend's chunk number
  bool playing = false;
  bool paused = false;
  bool looping = false;
  float volume = 1.0f;
  uint32_t startTicks = 0;
  uint32_t pausedTicks = 0;
  int32_t limitMs = 0;  // play-time limit, 0 for none
  double lengthSeconds = 0;
  uint32_t capabilities = 0;
  std::string path;  // as opened, for the trace
};

class Sound {
 public:
  static constexpr int kSlots = 256;
  static constexpr int32_t kStreamHandle = 1;

  Sound(Errors& errors, Trace& trace, Clock& clock)
      : errors_(errors), trace_(trace), clock_(clock) {}

  // Without a backend every sound operation does nothing and opens give handle 0.
  void set_backend(AudioBackend* backend) { backend_ = backend; }

  // Returns the new handle: 2, 3, ... for an in-memory ("sync") sound, 1 for the streamed one,
  // 0 when nothing was opened.
  int32_t open(std::string_view path, std::string_view requirements);
  // Starts the sound from its beginning, once. A paused sound resumes instead; pausing belongs
  // to the runtime's wider sound set, which this game never uses.
  void play(int32_t handle);
  // Starts the sound from its beginning and repeats it until stopped.
  void loop(int32_t handle);
  void stop(int32_t handle);

  // The slot holding `handle`, or null; for inspection.
  const SoundSlot* slot(int32_t handle) const;
  // Moves the handle counter, so that its wrap can be reached.
  void set_next_handle(uint32_t next) { nextHandle_ = next; }

 private:
  bool ready();
  template <class Self>
  static auto* lookup(Self& self, int32_t handle);
  SoundSlot* find(int32_t handle);
  int32_t open_checked(std::string_view path, std::string_view requirements);
  int32_t open_chunk(std::string_view path, const SoundRequirements& req);
  int32_t open_stream(std::string_view path, const SoundRequirements& req);
  int32_t take_handle();
  int channel_of(const SoundSlot& slot) const { return static_cast<int>(&slot - slots_.data()); }
  void start(SoundSlot& slot, int loops);
  bool launch(SoundSlot& slot, int loops);
  void resume(SoundSlot& slot);
  void halt(SoundSlot& slot);
  void halt_and_clear(SoundSlot& slot);

  enum class Device { Closed, Open, Failed };

  Errors& errors_;
  Trace& trace_;
  Clock& clock_;
  AudioBackend* backend_ = nullptr;
  Device device_ = Device::Closed;
  std::array<SoundSlot, kSlots> slots_;  // slot i plays on mixer channel i
  SoundSlot stream_;                     // handle 1 while the streamed sound is open
  uint32_t nextHandle_ = 2;
};

}  // namespace kelvo
