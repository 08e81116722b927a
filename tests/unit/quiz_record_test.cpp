#include "quiz/quiz_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(QuizRecord, LinksQuestionsInOrderAndStopsAtTheLast)
{
    QuizRecord quiz;
    EXPECT_EQ(QuestionAt(quiz, 0), nullptr);
    const std::string longText(400, 'x');
    for (const char* text : {"one", "two", longText.c_str()})
        AppendQuestion(quiz, text, text, text);
    EXPECT_STREQ(QuestionAt(quiz, 0)->answer, "one");
    EXPECT_STREQ(QuestionAt(quiz, 1)->answer, "two");
    EXPECT_EQ(QuestionAt(quiz, 29), quiz.lastQuestion);
    EXPECT_EQ(quiz.lastQuestion->previous->previous, quiz.firstQuestion);
    EXPECT_EQ(quiz.firstQuestion->previous, nullptr);
    for (const char* field : {quiz.lastQuestion->answer, quiz.lastQuestion->secondAnswer,
                              quiz.lastQuestion->questionText})
        EXPECT_EQ(strlen(field), 259u);
    EXPECT_STREQ(quiz.lastQuestion->revealText, "");
    ClearQuestions(quiz);
    EXPECT_EQ(quiz.firstQuestion, nullptr);
    EXPECT_EQ(quiz.lastQuestion, nullptr);
}
