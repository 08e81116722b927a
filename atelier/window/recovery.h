// The window half of the recovery copy (recovery_copy.h): the timer that
// writes it a few seconds after each change, its folder among the teacher's
// local application data, whether the atelier that wrote a copy still runs,
// and the offer of what a crash left, at start: a copy recovered replaces
// the document, which the window is told to show (pane_messages.h).
#pragma once

#include <windows.h>

#include <string>

constexpr UINT_PTR RECOVERY_TIMER = 2;
constexpr UINT RECOVERY_DELAY_MS = 3000; // after the last change

// "%LOCALAPPDATA%\Quizz\Récupération", UTF-8.
std::string RecoveryFolder();

// A change: the copy follows once the teacher pauses.
void ScheduleRecoveryCopy();

// The copy written while the document holds unsaved changes, removed once
// it holds none; false when it could not be written.
bool UpdateRecoveryCopy();

// At start: each copy of an atelier that is gone is offered, Récupérer or
// Ignorer, until one is recovered; the others wait for the next start.
void OfferRecoveryCopies();

// A normal close: this atelier's copy goes, and those the teacher ignored.
void EndRecovery();
