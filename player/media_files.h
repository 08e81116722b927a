// The files that sounds and films are written to, in the current directory,
// so that the system's players can open them.
#pragma once

constexpr const char* SOUND_FILE = "quizz.mp3";
constexpr const char* FILM_FILE_FORMAT = "quizz%d.avi"; // with the question number

// Removes every film file a quiz may have written (questions 1 to 90);
// names that do not exist are passed over.
void DeleteFilmFiles();
