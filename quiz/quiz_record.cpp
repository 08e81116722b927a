#include "quiz/quiz_record.h"

#include <cstdlib>
#include <cstring>

QuizRecord::~QuizRecord()
{
    ClearQuestions(*this);
}

void CopyText(char (&dest)[TEXT_SIZE], const char* src)
{
    size_t length = strnlen(src, MAX_TEXT_LENGTH);
    memcpy(dest, src, length);
    dest[length] = '\0';
}

void AppendQuestion(QuizRecord& quiz, const char* answer, const char* secondAnswer,
                    const char* questionText)
{
    auto* question = static_cast<QuestionRecord*>(calloc(1, sizeof(QuestionRecord)));
    if (!question)
        return;
    CopyText(question->answer, answer);
    CopyText(question->secondAnswer, secondAnswer);
    CopyText(question->questionText, questionText);
    question->previous = quiz.lastQuestion;
    if (quiz.lastQuestion)
        quiz.lastQuestion->next = question;
    else
        quiz.firstQuestion = question;
    quiz.lastQuestion = question;
}

QuestionRecord* QuestionAt(const QuizRecord& quiz, int position)
{
    QuestionRecord* current = quiz.firstQuestion;
    if (!current)
        return nullptr;
    for (int step = 0; step < position && current->next; ++step)
        current = current->next;
    return current;
}

void ClearQuestions(QuizRecord& quiz)
{
    QuestionRecord* current = quiz.firstQuestion;
    while (current) {
        QuestionRecord* next = current->next;
        free(current);
        current = next;
    }
    quiz.firstQuestion = nullptr;
    quiz.lastQuestion = nullptr;
}
