#include "atelier/window/question_list.h"

#include "atelier/document/question_editing.h"
#include "atelier/window/atelier_state.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/dialogs.h"
#include "atelier/window/editor_controls.h"
#include "atelier/window/pane_messages.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/windows_platform.h"
#include "quiz/media_format.h"
#include "quiz/quiz_record.h"
#include "win32/wide_text.h"

#include <algorithm>

namespace {

HWND List()
{
    return Control(IDC_QUESTION_LIST);
}

void SetCell(int row, int column, const std::wstring& text)
{
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(List(), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

// Events that the list sends while the atelier itself selects a row are
// not the teacher's.
bool g_selecting = false;

// The question deleted last, which Rétablir puts back at its place.
struct Deleted {
    bool held = false;
    int index = 0;
    SourceQuestion question;
};
Deleted g_deleted;

void ShowQuestionsFrom(int selected)
{
    FillQuestionList();
    SendMessageW(g_mainWindow, WM_QUESTIONS_CHANGED, selected, 0);
}

void Add()
{
    const int index = AddQuestion(g_document, g_current);
    ShowQuestionsFrom(index);
    FocusField(Control(IDC_ANSWER));
}

void Delete()
{
    const int count = static_cast<int>(g_document.source.questions.size());
    if (g_current < 0 || g_current >= count)
        return;
    g_deleted = {true, g_current, g_document.source.questions[g_current]};
    DeleteQuestion(g_document, g_current);
    const int number = g_current + 1;
    ShowQuestionsFrom(std::min(g_current, count - 2));
    SetStatus(L"Question " + std::to_wstring(number) +
              L" supprimée. Questions, Rétablir la question supprimée, la remet à sa place.");
}

void Restore()
{
    if (!g_deleted.held)
        return;
    auto& questions = g_document.source.questions;
    const int index = std::min(g_deleted.index, static_cast<int>(questions.size()));
    questions.insert(questions.begin() + index, g_deleted.question);
    g_deleted.held = false;
    ShowQuestionsFrom(index);
    SetStatus(L"Question " + std::to_wstring(index + 1) + L" rétablie.");
}

void Move(int offset)
{
    if (!MoveQuestion(g_document, g_current, offset))
        return;
    UpdateQuestionRow(g_current);
    UpdateQuestionRow(g_current + offset);
    SendMessageW(g_mainWindow, WM_QUESTIONS_CHANGED, g_current + offset, 0);
}

void ChooseFilesForQuestions()
{
    static const FileChoice CHOICES[] = {FileChoice::Pictures, FileChoice::Pictures,
                                         FileChoice::Sounds, FileChoice::Films};
    const int layout = g_document.source.layoutKind;
    if (layout <= LAYOUT_TEXT) {
        SetStatus(L"La disposition « texte » n'a pas de médias : ajoutez les questions une à une.");
        return;
    }
    std::vector<std::string> paths;
    if (ChooseFilesToOpen(g_mainWindow, CHOICES[layout], g_document.folder, paths))
        AddQuestionsForFiles(paths, g_current);
}

} // namespace

void PrepareQuestionList()
{
    // The last column's title follows the layout (FillQuestionList).
    PrepareList(IDC_QUESTION_LIST, {{L"N°", 5, true}, {L"Réponse", 34}, {L"", 44}});
}

void FillQuestionList()
{
    HWND list = List();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    // The columns' titles follow the layout and the answers per question.
    static const wchar_t* const SHOWN[] = {L"Intitulé", L"Image", L"Son", L"Vidéo"};
    const int layout = g_document.source.layoutKind;
    const wchar_t* const titles[] = {
        g_document.twoAnswers ? L"Réponses" : L"Réponse",
        SHOWN[layout >= LAYOUT_TEXT && layout <= LAYOUT_VIDEO ? layout : LAYOUT_TEXT]};
    for (int column = 1; column <= 2; ++column) {
        LVCOLUMNW header = {};
        header.mask = LVCF_TEXT;
        header.pszText = const_cast<wchar_t*>(titles[column - 1]);
        SendMessageW(list, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
    }
    g_selecting = true;
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const int count = static_cast<int>(g_document.source.questions.size());
    for (int i = 0; i < count; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        const std::wstring number = std::to_wstring(i + 1);
        item.pszText = const_cast<wchar_t*>(number.c_str());
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        UpdateQuestionRow(i);
    }
    g_selecting = false;
    SelectQuestionRow(g_current);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void UpdateQuestionRow(int index)
{
    if (index < 0 || index >= static_cast<int>(g_document.source.questions.size()))
        return;
    SetCell(index, 0, std::to_wstring(index + 1));
    SetCell(index, 1, Widen(AnswersOf(g_document, index)));
    SetCell(index, 2, Widen(ShownOf(g_document, index)));
}

void SelectQuestionRow(int index)
{
    g_selecting = true;
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (index < 0) {
        item.state = 0;
        SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&item));
    } else {
        SendMessageW(List(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
        SendMessageW(List(), LVM_ENSUREVISIBLE, index, FALSE);
    }
    g_selecting = false;
}

LRESULT OnQuestionListNotify(const NMHDR& header)
{
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!g_selecting && (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
            !(change.uOldState & LVIS_SELECTED))
            SendMessageW(g_mainWindow, WM_QUESTION_CHOSEN, change.iItem, 0);
        return 0;
    }
    case LVN_KEYDOWN: {
        const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
        if (key.wVKey == VK_DELETE)
            PostMessageW(g_mainWindow, WM_COMMAND, ID_QUESTION_DELETE, 0);
        return 0;
    }
    case NM_DBLCLK:
    case NM_RETURN:
        // To the question's first field, to type in it.
        FocusField(Control(IDC_ANSWER));
        return 0;
    default:
        return 0;
    }
}

bool OnQuestionCommand(int id)
{
    switch (id) {
    case ID_QUESTION_ADD:
        Add();
        return true;
    case ID_QUESTION_DELETE:
        Delete();
        return true;
    case ID_QUESTION_RESTORE:
        Restore();
        return true;
    case ID_QUESTION_UP:
    case ID_QUESTION_DOWN:
        Move(id == ID_QUESTION_UP ? -1 : +1);
        return true;
    case ID_QUESTION_ADD_FILES:
        ChooseFilesForQuestions();
        return true;
    default:
        return false;
    }
}

void AddQuestionsForFiles(const std::vector<std::string>& files, int after)
{
    std::vector<std::string> kept;
    kept.reserve(files.size());
    for (const std::string& file : files)
        kept.push_back(MediumValue(g_document.folder, file));
    std::vector<std::string> refused;
    const int first = ::AddQuestionsForFiles(g_document, after, kept, refused);
    if (first >= 0)
        ShowQuestionsFrom(first);
    if (refused.empty()) {
        SetStatus(Counted(kept.size(), L"question ajoutée", L"questions ajoutées") + L".");
        return;
    }
    // What KindOfFile takes, WebP and HEIC with the others.
    static const std::wstring TAKEN[] = {
        L"", L"des images (" + Widen(TakenMediaNames(MediaKind::Picture, true)) + L")",
        L"des sons " + Widen(TakenMediaNames(MediaKind::Sound)),
        L"des vidéos " + Widen(TakenMediaNames(MediaKind::Film))};
    const int layout = g_document.source.layoutKind;
    SetStatus(Counted(refused.size(), L"fichier laissé de côté", L"fichiers laissés de côté") +
              L" (" + Widen(FileName(refused[0])) + (refused.size() > 1 ? L"…" : L"") + L") : " +
              (layout > LAYOUT_TEXT ? std::wstring(L"ce quiz prend ") + TAKEN[layout]
                                    : std::wstring(L"la disposition « texte » n'a pas de médias")) +
              L".");
    const std::string advice = UnplayedMediaAdvice(refused);
    if (!advice.empty())
        Tell(g_mainWindow, Widen(advice), MB_ICONINFORMATION);
}

int QuestionAtPoint(POINT screen)
{
    RECT bounds;
    GetWindowRect(List(), &bounds);
    if (!PtInRect(&bounds, screen))
        return -2;
    LVHITTESTINFO hit = {};
    hit.pt = screen;
    ScreenToClient(List(), &hit.pt);
    const int row =
        static_cast<int>(SendMessageW(List(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return row >= 0 && (hit.flags & LVHT_ONITEM) ? row : -1;
}
