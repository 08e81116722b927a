#include "atelier/window/recovery.h"

#include "atelier/document/recovery_copy.h"
#include "atelier/window/atelier_state.h"
#include "atelier/window/dialogs.h"
#include "atelier/window/pane_messages.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/windows_platform.h"
#include "authoring/source/problem.h"
#include "win32/wide_text.h"

#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

// Copies the teacher chose to ignore: kept until this atelier closes
// normally, so that a second crash before then still finds them.
std::vector<std::string> g_ignored;

unsigned long long ProcessStart(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return static_cast<unsigned long long>(created.dwHighDateTime) << 32 | created.dwLowDateTime;
}

// The same id and the same start: not a later process given a freed id.
bool IsRunning(unsigned long processId, unsigned long long processStart)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return false;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE &&
                         ProcessStart(process) == processStart;
    CloseHandle(process);
    return running;
}

std::string OwnCopy()
{
    return (std::filesystem::u8path(RecoveryFolder()) /
            RecoveryCopyName(GetCurrentProcessId(), ProcessStart(GetCurrentProcess())))
        .u8string();
}

std::string Now()
{
    SYSTEMTIME time;
    GetLocalTime(&time);
    char text[32];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay,
             time.wHour, time.wMinute, time.wSecond);
    return text;
}

void RemoveFile(const std::string& path)
{
    DeleteFileW(Widen(path).c_str());
}

std::wstring Offer(const RecoveryCopy& copy)
{
    const std::string title = copy.title.empty() ? "sans titre" : Quoted(copy.title);
    const std::string name =
        copy.path.empty() ? u8"jamais enregistré" : u8"fichier " + Quoted(FileName(copy.path));
    return L"L'atelier s'est arrêté avant que le quiz " + Widen(title) + L" (" + Widen(name) +
           L") soit enregistré. Votre travail a été gardé " + Widen(FrenchMoment(copy.savedAt)) +
           L".\n\nRécupérer l'ouvre tel qu'il était, à enregistrer ensuite. Ignorer le laisse "
           L"de côté : il sera effacé quand vous fermerez l'atelier.";
}

} // namespace

std::string RecoveryFolder()
{
    wchar_t base[MAX_PATH] = {};
    if (FAILED(
            SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, base)))
        GetTempPathW(MAX_PATH, base);
    return (std::filesystem::path(base) / L"Quizz" / L"Récupération").u8string();
}

void ScheduleRecoveryCopy()
{
    SetTimer(g_mainWindow, RECOVERY_TIMER, RECOVERY_DELAY_MS, nullptr);
}

bool UpdateRecoveryCopy()
{
    KillTimer(g_mainWindow, RECOVERY_TIMER);
    if (!IsModified(g_document)) {
        RemoveFile(OwnCopy());
        return true;
    }
    std::string error;
    if (WriteRecoveryCopy(RecoveryFolder(),
                          CopyOfDocument(g_document, GetCurrentProcessId(),
                                         ProcessStart(GetCurrentProcess()), Now()),
                          error))
        return true;
    // The work is still in the window: the status bar tells, the next change tries again.
    SetStatus(L"La copie de récupération n'a pas pu être écrite (" + Widen(error) +
              L") : enregistrez le quiz pour ne rien perdre.");
    return false;
}

void OfferRecoveryCopies()
{
    for (const RecoveryCopy& copy : FindRecoveryCopies(RecoveryFolder(), IsRunning)) {
        if (AskToRecover(g_mainWindow, Offer(copy)) == RecoveryChoice::Ignore) {
            g_ignored.push_back(copy.file);
            continue;
        }
        std::vector<unsigned char> bytes;
        std::string reason;
        if (!copy.path.empty())
            ReadWholeFile(copy.path, bytes, reason); // gone or unreadable: nothing to keep
        QuizDocument document;
        if (!RecoveredDocument(copy, std::string(bytes.begin(), bytes.end()), document)) {
            Tell(g_mainWindow,
                 L"Cette copie de récupération ne contient pas de quiz lisible : elle est "
                 L"laissée de côté.",
                 MB_ICONWARNING);
            g_ignored.push_back(copy.file);
            continue;
        }
        g_document = std::move(document);
        SendMessageW(g_mainWindow, WM_DOCUMENT_REPLACED, 0, 0);
        // Its work now in this atelier's own copy, the old one can go.
        if (UpdateRecoveryCopy())
            RemoveFile(copy.file);
        SetStatus(L"Quiz récupéré : enregistrez-le (Ctrl+S) pour le garder.");
        return;
    }
}

void EndRecovery()
{
    KillTimer(g_mainWindow, RECOVERY_TIMER);
    RemoveFile(OwnCopy());
    for (const std::string& file : g_ignored)
        RemoveFile(file);
    g_ignored.clear();
}
