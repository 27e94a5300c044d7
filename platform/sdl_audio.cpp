// The SDL_mixer backend and the silent backend.
#include "platform/sdl_audio.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>

#include "platform/sound_output.h"
#include "runtime/platform_entry.h"

namespace kelvo {
namespace {

constexpr int kFrequency = 22050;
constexpr int kChannels = 256;
constexpr int kBufferFrames = 1024;
constexpr uint32_t kDeviceFrameBytes = 4;  // 16-bit stereo

void close_audio_at_exit() {
  mixer_library()->CloseAudio();
}

std::string file_head(const std::string& path, size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::string head(count, '\0');
  in.read(head.data(), static_cast<std::streamsize>(count));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

// SDL's converter keeps at most nine filters (the chain has ten places, the last for its end).
constexpr int kMostFilters = 9;
// Past any rate an int can hold; SDL's own count would wrap and never end beyond it.
constexpr int kRateFilterBound = 20;

}  // namespace

namespace {

// The decoder Mix_LoadWAV_RW picks by the file's first four bytes; null for any other file, and
// for the mixer's own formats when SDL_mixer cannot be loaded. WAV is SDL's: a run whose sounds
// are all WAV never loads the mixer without an audio device.
MixerChunkDecoder decoder_for(const std::string& head) {
  const std::string magic = head.substr(0, 4);
  if (magic == "RIFF" || magic == "WAVE") return SDL_LoadWAV_RW;
  const MixerLibrary* mix = magic == "FORM" || magic == "OggS" || magic == "fLaC" || magic == "Crea"
                                ? mixer_library()
                                : nullptr;
  if (!mix) return nullptr;
  if (magic == "FORM") return mix->LoadAIFF_RW;
  if (magic == "OggS") return mix->LoadOGG_RW;
  if (magic == "fLaC") return mix->LoadFLAC_RW;
  return mix->LoadVOC_RW;
}

// The doublings or halvings of the rate, as SDL_BuildAudioCVT counts them in 32-bit arithmetic.
// What is left of an uneven ratio is not converted at all: SDL 1.2 leaves the slow step out.
int rate_filters(int rate, int deviceRate) {
  if (rate / 100 == deviceRate / 100) return 0;
  const bool down = rate > deviceRate;
  const auto hi = static_cast<uint32_t>(down ? rate : deviceRate);
  auto lo = static_cast<uint32_t>(down ? deviceRate : rate);
  int filters = 0;
  for (; (lo * 2) / 100 <= hi / 100 && filters < kRateFilterBound; lo *= 2) ++filters;
  return filters;
}

}  // namespace

std::optional<int> conversion_filters(uint16_t format, int channels, int rate,
                                      const MixerFormat& device) {
  if (channels <= 0 || rate <= 0) return std::nullopt;
  int filters = 0;
  if ((format & 0x1000) != (device.format & 0x1000) && (format & 0xFF) != 8) ++filters;  // endian
  if ((format & 0x8000) != (device.format & 0x8000)) ++filters;                          // sign
  if ((format & 0xFF) != (device.format & 0xFF)) ++filters;                              // size
  if (channels != device.channels) {
    for (; channels * 2 <= device.channels; channels *= 2) ++filters;  // mono to stereo
    if (channels == 6 && device.channels <= 2) {
      ++filters;
      channels = 2;
    }
    for (; channels % 2 == 0 && channels / 2 >= device.channels; channels /= 2) ++filters;
  }
  if (rate / 100 != device.rate / 100 && channels != 1 && channels != 2 && channels != 4 &&
      channels != 6) {
    return std::nullopt;  // SDL changes the rate of these channel counts only
  }
  return filters + rate_filters(rate, device.rate);
}

std::optional<uint32_t> decodable_sound_length(const std::string& path, const MixerFormat& device) {
  const MixerChunkDecoder decode = decoder_for(file_head(path, 4));
  if (!decode) return std::nullopt;
  SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
  if (!rw) return std::nullopt;
  SDL_AudioSpec spec;
  std::memset(&spec, 0, sizeof spec);
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (!decode(rw, 1, &spec, &data, &length)) return std::nullopt;
  SDL_free(data);
  const auto filters = conversion_filters(spec.format, spec.channels, spec.freq, device);
  if (!filters || *filters > kMostFilters) return std::nullopt;
  const uint32_t frameBytes = ((spec.format & 0xFF) / 8u) * spec.channels;
  const uint64_t frames = uint64_t{frameBytes ? length / frameBytes : 0} * kFrequency /
                          static_cast<uint32_t>(spec.freq);
  return static_cast<uint32_t>(frames * kDeviceFrameBytes);
}

SdlAudio::~SdlAudio() {
  if (open_) {
    mix_->HaltChannel(-1);
    mix_->HaltMusic();
  }
  free_music();
  for (Mix_Chunk* chunk : chunks_) mix_->FreeChunk(chunk);
  if (open_) mix_->CloseAudio();
  if (startedSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// SDL may have started without audio (no output device); the subsystem starts here then, and a
// failure now is the one the player hears about.
bool SdlAudio::open_device() {
  const MixerLibrary* mix = mixer_library();
  if (!mix) return fail(mixer_load_error().c_str());
  if (!SDL_WasInit(SDL_INIT_AUDIO)) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return fail(SDL_GetError());
    startedSubsystem_ = true;
  }
  if (mix->OpenAudio(kFrequency, AUDIO_S16LSB, 2, kBufferFrames) < 0) return fail(Mix_GetError());
  mix_ = mix;
  open_ = true;
  int channels = 0;
  mix_->QuerySpec(&device_.rate, &device_.format, &channels);
  device_.channels = channels;
  mix_->AllocateChannels(kChannels);
  install_output_mute();
  static std::once_flag registered;
  std::call_once(registered, [] { std::atexit(close_audio_at_exit); });
  return true;
}

bool SdlAudio::fail(const char* reason) {
  std::fprintf(stderr,
               "kelvo: cannot open the audio device: %s\n"
               "kelvo: run with --mute to play without sound\n",
               reason);
  exit_(kAudioDeviceExitStatus);
  return false;
}

// The file must pass the decision the silent backend takes, and convert to the device as opened.
std::optional<LoadedChunk> SdlAudio::load_chunk(const std::string& path) {
  if (!decodable_sound_length(path)) return std::nullopt;
  if (device_ != MixerFormat{} && !decodable_sound_length(path, device_)) return std::nullopt;
  SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
  if (!rw) return std::nullopt;
  Mix_Chunk* chunk = mix_ ? mix_->LoadWAV_RW(rw, 1) : nullptr;
  if (!chunk) return std::nullopt;
  chunks_.push_back(chunk);
  return LoadedChunk{static_cast<int>(chunks_.size() - 1), chunk->alen};
}

bool SdlAudio::play_channel(int channel, int chunk, int loops, int limitMs) {
  return mix_->PlayChannelTimed(channel, chunks_[static_cast<size_t>(chunk)], loops, limitMs) >= 0;
}

bool SdlAudio::load_music(const std::string& path) {
  free_music();
  music_ = mix_ ? mix_->LoadMUS(path.c_str()) : nullptr;
  return music_ != nullptr;
}

bool SdlAudio::music_is_mp3() {
  if (!music_) return false;
  const Mix_MusicType type = mix_->GetMusicType(music_);
  return type == MUS_MP3 || type == MUS_MP3_MAD;
}

void SdlAudio::free_music() {
  if (music_) mix_->FreeMusic(music_);
  music_ = nullptr;
}

std::optional<LoadedChunk> SilentAudio::load_chunk(const std::string& path) {
  const auto bytes = decodable_sound_length(path);
  if (!bytes) return std::nullopt;
  return LoadedChunk{chunks_++, *bytes};
}

// Streams decode while they play, so a silent run can only check that the file is there.
bool SilentAudio::load_music(const std::string& path) {
  const std::string head = file_head(path, 3);
  if (head.empty()) return false;
  musicIsMp3_ = head == "ID3" || (head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0xFF &&
                                  (static_cast<unsigned char>(head[1]) & 0xE0) == 0xE0);
  return true;
}

std::unique_ptr<AudioBackend> make_mixer_audio(std::function<void(int)> exit) {
  return std::make_unique<SdlAudio>(std::move(exit));
}

}  // namespace kelvo
