#include "atelier/window/class_results_window.h"

#include "atelier/document/quiz_document.h"
#include "atelier/window/atelier_state.h"
#include "atelier/window/class_results_charts.h"
#include "atelier/window/class_results_table.h"
#include "atelier/window/class_results_view.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/dialogs.h"
#include "atelier/window/dropped_files.h"
#include "atelier/window/last_folder.h"
#include "atelier/window/problem_list.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/windows_platform.h"
#include "authoring/results/results_page.h"
#include "authoring/results/results_spreadsheet.h"
#include "authoring/source/source_check.h"
#include "quiz/pupil_results.h"
#include "quiz/text_encoding.h"
#include "win32/font_metrics.h"
#include "win32/wide_text.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

ClassResultsView g_classResults;

int BoxesPerQuestion(const QuizRecord& quiz)
{
    return quiz.answersPerQuestion == 2 ? 2 : 1;
}

int QuestionOfColumn(int column)
{
    if (!g_classResults.quiz || column < FIRST_BOX_COLUMN)
        return -1;
    return (column - FIRST_BOX_COLUMN) / BoxesPerQuestion(*g_classResults.quiz);
}

namespace {

constexpr const wchar_t* RESULTS_WINDOW_CLASS = L"QuizzClassResults";
// A pupil's work weighs a few kilobytes: a larger file is something else.
constexpr uintmax_t MAX_WORK_BYTES = 1024 * 1024;

struct Metrics {
    int unit = 16;     // the font's height
    int character = 7; // its average width
    int margin = 10;
    int button = 28; // a button's height
};
Metrics g_metrics;

HWND Item(int id)
{
    return GetDlgItem(g_classResults.window, id);
}

void SetText(int id, const std::wstring& text)
{
    SetWindowTextW(Item(id), text.c_str());
}

std::wstring QuizTitle()
{
    return Widen(Windows1252ToUtf8(g_classResults.quiz->title));
}

const struct {
    int id;
    const wchar_t* text;
} BUTTONS[] = {
    {IDC_RESULTS_ADD, L"&Ajouter des fichiers…"},
    {IDC_RESULTS_PASTE, L"&Coller un texte"},
    {IDC_RESULTS_EXPORT, L"&Exporter pour un tableur…"},
    {IDC_RESULTS_PAGE, L"&Page à imprimer…"},
    {IDC_RESULTS_CLEAR, L"&Vider"},
};

HWND Make(HWND window, const wchar_t* kind, const wchar_t* text, DWORD style, int id,
          DWORD extended = 0)
{
    HWND control =
        CreateWindowExW(extended, kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
    return control;
}

void Measure(HWND window)
{
    const TEXTMETRICW text = FontMetrics(window, g_font);
    g_metrics.unit = text.tmHeight;
    g_metrics.character = text.tmAveCharWidth;
    g_metrics.margin = text.tmHeight / 2 + 2;
    g_metrics.button = text.tmHeight * 7 / 4;
}

int ButtonWidth(HWND button)
{
    wchar_t text[64] = {};
    GetWindowTextW(button, text, 64);
    HDC dc = GetDC(button);
    HGDIOBJ old = SelectObject(dc, g_font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    return size.cx + 4 * g_metrics.character;
}

void LayOut(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    const Metrics& m = g_metrics;
    const int width = client.right - 2 * m.margin;
    int x = m.margin;
    int y = m.margin;
    for (const auto& button : BUTTONS) {
        HWND control = Item(button.id);
        const int w = ButtonWidth(control);
        MoveWindow(control, x, y, w, m.button, TRUE);
        x += w + m.margin / 2;
    }
    y += m.button + m.margin / 2;
    const int noteHeight = 2 * m.unit + 2;
    MoveWindow(Item(IDC_RESULTS_NOTE), m.margin, y, width, noteHeight, TRUE);
    y += noteHeight + m.margin / 2;
    const int problemsHeight = 4 * m.unit + 8;
    MoveWindow(Item(IDC_RESULTS_PROBLEMS), m.margin, y, width, problemsHeight, TRUE);
    y += problemsHeight + m.margin;
    const int statusHeight = m.unit + 4;
    const int statusTop = client.bottom - m.margin / 2 - statusHeight;
    MoveWindow(Item(IDC_RESULTS_STATUS), m.margin, statusTop, width, statusHeight, TRUE);
    const int bottom = statusTop - m.margin / 2;
    const int panel = std::clamp(width / 3, 30 * m.character, 60 * m.character);
    const int tableWidth = std::max(width - panel - m.margin, 10 * m.character);
    MoveWindow(Item(IDC_RESULTS_TABLE), m.margin, y, tableWidth, bottom - y, TRUE);
    const int panelLeft = m.margin + tableWidth + m.margin;
    const int wrongHeight = 6 * m.unit + 8;
    const int chartsHeight = std::max(bottom - y - wrongHeight - m.margin / 2, 0);
    MoveWindow(Item(IDC_RESULTS_CHARTS), panelLeft, y, panel, chartsHeight, TRUE);
    MoveWindow(Item(IDC_RESULTS_WRONG), panelLeft, y + chartsHeight + m.margin / 2, panel,
               bottom - y - chartsHeight - m.margin / 2, TRUE);
}

// The buttons in a row, and room under them for every pane.
SIZE SmallestSize(HWND window)
{
    int buttons = g_metrics.margin * 2;
    for (const auto& button : BUTTONS)
        buttons += ButtonWidth(Item(button.id)) + g_metrics.margin / 2;
    RECT place = {0, 0, std::max(buttons, 80 * g_metrics.character), 30 * g_metrics.unit};
    AdjustWindowRectEx(&place, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return {place.right - place.left, place.bottom - place.top};
}

// What the window tells before any work: where it comes from, and, for a
// quiz that does not ask for it, how to make it ask.
std::wstring Note()
{
    if (!g_classResults.handIn)
        return L"Ce quiz ne demande pas aux élèves de rendre leur travail : cochez « Rendre le "
               L"travail » dans les champs du quiz, puis créez de nouveau le quiz et donnez-le aux "
               L"élèves. Les travaux déjà rendus se lisent quand même ici.";
    return L"Déposez ici les travaux rendus par les élèves (fichiers ou dossiers), ajoutez-les "
           L"par « Ajouter des fichiers… », ou copiez le texte reçu dans un message et collez-le "
           L"(Ctrl+V).";
}

std::wstring Summary()
{
    const ClassResults& results = g_classResults.results;
    if (g_classResults.handedIn.empty() && g_classResults.readProblems.empty())
        return L"Aucun travail ajouté pour l'instant.";
    const size_t pupils = results.pupils.size();
    const size_t altered = pupils - static_cast<size_t>(results.counted);
    const size_t problems = results.problems.size() + g_classResults.readProblems.size();
    std::wstring text = Counted(pupils, L"élève", L"élèves");
    if (altered > 0)
        text += L", dont " + Counted(altered, L"travail modifié", L"travaux modifiés") +
                L" (non compté" + (altered > 1 ? L"s" : L"") + L")";
    if (problems > 0)
        text += L" ; " + Counted(problems, L"problème", L"problèmes") + L", en haut";
    return text + L".";
}

void ShowProblemsText()
{
    std::wstring text;
    for (const std::string& line : g_classResults.readProblems)
        text += Widen(line) + L"\r\n";
    for (const std::string& line : g_classResults.results.problems)
        text += Widen(line) + L"\r\n";
    SetText(IDC_RESULTS_PROBLEMS, text);
}

void ShowChosen()
{
    const std::wstring cell = ChosenCellText();
    SetText(IDC_RESULTS_STATUS, cell.empty() ? Summary() : cell);
    SetText(IDC_RESULTS_WRONG, WrongAnswersText());
    InvalidateRect(Item(IDC_RESULTS_CHARTS), nullptr, FALSE);
}

void Regrade()
{
    const HCURSOR old = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    g_classResults.results =
        GradeClass(*g_classResults.quiz, g_classResults.rules, g_classResults.handedIn);
    SetCursor(old);
    ShowProblemsText();
    FillResultsTable(Item(IDC_RESULTS_TABLE));
    SetText(IDC_RESULTS_WRONG, WrongAnswersText());
    InvalidateRect(Item(IDC_RESULTS_CHARTS), nullptr, FALSE);
    SetText(IDC_RESULTS_STATUS, Summary());
}

// A file's work, in place of what the same file gave before.
void AddFile(const std::string& path)
{
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!ReadWholeFile(path, bytes, reason, MAX_WORK_BYTES,
                       u8"un travail rendu ne pèse que quelques Ko : ce fichier n'en est pas un, "
                       u8"laissez-le de côté")) {
        g_classResults.readProblems.push_back(FileName(path) + " : " + reason + ".");
        return;
    }
    const std::string text(bytes.begin(), bytes.end());
    auto& paths = g_classResults.paths;
    const auto same = std::find(paths.begin(), paths.end(), path);
    if (same != paths.end()) {
        g_classResults.handedIn[static_cast<size_t>(same - paths.begin())].text = text;
        return;
    }
    g_classResults.handedIn.push_back({FileName(path), text});
    paths.push_back(path);
}

// Files as they are; in a folder, the .txt files, as pupils' work is named.
void AddPaths(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        std::error_code failure;
        if (!fs::is_directory(fs::u8path(path), failure)) {
            AddFile(path);
            continue;
        }
        std::vector<std::string> found;
        for (fs::recursive_directory_iterator entry(fs::u8path(path), failure), end;
             !failure && entry != end; entry.increment(failure))
            if (entry->is_regular_file() && LowerExtension(entry->path().u8string()) == ".txt")
                found.push_back(entry->path().u8string());
        std::sort(found.begin(), found.end());
        if (found.empty())
            g_classResults.readProblems.push_back(
                FileName(path) + u8" : ce dossier ne contient aucun fichier .txt, la forme des "
                                 u8"travaux rendus : déposez le dossier où les élèves les ont "
                                 u8"rendus.");
        for (const std::string& file : found)
            AddFile(file);
    }
    Regrade();
}

void AddChosenFiles()
{
    std::vector<std::string> paths;
    if (ChooseFilesToOpen(g_classResults.window, FileChoice::Work, LastFolder(), paths))
        AddPaths(paths);
}

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(g_classResults.window))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Narrow(wide);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void Paste()
{
    const std::string text = ClipboardText();
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        SetText(IDC_RESULTS_STATUS,
                L"Le presse-papiers ne contient pas de texte : copiez le travail reçu dans le "
                L"message de l'élève (de « --- Quizz : travail rendu --- » à « --- fin --- »), "
                L"puis collez-le de nouveau.");
        return;
    }
    g_classResults.handedIn.push_back(
        {u8"texte collé " + std::to_string(++g_classResults.pasted), text});
    g_classResults.paths.emplace_back();
    Regrade();
}

