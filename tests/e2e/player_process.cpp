#include "tests/e2e/player_process.h"

#include "tests/windows/resource_module.h"
#include "ui/main_window.h"

#include <atomic>
#include <thread>

std::string g_playerPath;
std::string g_atlWithoutExportPath;

std::string WindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string windows = "Z:" + path;
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    return windows;
}

std::string WindowText(HWND window)
{
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string TemporaryDirectory()
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    return directory;
}

namespace {

// A visible top-level window of the process, of this class.
bool IsShownWindowOf(HWND window, DWORD processId, const char* wantedClass)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    return owner == processId && lstrcmpA(className, wantedClass) == 0 && IsWindowVisible(window);
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    // Shown only once start-up has built the panel and its boxes.
    if (IsShownWindowOf(window, search->processId, MAIN_WINDOW_CLASS)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The message boxes the process shows: dialogs of its own at the top level,
// visible (once answered, a box hides at once, before it goes).
struct BoxSearch {
    DWORD processId;
    std::vector<HWND> boxes;
};

BOOL CALLBACK FindMessageBoxes(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<BoxSearch*>(lParam);
    if (IsShownWindowOf(window, search->processId, "#32770"))
        search->boxes.push_back(window);
    return TRUE;
}

constexpr int MESSAGE_BOX_TEXT_ID = 0xFFFF;

} // namespace

PlayerProcess::PlayerProcess(const QuizRecord& quiz, const char* name)
    : PlayerProcess(QuizResources(quiz), name)
{
}

PlayerProcess::PlayerProcess(const std::vector<ResourceEntry>& resources, const char* name)
    : path_(TemporaryDirectory() + name), ownsCopy_(true)
{
    if (WriteModuleCopy(g_playerPath, path_, resources))
        Start(TemporaryDirectory());
}

PlayerProcess::PlayerProcess(const std::string& program) : path_(program)
{
    Start(path_.substr(0, path_.find_last_of("\\/") + 1));
}

void PlayerProcess::Start(const std::string& directory)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path_ + "\"";
    CreateProcessA(path_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                   directory.empty() ? nullptr : directory.c_str(), &startup, &process_);
}

PlayerProcess::~PlayerProcess()
{
    if (process_.hProcess) {
        if (WaitForExit(0) == STILL_ACTIVE)
            TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    if (ownsCopy_)
        DeleteFileA(path_.c_str());
}

HWND PlayerProcess::WaitForMainWindow(DWORD timeoutMs, std::vector<ShownMessage>* shown) const
{
    const DWORD start = GetTickCount();
    while (process_.hProcess) {
        if (shown)
            AnswerMessageBoxes(*shown);
        Search search = {process_.dwProcessId, nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount() - start > timeoutMs || WaitForExit(0) != STILL_ACTIVE)
            return search.found;
        Sleep(50);
    }
    return nullptr;
}

void PlayerProcess::AnswerMessageBoxes(std::vector<ShownMessage>& shown) const
{
    BoxSearch search = {process_.dwProcessId, {}};
    EnumWindows(FindMessageBoxes, reinterpret_cast<LPARAM>(&search));
    for (HWND box : search.boxes) {
        shown.push_back({WindowText(box), WindowText(GetDlgItem(box, MESSAGE_BOX_TEXT_ID))});
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

bool PlayerProcess::SendAnswering(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  DWORD timeoutMs, std::vector<ShownMessage>& shown) const
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
    while (!done) {
        AnswerMessageBoxes(shown);
        Sleep(20);
    }
    sender.join();
    return handled;
}

DWORD PlayerProcess::WaitForExit(DWORD timeoutMs) const
{
    DWORD code = STILL_ACTIVE;
    if (process_.hProcess) {
        WaitForSingleObject(process_.hProcess, timeoutMs);
        GetExitCodeProcess(process_.hProcess, &code);
    }
    return code;
}

std::string PlayerProcess::AnswersPath() const
{
    return path_.substr(0, path_.size() - 3) + "txt";
}
