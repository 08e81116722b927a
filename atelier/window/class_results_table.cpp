#include "atelier/window/class_results_table.h"

#include "atelier/window/atelier_state.h"
#include "atelier/window/class_results_view.h"
#include "authoring/packing/windows_platform.h"
#include "checking/verdict.h"
#include "quiz/text_encoding.h"
#include "win32/font_metrics.h"
#include "win32/wide_text.h"

#include <algorithm>

namespace {

constexpr COLORREF ALTERED_TEXT = RGB(128, 128, 128);
constexpr COLORREF RATES_BACKGROUND = RGB(235, 235, 235);
// A box's column, in the font's average characters.
constexpr int MIN_BOX_CHARACTERS = 7;
constexpr int MAX_BOX_CHARACTERS = 18;

std::wstring FromWindows1252(const std::string& bytes)
{
    return Widen(Windows1252ToUtf8(bytes));
}

int BoxCount()
{
    const QuizRecord& quiz = *g_classResults.quiz;
    return quiz.questionCount * BoxesPerQuestion(quiz);
}

// Which of a question's two boxes: its caption, or a and b.
std::wstring BoxCaption(int box)
{
    const QuizRecord& quiz = *g_classResults.quiz;
    const char* caption = box % 2 ? quiz.secondAnswerCaption : quiz.firstAnswerCaption;
    return *caption ? FromWindows1252(caption) : std::wstring(box % 2 ? L"b" : L"a");
}

// A box's heading: its question's number, and the box's with two a question.
std::wstring BoxTitle(int box)
{
    const int per = BoxesPerQuestion(*g_classResults.quiz);
    return L"Q" + std::to_wstring(box / per + 1) + (per == 2 ? L" " + BoxCaption(box) : L"");
}

void AddColumn(HWND list, int index, const std::wstring& title, int width, bool right)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    column.fmt = right ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.pszText = const_cast<wchar_t*>(title.c_str());
    column.cx = width;
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int row, int column, const std::wstring& text)
{
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::wstring Rate(int solved, int counted)
{
    if (counted == 0)
        return L"–";
    return std::to_wstring((solved * 100 + counted / 2) / counted) + L" %";
}

int RowCount()
{
    return static_cast<int>(g_classResults.results.pupils.size()) + 1;
}

bool IsRatesRow(int row)
{
    return row == static_cast<int>(g_classResults.results.pupils.size());
}

void ShowChosen(HWND list)
{
    InvalidateRect(list, nullptr, FALSE);
    // The window shows the chosen cell whole, the question's wrong answers
    // and its bar.
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void ChooseColumn(HWND list, int column)
{
    const int columns = FIRST_BOX_COLUMN + BoxCount();
    g_classResults.column = std::clamp(column, 0, columns - 1);
    // Scrolled so that the cell shows.
    RECT cell = {};
    const int row = std::max(g_classResults.row, 0);
    cell.top = g_classResults.column;
    cell.left = LVIR_BOUNDS;
    if (SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) {
        RECT client;
        GetClientRect(list, &client);
        if (cell.left < 0)
            SendMessageW(list, LVM_SCROLL, cell.left, 0);
        else if (cell.right > client.right)
            SendMessageW(list, LVM_SCROLL, std::min(cell.right - client.right, cell.left), 0);
    }
    ShowChosen(list);
}

// The arrows left and right move from cell to cell, as in a spreadsheet;
// the list would scroll by a few pixels.
LRESULT CALLBACK TableKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR)
{
    if (message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT)) {
        ChooseColumn(list, std::max(g_classResults.column, 0) + (wParam == VK_LEFT ? -1 : 1));
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(list, TableKeys, 0);
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT OnCustomDraw(HWND list, NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
        return CDRF_NOTIFYSUBITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int row = static_cast<int>(draw.nmcd.dwItemSpec);
        const int column = draw.iSubItem;
        // The chosen row's verdicts keep their colours: only its name is
        // highlighted, the chosen cell framed.
        const bool chosen = row == g_classResults.row;
        draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
        draw.clrText = GetSysColor(chosen && column == 0 ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        draw.clrTextBk = GetSysColor(chosen && column == 0 ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        if ((column == 0 && chosen) || row >= RowCount())
            return CDRF_NEWFONT;
        if (IsRatesRow(row)) {
            draw.clrTextBk = RATES_BACKGROUND;
            return CDRF_NEWFONT;
        }
        const PupilRow& pupil = g_classResults.results.pupils[static_cast<size_t>(row)];
        if (pupil.altered)
            draw.clrText = ALTERED_TEXT;
        const size_t box = static_cast<size_t>(column - FIRST_BOX_COLUMN);
        if (column >= FIRST_BOX_COLUMN && box < pupil.verdicts.size()) {
            const uint32_t colour = VerdictColour(pupil.verdicts[box]);
            if (colour != NO_VERDICT_COLOUR) {
                draw.clrTextBk = colour;
                // Dark text on the player's bright colours, grey when the
                // pupil's work was altered.
                if (!pupil.altered)
                    draw.clrText = RGB(0, 0, 0);
            }
        }
        return CDRF_NEWFONT;
    }
    case CDDS_ITEMPOSTPAINT: {
        // The chosen cell framed, as a spreadsheet frames it.
        const int row = static_cast<int>(draw.nmcd.dwItemSpec);
        if (row != g_classResults.row || g_classResults.column < 0)
            return CDRF_DODEFAULT;
        RECT cell = {};
        cell.top = g_classResults.column;
        cell.left = LVIR_BOUNDS;
        if (g_classResults.column == 0) {
            cell.left = LVIR_LABEL;
            SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
        } else {
            SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
        }
        const bool focused = GetFocus() == list;
        HBRUSH frame = CreateSolidBrush(focused ? RGB(0, 0, 0) : RGB(96, 96, 96));
        FrameRect(draw.nmcd.hdc, &cell, frame);
        InflateRect(&cell, -1, -1);
        FrameRect(draw.nmcd.hdc, &cell, frame);
        DeleteObject(frame);
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void OnClick(HWND list, const NMITEMACTIVATE& click)
{
    LVHITTESTINFO hit = {};
    hit.pt = click.ptAction;
    if (SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0)
        return;
    g_classResults.row = hit.iItem;
    LVITEMW state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, hit.iItem, reinterpret_cast<LPARAM>(&state));
    ChooseColumn(list, hit.iSubItem);
}

} // namespace

void PrepareResultsTable(HWND list)
{
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    while (SendMessageW(list, LVM_DELETECOLUMN, 0, 0)) {
    }
    const int character = FontMetrics(list, g_font).tmAveCharWidth;
    AddColumn(list, 0, L"Élève", 24 * character, false);
    AddColumn(list, 1, L"Score", 8 * character, true);
    for (int box = 0; box < BoxCount(); ++box)
        AddColumn(list, FIRST_BOX_COLUMN + box, BoxTitle(box), MIN_BOX_CHARACTERS * character,
                  false);
    SetWindowSubclass(list, TableKeys, 0, 0);
}

void FillResultsTable(HWND list)
{
    const ClassResults& results = g_classResults.results;
    const QuizRecord& quiz = *g_classResults.quiz;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < RowCount(); ++row) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        std::wstring name;
        if (IsRatesRow(row))
            name = L"Réussite (sur " + std::to_wstring(results.counted) + L")";
        else
            name = Widen(results.pupils[static_cast<size_t>(row)].name) +
                   (results.pupils[static_cast<size_t>(row)].altered ? L" (modifié)" : L"");
        item.pszText = name.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (IsRatesRow(row)) {
            const int per = BoxesPerQuestion(quiz);
            for (size_t question = 0; question < results.questions.size(); ++question)
                SetCell(list, row, FIRST_BOX_COLUMN + static_cast<int>(question) * per,
                        Rate(results.questions[question].solved, results.counted));
            continue;
        }
        const PupilRow& pupil = results.pupils[static_cast<size_t>(row)];
        SetCell(list, row, 1,
                std::to_wstring(pupil.score) + L" / " + std::to_wstring(quiz.questionCount));
        for (size_t box = 0; box < pupil.typed.size(); ++box)
            SetCell(list, row, FIRST_BOX_COLUMN + static_cast<int>(box),
                    FromWindows1252(pupil.typed[box]));
    }
    if (g_classResults.row >= RowCount())
        g_classResults.row = -1;
    if (g_classResults.row >= 0) {
        LVITEMW state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, g_classResults.row, reinterpret_cast<LPARAM>(&state));
    }
    // Each box's column as wide as what was typed there, within bounds.
    const int character = FontMetrics(list, g_font).tmAveCharWidth;
    for (int column = FIRST_BOX_COLUMN; column < FIRST_BOX_COLUMN + BoxCount(); ++column) {
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE_USEHEADER);
        const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageW(
            list, LVM_SETCOLUMNWIDTH, column,
            std::clamp(width, MIN_BOX_CHARACTERS * character, MAX_BOX_CHARACTERS * character));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

LRESULT OnResultsTableNotify(HWND list, const NMHDR& header)
{
    switch (header.code) {
    case NM_CUSTOMDRAW:
        return OnCustomDraw(list, *reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    case NM_CLICK:
        OnClick(list, reinterpret_cast<const NMITEMACTIVATE&>(header));
        return 0;
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uNewState & LVIS_FOCUSED) && !(change.uOldState & LVIS_FOCUSED) &&
            change.iItem != g_classResults.row) {
            g_classResults.row = change.iItem;
            if (g_classResults.column < 0)
                g_classResults.column = 0;
            ShowChosen(list);
        }
        return 0;
    }
    case NM_SETFOCUS:
    case NM_KILLFOCUS:
        InvalidateRect(list, nullptr, FALSE);
        return 0;
    default:
        return 0;
    }
}

