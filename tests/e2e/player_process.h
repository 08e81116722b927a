// Starts a packed player as its own process and finds its main window, as a
// user's Windows would run it.
#pragma once

#include "quiz/quiz_record.h"

#include <windows.h>

#include <string>

// From the test program's command line: the player under test, and an
// "atl.dll" that lacks the export films need.
extern std::string g_playerPath;
extern std::string g_atlWithoutExportPath;

// A path as Windows programs take it: a Linux path is Wine's Z: drive.
std::string WindowsPath(const std::string& path);

// Where the packed players are written, ending in a backslash.
std::string TemporaryDirectory();

class PlayerProcess {
public:
    // Packs quiz into a copy of the player named name, in the temporary
    // directory, and starts it there.
    PlayerProcess(const QuizRecord& quiz, const char* name);
    ~PlayerProcess();
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    // The main window of the process once it is shown, waiting up to
    // timeoutMs for it.
    HWND WaitForMainWindow(DWORD timeoutMs) const;

    // The exit code, waiting up to timeoutMs; STILL_ACTIVE if it runs on.
    DWORD WaitForExit(DWORD timeoutMs) const;

    // The answers file it keeps in its current directory.
    std::string AnswersPath() const;

private:
    std::string path_;
    PROCESS_INFORMATION process_ = {};
};
