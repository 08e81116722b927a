#include "player/panel.h"

#include "checking/verdict.h"
#include "player/answer_box.h"
#include "player/answer_grading.h"
#include "player/answers_file.h"
#include "player/app_globals.h"
#include "player/cell_geometry.h"
#include "player/main_window.h"
#include "player/media_playback.h"
#include "player/panel_controls.h"
#include "player/panel_scroll.h"
#include "player/picture_decoding.h"
#include "player/picture_loading.h"
#include "player/question_picture.h"
#include "quiz/picture_size.h"
#include "resources/resource_ids.h"
#include "win32/verdict_brush.h"

namespace {

constexpr DWORD VISIBLE_CHILD = WS_CHILD | WS_VISIBLE;
constexpr DWORD ANSWER_BOX_STYLE =
    VISIBLE_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER;
constexpr DWORD VERDICT_LABEL_STYLE = VISIBLE_CHILD | WS_BORDER | WS_TABSTOP | SS_CENTER;
constexpr DWORD MEDIA_BUTTON_STYLE = VISIBLE_CHILD | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON;

constexpr COLORREF QUESTION_LABEL_COLOUR = RGB(255, 255, 192);

struct MediaIcons {
    HICON play;
    HICON stop;
};

HWND AddControl(HWND panel, const char* className, const char* text, DWORD style, int x, int y,
                int width, int height, int id)
{
    HWND control =
        CreateWindowExA(0, className, text, style, x, y, width, height, panel,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance, nullptr);
    RememberPanelItem(control, id);
    return control;
}

void UseGuiFont(HWND control)
{
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
}

void AddMediaButton(HWND panel, int x, int y, int height, int id, HICON icon)
{
    HWND button = AddControl(panel, "Button", "", MEDIA_BUTTON_STYLE, x, y, 20, height, id);
    SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

// Beside the boxes of each row of cells, when questions have two answers.
void AddAnswerCaptions(HWND panel, const QuizRecord& quiz)
{
    for (int i = 1; i <= quiz.questionCount; i += 3) {
        const int y = RowHeight(quiz) * ((i - 1) / 3) + 280;
        UseGuiFont(AddControl(panel, "Static", quiz.firstAnswerCaption, VISIBLE_CHILD, 3, y + 12,
                              95, 20, ANSWER_CAPTION_ID));
        UseGuiFont(AddControl(panel, "Static", quiz.secondAnswerCaption, VISIBLE_CHILD, 3, y + 32,
                              95, 20, ANSWER_CAPTION_ID));
    }
}

void AddQuestionText(HWND panel, const QuizRecord& quiz, int i, const CellGeometry& cell)
{
    const QuestionRecord* question = QuestionAt(quiz, i - 1);
    UseGuiFont(AddControl(panel, "Static", question ? question->questionText : "",
                          VISIBLE_CHILD | WS_BORDER | SS_CENTER, 50, cell.rowY, 550, 20,
                          QUESTION_LABEL_ID));
}

// The picture's control, made at the size the picture will have, centred in
// its square; the picture itself comes from the background loading. An empty
// square-sized control stays when the picture is missing or unreadable.
void AddPicture(HWND panel, int i, const CellGeometry& cell)
{
    const SIZE size =
        PlannedPictureSize(GetModuleHandleA(nullptr), MEDIA_RESOURCE_BASE + i, MEDIA_RESOURCE_TYPE);
    AddControl(panel, "STATIC", "", VISIBLE_CHILD | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE,
               cell.columnX + 30 + (PICTURE_SQUARE - size.cx) / 2,
               cell.rowY - PICTURE_SQUARE + (PICTURE_SQUARE - size.cy) / 2, size.cx, size.cy,
               PICTURE_BASE + i);
    UseGuiFont(AddControl(panel, "Static", "", VISIBLE_CHILD | WS_TABSTOP | SS_CENTER,
                          cell.columnX + 30, cell.rowY + 56, 260, 35, REVEAL_LABEL_BASE + i));
}

void AddSoundButtons(HWND panel, int i, const CellGeometry& cell, const MediaIcons& icons)
{
    AddMediaButton(panel, cell.columnX + 30, cell.rowY + 210, 21, PLAY_BUTTON_BASE + i, icons.play);
    AddMediaButton(panel, cell.columnX + 30, cell.rowY + 231, 20, STOP_BUTTON_BASE + i, icons.stop);
}

// False when the film player cannot be made: the panel then ends with the
// cells built so far.
bool AddFilmControls(HWND panel, int i, const CellGeometry& cell, const MediaIcons& icons)
{
    AddMediaButton(panel, cell.columnX + 15, cell.rowY - 40, 20, PLAY_BUTTON_BASE + i, icons.play);
    AddMediaButton(panel, cell.columnX + 15, cell.rowY - 20, 20, STOP_BUTTON_BASE + i, icons.stop);
    HWND host = AddControl(panel, "STATIC", "", VISIBLE_CHILD | WS_BORDER, cell.columnX + 15,
                           cell.rowY - 250, 200, 150, FILM_HOST_BASE + i);
    return PrepareFilmPlayer(panel, i, host);
}

// The boxes of question i with their verdict labels, each given its saved
// text and graded at once; the score is counted once all are built.
void AddAnswerBoxes(HWND panel, const QuizRecord& quiz, int i, const CellGeometry& cell,
                    SavedAnswers& saved)
{
    const int boxes = BoxesPerQuestion(quiz.answersPerQuestion);
    for (int j = 1; j <= boxes; ++j) {
        const int id = ANSWER_BOX_BASE + boxes * (i - 1) + j;
        char text[TEXT_SIZE];
        NextSavedAnswer(saved, text);
        const int y = cell.box.y + 20 * (j - 1);
        HWND box =
            AddControl(panel, "Edit", text, ANSWER_BOX_STYLE, cell.box.x, y,
                       boxes == 1 ? cell.boxWidth : cell.boxWidth - 50, boxes == 1 ? 20 : 21, id);
        UseGuiFont(box);
        // A box holds what is graded and saved, and no more: typing or
        // pasting past it would be cut later without a word.
        SendMessageA(box, EM_LIMITTEXT, MAX_TEXT_LENGTH, 0);
        EditClassProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerBoxProc)));
        if (boxes == 1) {
            AddControl(panel, "Static", VERDICT_EMPTY, VERDICT_LABEL_STYLE, cell.verdict.x,
                       cell.verdict.y, cell.verdictWidth, 21, id + VERDICT_LABEL_OFFSET);
        } else {
            UseGuiFont(AddControl(panel, "Static", VERDICT_EMPTY, VERDICT_LABEL_STYLE,
                                  cell.box.x + cell.boxWidth - 45, y + 1, 60, 17,
                                  id + VERDICT_LABEL_OFFSET));
        }
        GradeBox(quiz, panel, id);
    }
}

