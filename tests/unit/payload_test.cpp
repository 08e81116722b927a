#include "quiz/demo_quiz.h"
#include "quiz/lzw.h"
#include "quiz/payload.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes B(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

// A payload header: unused byte, layoutKind + 1, questionCount,
// answersPerQuestion.
std::string Header(int layoutByte, int questions, int answers)
{
    return std::string{'\0', static_cast<char>(layoutByte), static_cast<char>(questions),
                       static_cast<char>(answers)};
}

void Parse(const std::string& payload, QuizRecord& quiz)
{
    Bytes bytes = B(payload);
    ParseQuizPayload(bytes.data(), static_cast<uint32_t>(bytes.size()), quiz);
}

std::string Answers(const QuizRecord& quiz)
{
    std::string all;
    for (QuestionRecord* q = quiz.firstQuestion; q; q = q->next)
        all += std::string(q->answer) + "/" + q->secondAnswer + "/" + q->questionText + "/" +
               q->revealText + ";";
    return all;
}

} // namespace

TEST(Payload, ParsesTheFormat)
{
    const struct {
        const char* name;
        std::string payload;
        int layoutKind;
        int questionCount;
        std::string questions;
        uint32_t colour;
    } cases[] = {
        {"empty fields, one answer",
         Header(2, 2, 1) + "|||||" + "||||" + std::string(1, 0) + "\xFF\x80" + std::string(1, 0), 1,
         2, "///;///;", 0x000080FF},
        {"empty fields, two answers",
         Header(1, 1, 2) + "|||||" + "|||" + std::string(1, 1) + "\1\2\3", 0, 1, "///;", 0x030201},
        {"one answer reads no second field",
         Header(3, 1, 1) + "t|a|e|f|s|" + "ans|text|" + std::string(1, 0) + "\1\2\3", 2, 1,
         "ans//text/;", 0x030201},
        {"two answers",
         Header(4, 1, 2) + "t|a|e|f|s|" + "one|two|text|" + std::string(1, 1) + "\1\2\3", 3, 1,
         "one/two/text/;", 0x030201},
        {"reveal texts come before the colour",
         Header(2, 2, 1) + "t|a|e|f|s|" + "a1|q1|a2|q2|\2" + "r1|r2|" + "\1\2\3", 1, 2,
         "a1//q1/r1;a2//q2/r2;", 0x030201},
        {"layout byte 0 gives -1", Header(0, 0, 1) + "|||||" + std::string(1, 0) + "\1\2\3", -1, 0,
         "", 0x030201},
        {"zero bytes add nothing",
         Header(2, 1, 1) + "|||||" + std::string("a\0b|c\0|", 7) + std::string(1, 0) + "\1\2\3", 1,
         1, "ab//c/;", 0x030201},
        {"a missing rest reads as empty", Header(2, 3, 2) + "t|a|e|f|s|" + "x|y", 1, 3,
         "x/y//;///;///;", 0},
    };
    for (const auto& c : cases) {
        QuizRecord quiz;
        Parse(c.payload, quiz);
        EXPECT_EQ(quiz.layoutKind, c.layoutKind) << c.name;
        EXPECT_EQ(quiz.questionCount, c.questionCount) << c.name;
        EXPECT_EQ(Answers(quiz), c.questions) << c.name;
        EXPECT_EQ(quiz.backgroundColour, c.colour) << c.name;
    }
}

TEST(Payload, CutsLongValuesAndKeepsTheFollowingFieldsInPlace)
{
    QuizRecord quiz;
    Parse(Header(2, 1, 1) + std::string(300, 'T') + "|author|e|f|s|a|q|" + std::string(1, 0) +
              "\1\2\3",
          quiz);
    EXPECT_EQ(std::string(quiz.title), std::string(MAX_TEXT_LENGTH, 'T'));
    EXPECT_STREQ(quiz.author, "author");
    EXPECT_EQ(quiz.backgroundColour, 0x030201u);
}

TEST(Payload, KeepsOnlyTheFirst90Questions)
{
    for (int count : {91, 255}) {
        std::string payload = Header(1, count, 1) + "|||||";
        for (int i = 0; i < count; ++i)
            payload += "a" + std::to_string(i) + "|q|";
        payload += '\2';
        for (int i = 0; i < count; ++i)
            payload += "r" + std::to_string(i) + "|";
        payload += "\1\2\3";
        QuizRecord quiz;
        Parse(payload, quiz);
        EXPECT_EQ(quiz.questionCount, MAX_QUESTIONS) << count;
        EXPECT_STREQ(quiz.lastQuestion->answer, "a89") << count;
        EXPECT_STREQ(quiz.lastQuestion->revealText, "r89") << count;
        EXPECT_EQ(quiz.backgroundColour, 0x030201u) << count;
        int records = 0;
        for (QuestionRecord* q = quiz.firstQuestion; q; q = q->next)
            ++records;
        EXPECT_EQ(records, MAX_QUESTIONS);
    }
}

TEST(Payload, ParsesCodeLines)
{
    const struct {
        std::string payload;
        int questionCount;
        std::vector<std::string> codes;
    } cases[] = {
        {"AB\r\nCD\r\n", 2, {"AB", "CD"}},
        {"AB\r\nCD\r\n", 1, {"AB", ""}},
        {"AB\r\n", 3, {"AB", "", ""}},
        {"A\nB\rXC\r\n", 2, {"A\nB", "C"}},
        {std::string("A\0B\r\n", 5), 1, {"AB"}},
        {std::string(300, 'c') + "\r\nD\r\n", 2, {std::string(259, 'c'), "D"}},
    };
    for (const auto& c : cases) {
        QuizRecord quiz;
        quiz.questionCount = c.questionCount;
        Bytes bytes = B(c.payload);
        ParseCodesPayload(bytes.data(), static_cast<uint32_t>(bytes.size()), quiz);
        for (size_t i = 0; i < c.codes.size(); ++i)
            EXPECT_EQ(quiz.codes[i], c.codes[i]) << c.payload << " code " << i;
    }
}

