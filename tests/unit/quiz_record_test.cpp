#include "quiz/quiz_record.h"

#include <gtest/gtest.h>

#include <string>

TEST(QuizRecord, StartsEmptyWithRevealText)
{
    QuizRecord quiz;
    EXPECT_EQ(quiz.revealMode, REVEAL_TEXT);
    EXPECT_EQ(quiz.questionCount, 0);
    EXPECT_EQ(quiz.firstQuestion, nullptr);
    EXPECT_EQ(quiz.lastQuestion, nullptr);
    EXPECT_STREQ(quiz.title, "");
    EXPECT_STREQ(quiz.codes[MAX_QUESTIONS - 1], "");
}

TEST(QuizRecord, AppendKeepsCallOrderInBothDirections)
{
    QuizRecord quiz;
    for (const char* answer : {"one", "two", "three"})
        AppendQuestion(quiz, answer, "", "text");

    std::string forward, backward;
    for (QuestionRecord* q = quiz.firstQuestion; q; q = q->next)
        forward += std::string(q->answer) + " ";
    for (QuestionRecord* q = quiz.lastQuestion; q; q = q->previous)
        backward += std::string(q->answer) + " ";
    EXPECT_EQ(forward, "one two three ");
    EXPECT_EQ(backward, "three two one ");
    EXPECT_STREQ(quiz.lastQuestion->revealText, "");
}

TEST(QuizRecord, QuestionAtStopsAtTheLastRecord)
{
    QuizRecord quiz;
    EXPECT_EQ(QuestionAt(quiz, 0), nullptr);
    AppendQuestion(quiz, "first", "", "");
    AppendQuestion(quiz, "second", "", "");
    const struct {
        int position;
        const char* answer;
    } cases[] = {{0, "first"}, {1, "second"}, {2, "second"}, {29, "second"}};
    for (const auto& c : cases)
        EXPECT_STREQ(QuestionAt(quiz, c.position)->answer, c.answer) << c.position;
}

TEST(QuizRecord, ClearEmptiesTheList)
{
    QuizRecord quiz;
    ClearQuestions(quiz);
    EXPECT_EQ(quiz.firstQuestion, nullptr);
    AppendQuestion(quiz, "a", "b", "c");
    AppendQuestion(quiz, "d", "e", "f");
    ClearQuestions(quiz);
    EXPECT_EQ(quiz.firstQuestion, nullptr);
    EXPECT_EQ(quiz.lastQuestion, nullptr);
}

TEST(QuizRecord, LongStringsAreCutTo259Bytes)
{
    QuizRecord quiz;
    const std::string longText(400, 'x');
    AppendQuestion(quiz, longText.c_str(), longText.c_str(), longText.c_str());
    EXPECT_EQ(std::string(quiz.firstQuestion->answer), std::string(MAX_TEXT_LENGTH, 'x'));
    EXPECT_EQ(std::string(quiz.firstQuestion->questionText).size(), 259u);
}
