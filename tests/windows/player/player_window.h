// A main window with its question panel, built in this process as start-up
// builds them, for the tests of the player's windows.
#pragma once

#include "tests/support/resource_module.h"

#include <windows.h>

#include <memory>
#include <string>

void PumpMessages();

// Handles the panel's messages until every picture loading in the background
// is in place.
void WaitForPictures();
bool Exists(const char* path);

// A control's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND control);

// The panel's answer box n and its verdict; Answer types text into box n
// and leaves it, as a user does.
HWND Box(int n);
std::string Verdict(int n);
void Answer(int n, const char* text);

struct PlayerWindow {
    std::unique_ptr<QuizRecord> quiz;
    HWND main = nullptr;

    // Built with its pictures all in place. Shown only when a test needs it painted: under Wine
    // without a window manager, destroying a shown window waits two seconds for the X server.
    explicit PlayerWindow(std::unique_ptr<QuizRecord> record, bool shown = false);
    ~PlayerWindow();
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;

    std::string Score() const;
};

// A new empty directory made current for the life of the object, where the
// player writes its answers and media files.
struct InNewDirectory {
    char previous[MAX_PATH] = {};
    std::string path;
    InNewDirectory();
    ~InNewDirectory();
};
