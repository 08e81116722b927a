#include "tests/robot/player_process.h"

#include "player/main_window.h"

#include <algorithm>
#include <atomic>
#include <thread>

std::string g_playerPath;
std::string g_atlWithoutExportPath;
std::string g_quizzpackPath;

std::string WindowsPath(std::string path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

std::string AnswersPath(const std::string& program)
{
    return program.substr(0, program.size() - 3) + "txt";
}

namespace {

// The visible top-level windows of the process of this class. Once
// answered, a message box hides at once, before it goes.
std::vector<HWND> ShownWindows(DWORD processId, const char* className)
{
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            found.push_back(window);
    }
    return found;
}

// Presses OK in every message box the process shows, recording each.
void AnswerBoxes(DWORD processId, std::vector<RecordedMessage>& shown)
{
    constexpr int MESSAGE_BOX_TEXT_ID = 0xFFFF;
    for (HWND box : ShownWindows(processId, "#32770")) {
        // A box just shown may not hold its texts yet: read at the next look.
        const std::string text = WindowText(GetDlgItem(box, MESSAGE_BOX_TEXT_ID));
        if (text.empty())
            continue;
        shown.push_back({text, WindowText(box)});
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

} // namespace

PlayerProcess::PlayerProcess(const std::string& program,
                             const std::vector<ResourceEntry>& resources,
                             const std::string& argument)
    : path_(program), ownsCopy_(!resources.empty())
{
    if (ownsCopy_ && !WriteModuleCopy(g_playerPath, path_, resources))
        return;
    const std::string directory = path_.substr(0, path_.find_last_of("\\/") + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine =
        "\"" + path_ + "\"" + (argument.empty() ? "" : " \"" + argument + "\"");
    CreateProcessA(path_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   directory.empty() ? nullptr : directory.c_str(), &startup, &process_);
}

PlayerProcess::~PlayerProcess()
{
    if (process_.hProcess) {
        TerminateProcess(process_.hProcess, 99); // fails once it has exited
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    if (ownsCopy_)
        DeleteFileA(path_.c_str());
}

HWND PlayerProcess::WaitForMainWindow(DWORD timeoutMs, std::vector<RecordedMessage>* shown) const
{
    // Shown only once start-up has built the panel and its boxes.
    return WaitForWindow(MAIN_WINDOW_CLASS, timeoutMs, shown);
}

HWND PlayerProcess::WaitForWindow(const char* className, DWORD timeoutMs,
                                  std::vector<RecordedMessage>* shown) const
{
    for (const DWORD start = GetTickCount(); process_.hProcess; Sleep(50)) {
        if (shown)
            AnswerBoxes(process_.dwProcessId, *shown);
        const std::vector<HWND> main = ShownWindows(process_.dwProcessId, className);
        if (!main.empty())
            return main[0];
        if (GetTickCount() - start > timeoutMs || WaitForExit(0) != STILL_ACTIVE)
            break;
    }
    return nullptr;
}

bool PlayerProcess::SendAnswering(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  DWORD timeoutMs, std::vector<RecordedMessage>& shown) const
{
    // A box shown while the message is handled keeps the send from
    // returning, so the send waits on a thread of its own.
    std::atomic<bool> done(false);
    bool handled = false;
    std::thread sender([&] {
        DWORD_PTR result = 0;
        handled = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs,
                                      &result) != 0;
        done = true;
    });
    for (; !done; Sleep(20))
        AnswerBoxes(process_.dwProcessId, shown);
    sender.join();
    return handled;
}

DWORD PlayerProcess::WaitForExit(DWORD timeoutMs) const
{
    DWORD code = 0;
    WaitForSingleObject(process_.hProcess, timeoutMs);
    return GetExitCodeProcess(process_.hProcess, &code) ? code : STILL_ACTIVE;
}
