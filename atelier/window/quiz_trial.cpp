#include "atelier/window/quiz_trial.h"

#include "authoring/packing/file_set.h"
#include "authoring/packing/quiz_build.h"
#include "authoring/packing/windows_platform.h"

#include <windows.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

int g_trials = 0;

fs::path TrialFolder()
{
    wchar_t temporary[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temporary);
    return fs::path(temporary) / (L"Atelier Quizz " + std::to_wstring(GetCurrentProcessId()));
}

} // namespace

bool StartTrial(const std::vector<QuizResource>& resources, const PackerPlatform& platform,
                std::string& error)
{
    const fs::path folder = TrialFolder();
    std::error_code failure;
    fs::create_directories(folder, failure);
    const fs::path program = folder / (L"essai-" + std::to_wstring(++g_trials) + L".exe");
    if (!platform.writePlayer(DefaultPlayer(platform.toolDirectory), program.u8string(), resources,
                              error))
        return false;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        error = u8"le lecteur ne démarre pas (erreur " + std::to_string(GetLastError()) + ")";
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool WriteTrialPage(const std::string& page, std::string& path, std::string& error)
{
    const fs::path folder = TrialFolder();
    std::error_code failure;
    fs::create_directories(folder, failure);
    path = (folder / (L"essai-" + std::to_wstring(++g_trials) + L".html")).u8string();
    return ReplaceWholeFile(path, {page.begin(), page.end()}, error);
}

void RemoveTrials()
{
    std::error_code ignored;
    const fs::path folder = TrialFolder();
    // A player still open keeps its program: the rest goes.
    for (fs::directory_iterator entry(folder, ignored), end; !ignored && entry != end;
         entry.increment(ignored))
        fs::remove(entry->path(), ignored);
    fs::remove(folder, ignored);
}
