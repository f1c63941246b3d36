// The world map's music and step sound: a 10-second looping buffer of music
// streamed from "MainMap.mus" half by half, and a short looping step sound
// from "MainMap.sfx" that plays while the marker walks. Without a sound
// device or with a file missing or too short the program runs silent (one
// line on standard error says why).
#pragma once
#include <cstdio>

#include "platform/DSound.h"

constexpr const char* MUSIC_FILE_NAME = "MainMap.mus";
constexpr const char* STEP_FILE_NAME = "MainMap.sfx";
// The music: 44100 Hz stereo; on reaching the end of the file it goes on
// from this byte.
constexpr long MUSIC_LOOP_POINT = 3994512;
constexpr DWORD MUSIC_BUFFER_BYTES = 1764000;
constexpr DWORD MUSIC_HALF_BYTES = MUSIC_BUFFER_BYTES / 2;
// The steps: 18500 Hz mono, the file's first bytes.
constexpr DWORD STEP_SOUND_BYTES = 15406;
constexpr LONG STEP_SOUND_VOLUME = -600;

extern LPDIRECTSOUND direct_sound;
extern LPDIRECTSOUNDBUFFER music_buffer;  // null without music
extern LPDIRECTSOUNDBUFFER step_buffer;   // null without the step sound

void Init_Sound();
// Releases the buffers and the device and closes the music file.
void Release_Sound();

// The music thread: the first refill, then a poll every 500 ms until the
// exit flag is set.
void Music_Stream_Thread();
void Music_Stream_Start();
// One poll: when the play position has moved into the other half, the half
// it left is refilled.
void Music_Poll();
// Fills bytes at offset of the music buffer with the next music from the
// file, going on from the loop point as often as the end is reached.
void Refill_Music(DWORD offset, DWORD bytes);

void Start_Step_Sound();
void Stop_Step_Sound();
void Set_Sound_Volumes(LONG music, LONG steps);
