#include "player/answer_grading.h"

#include "checking/question_grading.h"
#include "checking/verdict.h"
#include "player/answer_box.h"
#include "player/app_globals.h"
#include "player/header_bar.h"
#include "player/panel_controls.h"
#include "player/question_picture.h"

namespace {

// Enough to tell "BRAVO" from every other verdict.
constexpr int VERDICT_PEEK_SIZE = 10;

// Writes the text unless the control shows it already: each write is a round
// trip to the window system, and F1 makes hundreds. A missing control is
// left alone.
void Show(HWND control, const char* text)
{
    char shown[TEXT_SIZE] = {};
    if (!control)
        return;
    GetWindowTextA(control, shown, TEXT_SIZE);
    if (lstrcmpA(shown, text) != 0)
        SetWindowTextA(control, text);
}

} // namespace

void GradeBox(const QuizRecord& quiz, HWND panel, int boxId)
{
    const BoxPlace place = PlaceOfBox(quiz.answersPerQuestion, boxId);
    const QuestionRecord* question = QuestionAt(quiz, place.question - 1);
    if (!question)
        return;
    const int boxes = BoxesPerQuestion(quiz.answersPerQuestion);
    const int box = place.second ? 1 : 0;
    char texts[MAX_BOXES_PER_QUESTION][TEXT_SIZE] = {};
    for (int j = 0; j < boxes; ++j)
        GetWindowTextA(PanelItem(panel, boxId - box + j), texts[j], TEXT_SIZE);
    const QuestionGrade grade = GradeQuestion(quiz, *question, {texts[0], texts[1]}, g_rules);

    switch (RevealAfterGrading(quiz, grade, box)) {
    case RevealChange::Show:
        if (quiz.revealMode == REVEAL_PICTURE)
            ShowRevealPicture(panel, place.question);
        else
            Show(PanelItem(panel, REVEAL_LABEL_BASE + place.question), question->revealText);
        break;
    case RevealChange::Hide:
        Show(PanelItem(panel, REVEAL_LABEL_BASE + place.question), "");
        break;
    case RevealChange::Keep:
        break;
    }
    Show(PanelItem(panel, boxId + VERDICT_LABEL_OFFSET), grade.verdicts[box]);
}

void CheckAnswer(const QuizRecord& quiz, HWND panel, int boxId)
{
    GradeBox(quiz, panel, boxId);
    UpdateScore(quiz, panel);
}

void UpdateScore(const QuizRecord& quiz, HWND panel)
{
    const int boxes = BoxesPerQuestion(quiz.answersPerQuestion);
    int solved = 0;
    for (int i = 1; i <= quiz.questionCount; ++i) {
        char verdicts[MAX_BOXES_PER_QUESTION][VERDICT_PEEK_SIZE] = {};
        for (int j = 0; j < boxes; ++j)
            GetWindowTextA(PanelItem(panel, VERDICT_LABEL_BASE + boxes * (i - 1) + j + 1),
                           verdicts[j], VERDICT_PEEK_SIZE);
        solved += IsSolved(quiz, {verdicts[0], verdicts[1]});
    }
    HWND header = GetParent(panel);
    char score[TEXT_SIZE];
    wsprintfA(score, " %d / %d", solved, quiz.questionCount);
    SetDlgItemTextA(header, SCORE_LABEL_ID, score);
    SetDlgItemTextA(header, CODE_LABEL_ID, solved == 0 ? "      " : EarnedCode(quiz, solved));
}

void FillUnsolvedAnswers(HWND box)
{
    // Each filled box is graded as the focus would grade it when moving on
    // to the next one: the box that holds the focus first, then each filled
    // box after the next one has its text. Walking the focus itself costs a
    // round trip to the window system per box, and a recount per grading;
    // the score is counted once at the end.
    HWND panel = GetParent(box);
    char text[TEXT_SIZE] = {};
    GetWindowTextA(box, text, TEXT_SIZE);
    const int boxCount = BoxesPerQuestion(g_quiz->answersPerQuestion) * g_quiz->questionCount;
    HWND focus = box;
    bool moved = false;
    for (int n = 1; n <= boxCount; ++n) {
        char verdict[TEXT_SIZE] = {};
        GetWindowTextA(PanelItem(panel, VERDICT_LABEL_BASE + n), verdict, TEXT_SIZE);
        if (lstrcmpA(verdict, VERDICT_BRAVO) == 0)
            continue;
        HWND filled = PanelItem(panel, ANSWER_BOX_BASE + n);
        SetWindowTextA(filled, text);
        if (filled != focus) {
            GradeBox(*g_quiz, panel, GetDlgCtrlID(focus));
            focus = filled;
            moved = true;
        }
    }
    if (!moved)
        return;
    if (focus != box)
        GradeBox(*g_quiz, panel, GetDlgCtrlID(focus));
    // As when the focus comes back: the answer selected, ready to be typed over.
    SendMessageA(box, EM_SETSEL, 0, SELECTION_ON_FOCUS);
    UpdateScore(*g_quiz, panel);
}
