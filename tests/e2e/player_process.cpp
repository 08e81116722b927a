#include "tests/e2e/player_process.h"

#include "tests/windows/resource_module.h"
#include "ui/main_window.h"

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

std::string TemporaryDirectory()
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    return directory;
}

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    // Shown only once start-up has built the panel and its boxes.
    if (owner == search->processId && lstrcmpA(className, MAIN_WINDOW_CLASS) == 0 &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

PlayerProcess::PlayerProcess(const QuizRecord& quiz, const char* name)
    : path_(TemporaryDirectory() + name)
{
    if (!WriteModuleCopy(g_playerPath, path_, QuizResources(quiz)))
        return;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path_ + "\"";
    CreateProcessA(path_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                   TemporaryDirectory().c_str(), &startup, &process_);
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
    DeleteFileA(path_.c_str());
}

HWND PlayerProcess::WaitForMainWindow(DWORD timeoutMs) const
{
    const DWORD start = GetTickCount();
    while (process_.hProcess) {
        Search search = {process_.dwProcessId, nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount() - start > timeoutMs || WaitForExit(0) != STILL_ACTIVE)
            return search.found;
        Sleep(50);
    }
    return nullptr;
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
