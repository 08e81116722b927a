// Sounds and films of the audio and video layouts, played through the
// system's players from files written out of the program's resources.
#pragma once

#include <windows.h>

// The play and stop buttons of question i.
void PlayQuestionMedia(HWND panel, int question);
void StopQuestionMedia(HWND panel, int question);
