// The web page's door into the cores, called natively as the page's code
// calls it: payloads in blocks it frees, typed text in UTF-8.
#include "checking/verdict.h"
#include "quiz/payload.h"
#include "tests/support/coded_payload.h"
#include "web/page_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A block of the core's holding bytes, as the page hands them over.
unsigned char* Block(const std::vector<unsigned char>& bytes)
{
    unsigned char* block = quizz_block(static_cast<int>(bytes.size()));
    if (!bytes.empty())
        memcpy(block, bytes.data(), bytes.size());
    return block;
}

char* Utf8Block(const std::string& text)
{
    char* block = reinterpret_cast<char*>(quizz_block(static_cast<int>(text.size() + 1)));
    memcpy(block, text.c_str(), text.size() + 1);
    return block;
}

// Two boxes a question: "éléphant"/"cœur", then "chat"/"" ; the quiz's
// own site when one is given.
void LoadTwoBoxQuiz(const std::string& site = "")
{
    QuizRecord quiz;
    CopyText(quiz.title, "Les b\xEAtes");
    quiz.questionCount = 2;
    quiz.answersPerQuestion = 2;
    AppendQuestion(quiz, "\xE9l\xE9phant",
                   "c\x9C"
                   "ur",
                   "Qui barrit ?");
    AppendQuestion(quiz, "chat", "souris", "");
    CopyText(quiz.codes[0], "UN");
    CopyText(quiz.codes[1], "DEUX");
    std::vector<unsigned char> plain, codes;
    ASSERT_TRUE(BuildQuizPayload(quiz, plain));
    ASSERT_TRUE(BuildCodesPayload(quiz, codes));
    const std::vector<unsigned char> quizBytes = CodedPayload(plain),
                                     codeBytes = CodedPayload(codes);
    const std::vector<unsigned char> siteBytes(site.begin(), site.end());
    ASSERT_EQ(quizz_load(Block(quizBytes), static_cast<int>(quizBytes.size()), Block(codeBytes),
                         static_cast<int>(codeBytes.size()),
                         site.empty() ? nullptr : Block(siteBytes),
                         site.empty() ? -1 : static_cast<int>(siteBytes.size()), nullptr, -1),
              2);
}

std::string Verdict(int grade, int box)
{
    return quizz_verdict_text(grade >> (4 * box) & 15);
}

} // namespace

// What is typed reaches the grading as the player's box holds it: UTF-8
// turned into Windows-1252, a character outside it a "?" (so "ő" is one
// letter wrong, not two bytes), composed accents as one letter.
TEST(PageCore, GradesTypedTextAsThePlayersBoxHoldsIt)
{
    LoadTwoBoxQuiz();
    EXPECT_STREQ(quizz_text(0, -1), u8"Les bêtes");
    const struct {
        const char* typed;
        const char* verdict; // of the first box, "éléphant"
        const char* held;    // what the core holds, in UTF-8
    } rows[] = {
        {u8"éléphant", "BRAVO", u8"éléphant"},
        {u8"  éléphant ", "BRAVO", u8"  éléphant "},
        {u8"e\u0301le\u0301phant", "BRAVO", u8"éléphant"}, // accents typed apart (macOS)
        {u8"elephant", "Presque", u8"elephant"},
        {u8"éléphanő", "Quasiment", u8"éléphan?"},
        {u8"éléphant😀", "Quasiment", u8"éléphant?"}, // one letter more
        {u8"", "?", u8""},
        {u8"tnahpélé", "Anagramme", u8"tnahpélé"},
        {u8"girafe", "FAUX", u8"girafe"},
    };
    for (const auto& row : rows) {
        quizz_set_box(0, Utf8Block(row.typed));
        quizz_set_box(1, Utf8Block(u8"cœur"));
        const int grade = quizz_grade(0);
        EXPECT_EQ(Verdict(grade, 0), std::string(row.verdict)) << row.typed;
        EXPECT_EQ(Verdict(grade, 1), "BRAVO");
        EXPECT_EQ((grade >> 8) & 1, std::string(row.verdict) == "BRAVO") << row.typed;
        EXPECT_STREQ(quizz_box(0), row.held);
    }
    // 300 letters: the box's first 259 are graded and held.
    quizz_set_box(2, Utf8Block(std::string(300, 'a')));
    EXPECT_EQ(std::string(quizz_box(2)), std::string(259, 'a'));
    EXPECT_EQ(Verdict(quizz_grade(1), 0), "FAUX");
    EXPECT_EQ(quizz_grade(2), 0xFF);  // no such question
    quizz_set_box(4, Utf8Block("x")); // no such box: nothing happens
    EXPECT_STREQ(quizz_code(1), "UN");
    EXPECT_STREQ(quizz_code(2), "DEUX");
    EXPECT_STREQ(quizz_code(3), "");
}

