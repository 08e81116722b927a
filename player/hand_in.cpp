#include "player/hand_in.h"

#include "player/answer_grading.h"
#include "player/answers_file.h"
#include "player/app_globals.h"
#include "player/header_bar.h"
#include "player/panel_controls.h"
#include "player/pupil_name.h"
#include "player/question_picture.h"
#include "player/whole_file.h"
#include "quiz/message_box.h"
#include "quiz/pupil_results.h"
#include "resources/resource_ids.h"
#include "win32/wide_text.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

std::string FieldText(HWND dialog)
{
    HWND field = GetDlgItem(dialog, NAME_FIELD);
    std::wstring text(GetWindowTextLengthW(field) + 1, L'\0');
    text.resize(GetWindowTextW(field, &text[0], static_cast<int>(text.size())));
    return Narrow(text);
}

void FillField(HWND dialog, const std::string& name)
{
    SendDlgItemMessageW(dialog, NAME_FIELD, EM_LIMITTEXT, MAX_PUPIL_NAME, 0);
    SetDlgItemTextW(dialog, NAME_FIELD, Widen(name).c_str());
}

// The name in the dialog's field, cleaned; told and empty when it cannot be
// taken, the field given the focus to mend it.
std::string TakenName(HWND dialog)
{
    std::string name = CleanPupilName(FieldText(dialog));
    if (const char* problem = PupilNameProblem(name)) {
        ShowMessageBox(problem, "Quizz");
        SetFocus(GetDlgItem(dialog, NAME_FIELD));
        return {};
    }
    return name;
}

// A name that cannot be written is asked again at the next start: nothing
// to tell the pupil now.
void Remember(const std::string& name)
{
    g_pupilName = name;
    RememberPupilName(name);
}

INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        FillField(dialog, *reinterpret_cast<std::string*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            const std::string name = TakenName(dialog);
            if (!name.empty()) {
                *reinterpret_cast<std::string*>(GetWindowLongPtrW(dialog, DWLP_USER)) = name;
                EndDialog(dialog, IDOK);
            }
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// "Votre prénom et votre nom", prefilled with name; true and name the one
// typed when the pupil gives one.
bool AskPupilName(HWND owner, std::string& name)
{
    return DialogBoxParamW(g_instance, MAKEINTRESOURCEW(NAME_DIALOG), owner, NameDialogProc,
                           reinterpret_cast<LPARAM>(&name)) == IDOK;
}

std::string LocalDate()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[32];
    snprintf(date, sizeof date, "%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay,
             now.wHour, now.wMinute);
    return date;
}

// The panel's boxes as results of the pupil named name, dated now.
PupilResults CurrentResults(HWND panel, const std::string& name)
{
    return {QuizIdentity(g_workKey), name, LocalDate(), BoxTexts(panel)};
}

// The folder of the quiz's program, where the save dialog opens.
std::wstring ProgramFolder()
{
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\'));
}

bool ChooseResultsPath(HWND owner, const std::string& name, std::wstring& path)
{
    std::wstring buffer = Widen(ResultsFileName(g_quiz->title, name));
    buffer.resize(32768, L'\0');
    const std::wstring folder = ProgramFolder();
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"Fichiers texte (*.txt)\0*.txt\0";
    dialog.lpstrFile = &buffer[0];
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = L"Enregistrer votre travail";
    dialog.lpstrDefExt = L"txt";
    // The current directory stays: the answers file and the name live there.
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog))
        return false;
    // The dialog ends the path with a NUL inside the buffer.
    buffer.resize(wcslen(buffer.c_str()));
    path = buffer;
    return true;
}

// Why Windows refused to write, in words a pupil understands.
const char* WriteFailure(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return "ce dossier n'accepte pas de fichier, ou le fichier est protégé";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "le disque est plein";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NOT_READY:
        return "ce dossier n'existe pas, ou la clé USB a été retirée";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "un autre programme utilise ce fichier";
    default:
        return "Windows n'a pas pu écrire le fichier";
    }
}

bool PutOnClipboard(HWND owner, const std::wstring& text)
{
    if (!OpenClipboard(owner))
        return false;
    bool put = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        if (void* bytes = GlobalLock(memory)) {
            memcpy(bytes, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
            GlobalUnlock(memory);
            put = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
        }
        if (!put)
            GlobalFree(memory);
    }
    CloseClipboard();
    return put;
}

void CopyResultsText(HWND owner, const std::string& name)
{
    const std::string block = ResultsBlock(WriteResults(CurrentResults(g_panel, name), g_workKey));
    if (!block.empty() && PutOnClipboard(owner, Widen(block))) {
        ShowMessageBox("Le texte de votre travail est copié. Collez-le (Ctrl+V) dans un message à "
                       "votre professeur, par l'ENT ou un courriel, puis envoyez le message.",
                       "Quizz");
        return;
    }
    ShowMessageBox("Impossible de copier le texte de votre travail : un autre programme utilise "
                   "le presse-papiers. Attendez un instant et cliquez de nouveau sur « Copier le "
                   "texte », ou enregistrez plutôt le fichier.",
                   "Quizz");
}