// The cells of questions 1, 2, ... in turn; how many were built, fewer than
// the quiz has when a film player cannot be made.
int AddCells(HWND panel, const QuizRecord& quiz, SavedAnswers& saved)
{
    MediaIcons icons = {};
    if (quiz.layoutKind == LAYOUT_AUDIO || quiz.layoutKind == LAYOUT_VIDEO)
        icons = {LoadIconA(g_instance, MAKEINTRESOURCEA(PLAY_ICON)),
                 LoadIconA(g_instance, MAKEINTRESOURCEA(STOP_ICON))};
    for (int i = 1; i <= quiz.questionCount; ++i) {
        const CellGeometry cell = CellAt(quiz, i);
        switch (quiz.layoutKind) {
        case LAYOUT_TEXT:
            AddQuestionText(panel, quiz, i, cell);
            break;
        case LAYOUT_PICTURE:
            AddPicture(panel, i, cell);
            break;
        case LAYOUT_AUDIO:
            AddSoundButtons(panel, i, cell, icons);
            break;
        case LAYOUT_VIDEO:
            if (!AddFilmControls(panel, i, cell, icons))
                return i - 1;
            break;
        default:
            break;
        }
        char number[16];
        wsprintfA(number, "%d.", i);
        AddControl(panel, "Static", number, VISIBLE_CHILD | SS_RIGHT, cell.number.x, cell.number.y,
                   19, 17, NUMBER_LABEL_ID);
        AddAnswerBoxes(panel, quiz, i, cell, saved);
    }
    return quiz.questionCount;
}

