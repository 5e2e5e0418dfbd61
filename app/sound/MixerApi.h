#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

namespace zt::sound {

// The part of SDL2 and SDL2_mixer the game uses, as a table of entry points.
// On Linux the libraries are opened only when the first sound is needed: they
// pull in some seventy shared libraries (FluidSynth, PulseAudio, codecs), which
// would otherwise cost every start-up time and memory even with the sound off.
struct MixerApi {
  decltype(&SDL_SetHint) SetHint;
  decltype(&SDL_InitSubSystem) InitSubSystem;
  decltype(&SDL_QuitSubSystem) QuitSubSystem;
  decltype(&SDL_GetError) GetError;
  decltype(&SDL_RWFromConstMem) RWFromConstMem;
  decltype(&SDL_TLSCleanup) TLSCleanup;
  decltype(&Mix_Init) Init;
  decltype(&Mix_Quit) Quit;
  decltype(&Mix_OpenAudio) OpenAudio;
  decltype(&Mix_CloseAudio) CloseAudio;
  decltype(&Mix_QuerySpec) QuerySpec;
  decltype(&Mix_AllocateChannels) AllocateChannels;
  decltype(&Mix_Volume) Volume;
  decltype(&Mix_LoadWAV_RW) LoadWAV_RW;
  decltype(&Mix_FreeChunk) FreeChunk;
  decltype(&Mix_PlayChannelTimed) PlayChannelTimed;
  decltype(&Mix_HaltChannel) HaltChannel;
  decltype(&Mix_SetPostMix) SetPostMix;
  decltype(&Mix_SetSoundFonts) SetSoundFonts;
  decltype(&Mix_LoadMUSType_RW) LoadMUSType_RW;
  decltype(&Mix_FreeMusic) FreeMusic;
  decltype(&Mix_PlayMusic) PlayMusic;
  decltype(&Mix_HaltMusic) HaltMusic;
  decltype(&Mix_PauseMusic) PauseMusic;
  decltype(&Mix_ResumeMusic) ResumeMusic;
  decltype(&Mix_PlayingMusic) PlayingMusic;
  decltype(&Mix_VolumeMusic) VolumeMusic;
};

// The table, loaded on the first call; nullptr (with the reason in error) if
// the libraries are missing. Later calls return the same answer.
const MixerApi* LoadMixerApi(std::string& error);

}  // namespace zt::sound