void Clear()
{
    g_classResults.handedIn.clear();
    g_classResults.paths.clear();
    g_classResults.readProblems.clear();
    g_classResults.pasted = 0;
    g_classResults.row = g_classResults.column = -1;
    Regrade();
}

// "Bilan - <titre>.csv" beside the quiz, or where the teacher keeps quizzes.
std::string Suggested(const char* extension)
{
    const std::string folder = g_document.path.empty()
                                   ? LastFolder()
                                   : fs::u8path(g_document.path).parent_path().u8string();
    const std::string name =
        ResultsFileName("Bilan", Windows1252ToUtf8(g_classResults.quiz->title));
    return (fs::u8path(folder) / fs::u8path(WithExtension(name, extension))).u8string();
}

bool AnyWork()
{
    if (!g_classResults.results.pupils.empty())
        return true;
    Tell(g_classResults.window,
         L"Aucun travail d'élève n'est encore dans le bilan : déposez dans cette fenêtre les "
         L"travaux rendus, puis recommencez.",
         MB_ICONINFORMATION);
    return false;
}

// The text written whole at a path chosen in the save dialog; "" when the
// teacher cancelled or it failed (told).
std::string Save(FileChoice choice, const char* extension, const std::string& text)
{
    std::string path;
    if (!ChooseFileToSave(g_classResults.window, choice, Suggested(extension), path))
        return "";
    std::string error;
    if (!ReplaceWholeFile(path, {text.begin(), text.end()}, error)) {
        Tell(g_classResults.window,
             L"Impossible d'écrire " + Widen(Quoted(path)) + L" : " + Widen(error) +
                 L". Rien n'a été écrit ; choisissez un autre dossier.",
             MB_ICONERROR);
        return "";
    }
    return path;
}