std::wstring ChosenCellText()
{
    const ClassResults& results = g_classResults.results;
    const int row = g_classResults.row;
    const int column = g_classResults.column;
    if (row < 0 || row >= RowCount() || column < 0)
        return L"";
    const QuizRecord& quiz = *g_classResults.quiz;
    const int question = QuestionOfColumn(column);
    if (question >= static_cast<int>(results.questions.size()))
        return L"";
    if (IsRatesRow(row)) {
        if (question < 0)
            return L"La dernière ligne donne la part des élèves comptés qui ont trouvé chaque "
                   L"question ; les travaux modifiés ne sont pas comptés.";
        const QuestionFigures& figures = results.questions[static_cast<size_t>(question)];
        return L"Question " + std::to_wstring(question + 1) + L" : " +
               std::to_wstring(figures.solved) + L" sur " + std::to_wstring(results.counted) +
               L" l'ont trouvée (" + Rate(figures.solved, results.counted) + L").";
    }
    const PupilRow& pupil = results.pupils[static_cast<size_t>(row)];
    const std::wstring who =
        Widen(pupil.name) + (pupil.altered ? L" (travail modifié, non compté)" : L"");
    if (question < 0)
        return who + L" : " + std::to_wstring(pupil.score) + L" / " +
               std::to_wstring(quiz.questionCount) + L", rendu le " + Widen(pupil.date) + L" (" +
               Widen(pupil.from) + L").";
    const size_t box = static_cast<size_t>(column - FIRST_BOX_COLUMN);
    std::wstring where = L"question " + std::to_wstring(question + 1);
    if (BoxesPerQuestion(quiz) == 2)
        where += L", " + BoxCaption(static_cast<int>(box));
    // The quiz's answer beside what was typed, for the teacher to compare.
    const QuestionRecord* asked = QuestionAt(quiz, question);
    const std::wstring expected =
        asked ? L" (attendu : « " +
                    FromWindows1252(box % 2 && BoxesPerQuestion(quiz) == 2 ? asked->secondAnswer
                                                                           : asked->answer) +
                    L" »)"
              : L"";
    const std::string typed = box < pupil.typed.size() ? pupil.typed[box] : "";
    const char* verdict = box < pupil.verdicts.size() ? pupil.verdicts[box] : nullptr;
    if (typed.empty())
        return who + L", " + where + L" : rien d'écrit" + expected + L".";
    const bool right = verdict && std::string(verdict) == VERDICT_BRAVO;
    return who + L", " + where + L" : « " + FromWindows1252(typed) + L" », " +
           (verdict ? FromWindows1252(verdict) : L"") + (right ? L"" : expected) + L".";
}
