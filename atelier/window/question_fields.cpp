#include "atelier/window/question_fields.h"

#include "atelier/document/question_editing.h"
#include "atelier/window/atelier_state.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/dialogs.h"
#include "atelier/window/pane_messages.h"
#include "authoring/packing/windows_platform.h"
#include "authoring/source/answer_trial.h"
#include "authoring/source/source_check.h"
#include "checking/verdict.h"
#include "quiz/text_encoding.h"
#include "win32/verdict_brush.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr int FIELDS[] = {IDC_ANSWER, IDC_SECOND_ANSWER,  IDC_QUESTION_TEXT,
                          IDC_MEDIUM, IDC_REVEAL_PICTURE, IDC_REVEAL_TEXT};

SourceQuestion* Current()
{
    auto& questions = g_document.source.questions;
    return g_current >= 0 && g_current < static_cast<int>(questions.size()) ? &questions[g_current]
                                                                            : nullptr;
}

SourceText* ValueOf(SourceQuestion& question, int id)
{
    switch (id) {
    case IDC_ANSWER:
        return &question.answer;
    case IDC_SECOND_ANSWER:
        return &question.secondAnswer;
    case IDC_QUESTION_TEXT:
        return &question.questionText;
    case IDC_MEDIUM:
        return QuestionMedium(question, g_document.source.layoutKind);
    case IDC_REVEAL_PICTURE:
        return &question.revealPicture;
    case IDC_REVEAL_TEXT:
        return &question.revealText;
    default:
        return nullptr;
    }
}

// A box's other spellings, one a line in their field.
std::vector<SourceText>* AlternativesOf(SourceQuestion& question, int id)
{
    if (id == IDC_OTHER_ANSWERS)
        return &question.otherAnswers;
    if (id == IDC_OTHER_SECOND_ANSWERS)
        return &question.otherSecondAnswers;
    return nullptr;
}

bool IsPathField(int id)
{
    return id == IDC_MEDIUM || id == IDC_REVEAL_PICTURE;
}

// The quiz colour's brush, made again when the colour changes.
HBRUSH QuizColourBrush()
{
    static HBRUSH brush = nullptr;
    static COLORREF made = 0;
    if (!brush || made != QuizColour()) {
        if (brush)
            DeleteObject(brush);
        made = QuizColour();
        brush = CreateSolidBrush(made);
    }
    return brush;
}

void ChooseMedium(bool reveal)
{
    static const FileChoice CHOICES[] = {FileChoice::Picture, FileChoice::Picture,
                                         FileChoice::Sound, FileChoice::Film};
    SourceQuestion* question = Current();
    const int layout = g_document.source.layoutKind;
    if (!question || layout <= LAYOUT_TEXT)
        return;
    const SourceText* value = reveal ? &question->revealPicture : ValueOf(*question, IDC_MEDIUM);
    // Where the last file came from, else the quiz's folder.
    const std::string folder =
        value->value.empty() ? g_document.folder
                             : std::filesystem::u8path(MediumFile(g_document.folder, value->value))
                                   .parent_path()
                                   .u8string();
    std::vector<std::string> paths;
    if (ChooseFilesToOpen(g_mainWindow, reveal ? FileChoice::Picture : CHOICES[layout], folder,
                          paths))
        SetQuestionMedium(g_current, paths[0], reveal);
}

} // namespace

void ShowQuestionFields()
{
    SourceQuestion* question = Current();
    g_filling = true;
    const std::wstring group =
        question ? L"Question " + std::to_wstring(g_current + 1) : std::wstring(L"Question");
    SetWindowTextW(Control(IDC_QUESTION_GROUP), group.c_str());
    for (int id : FIELDS) {
        const SourceText* value = question ? ValueOf(*question, id) : nullptr;
        SetControlText(id, value ? value->value : "");
    }
    for (int id : {IDC_OTHER_ANSWERS, IDC_OTHER_SECOND_ANSWERS})
        SetControlText(id, question ? AlternativesText(*AlternativesOf(*question, id)) : "");
    SetControlText(IDC_TRY_ANSWER, "");
    SetControlText(IDC_TRY_SECOND_ANSWER, "");
    g_filling = false;
    UpdateTrial();
}

