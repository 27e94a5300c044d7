// The SDL_mixer backend and the silent backend.
#include "platform/sdl_audio.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>

namespace kelvo {
namespace {

constexpr int kFrequency = 22050;
constexpr int kChannels = 256;
constexpr int kBufferFrames = 1024;
constexpr uint32_t kDeviceFrameBytes = 4;  // 16-bit stereo

void close_audio_at_exit() {
  Mix_CloseAudio();
}

std::string file_head(const std::string& path, size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::string head(count, '\0');
  in.read(head.data(), static_cast<std::streamsize>(count));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

// The magic words by which SDL_mixer tells its in-memory formats apart (AIFF, Ogg, FLAC, VOC).
bool other_chunk_format(const std::string& head) {
  for (const char* magic : {"FORM", "OggS", "fLaC", "Crea"}) {
    if (head.compare(0, 4, magic) == 0) return true;
  }
  return false;
}

// Decodes the WAV file completely, as the mixer would, and scales its length to 22050 Hz stereo.
std::optional<uint32_t> wav_length(const std::string& path) {
  SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
  if (!rw) return std::nullopt;
  SDL_AudioSpec spec;
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(rw, 1, &spec, &data, &length)) return std::nullopt;
  SDL_FreeWAV(data);
  const uint32_t frameBytes = ((spec.format & 0xFF) / 8u) * spec.channels;
  if (frameBytes == 0 || spec.freq <= 0) return std::nullopt;
  const uint64_t frames =
      uint64_t{length / frameBytes} * kFrequency / static_cast<uint32_t>(spec.freq);
  return static_cast<uint32_t>(frames * kDeviceFrameBytes);
}

}  // namespace

std::optional<uint32_t> decodable_sound_length(const std::string& path) {
  const std::string head = file_head(path, 12);
  if (head.size() < 4) return std::nullopt;
  if (head.compare(0, 4, "RIFF") == 0 || head.compare(0, 4, "WAVE") == 0) return wav_length(path);
  if (other_chunk_format(head)) return 0u;
  return std::nullopt;
}

SdlAudio::~SdlAudio() {
  if (open_) {
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
  }
  free_music();
  for (Mix_Chunk* chunk : chunks_) Mix_FreeChunk(chunk);
  if (open_) Mix_CloseAudio();
  if (startedSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// SDL may have started without audio (no output device); the subsystem starts here then, and a
// failure now is the one the player hears about.
bool SdlAudio::open_device() {
  if (!SDL_WasInit(SDL_INIT_AUDIO)) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return fail(SDL_GetError());
    startedSubsystem_ = true;
  }
  if (Mix_OpenAudio(kFrequency, AUDIO_S16LSB, 2, kBufferFrames) < 0) return fail(Mix_GetError());
  open_ = true;
  Mix_AllocateChannels(kChannels);
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

std::optional<LoadedChunk> SdlAudio::load_chunk(const std::string& path) {
  SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
  if (!rw) return std::nullopt;
  Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1);
  if (!chunk) return std::nullopt;
  chunks_.push_back(chunk);
  return LoadedChunk{static_cast<int>(chunks_.size() - 1), chunk->alen};
}

bool SdlAudio::play_channel(int channel, int chunk, int loops, int limitMs) {
  return Mix_PlayChannelTimed(channel, chunks_[static_cast<size_t>(chunk)], loops, limitMs) >= 0;
}

bool SdlAudio::load_music(const std::string& path) {
  free_music();
  music_ = Mix_LoadMUS(path.c_str());
  return music_ != nullptr;
}

bool SdlAudio::music_is_mp3() {
  if (!music_) return false;
  const Mix_MusicType type = Mix_GetMusicType(music_);
  return type == MUS_MP3 || type == MUS_MP3_MAD;
}

void SdlAudio::free_music() {
  if (music_) Mix_FreeMusic(music_);
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

}  // namespace kelvo