// The answers file is the player's: a line per box in CR LF, "*" for an
// empty one, Windows-1252; read back whether its lines end in CR LF or LF,
// a short file leaving the last boxes empty.
TEST(PageCore, WritesAndReadsThePlayersAnswersFile)
{
    LoadTwoBoxQuiz();
    const char* typed[] = {u8"éléphant", "", "*", u8"ő"};
    for (int box = 0; box < 4; ++box)
        quizz_set_box(box, Utf8Block(typed[box]));
    const char* made = quizz_answers_file();
    const std::string file(made, static_cast<size_t>(quizz_answers_file_size()));
    EXPECT_EQ(file, "\xE9l\xE9phant\r\n*\r\n*\r\n?\r\n");

    const struct {
        std::string file;
        std::vector<std::string> boxes;
    } rows[] = {
        {file, {u8"éléphant", "", "", "?"}},
        {"chat\nsouris\n", {"chat", "souris", "", ""}},
        {"a\r\n\r\n*\r\nd\r\ne\r\n", {"a", "", "", "d"}},
        {std::string("a\0b\nc", 5), {"a", "c", "", ""}},
        {"", {"", "", "", ""}},
    };
    for (const auto& row : rows) {
        char* bytes = reinterpret_cast<char*>(quizz_block(static_cast<int>(row.file.size())));
        std::copy(row.file.begin(), row.file.end(), bytes); // a file's bytes, no terminator
        quizz_read_answers_file(bytes, static_cast<int>(row.file.size()));
        for (int box = 0; box < 4; ++box)
            EXPECT_EQ(quizz_box(box), row.boxes[box]) << box << " : " << row.file;
    }
}

// No quiz payload: the demo quiz, told as the player tells it; one that does
// not decode: told, and no question.
TEST(PageCore, LoadsAsThePlayerDoes)
{
    EXPECT_EQ(quizz_load(nullptr, -1, nullptr, -1, nullptr, -1, nullptr, -1), 0);
    EXPECT_STREQ(quizz_message(0), "Erreur dans le fichier");
    EXPECT_STREQ(quizz_message(1), u8"Reponses non trouvées");
    EXPECT_EQ(quizz_message(2), nullptr);
    EXPECT_EQ(quizz_question_count(), 30);
    EXPECT_EQ(quizz_load(Block({0x30, 0x31}), 2, nullptr, -1, nullptr, -1, nullptr, -1), 1);
    EXPECT_STREQ(quizz_message(0), u8"Erreur dans le décryptage des reponses");
    EXPECT_EQ(quizz_question_count(), 0);
}

// The header's link, as the player's: the quiz's own site, or the maker's
// for a quiz without one; the host is what it shows.
TEST(PageCore, LinksToTheQuizsSiteOrTheMakers)
{
    const int SITE = 5, SITE_HOST = 6;
    LoadTwoBoxQuiz("https://www.ecole.fr/quiz?n=1");
    EXPECT_STREQ(quizz_text(SITE, -1), "https://www.ecole.fr/quiz?n=1");
    EXPECT_STREQ(quizz_text(SITE_HOST, -1), "ecole.fr");
    LoadTwoBoxQuiz();
    EXPECT_STREQ(quizz_text(SITE, -1), QUIZZ_MAKER_WEB_SITE);
    EXPECT_STRNE(quizz_text(SITE_HOST, -1), "");
}

// A medium's type told from its first bytes, whatever it was named: the
// browser is told it, and guesses only for bytes of no known format.
TEST(PageCore, TellsAMediumsType)
{
    const struct {
        std::string bytes;
        const char* type;
    } rows[] = {
        {"\xFF\xD8\xFF\xE0", "image/jpeg"},
        {"\x89PNG\r\n\x1A\n", "image/png"},
        {std::string("\0\0\1\0\1\0", 6), "image/x-icon"},
        {"ID3\x04", "audio/mpeg"},
        {std::string("RIFF\x10\0\0\0AVI LIST", 16), "video/x-msvideo"},
        {std::string("\x1A\x45\xDF\xA3\x87\x42\x82\x84webm", 12), "video/webm"},
        {"\x1A\x45\xDF\xA3", "video/x-matroska"},
        {"hello", ""},
        {"", ""},
    };
    for (const auto& row : rows) {
        const std::vector<unsigned char> bytes(row.bytes.begin(), row.bytes.end());
        EXPECT_STREQ(quizz_media_type(Block(bytes), static_cast<int>(bytes.size())), row.type)
            << row.bytes;
    }
}