void Export()
{
    if (!AnyWork())
        return;
    const std::string path =
        Save(FileChoice::Spreadsheet, ".csv",
             ClassResultsSpreadsheet(*g_classResults.quiz, g_classResults.results));
    if (!path.empty())
        SetText(IDC_RESULTS_STATUS, L"Bilan exporté dans " + Widen(Quoted(path)) +
                                        L" : il s'ouvre dans Excel ou LibreOffice Calc.");
}

void PrintedPage()
{
    if (!AnyWork())
        return;
    const std::string path = Save(FileChoice::Report, ".html",
                                  ClassResultsPage(*g_classResults.quiz, g_classResults.results));
    if (path.empty())
        return;
    SetText(IDC_RESULTS_STATUS, L"Page enregistrée dans " + Widen(Quoted(path)) +
                                    L" : imprimez-la depuis le navigateur (Ctrl+P).");
    if (!OpenInShell(g_classResults.window, path))
        Tell(g_classResults.window,
             L"Aucun navigateur n'a ouvert la page " + Widen(Quoted(path)) +
                 L" : ouvrez-la vous-même, d'un double clic, pour l'imprimer.",
             MB_ICONWARNING);
}

LRESULT OnCreate(HWND window)
{
    g_classResults.window = window;
    Measure(window);
    for (const auto& button : BUTTONS)
        Make(window, WC_BUTTONW, button.text, WS_TABSTOP | BS_PUSHBUTTON, button.id);
    Make(window, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, IDC_RESULTS_NOTE);
    Make(window, WC_EDITW, L"",
         WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
         IDC_RESULTS_PROBLEMS, WS_EX_CLIENTEDGE);
    Make(window, WC_LISTVIEWW, L"",
         WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
         IDC_RESULTS_TABLE, WS_EX_CLIENTEDGE);
    Make(window, RESULTS_CHARTS_CLASS, L"", 0, IDC_RESULTS_CHARTS);
    Make(window, WC_EDITW, L"", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
         IDC_RESULTS_WRONG, WS_EX_CLIENTEDGE);
    Make(window, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, IDC_RESULTS_STATUS);
    DragAcceptFiles(window, TRUE);
    return 0;
}

