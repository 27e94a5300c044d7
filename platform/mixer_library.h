// SDL_mixer, loaded the first time a sound needs it rather than when the program starts: the
// libraries it brings (FluidSynth, SDL2, GLib, PulseAudio, JACK, OpenAL and more, a third of the
// program's) cost about 10 ms of every start-up, and headless and muted runs of WAV sounds never
// call it.
#pragma once

#include <SDL_mixer.h>

#include <string>

namespace kelvo {

// The mixer's chunk decoders, exported by SDL_mixer though its header does not declare them.
using MixerChunkDecoder = SDL_AudioSpec* (*)(SDL_RWops*, int, SDL_AudioSpec*, Uint8**, Uint32*);

// The SDL_mixer functions the program calls, named as in SDL_mixer without the Mix_ prefix.
struct MixerLibrary {
  decltype(&Mix_OpenAudio) OpenAudio;
  decltype(&Mix_CloseAudio) CloseAudio;
  decltype(&Mix_QuerySpec) QuerySpec;
  decltype(&Mix_AllocateChannels) AllocateChannels;
  decltype(&Mix_SetPostMix) SetPostMix;
  decltype(&Mix_LoadWAV_RW) LoadWAV_RW;
  decltype(&Mix_FreeChunk) FreeChunk;
  decltype(&Mix_PlayChannelTimed) PlayChannelTimed;
  decltype(&Mix_HaltChannel) HaltChannel;
  decltype(&Mix_Resume) Resume;
  decltype(&Mix_Volume) Volume;
  decltype(&Mix_LoadMUS) LoadMUS;
  decltype(&Mix_FreeMusic) FreeMusic;
  decltype(&Mix_GetMusicType) GetMusicType;
  decltype(&Mix_PlayMusic) PlayMusic;
  decltype(&Mix_HaltMusic) HaltMusic;
  decltype(&Mix_ResumeMusic) ResumeMusic;
  decltype(&Mix_VolumeMusic) VolumeMusic;
  MixerChunkDecoder LoadAIFF_RW;
  MixerChunkDecoder LoadOGG_RW;
  MixerChunkDecoder LoadFLAC_RW;
  MixerChunkDecoder LoadVOC_RW;
};

// The library, loaded on the first call from any thread and kept until the process ends; null
// when it cannot be loaded or lacks a function, and mixer_load_error() then says why.
const MixerLibrary* mixer_library();
std::string mixer_load_error();

}  // namespace kelvo
