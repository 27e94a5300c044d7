// Sound output through SDL_mixer, and the silent backend for --mute and headless runs.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/mixer_library.h"
#include "runtime/services/audio_backend.h"

namespace kelvo {

// The exit status when the audio device cannot be opened.
constexpr int kAudioDeviceExitStatus = 10001;

// The format the mixer converts every sound to: the device's.
struct MixerFormat {
  uint16_t format = AUDIO_S16LSB;
  int channels = 2;
  int rate = 22050;
  bool operator==(const MixerFormat&) const = default;
};

// The mixer's output: 22050 Hz, signed 16-bit little-endian stereo, 1024-frame buffers.
class SdlAudio final : public AudioBackend {
 public:
  // `exit` ends the process with the status it is given; tests pass one that records it.
  explicit SdlAudio(std::function<void(int)> exit) : exit_(std::move(exit)) {}
  ~SdlAudio() override;
  SdlAudio(const SdlAudio&) = delete;
  SdlAudio& operator=(const SdlAudio&) = delete;

  bool open_device() override;
  std::optional<LoadedChunk> load_chunk(const std::string& path) override;
  bool play_channel(int channel, int chunk, int loops, int limitMs) override;
  // Before the device is open there is nothing to stop, resume or turn down.
  void halt_channel(int channel) override {
    if (mix_) mix_->HaltChannel(channel);
  }
  void resume_channel(int channel) override {
    if (mix_) mix_->Resume(channel);
  }
  void set_channel_volume(int channel, int volume) override {
    if (mix_) mix_->Volume(channel, volume);
  }
  bool load_music(const std::string& path) override;
  bool music_is_mp3() override;
  void free_music() override;
  bool play_music(int loops) override { return music_ && mix_->PlayMusic(music_, loops) == 0; }
  void halt_music() override {
    if (mix_) mix_->HaltMusic();
  }
  void resume_music() override {
    if (mix_) mix_->ResumeMusic();
  }
  void set_music_volume(int volume) override {
    if (mix_) mix_->VolumeMusic(volume);
  }

 private:
  bool fail(const char* reason);

  std::function<void(int)> exit_;
  const MixerLibrary* mix_ = nullptr;  // once the device is open
  bool startedSubsystem_ = false;      // SDL_Init ran without audio; it was started here
  bool open_ = false;
  MixerFormat device_;  // as the device was opened
  std::vector<Mix_Chunk*> chunks_;
  Mix_Music* music_ = nullptr;
};

// Opens no device: sounds open when their files can be decoded, and play and stop in silence.
class SilentAudio final : public AudioBackend {
 public:
  bool open_device() override { return true; }
  std::optional<LoadedChunk> load_chunk(const std::string& path) override;
  bool play_channel(int, int, int, int) override { return true; }
  void halt_channel(int) override {}
  void resume_channel(int) override {}
  void set_channel_volume(int, int) override {}
  bool load_music(const std::string& path) override;
  bool music_is_mp3() override { return musicIsMp3_; }
  void free_music() override { musicIsMp3_ = false; }
  bool play_music(int) override { return true; }
  void halt_music() override {}
  void resume_music() override {}
  void set_music_volume(int) override {}

 private:
  int chunks_ = 0;
  bool musicIsMp3_ = false;
};

// The one decision both backends take for a sound file: decoded as the mixer decodes it (WAV,
// AIFF, Ogg Vorbis, FLAC or VOC, told apart by their first four bytes), its byte length once
// converted to `device`; nullopt when the file cannot be read or decoded, or when SDL's converter
// cannot bring it to `device` (it would refuse, or overrun its chain of filters and crash).
std::optional<uint32_t> decodable_sound_length(const std::string& path,
                                               const MixerFormat& device = {});

// The number of conversion filters SDL 1.2 chains to bring sound of this format to `device`;
// nullopt when it refuses the conversion or never ends building it (0 channels or 0 Hz).
std::optional<int> conversion_filters(uint16_t format, int channels, int rate,
                                      const MixerFormat& device = {});

}  // namespace kelvo
