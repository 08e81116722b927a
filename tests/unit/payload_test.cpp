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
    const Bytes bytes(payload.begin(), payload.end());
    (codes ? ParseCodesPayload : ParseQuizPayload)(bytes.data(),
                                                   static_cast<uint32_t>(bytes.size()), quiz);
}

} // namespace

TEST(Payload, ParsesTheFormat)
{
    const std::string rgb = "\1\2\3", none(1, '\0'), long300(300, 'x');
    const struct {
        const char* name;
        std::string payload;
        int layoutKind;
        int questionCount;
        std::string questions;
        uint32_t colour;
    } cases[] = {
        {"one answer reads no second field",
         Header(3, 1, 1) + "t|a|e|f|s|ans|text|" + none + "\xFF\x80\x01", 2, 1, "ans//text/;",
         0x000180FF},
        {"two answers", Header(4, 1, 2) + "t|a|e|f|s|one|two|text|\1" + rgb, 3, 1, "one/two/text/;",
         0x030201},
        {"reveal texts come before the colour",
         Header(2, 2, 1) + "t|a|e|f|s|a1|q1|a2|q2|\2r1|r2|" + rgb, 1, 2, "a1//q1/r1;a2//q2/r2;",
         0x030201},
        {"layout byte 0 gives -1", Header(0, 0, 1) + "|||||" + none + rgb, -1, 0, "", 0x030201},
        {"zero bytes add nothing",
         Header(2, 1, 1) + "|||||" + std::string("a\0b|c\0|", 7) + none + rgb, 1, 1, "ab//c/;",
         0x030201},
        {"long values are cut, later fields stay in place",
         Header(2, 1, 1) + "|||||" + long300 + "|q|" + none + rgb, 1, 1,
         long300.substr(0, 259) + "//q/;", 0x030201},
        {"a missing rest reads as empty", Header(2, 3, 2) + "t|a|e|f|s|x|y", 1, 3, "x/y//;///;///;",
         0},
    };
    for (const auto& c : cases) {
        QuizRecord quiz;
        Parse(c.payload, quiz);
        std::string questions;
        for (QuestionRecord* q = quiz.firstQuestion; q; q = q->next)
            questions += std::string(q->answer) + "/" + q->secondAnswer + "/" + q->questionText +
                         "/" + q->revealText + ";";
        EXPECT_EQ(quiz.layoutKind, c.layoutKind) << c.name;
        EXPECT_EQ(quiz.questionCount, c.questionCount) << c.name;
        EXPECT_EQ(questions, c.questions) << c.name;
        EXPECT_EQ(quiz.backgroundColour, c.colour) << c.name;
    }
}

// The list is linked both ways, a position past its end gives the last.
TEST(Payload, KeepsOnlyTheFirst90Questions)
{
    std::string payload = Header(1, 91, 1) + "|||||", reveals = "\2";
    for (int i = 0; i < 91; ++i) {
        payload += "a" + std::to_string(i) + "|q|";
        reveals += "r" + std::to_string(i) + "|";
    }
    QuizRecord quiz;
    Parse(payload + reveals + "\1\2\3", quiz);
    EXPECT_EQ(quiz.questionCount, MAX_QUESTIONS);
    EXPECT_EQ(QuestionAt(quiz, 88)->next, quiz.lastQuestion);
    EXPECT_EQ(quiz.lastQuestion->previous, QuestionAt(quiz, 88));
    EXPECT_EQ(QuestionAt(quiz, 200), quiz.lastQuestion);
    EXPECT_EQ(quiz.firstQuestion->previous, nullptr);
    EXPECT_STREQ(quiz.lastQuestion->answer, "a89");
    EXPECT_STREQ(quiz.lastQuestion->revealText, "r89");
    EXPECT_EQ(quiz.backgroundColour, 0x030201u);
}

TEST(Payload, ParsesCodeLines)
{
    const struct {
        std::string payload;
        int questionCount;
        std::vector<std::string> codes;
    } cases[] = {
        {"AB\r\nCD\r\n", 2, {"AB", "CD"}},
        {"AB\r\n", 3, {"AB", "", ""}},
        {"A\nB\rXC\r\n", 2, {"A\nB", "C"}},
    };
    for (const auto& c : cases) {
        QuizRecord quiz;
        quiz.questionCount = c.questionCount;
        Parse(c.payload, quiz, true);
        for (size_t i = 0; i < c.codes.size(); ++i)
            EXPECT_EQ(quiz.codes[i], c.codes[i]) << c.payload << " code " << i;
    }
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
