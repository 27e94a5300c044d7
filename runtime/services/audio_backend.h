// What the sound service needs from a mixer: a device, in-memory chunks on numbered channels and
// one streamed sound. The platform supplies an SDL_mixer backend and a silent one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvo {

// A chunk loaded by a backend: its backend-side number and its byte length in the device's
// format (22050 Hz, signed 16-bit, stereo).
struct LoadedChunk {
  int id = 0;
  uint32_t bytes = 0;
};

class AudioBackend {
 public:
  virtual ~AudioBackend() = default;

  // Opens the output device with 256 channels; false when it cannot be opened (the backend has
  // already reported it and ended the process unless its exit hook returned).
  virtual bool open_device() = 0;

  // Decodes a whole file into memory; nullopt when it cannot be read or decoded.
  virtual std::optional<LoadedChunk> load_chunk(const std::string& path) = 0;
  // Starts `chunk` on `channel`, repeated `loops` more times (-1 without end), cut after
  // `limitMs` when not -1. False when the mixer refuses.
  virtual bool play_channel(int channel, int chunk, int loops, int limitMs) = 0;
  virtual void halt_channel(int channel) = 0;
  virtual void resume_channel(int channel) = 0;
  // 0 to 128.
  virtual void set_channel_volume(int channel, int volume) = 0;

  // The single streamed sound: loaded, replaced or freed as a whole.
  virtual bool load_music(const std::string& path) = 0;
  virtual bool music_is_mp3() = 0;
  virtual void free_music() = 0;
  virtual bool play_music(int loops) = 0;
  virtual void halt_music() = 0;
  virtual void resume_music() = 0;
  virtual void set_music_volume(int volume) = 0;
};

}  // namespace kelvo
