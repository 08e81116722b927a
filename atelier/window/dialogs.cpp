#include "atelier/window/dialogs.h"

#include "atelier/window/atelier_state.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/file_filters.h"
#include "authoring/packing/windows_platform.h"
#include "quiz/quiz_record.h"
#include "win32/wide_text.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <filesystem>

namespace {

bool Several(FileChoice choice)
{
    return choice == FileChoice::Pictures || choice == FileChoice::Sounds ||
           choice == FileChoice::Films || choice == FileChoice::Work;
}

std::wstring ToWindows(const std::string& path)
{
    std::wstring wide = Widen(path);
    for (wchar_t& c : wide)
        if (c == L'/')
            c = L'\\';
    return wide;
}

// The names a multiple selection gives: the folder, then each name, each
// ending in \0; or one whole path.
std::vector<std::string> SelectedPaths(const wchar_t* buffer)
{
    const std::wstring first(buffer);
    const wchar_t* next = buffer + first.size() + 1;
    if (!*next)
        return {Narrow(first)};
    std::vector<std::string> paths;
    for (; *next; next += wcslen(next) + 1)
        paths.push_back((std::filesystem::path(first) / std::filesystem::path(next)).u8string());
    return paths;
}

// A file dialog of the choice, its name typed in buffer (which it lengthens
// for the names chosen), starting in the folder start.
OPENFILENAMEW FileDialog(HWND owner, FileChoice choice, std::wstring& buffer,
                         const std::wstring& start)
{
    const FileDialogKind& filter = FileDialogOf(choice);
    buffer.resize(32768, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.filter.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    dialog.lpstrTitle = filter.title;
    return dialog;
}

INT_PTR CALLBACK AskProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextW(dialog, IDC_ASK_TEXT, reinterpret_cast<LPCWSTR>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDYES || LOWORD(wParam) == IDNO || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK NewQuizProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CheckRadioButton(dialog, IDC_NEW_TEXT, IDC_NEW_FILM, IDC_NEW_TEXT);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            int layout = LAYOUT_TEXT;
            for (int id = IDC_NEW_TEXT; id <= IDC_NEW_FILM; ++id)
                if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
                    layout = id - IDC_NEW_TEXT;
            EndDialog(dialog, layout);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, -1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// The folder dialog opens on the folder given in data.
int CALLBACK StartFolderProc(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

} // namespace

SaveChoice AskToSaveChanges(HWND owner, const std::wstring& name)
{
    const std::wstring text = L"Enregistrer les modifications de « " + name + L" » ?";
    switch (DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_SAVE_CHANGES), owner, AskProc,
                            reinterpret_cast<LPARAM>(text.c_str()))) {
    case IDYES:
        return SaveChoice::Save;
    case IDNO:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

RecoveryChoice AskToRecover(HWND owner, const std::wstring& text)
{
    return DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_RECOVER), owner, AskProc,
                           reinterpret_cast<LPARAM>(text.c_str())) == IDYES
               ? RecoveryChoice::Recover
               : RecoveryChoice::Ignore;
}

CreatedChoice TellCreated(HWND owner, Created what, const std::wstring& text)
{
    const int dialog = what == Created::Page ? IDD_PAGE_CREATED : IDD_CREATED;
    switch (DialogBoxParamW(g_instance, MAKEINTRESOURCEW(dialog), owner, AskProc,
                            reinterpret_cast<LPARAM>(text.c_str()))) {
    case IDYES:
        return CreatedChoice::OpenFolder;
    case IDNO:
        return CreatedChoice::Try;
    default:
        return CreatedChoice::Close;
    }
}

void Tell(HWND owner, const std::wstring& text, UINT icon)
{
    MessageBoxW(owner, text.c_str(), ATELIER_NAME, MB_OK | icon);
}

bool OpenInShell(HWND owner, const std::string& file, const std::wstring& parameters)
{
    const std::wstring target = ToWindows(file);
    return reinterpret_cast<INT_PTR>(ShellExecuteW(
               owner, L"open", target.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
               nullptr, SW_SHOWNORMAL)) > 32;
}

bool AskYesNo(HWND owner, const std::wstring& text)
{
    return MessageBoxW(owner, text.c_str(), ATELIER_NAME, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int ChooseLayout(HWND owner)
{
    return static_cast<int>(
        DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_NEW_QUIZ), owner, NewQuizProc, 0));
}

bool ChooseFilesToOpen(HWND owner, FileChoice choice, const std::string& folder,
                       std::vector<std::string>& paths)
{
    std::wstring buffer;
    const std::wstring start = ToWindows(folder);
    OPENFILENAMEW dialog = FileDialog(owner, choice, buffer, start);
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | (Several(choice) ? OFN_ALLOWMULTISELECT : 0);
    if (!GetOpenFileNameW(&dialog))
        return false;
    paths = SelectedPaths(buffer.c_str());
    return !paths.empty();
}

bool ChooseFileToSave(HWND owner, FileChoice choice, const std::string& suggested,
                      std::string& path)
{
    const std::filesystem::path offered = std::filesystem::u8path(suggested);
    std::wstring buffer = ToWindows(offered.filename().u8string());
    const std::wstring start = ToWindows(offered.parent_path().u8string());
    OPENFILENAMEW dialog = FileDialog(owner, choice, buffer, start);
    dialog.lpstrDefExt = FileDialogOf(choice).extension;
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog))
        return false;
    buffer.resize(wcslen(buffer.c_str()));
    path = Narrow(buffer);
    return true;
}

bool ChooseFolder(HWND owner, const std::wstring& title, const std::string& start,
                  std::string& folder)
{
    const std::wstring first = ToWindows(start);
    BROWSEINFOW browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    browse.lpfn = StartFolderProc;
    browse.lParam = first.empty() ? 0 : reinterpret_cast<LPARAM>(first.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen)
        return false;
    wchar_t path[MAX_PATH] = {};
    const bool named = SHGetPathFromIDListW(chosen, path) != 0;
    CoTaskMemFree(chosen);
    if (named)
        folder = Narrow(path);
    return named;
}

bool ChooseColour(HWND owner, COLORREF& colour)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.rgbResult = colour;
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&dialog))
        return false;
    colour = dialog.rgbResult;
    return true;
}