void BuildCells(HWND panel)
{
    const QuizRecord& quiz = *g_quiz;
    UpdateScrollExtents(panel);
    StartPictureLoading(panel, quiz.layoutKind == LAYOUT_PICTURE ? quiz.questionCount : 0);
    if (quiz.answersPerQuestion == 2)
        AddAnswerCaptions(panel, quiz);
    SavedAnswers saved = OpenSavedAnswers();
    const int built = AddCells(panel, quiz, saved);
    CloseSavedAnswers(saved);
    // Single boxes take the focus as they are made, so it ends in the last
    // one; focusing each in turn only graded each again, a round trip to the
    // window system per box.
    if (quiz.answersPerQuestion != 2 && built > 0)
        SetFocus(PanelItem(panel, ANSWER_BOX_BASE + built));
    UpdateScore(quiz, panel);
    ShowFirstScreenPictures(panel, PanelSize(GetParent(panel)).cy);
}

INT_PTR Painted(HDC dc, COLORREF colour, HBRUSH brush)
{
    SetBkColor(dc, colour);
    return reinterpret_cast<INT_PTR>(brush);
}

// Labels take the panel's colour, question texts light yellow, and verdicts
// the colour of what they say now; "?" and everything else the system's.
INT_PTR OnCtlColorStatic(HDC dc, HWND control)
{
    const QuizRecord& quiz = *g_quiz;
    const int id = GetDlgCtrlID(control);
    const int boxCount = BoxesPerQuestion(quiz.answersPerQuestion) * quiz.questionCount;
    if (id == NUMBER_LABEL_ID || id == ANSWER_CAPTION_ID ||
        (id > REVEAL_LABEL_BASE && id <= REVEAL_LABEL_BASE + boxCount)) {
        if (!quiz.backgroundBrush)
            return FALSE;
        return Painted(dc, quiz.backgroundColour, static_cast<HBRUSH>(quiz.backgroundBrush));
    }
    if (id == QUESTION_LABEL_ID)
        return Painted(dc, QUESTION_LABEL_COLOUR, VerdictBrush(QUESTION_LABEL_COLOUR));
    if (id > VERDICT_LABEL_BASE && id <= VERDICT_LABEL_BASE + boxCount) {
        char verdict[TEXT_SIZE] = {};
        GetWindowTextA(control, verdict, TEXT_SIZE);
        const COLORREF colour = VerdictColour(verdict);
        if (colour == NO_VERDICT_COLOUR)
            return FALSE;
        return Painted(dc, colour, VerdictBrush(colour));
    }
    return FALSE;
}

// Only clicks (notification 0) on the media buttons of questions 1 to 90
// count, and only where there are media.
void OnCommand(HWND panel, WPARAM wParam)
{
    const int kind = g_quiz->layoutKind;
    if (kind != LAYOUT_AUDIO && kind != LAYOUT_VIDEO)
        return;
    const int id = static_cast<int>(wParam);
    if (id > PLAY_BUTTON_BASE && id <= PLAY_BUTTON_BASE + MAX_QUESTIONS)
        PlayQuestionMedia(panel, id - PLAY_BUTTON_BASE);
    else if (id > STOP_BUTTON_BASE && id <= STOP_BUTTON_BASE + MAX_QUESTIONS)
        StopQuestionMedia(panel, id - STOP_BUTTON_BASE);
}

} // namespace

HWND CreatePanel(HWND mainWindow)
{
    return CreateDialogParamA(g_instance, MAKEINTRESOURCEA(PANEL_TEMPLATE), mainWindow,
                              PanelDialogProc, 0);
}

INT_PTR CALLBACK PanelDialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        BuildCells(panel);
        return TRUE;
    case WM_SIZE:
        ResizePanel(panel);
        return FALSE;
    case WM_VSCROLL:
        ScrollPanel(panel, SB_VERT, LOWORD(wParam));
        return FALSE;
    case WM_HSCROLL:
        ScrollPanel(panel, SB_HORZ, LOWORD(wParam));
        return FALSE;
    case WM_MOUSEWHEEL:
        // Handled here: passed on, it would reach the main window, which
        // scrolls the panel for it a second time.
        PostWheelScroll(panel, wParam);
        return TRUE;
    case WM_COMMAND:
        OnCommand(panel, wParam);
        return FALSE;
    case WM_PICTURE_READY:
        ShowLoadedPicture(panel, static_cast<int>(wParam));
        return TRUE;
    case WM_DESTROY:
        StopPictureLoading();
        return FALSE;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(g_quiz->backgroundBrush);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
        return FALSE;
    }
}
