#include "atelier/window/problem_list.h"

#include "atelier/document/problem_fields.h"
#include "atelier/window/atelier_state.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/editor_controls.h"
#include "atelier/window/pane_messages.h"
#include "authoring/packing/windows_platform.h"
#include "win32/wide_text.h"

namespace {

std::vector<Problem> g_shown;
bool g_checked = false; // a check has come back

HWND List()
{
    return Control(IDC_PROBLEMS);
}

bool Same(const std::vector<Problem>& a, const std::vector<Problem>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].subject != b[i].subject || a[i].message != b[i].message ||
            a[i].severity != b[i].severity)
            return false;
    return true;
}

int FieldControl(QuizField field)
{
    switch (field) {
    case QuizField::Question:
        return IDC_QUESTION_LIST;
    case QuizField::Answer:
        return IDC_ANSWER;
    case QuizField::SecondAnswer:
        return IDC_SECOND_ANSWER;
    case QuizField::OtherAnswers:
        return IDC_OTHER_ANSWERS;
    case QuizField::OtherSecondAnswers:
        return IDC_OTHER_SECOND_ANSWERS;
    case QuizField::QuestionText:
        return IDC_QUESTION_TEXT;
    case QuizField::Medium:
        return IDC_MEDIUM;
    case QuizField::RevealPicture:
        return IDC_REVEAL_PICTURE;
    case QuizField::RevealText:
        return IDC_REVEAL_TEXT;
    default:
        return QuizFieldControl(field);
    }
}

// Selects the field of the problem, its question shown first.
void GoToProblem(int index)
{
    if (index < 0 || index >= static_cast<int>(g_shown.size()))
        return;
    const FieldPlace place = ProblemField(g_shown[index]);
    if (place.question >= 0 &&
        place.question < static_cast<int>(g_document.source.questions.size()))
        SendMessageW(g_mainWindow, WM_QUESTION_CHOSEN, place.question, 0);
    HWND field = Control(FieldControl(place.field));
    if (!field || !IsWindowVisible(field) || !IsWindowEnabled(field))
        return;
    FocusField(field);
    // A code's own line, in the codes' field.
    if (place.field == QuizField::Codes && place.code >= 0) {
        const int start = static_cast<int>(SendMessageW(field, EM_LINEINDEX, place.code, 0));
        const int length = static_cast<int>(SendMessageW(field, EM_LINELENGTH, start, 0));
        SendMessageW(field, EM_SETSEL, start, start + length);
        SendMessageW(field, EM_SCROLLCARET, 0, 0);
    }
}

std::wstring WhereOf(const Problem& problem)
{
    const std::string where = FieldName(ProblemField(problem), g_document.source.layoutKind);
    return Widen(where.empty() ? "Le quiz" : where);
}

// The problem chosen in the list, or the first, whole under the list: a
// long message that its column cuts is read there without a tooltip to
// find, and several lines of it wrap to the pane's width.
void ShowProblemDetails()
{
    int index = static_cast<int>(
        SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (index < 0 && !g_shown.empty())
        index = 0;
    const std::wstring text = index >= 0 && index < static_cast<int>(g_shown.size())
                                  ? WhereOf(g_shown[index]) + L" : " + Widen(g_shown[index].message)
                                  : std::wstring();
    SetWindowTextW(Control(IDC_PROBLEM_DETAILS), text.c_str());
}

std::wstring Caption(const std::vector<Problem>& problems)
{
    size_t counts[3] = {};
    for (const Problem& problem : problems)
        ++counts[static_cast<int>(problem.severity)];
    if (counts[0] + counts[1] == 0)
        return L"Pro&blèmes : aucun, le quiz est prêt à être essayé et créé";
    std::wstring caption = L"Pro&blèmes : ";
    if (counts[0])
        caption += Counted(counts[0], L"erreur à corriger", L"erreurs à corriger");
    if (counts[1])
        caption +=
            (counts[0] ? L", " : L"") + Counted(counts[1], L"avertissement", L"avertissements");
    return caption;
}

} // namespace

void PrepareProblemList()
{
    PrepareList(IDC_PROBLEMS, {{L"", 12}, {L"Où", 32}, {L"Problème et correction", 150}});
    const int side = GetSystemMetrics(SM_CXSMICON);
    HIMAGELIST icons = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 3, 0);
    for (LPCWSTR icon : {IDI_ERROR, IDI_WARNING, IDI_INFORMATION})
        ImageList_AddIcon(icons, static_cast<HICON>(
                                     LoadImageW(nullptr, icon, IMAGE_ICON, side, side, LR_SHARED)));
    // The list destroys its image list with itself (no LVS_SHAREIMAGELISTS).
    SendMessageW(List(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));
}

void ShowProblems(const std::vector<Problem>& problems)
{
    if (g_checked && Same(problems, g_shown))
        return;
    g_checked = true;
    g_shown = problems;
    static const wchar_t* const SEVERITIES[] = {L"Erreur", L"Attention", L"Note"};
    HWND list = List();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < problems.size(); ++i) {
        const Problem& problem = problems[i];
        const int severity = static_cast<int>(problem.severity);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.iImage = severity;
        item.pszText = const_cast<wchar_t*>(SEVERITIES[severity]);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        const std::wstring texts[] = {WhereOf(problem), Widen(problem.message)};
        for (int column = 1; column <= 2; ++column) {
            LVITEMW cell = {};
            cell.iSubItem = column;
            cell.pszText = const_cast<wchar_t*>(texts[column - 1].c_str());
            SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetWindowTextW(Control(IDC_PROBLEM_GROUP), Caption(problems).c_str());
    ShowProblemDetails();
}

const std::vector<Problem>& ShownProblems()
{
    return g_shown;
}

LRESULT OnProblemListNotify(const NMHDR& header)
{
    if (header.code == LVN_ITEMACTIVATE)
        GoToProblem(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
    else if (header.code == LVN_ITEMCHANGED &&
             (reinterpret_cast<const NMLISTVIEW&>(header).uChanged & LVIF_STATE))
        ShowProblemDetails();
    return 0;
}

void ActivateSelectedProblem()
{
    GoToProblem(static_cast<int>(
        SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
}
