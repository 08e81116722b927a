#include "atelier/window/atelier_window.h"

#include "atelier/window/atelier_state.h"
#include "atelier/window/class_results_window.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/dialogs.h"
#include "atelier/window/dropped_files.h"
#include "atelier/window/editor.h"
#include "atelier/window/editor_controls.h"
#include "atelier/window/file_commands.h"
#include "atelier/window/live_check.h"
#include "atelier/window/media_player.h"
#include "atelier/window/pane_messages.h"
#include "atelier/window/problem_list.h"
#include "atelier/window/question_fields.h"
#include "atelier/window/question_list.h"
#include "atelier/window/quiz_fields.h"
#include "atelier/window/quiz_trial.h"
#include "atelier/window/recovery.h"
#include "authoring/packing/windows_platform.h"
#include "authoring/source/quiz_field_table.h"
#include "resources/resource_ids.h"

#include <commctrl.h>
#include <shellapi.h>

#include <filesystem>
#include <memory>
#include <new>

namespace {

// The control that had the focus when the window was left, given it back
// when the teacher comes back.
HWND g_lastFocus = nullptr;

void OpenGuide()
{
    const std::filesystem::path guide =
        std::filesystem::u8path(WindowsPlatform().toolDirectory) / "LISEZMOI.txt";
    if (!OpenInShell(g_mainWindow, guide.u8string()))
        Tell(g_mainWindow,
             L"Le guide LISEZMOI.txt n'est pas à côté de l'atelier : copiez-le du zip de Quizz "
             L"dans le dossier de atelier.exe.",
             MB_ICONINFORMATION);
}

void About()
{
    Tell(g_mainWindow,
         L"Atelier Quizz, version 2.1 : l'atelier où l'on écrit les quiz du lecteur Quizz.\n\n"
         L"Il enregistre le même fichier source que quizzpack, l'outil en ligne de commande, "
         L"et crée le même quiz : les deux outils travaillent sur les mêmes fichiers.",
         MB_ICONINFORMATION);
}

LRESULT OnCreate(HWND window)
{
    g_mainWindow = window;
    CreateEditorControls(window);
    PrepareQuestionList();
    PrepareProblemList();
    DragAcceptFiles(window, TRUE);
    StartLiveCheck(window);
    return 0;
}

// Entrée, which the dialog keys turn into IDOK: on a list it opens what the
// row stands for.
void OnEnter()
{
    const int focus = GetDlgCtrlID(GetFocus());
    if (focus == IDC_PROBLEMS)
        ActivateSelectedProblem();
    else if (focus == IDC_QUESTION_LIST && g_current >= 0)
        FocusField(Control(IDC_ANSWER));
}

LRESULT OnCommand(HWND window, WPARAM wParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    switch (id) {
    case ID_FILE_NEW:
        NewQuiz();
        return 0;
    case ID_FILE_OPEN:
        OpenQuiz();
        return 0;
    case ID_FILE_IMPORT:
        ImportQuestions();
        return 0;
    case ID_FILE_SAVE:
        SaveQuiz();
        return 0;
    case ID_FILE_SAVE_AS:
        SaveQuizAs();
        return 0;
    case ID_FILE_TRY:
        TryQuiz();
        return 0;
    case ID_FILE_BUILD:
        CreateQuizProgram();
        return 0;
    case ID_FILE_TRY_PAGE:
        TryQuizPage();
        return 0;
    case ID_FILE_BUILD_PAGE:
        CreateQuizPage();
        return 0;
    case ID_FILE_CLASS_RESULTS:
        OpenClassResults();
        return 0;
    case ID_FILE_EXIT:
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    case ID_HELP_GUIDE:
        OpenGuide();
        return 0;
    case ID_HELP_ABOUT:
        About();
        return 0;
    case IDOK:
        OnEnter();
        return 0;
    default:
        break;
    }
    if (!OnQuestionCommand(id) && !OnQuizFieldCommand(id, code))
        OnQuestionFieldCommand(id, code);
    return 0;
}

LRESULT OnNotify(const NMHDR& header)
{
    switch (header.idFrom) {
    case IDC_QUESTION_LIST:
        return OnQuestionListNotify(header);
    case IDC_PROBLEMS:
        return OnProblemListNotify(header);
    default:
        return 0;
    }
}

LRESULT OnInitMenuPopup(HMENU menu)
{
    const bool question = g_current >= 0;
    const int count = static_cast<int>(g_document.source.questions.size());
    EnableMenuItem(menu, ID_QUESTION_DELETE, question ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menu, ID_QUESTION_UP, question && g_current > 0 ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menu, ID_QUESTION_DOWN,
                   question && g_current + 1 < count ? MF_ENABLED : MF_GRAYED);
    return 0;
}

LRESULT OnChecked(LPARAM lParam)
{
    std::unique_ptr<CheckResult> result(reinterpret_cast<CheckResult*>(lParam));
    if (IsOfThisDocument(result->revision))
        ShowProblems(result->problems);
    return 0;
}

LRESULT OnPreviewedMessage(LPARAM lParam)
{
    std::unique_ptr<PreviewResult> result(reinterpret_cast<PreviewResult*>(lParam));
    OnPreviewed(*result);
    return 0;
}

// Whether a control is the check box of one of the rules of accepted answers.
bool IsRuleControl(int id)
{
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.rule && QuizRowControl(row) == id)
            return true;
    return false;
}