LRESULT OnCommand(WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_RESULTS_ADD:
        AddChosenFiles();
        return 0;
    case IDC_RESULTS_PASTE:
        Paste();
        return 0;
    case IDC_RESULTS_EXPORT:
        Export();
        return 0;
    case IDC_RESULTS_PAGE:
        PrintedPage();
        return 0;
    case IDC_RESULTS_CLEAR:
        Clear();
        return 0;
    case IDC_RESULTS_TABLE: // the chosen cell changed
        ShowChosen();
        return 0;
    case IDCANCEL: // Échap, from the dialog keys
        DestroyWindow(g_classResults.window);
        return 0;
    default:
        return 0;
    }
}

LRESULT CALLBACK ResultsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_SIZE:
        LayOut(window);
        return 0;
    case WM_GETMINMAXINFO: {
        if (!g_classResults.window)
            return 0;
        const SIZE smallest = SmallestSize(window);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {smallest.cx, smallest.cy};
        return 0;
    }
    case WM_COMMAND:
        return OnCommand(wParam);
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.idFrom == IDC_RESULTS_TABLE)
            return OnResultsTableNotify(header.hwndFrom, header);
        return 0;
    }
    case WM_DROPFILES: {
        const std::vector<std::string> paths = DroppedPaths(reinterpret_cast<HDROP>(wParam));
        DragFinish(reinterpret_cast<HDROP>(wParam));
        AddPaths(paths);
        return 0;
    }
    case WM_DESTROY:
        g_classResults = ClassResultsView();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool Register()
{
    static const bool registered = [] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = ResultsWindowProc;
        windowClass.hInstance = g_instance;
        windowClass.hIcon = reinterpret_cast<HICON>(GetClassLongPtrW(g_mainWindow, GCLP_HICON));
        windowClass.hIconSm = reinterpret_cast<HICON>(GetClassLongPtrW(g_mainWindow, GCLP_HICONSM));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = RESULTS_WINDOW_CLASS;
        return RegisterClassExW(&windowClass) != 0 && RegisterResultsChartsClass();
    }();
    return registered;
}

