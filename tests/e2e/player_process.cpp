#include "tests/e2e/player_process.h"

#include "ui/main_window.h"

#include <atomic>
#include <thread>

std::string g_playerPath;
std::string g_atlWithoutExportPath;
std::string g_quizzpackPath;

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

namespace {

struct Search {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

// The visible top-level windows of the process of this class. Once
// answered, a message box hides at once, before it goes.
BOOL CALLBACK FindShown(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && lstrcmpA(className, search->className) == 0 &&
        IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

// Presses OK in every message box shown, recording each.
void Answer(const std::vector<HWND>& boxes, std::vector<ShownMessage>& shown)
{
    constexpr int MESSAGE_BOX_TEXT_ID = 0xFFFF;
    for (HWND box : boxes) {
        shown.push_back({WindowText(box), WindowText(GetDlgItem(box, MESSAGE_BOX_TEXT_ID))});
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

} // namespace

PlayerProcess::PlayerProcess(const std::vector<ResourceEntry>& resources,
                             const std::string& program)
    : path_(program), ownsCopy_(true)
{
    if (WriteModuleCopy(g_playerPath, path_, resources))
        Start();
}

PlayerProcess::PlayerProcess(const std::string& program) : path_(program)
{
    Start();
}

void PlayerProcess::Start()
{
    const std::string directory = path_.substr(0, path_.find_last_of("\\/") + 1);
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

std::vector<HWND> PlayerProcess::ShownWindows(const char* className) const
{
    Search search = {process_.dwProcessId, className, {}};
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND PlayerProcess::WaitForMainWindow(DWORD timeoutMs, std::vector<ShownMessage>* shown) const
{
    // Shown only once start-up has built the panel and its boxes.
    for (const DWORD start = GetTickCount(); process_.hProcess; Sleep(50)) {
        if (shown)
            Answer(ShownWindows("#32770"), *shown);
        const std::vector<HWND> main = ShownWindows(MAIN_WINDOW_CLASS);
        if (!main.empty())
            return main[0];
        if (GetTickCount() - start > timeoutMs || WaitForExit(0) != STILL_ACTIVE)
            break;
    }
    return nullptr;
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
    for (; !done; Sleep(20))
        Answer(ShownWindows("#32770"), shown);
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
