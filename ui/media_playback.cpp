#include "ui/media_playback.h"

void PlayQuestionMedia(HWND, int) {}

void StopQuestionMedia(HWND, int) {}