// The quiz as it stands in the atelier, checked as "Créer le quiz" checks it.
bool TakeQuiz()
{
    auto quiz = std::make_unique<QuizRecord>();
    QuizRules rules;
    std::vector<Problem> problems;
    if (!CheckQuizSource(AppliedSource(g_document), *quiz, rules, problems)) {
        ShowProblems(problems);
        Tell(g_mainWindow,
             L"Le bilan de la classe ne peut pas encore s'ouvrir : les travaux des élèves sont "
             L"notés avec les réponses du quiz, qui a " +
                 Counted(CountErrors(problems), L"erreur", L"erreurs") +
                 L" à corriger d'abord. La liste des problèmes, en bas, dit lesquelles et "
                 L"comment ; un double clic mène au champ.",
             MB_ICONWARNING);
        SetFocus(Control(IDC_PROBLEMS));
        return false;
    }
    g_classResults.quiz = std::move(quiz);
    g_classResults.rules = rules;
    g_classResults.handIn = g_document.source.handIn.value;
    return true;
}

} // namespace

void OpenClassResults()
{
    if (!Register())
        return;
    const bool open = g_classResults.window != nullptr;
    if (!TakeQuiz())
        return;
    if (!open) {
        HWND window =
            CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES, RESULTS_WINDOW_CLASS, L"",
                            WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, g_mainWindow, nullptr, g_instance, nullptr);
        if (!window)
            return;
        // Wide enough for a table of ten questions beside the charts, tall
        // enough for a class of twenty-five, within the screen.
        RECT work = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const int width =
            std::min(200 * g_metrics.character, static_cast<int>(work.right - work.left));
        const int height = std::min(56 * g_metrics.unit, static_cast<int>(work.bottom - work.top));
        SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                     work.top + (work.bottom - work.top - height) / 2, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HWND window = g_classResults.window;
    SetWindowTextW(window, (L"Bilan de la classe – " + QuizTitle()).c_str());
    SetText(IDC_RESULTS_NOTE, Note());
    g_classResults.column = std::min(g_classResults.column, FIRST_BOX_COLUMN - 1);
    PrepareResultsTable(Item(IDC_RESULTS_TABLE));
    Regrade();
    ShowWindow(window, open ? SW_SHOWNORMAL : SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(Item(IDC_RESULTS_TABLE));
}

bool IsClassResultsMessage(MSG& message)
{
    HWND window = g_classResults.window;
    if (!window || (message.hwnd != window && !IsChild(window, message.hwnd)))
        return false;
    static HACCEL keys = LoadAcceleratorsW(g_instance, MAKEINTRESOURCEW(RESULTS_ACCELERATORS));
    return TranslateAcceleratorW(window, keys, &message) || IsDialogMessageW(window, &message);
}

HWND ClassResultsWindow()
{
    return g_classResults.window;
}