INT_PTR CALLBACK HandInDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FillField(dialog, g_pupilName);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case SAVE_FILE_BUTTON:
        case COPY_TEXT_BUTTON: {
            const std::string name = TakenName(dialog);
            if (name.empty())
                return TRUE;
            Remember(name);
            std::wstring path;
            if (LOWORD(wParam) == COPY_TEXT_BUTTON)
                CopyResultsText(dialog, name);
            else if (ChooseResultsPath(dialog, name, path))
                SaveResultsFile(g_panel, name, path);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

// Every box empty, graded as such: verdicts "?", reveals gone, score and
// code as at a fresh start.
void EmptyBoxes(HWND panel)
{
    const int boxCount = BoxesPerQuestion(g_quiz->answersPerQuestion) * g_quiz->questionCount;
    for (int n = 1; n <= boxCount; ++n)
        SetWindowTextA(PanelItem(panel, ANSWER_BOX_BASE + n), "");
    for (int n = 1; n <= boxCount; ++n)
        GradeBox(*g_quiz, panel, ANSWER_BOX_BASE + n);
    HideRevealPictures(panel);
    UpdateScore(*g_quiz, panel);
}

void TellAnswersNotEmptied()
{
    const char* failure = WriteFailure(GetLastError());
    wchar_t name[MAX_PATH];
    AnswersFileName(name);
    const std::string message = "Impossible d'effacer les réponses enregistrées dans « " +
                                AnsiShown(name) + " » : " + failure +
                                ". Fermez les autres copies de ce quiz, puis recommencez.";
    ShowMessageBox(message.c_str(), "Quizz");
}

// Whether the answers file holds what someone typed before.
bool AnswersOnComputer()
{
    wchar_t name[MAX_PATH];
    AnswersFileName(name);
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    return GetFileAttributesExW(name, GetFileExInfoStandard, &file) &&
           (file.nFileSizeLow != 0 || file.nFileSizeHigh != 0);
}

// Whether a name other than the one remembered is another pupil, whose
// answers start afresh, or the same pupil mending the name's spelling, who
// keeps them: asked, No (keeping) by default, as no answer is lost unasked.
bool IsAnotherPupil(const std::string& remembered, const std::string& name)
{
    const std::wstring whose =
        remembered.empty()
            ? L"Des réponses sont déjà sur cet ordinateur."
            : L"Les réponses sur cet ordinateur sont celles de " + Widen(remembered) + L".";
    const std::wstring question =
        whose +
        L"\n\nOui : vous êtes un autre élève ; elles sont effacées et vous commencez."
        L"\nNon : ce sont les vôtres ; vous les gardez, sous le nom " +
        Widen(name) + L".";
    return MessageBoxW(nullptr, question.c_str(), L"Nouvel élève ?",
                       MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES;
}

} // namespace

void AskPupilAtStart()
{
    const std::string remembered = RememberedPupilName();
    g_pupilName = remembered;
    std::string name = remembered;
    if (!AskPupilName(nullptr, name))
        return;
    // Another pupil on a shared computer must not see the previous one's answers.
    if (name != remembered && AnswersOnComputer() && IsAnotherPupil(remembered, name) &&
        !EmptyAnswersFile())
        TellAnswersNotEmptied();
    Remember(name);
}

void HandInWork(HWND mainWindow)
{
    DialogBoxParamW(g_instance, MAKEINTRESOURCEW(HAND_IN_DIALOG), mainWindow, HandInDialogProc, 0);
}

void StartNewPupil(HWND mainWindow)
{
    const std::wstring whose = g_pupilName.empty() ? L"l'élève précédent" : Widen(g_pupilName);
    const std::wstring question =
        L"Les réponses de " + whose + L" seront effacées de cet ordinateur. Continuer ?";
    if (MessageBoxW(mainWindow, question.c_str(), L"Nouvel élève",
                    MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES)
        return;
    EmptyBoxes(g_panel);
    if (!EmptyAnswersFile())
        TellAnswersNotEmptied();
    ForgetPupilName();
    g_pupilName.clear();
    std::string name;
    if (AskPupilName(mainWindow, name))
        Remember(name);
}

bool SaveResultsFile(HWND panel, const std::string& name, const std::wstring& path)
{
    const bool written = WriteWholeFile(path, WriteResults(CurrentResults(panel, name), g_workKey));
    const char* failure = WriteFailure(GetLastError());
    if (written) {
        const std::string message = "Votre travail est enregistré dans : " + AnsiShown(path) +
                                    ". Donnez ce fichier à votre professeur : par l'ENT, un "
                                    "courriel ou une clé USB.";
        ShowMessageBox(message.c_str(), "Quizz");
        return true;
    }
    const std::string message = "Impossible d'enregistrer votre travail dans « " + AnsiShown(path) +
                                " » : " + failure +
                                ". Rien n'a été écrit. Cliquez de nouveau sur « Enregistrer le "
                                "fichier… » et choisissez un autre dossier, par exemple "
                                "Documents, ou une clé USB.";
    ShowMessageBox(message.c_str(), "Quizz");
    return false;
}

bool TranslateHandInKeys(HWND mainWindow, MSG& message)
{
    if (g_workKey.empty())
        return false;
    static ACCEL keys[] = {{FALT | FVIRTKEY, 'R', HAND_IN_BUTTON_ID},
                           {FALT | FVIRTKEY, 'N', NEW_PUPIL_BUTTON_ID}};
    static HACCEL table = CreateAcceleratorTableW(keys, 2);
    return TranslateAcceleratorW(mainWindow, table, &message) != 0;
}