bool OnQuestionFieldCommand(int id, int code)
{
    if (std::find(std::begin(FIELDS), std::end(FIELDS), id) != std::end(FIELDS)) {
        if (code == EN_SETFOCUS && IsPathField(id))
            SendMessageW(g_mainWindow, WM_PICTURE_FIELD_CHOSEN, id == IDC_REVEAL_PICTURE, 0);
        SourceQuestion* question = Current();
        SourceText* value = question ? ValueOf(*question, id) : nullptr;
        if (code != EN_CHANGE || g_filling || !value)
            return true;
        const std::string text = ControlText(id);
        SetValue(*value, IsPathField(id) ? AsSourcePath(text) : text);
        SendMessageW(g_mainWindow, WM_QUESTION_CHANGED, g_current, id);
        if (!IsPathField(id))
            UpdateTrial();
        return true;
    }
    switch (id) {
    case IDC_OTHER_ANSWERS:
    case IDC_OTHER_SECOND_ANSWERS:
        if (code == EN_CHANGE && !g_filling && Current()) {
            SetAlternatives(*AlternativesOf(*Current(), id), ControlText(id));
            SendMessageW(g_mainWindow, WM_QUESTION_CHANGED, g_current, id);
            UpdateTrial();
        }
        return true;
    case IDC_TRY_ANSWER:
    case IDC_TRY_SECOND_ANSWER:
        if (code == EN_CHANGE)
            UpdateTrial();
        return true;
    case IDC_MEDIUM_PICK:
    case IDC_REVEAL_PICTURE_PICK:
        if (code == BN_CLICKED)
            ChooseMedium(id == IDC_REVEAL_PICTURE_PICK);
        return true;
    case IDC_PLAY:
    case IDC_STOP:
        if (code == BN_CLICKED)
            SendMessageW(g_mainWindow, WM_PLAY_CHOSEN, id == IDC_PLAY, 0);
        return true;
    default:
        return false;
    }
}

void UpdateTrial()
{
    QuizRecord record;
    QuizRules rules;
    std::vector<Problem> unused;
    CheckQuizSource(AppliedSource(g_document), record, rules, unused);
    const struct {
        int answer;
        int verdict;
    } boxes[] = {{IDC_TRY_ANSWER, IDC_TRY_VERDICT},
                 {IDC_TRY_SECOND_ANSWER, IDC_TRY_SECOND_VERDICT}};
    std::string remarks;
    bool typed = false;
    for (int box = 1; box <= (g_document.twoAnswers ? 2 : 1); ++box) {
        const std::string answer = ControlText(boxes[box - 1].answer);
        std::string verdict;
        if (!answer.empty() && g_current >= 0 && g_current < record.questionCount) {
            const Trial trial = GradeTrial(record, {g_current + 1, box}, answer, &rules);
            if (trial.verdict)
                verdict = Windows1252ToUtf8(trial.verdict);
            for (const std::string& remark : trial.remarks)
                remarks += (remarks.empty() ? "" : "\n") + remark;
            typed = true;
        }
        SetControlText(boxes[box - 1].verdict, verdict);
        InvalidateRect(Control(boxes[box - 1].verdict), nullptr, TRUE);
    }
    if (!typed)
        remarks = u8"Tapez ici ce qu'un élève taperait : le verdict du lecteur s'affiche à côté, "
                  u8"dans sa couleur.";
    SetControlText(IDC_TRY_REMARKS, remarks);
}

HBRUSH ColouredStaticBrush(HDC dc, HWND control)
{
    const int id = GetDlgCtrlID(control);
    if (id == IDC_COLOUR_SWATCH) {
        SetBkColor(dc, QuizColour());
        return QuizColourBrush();
    }
    if (id != IDC_TRY_VERDICT && id != IDC_TRY_SECOND_VERDICT)
        return nullptr;
    // The player's verdict texts are Windows-1252: the label's, read back.
    wchar_t text[64] = {};
    GetWindowTextW(control, text, 64);
    std::vector<char32_t> unused;
    const std::string verdict = Utf8ToWindows1252(Narrow(text), unused);
    const uint32_t colour = verdict.empty() ? NO_VERDICT_COLOUR : VerdictColour(verdict.c_str());
    if (colour == NO_VERDICT_COLOUR)
        return nullptr;
    SetBkColor(dc, colour);
    return VerdictBrush(colour);
}

void SetQuestionMedium(int index, const std::string& file, bool reveal)
{
    auto& questions = g_document.source.questions;
    if (index < 0 || index >= static_cast<int>(questions.size()))
        return;
    // What the player cannot play is not taken: the teacher is told how to
    // convert it.
    const std::string advice = UnplayedMediaAdvice({file});
    if (!advice.empty()) {
        Tell(g_mainWindow, Widen(advice), MB_ICONINFORMATION);
        return;
    }
    SourceQuestion& question = questions[index];
    SourceText* value = reveal ? &question.revealPicture : ValueOf(question, IDC_MEDIUM);
    if (!value)
        return;
    SetValue(*value, MediumValue(g_document.folder, file));
    // A question without an answer yet takes the one its file's name gives.
    if (!reveal && question.answer.value.empty())
        SetValue(question.answer, AnswerFromFileName(file));
    if (index == g_current) {
        g_filling = true;
        SetControlText(reveal ? IDC_REVEAL_PICTURE : IDC_MEDIUM, value->value);
        SetControlText(IDC_ANSWER, question.answer.value);
        g_filling = false;
        SendMessageW(g_mainWindow, WM_PICTURE_FIELD_CHOSEN, reveal, 0);
        UpdateTrial();
    }
    SendMessageW(g_mainWindow, WM_QUESTION_CHANGED, index,
                 reveal ? IDC_REVEAL_PICTURE : IDC_MEDIUM);
}
