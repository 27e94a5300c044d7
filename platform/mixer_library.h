// SDL_mixer, loaded the first time a sound needs it rather than when the program starts: the
// libraries it brings (FluidSynth, SDL2, GLib, PulseAudio, JACK, OpenAL and more, a third of the
// program's) cost about 10 ms of every start-up, and headless and muted runs of WAV sounds never
// call it.
#pragma once

#include <SDL_mixer.h>

#include <string>

// The mixer's chunk decoders, exported by SDL_mixer though its header does not declare them.
extern "C" {
SDL_AudioSpec* Mix_LoadAIFF_RW(SDL_RWops*, int, SDL_AudioSpec*, Uint8**, Uint32*);
SDL_AudioSpec* Mix_LoadOGG_RW(SDL_RWops*, int, SDL_AudioSpec*, Uint8**, Uint32*);
SDL_AudioSpec* Mix_LoadFLAC_RW(SDL_RWops*, int, SDL_AudioSpec*, Uint8**, Uint32*);
SDL_AudioSpec* Mix_LoadVOC_RW(SDL_RWops*, int, SDL_AudioSpec*, Uint8**, Uint32*);
}

namespace kelvo {

using MixerChunkDecoder = decltype(&Mix_LoadAIFF_RW);

// The SDL_mixer functions the program calls, named as in SDL_mixer without the Mix_ prefix: one
// list gives the members and what loads them.
// clang-format off
#define KELVO_MIXER_FUNCTIONS(F) \
  F(OpenAudio) \
  F(CloseAudio) \
  F(QuerySpec) \
  F(AllocateChannels) \
  F(SetPostMix) \
  F(LoadWAV_RW) \
  F(FreeChunk) \
  F(PlayChannelTimed) \
  F(HaltChannel) \
  F(Resume) \
  F(Volume) \
  F(LoadMUS) \
  F(FreeMusic) \
  F(GetMusicType) \
  F(PlayMusic) \
  F(HaltMusic) \
  F(ResumeMusic) \
  F(VolumeMusic) \
  F(LoadAIFF_RW) \
  F(LoadOGG_RW) \
  F(LoadFLAC_RW) \
  F(LoadVOC_RW)
// clang-format on

struct MixerLibrary {
#define KELVO_MIXER_MEMBER(name) decltype(&Mix_##name) name;
  KELVO_MIXER_FUNCTIONS(KELVO_MIXER_MEMBER)
#undef KELVO_MIXER_MEMBER
};

// The library, loaded on the first call from any thread and kept until the process ends; null
// when it cannot be loaded or lacks a function, and mixer_load_error() then says why.
const MixerLibrary* mixer_library();
std::string mixer_load_error();

}  // namespace kelvo
