#include "quiz/payload.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// A payload header: unused byte, layoutKind + 1, questionCount,
// answersPerQuestion.
std::string Header(int layoutByte, int questions, int answers)
{
    return std::string{'\0', static_cast<char>(layoutByte), static_cast<char>(questions),
                       static_cast<char>(answers)};
}

void Parse(const std::string& payload, QuizRecord& quiz, bool codes = false)
{
    (codes ? ParseCodesPayload
           : ParseQuizPayload)(reinterpret_cast<const unsigned char*>(payload.data()),
                               static_cast<uint32_t>(payload.size()), quiz);
}

} // namespace

TEST(Payload, ParsesTheFormat)
{
    const std::string rgb = "\1\2\3", none(1, '\0'), long300(300, 'x');
    std::string many = Header(2, 91, 1) + "|||||", reveals = "\2", kept;
    for (int i = 0; i < 91; ++i) {
        const std::string n = std::to_string(i);
        many += "a" + n + "|q|";
        reveals += "r" + n + "|";
        if (i < 90)
            kept.append("a").append(n).append("//q/r").append(n).append(";");
    }
    const struct {
        const char* name;
        std::string payload;
        std::string questions;
        int layoutKind = 1;
        uint32_t colour = 0x030201;
    } cases[] = {
        {"one answer reads no second field",
         Header(3, 1, 1) + "t|a|e|f|s|ans|text|" + none + "\xFF\x80\x01", "ans//text/;", 2,
         0x000180FF},
        {"two answers", Header(4, 1, 2) + "t|a|e|f|s|one|two|text|\1" + rgb, "one/two/text/;", 3},
        {"reveal texts come before the colour",
         Header(2, 2, 1) + "t|a|e|f|s|a1|q1|a2|q2|\2r1|r2|" + rgb, "a1//q1/r1;a2//q2/r2;"},
        {"layout byte 0 gives -1", Header(0, 0, 1) + "|||||" + none + rgb, "", -1},
        {"zero bytes add nothing",
         Header(2, 1, 1) + "|||||" + std::string("a\0b|c\0|", 7) + none + rgb, "ab//c/;"},
        {"long values are cut, later fields stay in place",
         Header(2, 1, 1) + "|||||" + long300 + "|q|" + none + rgb,
         long300.substr(0, 259) + "//q/;"},
        {"91 questions, of which the first 90 are kept", many + reveals + rgb, kept},
        {"a missing rest reads as empty", Header(2, 3, 2) + "t|a|e|f|s|x|y", "x/y//;///;///;", 1,
         0},
    };
    for (const auto& c : cases) {
        QuizRecord quiz;
        Parse(c.payload, quiz);
        std::string questions;
        int listed = 0;
        for (QuestionRecord* q = quiz.firstQuestion; q; q = q->next, ++listed)
            questions += std::string(q->answer) + "/" + q->secondAnswer + "/" + q->questionText +
                         "/" + q->revealText + ";";
        EXPECT_EQ(quiz.questionCount, listed) << c.name;
        EXPECT_EQ(quiz.layoutKind, c.layoutKind) << c.name;
        EXPECT_EQ(questions, c.questions) << c.name;
        EXPECT_EQ(quiz.backgroundColour, c.colour) << c.name;
    }
}

// A line feed is part of a code, the byte after a CR is skipped, a missing
// code is empty.
TEST(Payload, ParsesCodeLines)
{
    QuizRecord quiz;
    quiz.questionCount = 3;
    CopyText(quiz.codes[2], "old");
    Parse("A\nB\rXC\r\n", quiz, true);
    EXPECT_EQ(std::string(quiz.codes[0]) + "/" + quiz.codes[1] + "/" + quiz.codes[2], "A\nB/C/");
}

TEST(Payload, BuilderRefusesWhatThePayloadCannotHold)
{
    const struct {
        const char* name;
        void (*spoil)(QuizRecord&);
    } cases[] = {
        {"separator in a title", [](QuizRecord& q) { CopyText(q.title, "a|b"); }},
        {"CR in a code", [](QuizRecord& q) { CopyText(q.codes[0], "A\rB"); }},
        {"more questions declared than listed", [](QuizRecord& q) { q.questionCount = 2; }},
        {"layout out of its byte", [](QuizRecord& q) { q.layoutKind = 300; }},
    };
    for (const auto& c : cases) {
        QuizRecord quiz;
        quiz.questionCount = quiz.answersPerQuestion = 1;
        AppendQuestion(quiz, "a", "", "q");
        Bytes payload, codes;
        EXPECT_TRUE(BuildQuizPayload(quiz, payload) && BuildCodesPayload(quiz, codes)) << c.name;
        c.spoil(quiz);
        EXPECT_FALSE(BuildQuizPayload(quiz, payload) && BuildCodesPayload(quiz, codes)) << c.name;
    }
}