LRESULT OnQuizFieldChanged(int id)
{
    switch (id) {
    case IDC_LAYOUT:
    case IDC_REVEAL:
    case IDC_TWO_ANSWERS:
        Rearrange();
        break;
    case IDC_COLOUR_PICK:
        RefreshPreview();
        break;
    default:
        break;
    }
    NoteChange();
    // The trial's remarks name each box by its caption, and its verdicts
    // follow the quiz's rules.
    if (id == IDC_FIRST_CAPTION || id == IDC_SECOND_CAPTION || IsRuleControl(id))
        UpdateTrial();
    return 0;
}

LRESULT OnQuestionChanged(int index, int id)
{
    UpdateQuestionRow(index);
    NoteChange();
    if (index == g_current && (id == IDC_MEDIUM || id == IDC_REVEAL_PICTURE))
        RefreshPreview();
    return 0;
}

LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus))
            g_lastFocus = focus;
        return 0;
    }
    if (g_lastFocus && IsWindow(g_lastFocus) && IsWindowVisible(g_lastFocus)) {
        SetFocus(g_lastFocus);
        return 0;
    }
    return DefWindowProcW(window, WM_ACTIVATE, wParam, lParam);
}

// The dialog keys ask for the next control this way, as in a dialog box: a
// label's mnemonic moves the focus to the label, then on to its field.
LRESULT OnNextDialogControl(HWND window, WPARAM wParam, LPARAM lParam)
{
    static HWND label = nullptr; // the control named last, from which the next one is
    HWND target = nullptr;
    if (LOWORD(lParam)) {
        target = label = reinterpret_cast<HWND>(wParam);
    } else {
        target = GetNextDlgTabItem(window, label ? label : GetFocus(), wParam != 0);
        label = nullptr;
    }
    if (target)
        FocusField(target);
    return 0;
}

LRESULT OnDestroy()
{
    StopLiveCheck();
    EndRecovery();
    StopMediaFile();
    RemoveTrials();
    PostQuitMessage(0);
    return 0;
}

} // namespace

bool RegisterAtelierWindowClass()
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = AtelierWindowProc;
    windowClass.hInstance = g_instance;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(g_instance, MAKEINTRESOURCEW(APPLICATION_ICON), IMAGE_ICON,
                   GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(g_instance, MAKEINTRESOURCEW(APPLICATION_ICON), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(ATELIER_MENU);
    windowClass.lpszClassName = ATELIER_WINDOW_CLASS;
    return RegisterClassExW(&windowClass) != 0;
}

HWND CreateAtelierWindow()
{
    HWND window =
        CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES, ATELIER_WINDOW_CLASS, ATELIER_NAME,
                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, nullptr, nullptr, g_instance, nullptr);
    if (!window)
        return nullptr;
    const SIZE size = FirstEditorSize(window);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - size.cx) / 2,
                 work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return window;
}

namespace {

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_SIZE:
        LayOutEditor(window);
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        if (g_mainWindow) {
            const SIZE smallest = SmallestEditorSize(window);
            limits->ptMinTrackSize = {smallest.cx, smallest.cy};
        }
        return 0;
    }
    case WM_COMMAND:
        return OnCommand(window, wParam);
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_INITMENUPOPUP:
        return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
    case WM_TIMER:
        if (wParam == CHECK_TIMER)
            CheckNow();
        else if (wParam == RECOVERY_TIMER)
            UpdateRecoveryCopy();
        return 0;
    case WM_CHECKED:
        return OnChecked(lParam);
    case WM_PREVIEWED:
        return OnPreviewedMessage(lParam);
    case WM_QUIZ_FIELD_CHANGED:
        return OnQuizFieldChanged(static_cast<int>(wParam));
    case WM_QUESTION_CHANGED:
        return OnQuestionChanged(static_cast<int>(wParam), static_cast<int>(lParam));
    case WM_QUESTIONS_CHANGED:
        SelectQuestion(static_cast<int>(wParam));
        NoteChange();
        return 0;
    case WM_QUESTION_CHOSEN:
        SelectQuestion(static_cast<int>(wParam));
        return 0;
    case WM_PICTURE_FIELD_CHOSEN:
        PreviewRevealPicture(wParam != 0);
        return 0;
    case WM_PLAY_CHOSEN:
        if (wParam)
            PlayQuestionMedium();
        else
            StopMediaFile();
        return 0;
    case WM_DOCUMENT_REPLACED:
        ShowDocument();
        return 0;
    case WM_DROPFILES:
        OnDroppedFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush =
                ColouredStaticBrush(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_ACTIVATE:
        return OnActivate(window, wParam, lParam);
    case WM_NEXTDLGCTL:
        return OnNextDialogControl(window, wParam, lParam);
    case WM_CLOSE:
        if (ConfirmDiscardChanges())
            DestroyWindow(window);
        return 0;
    case WM_QUERYENDSESSION:
        return ConfirmDiscardChanges();
    case WM_DESTROY:
        return OnDestroy();
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

// Memory running out in a command (opening, importing, saving, creating)
// is told, and the document stays as it was, to be saved: an exception
// through the system's dispatch would end the atelier with the work.
LRESULT CALLBACK AtelierWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (const std::bad_alloc&) {
        Tell(g_mainWindow ? g_mainWindow : window,
             L"La mémoire a manqué pour aller au bout. Votre quiz est toujours là : fermez "
             L"d'autres programmes ou allégez le quiz (des médias plus petits), enregistrez-le, "
             L"puis réessayez.",
             MB_ICONERROR);
        return 0;
    }
}
