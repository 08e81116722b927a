// Sounds and films of the audio and video layouts, played by the system's
// players from files written out of the program's resources ("IMG" 400 + i)
// into the current directory: one "quizz.mp3" for the sound playing, and
// "quizz%d.avi" per film.
#pragma once

#include "quiz/quiz_record.h"

#include <windows.h>

#include <wmp.h>

constexpr int MEDIA_SOUND = 1;
constexpr int MEDIA_FILM = 2;

// The MCI window playing the sound, or none; the film players of each
// question, by question number - 1, filled as the panel is built.
extern HWND AudioWindow;
extern HWND VideoHosts[MAX_QUESTIONS];
extern IWMPPlayer* VideoPlayers[MAX_QUESTIONS];
extern IWMPControls* VideoControls[MAX_QUESTIONS];

// Writes the medium of resourceId to its file in the current folder; 1 when
// the file is complete. 0 when the resource is missing or unreadable, which
// is told, or when the file could not be written, which is told only with
// tellWriteFailure (Play tells it; start-up stays silent).
int ExtractMedia(HWND panel, int resourceId, int mediaType, bool tellWriteFailure);

// Makes question i's film player in its host, drawing no controls of its
// own, with the film's name as its URL. False, after telling the user, when
// no player can be made.
bool PrepareFilmPlayer(HWND panel, int question, HWND host);

// The play and stop buttons of question i. A sound stops the one before;
// Stop stops the sound, or every film.
void PlayQuestionMedia(HWND panel, int question);
void StopQuestionMedia(HWND panel, int question);

// At close: stops and closes the sound before its file is deleted.
void CloseSoundPlayer();

// At shutdown: stops, closes and releases every film player, so that their
// files can be deleted and COM can end.
void ReleaseFilmPlayers();
