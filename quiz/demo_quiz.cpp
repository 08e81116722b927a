#include "quiz/demo_quiz.h"

void FillDemoQuiz(QuizRecord& quiz)
{
    CopyText(quiz.title, "Nom du quizz");
    CopyText(quiz.author, "Createur quizz");
    CopyText(quiz.explanations, "Explications du quizz");
    CopyText(quiz.firstAnswerCaption, "Pr\351nom - Nom");
    CopyText(quiz.secondAnswerCaption, "Manga / Anime");
    quiz.answersPerQuestion = 2;
    quiz.questionCount = 30;
    quiz.revealMode = REVEAL_NONE;
    quiz.layoutKind = LAYOUT_PICTURE;
    AppendQuestion(quiz, "ulko", "titi", "titi");
    AppendQuestion(quiz, "vorgam", "plouf", "titi");
}
