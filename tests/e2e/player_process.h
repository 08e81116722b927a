// Starts a packed player as its own process, as a user's Windows would run
// it, and drives its windows from outside.
#pragma once

#include "tests/windows/resource_module.h"

#include <windows.h>

#include <string>
#include <vector>

// From the test program's command line: the player under test, an
// "atl.dll" that lacks the export films need, and quizzpack.
extern std::string g_playerPath;
extern std::string g_atlWithoutExportPath;
extern std::string g_quizzpackPath;

// A path as Windows programs take it: a Linux path is Wine's Z: drive.
std::string WindowsPath(const std::string& path);

// A message box of the player, as the robot read it before pressing OK.
struct ShownMessage {
    std::string caption;
    std::string text;
};

class PlayerProcess {
public:
    // Writes program as a copy of the player with the resources added,
    // damaged ones included, and starts it; removes it at the end.
    PlayerProcess(const std::vector<ResourceEntry>& resources, const std::string& program);
    // Starts a quiz that is already packed, and leaves the file where it is.
    explicit PlayerProcess(const std::string& program);
    ~PlayerProcess();
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    // The main window once it is shown, waiting up to timeoutMs. With shown,
    // the message boxes met meanwhile are answered and recorded there;
    // without, they block the start.
    HWND WaitForMainWindow(DWORD timeoutMs, std::vector<ShownMessage>* shown = nullptr) const;

    // Sends a message to one of its windows, answering and recording the
    // message boxes that handling it shows; false when it was not handled
    // within timeoutMs (the player hangs, or has gone).
    bool SendAnswering(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                       std::vector<ShownMessage>& shown) const;

    // The exit code, waiting up to timeoutMs; STILL_ACTIVE if it runs on.
    DWORD WaitForExit(DWORD timeoutMs) const;

    // The answers file it keeps in its current directory.
    std::string AnswersPath() const;

private:
    void Start(); // in the program's folder
    std::vector<HWND> ShownWindows(const char* className) const;

    std::string path_;
    bool ownsCopy_ = false;
    PROCESS_INFORMATION process_ = {};
};
