// Starts a packed player as its own process, as a user's Windows would run
// it, and drives its windows from outside.
#pragma once

#include "tests/support/message_box_recorder.h"
#include "tests/support/resource_module.h"

#include <windows.h>

#include <string>
#include <vector>

// From the test program's command line: the player under test, an
// "atl.dll" that lacks the export films need, and quizzpack.
extern std::string g_playerPath;
extern std::string g_atlWithoutExportPath;
extern std::string g_quizzpackPath;

// A path as Windows programs take it: a Linux path is Wine's Z: drive.
std::string WindowsPath(std::string path);

// The answers file a player keeps in the folder it starts in.
std::string AnswersPath(const std::string& program);

// A program of ours started as its own process: a packed player, or the
// atelier (whose window is of another class).
class PlayerProcess {
public:
    // Starts program in its folder, with argument on its command line when
    // there is one. With resources, first writes program as a copy of the
    // player with them added, damaged ones included, and removes it at the
    // end.
    explicit PlayerProcess(const std::string& program,
                           const std::vector<ResourceEntry>& resources = {},
                           const std::string& argument = "");
    ~PlayerProcess();
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    // The main window once it is shown, waiting up to timeoutMs. With shown,
    // the message boxes met meanwhile are answered and recorded there, as
    // the robot read them before pressing OK; without, they block the start.
    HWND WaitForMainWindow(DWORD timeoutMs, std::vector<RecordedMessage>* shown = nullptr) const;

    // The same, for a window of another class.
    HWND WaitForWindow(const char* className, DWORD timeoutMs,
                       std::vector<RecordedMessage>* shown = nullptr) const;

    // Sends a message to one of its windows, answering and recording the
    // message boxes that handling it shows; false when it was not handled
    // within timeoutMs (the player hangs, or has gone).
    bool SendAnswering(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                       std::vector<RecordedMessage>& shown) const;

    // The exit code, waiting up to timeoutMs; STILL_ACTIVE if it runs on.
    DWORD WaitForExit(DWORD timeoutMs) const;

    HANDLE Handle() const { return process_.hProcess; }
    DWORD Id() const { return process_.dwProcessId; }

private:
    std::string path_;
    bool ownsCopy_;
    PROCESS_INFORMATION process_ = {};
};
