// A small quiz and the work its pupils hand in, for the class's results'
// tests.
#pragma once

#include "authoring/results/class_results.h"
#include "quiz/pupil_results.h"

#include <string>
#include <utility>
#include <vector>

inline void MakeQuiz(QuizRecord& quiz, const char* title, int answersPerQuestion,
                     const std::vector<std::pair<const char*, const char*>>& answers)
{
    CopyText(quiz.title, title);
    quiz.answersPerQuestion = answersPerQuestion;
    for (const auto& answer : answers)
        AppendQuestion(quiz, answer.first, answer.second, "");
    quiz.questionCount = static_cast<int32_t>(answers.size());
}

// A results file as the player writes it for the quiz of that title.
inline std::string Work(const std::string& title, const std::string& name, const std::string& date,
                        const std::vector<std::string>& answers)
{
    const std::vector<unsigned char> key = WorkKey(title);
    return WriteResults({QuizIdentity(key), name, date, answers}, key);
}