TEST(Payload, NeverReadsPastTheLengthGiven)
{
    // Every prefix of a real payload parses within its own bytes (the
    // sanitizer build and the fuzz target make an overrun fatal).
    std::string full = Header(2, 2, 2) + "title|author|e|f|s|a|b|q|c|d|r|\2r1|r2|\1\2\3";
    for (size_t length = 0; length <= full.size(); ++length) {
        Bytes prefix(full.begin(), full.begin() + length);
        auto* copy = static_cast<unsigned char*>(malloc(length ? length : 1));
        std::copy(prefix.begin(), prefix.end(), copy);
        QuizRecord quiz;
        ParseQuizPayload(copy, static_cast<uint32_t>(length), quiz);
        ParseCodesPayload(copy, static_cast<uint32_t>(length), quiz);
        free(copy);
    }
}

TEST(Payload, BuildCodeDecodeAndParseGiveTheRecordBack)
{
    QuizRecord quiz;
    CopyText(quiz.title, "Capitales");
    CopyText(quiz.author, "Moi");
    CopyText(quiz.explanations, "Trouvez la capitale");
    CopyText(quiz.firstAnswerCaption, "Ville");
    CopyText(quiz.secondAnswerCaption, "Pays");
    quiz.layoutKind = LAYOUT_VIDEO;
    quiz.answersPerQuestion = 2;
    quiz.revealMode = REVEAL_TEXT;
    quiz.backgroundColour = 0x00123456;
    quiz.questionCount = 3;
    for (int i = 0; i < 3; ++i) {
        std::string n = std::to_string(i);
        AppendQuestion(quiz, ("Paris" + n).c_str(), ("France" + n).c_str(), ("q" + n).c_str());
        CopyText(quiz.lastQuestion->revealText, ("Bravo " + n).c_str());
        CopyText(quiz.codes[i], ("CODE" + n).c_str());
    }

    Bytes payload, codes;
    ASSERT_TRUE(BuildQuizPayload(quiz, payload));
    ASSERT_TRUE(BuildCodesPayload(quiz, codes));
    unsigned char* coded = nullptr;
    unsigned char* decoded = nullptr;
    uint32_t codedLength = 0, decodedLength = 0;
    ASSERT_EQ(
        LzwEncode(payload.data(), static_cast<uint32_t>(payload.size()), &coded, &codedLength),
        LZW_OK);
    ASSERT_EQ(LzwDecode(coded, codedLength, &decoded, &decodedLength), LZW_OK);

    QuizRecord back;
    ParseQuizPayload(decoded, decodedLength, back);
    ParseCodesPayload(codes.data(), static_cast<uint32_t>(codes.size()), back);
    free(coded);
    free(decoded);

    EXPECT_STREQ(back.title, "Capitales");
    EXPECT_STREQ(back.secondAnswerCaption, "Pays");
    EXPECT_EQ(back.layoutKind, LAYOUT_VIDEO);
    EXPECT_EQ(back.answersPerQuestion, 2);
    EXPECT_EQ(back.revealMode, REVEAL_TEXT);
    EXPECT_EQ(back.backgroundColour, 0x00123456u);
    EXPECT_EQ(Answers(back), Answers(quiz));
    EXPECT_STREQ(back.codes[2], "CODE2");
}

TEST(Payload, BuilderRefusesWhatThePayloadCannotHold)
{
    const struct {
        const char* name;
        void (*spoil)(QuizRecord&);
    } cases[] = {
        {"separator in a title", [](QuizRecord& q) { CopyText(q.title, "a|b"); }},
        {"separator in an answer", [](QuizRecord& q) { CopyText(q.firstQuestion->answer, "|"); }},
        {"CR in a code", [](QuizRecord& q) { CopyText(q.codes[0], "A\rB"); }},
        {"more questions declared than listed", [](QuizRecord& q) { q.questionCount = 2; }},
        {"layout out of its byte", [](QuizRecord& q) { q.layoutKind = 300; }},
    };
    for (const auto& c : cases) {
        QuizRecord quiz;
        quiz.questionCount = 1;
        quiz.answersPerQuestion = 1;
        AppendQuestion(quiz, "a", "", "q");
        c.spoil(quiz);
        Bytes payload, codes;
        EXPECT_FALSE(BuildQuizPayload(quiz, payload) && BuildCodesPayload(quiz, codes)) << c.name;
    }
}

TEST(DemoQuiz, DeclaresThirtyQuestionsAndHoldsTwo)
{
    QuizRecord quiz;
    FillDemoQuiz(quiz);
    EXPECT_EQ(quiz.questionCount, 30);
    EXPECT_EQ(quiz.answersPerQuestion, 2);
    EXPECT_EQ(quiz.layoutKind, LAYOUT_PICTURE);
    EXPECT_EQ(quiz.revealMode, REVEAL_NONE);
    EXPECT_STREQ(quiz.firstAnswerCaption, "Pr\xE9nom - Nom");
    EXPECT_STREQ(QuestionAt(quiz, 16)->answer, "vorgam");
    EXPECT_EQ(quiz.firstQuestion->next, quiz.lastQuestion);
}
