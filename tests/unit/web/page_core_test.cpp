// The web page's door into the cores, called natively as the page's code
// calls it: payloads in blocks it frees, typed text in UTF-8.
#include "checking/verdict.h"
#include "quiz/payload.h"
#include "quiz/pupil_results.h"
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

const char* const TITLE = "Les b\xEAtes";

// Two boxes a question: "éléphant"/"cœur", then "chat"/"souris" (one box a
// question: their first answers); the quiz's own site and its work key
// (a size of -1: none) when given.
void LoadQuiz(int answersPerQuestion, const std::string& site = "",
              const std::vector<unsigned char>& workKey = {}, int workKeySize = -1)
{
    QuizRecord quiz;
    CopyText(quiz.title, TITLE);
    quiz.questionCount = 2;
    quiz.answersPerQuestion = answersPerQuestion;
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
                         site.empty() ? -1 : static_cast<int>(siteBytes.size()), nullptr, -1,
                         workKeySize < 0 ? nullptr : Block(workKey), workKeySize),
              2);
}

void LoadTwoBoxQuiz(const std::string& site = "")
{
    LoadQuiz(2, site);
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
    const std::string file(made, static_cast<size_t>(quizz_number(NUMBER_ANSWERS_FILE_SIZE)));
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
    EXPECT_EQ(quizz_load(nullptr, -1, nullptr, -1, nullptr, -1, nullptr, -1, nullptr, -1), 0);
    EXPECT_STREQ(quizz_message(0), "Erreur dans le fichier");
    EXPECT_STREQ(quizz_message(1), u8"Reponses non trouvées");
    EXPECT_EQ(quizz_message(2), nullptr);
    EXPECT_EQ(quizz_number(NUMBER_QUESTIONS), 30);
    EXPECT_EQ(
        quizz_load(Block({0x30, 0x31}), 2, nullptr, -1, nullptr, -1, nullptr, -1, nullptr, -1), 1);
    EXPECT_STREQ(quizz_message(0), u8"Erreur dans le décryptage des reponses");
    EXPECT_EQ(quizz_number(NUMBER_QUESTIONS), 0);
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

// The work a pupil hands in reads back with the quiz's key as the teacher's
// tools read it, from the file or from the block pasted in a message: the
// name in UTF-8 whatever its letters, every box as the core holds it, empty
// ones included, in the player's order.
TEST(PageCore, HandsInResultsThatReadBackWithTheQuizsKey)
{
    const std::vector<unsigned char> key = WorkKey(TITLE);
    const struct {
        int answersPerQuestion;
        const char* name;
        std::vector<std::string> typed; // UTF-8, a box each
        std::vector<std::string> held;  // Windows-1252, as read back
        const char* fileName;
    } rows[] = {
        {2,
         u8"Léa Martin",
         {u8"éléphant", u8"cœur", "chat", ""},
         {"\xE9l\xE9phant",
          "c\x9C"
          "ur",
          "chat", ""},
         u8"Les bêtes - Léa Martin.txt"},
        {2,
         u8"Zoë Łukasiewicz",
         {"", "", "", ""},
         {"", "", "", ""},
         u8"Les bêtes - Zoë Łukasiewicz.txt"},
        {1,
         u8"Anaïs",
         {u8"ő vert", "  souris "},
         {"? vert", "  souris "},
         u8"Les bêtes - Anaïs.txt"},
    };
    for (const auto& row : rows) {
        LoadQuiz(row.answersPerQuestion, "", key, static_cast<int>(key.size()));
        EXPECT_EQ(quizz_number(NUMBER_WORK_ASKED), 1);
        for (size_t box = 0; box < row.typed.size(); ++box)
            quizz_set_box(static_cast<int>(box), Utf8Block(row.typed[box]));
        const std::string file =
            quizz_results(Utf8Block(row.name), Utf8Block("2026-12-08 10:32"), 0);
        const std::string block =
            quizz_results(Utf8Block(row.name), Utf8Block("2026-12-08 10:32"), 1);
        EXPECT_EQ(quizz_results_file_name(Utf8Block(row.name)), std::string(row.fileName));
        for (const std::string& handed : {file, "Bonjour,\r\n\r\n" + block}) {
            PupilResults read;
            ASSERT_EQ(ReadResults(handed, key, read), ResultsRead::Read) << row.name << handed;
            EXPECT_EQ(read.quiz, QuizIdentity(key));
            EXPECT_EQ(read.name, row.name);
            EXPECT_EQ(read.date, "2026-12-08 10:32");
            EXPECT_EQ(read.answers, row.held) << row.name;
        }
        EXPECT_EQ(block.rfind(RESULTS_BLOCK_START, 0), 0u);
    }
}

// Only a key of exactly its size asks for work; without one, nothing is
// made to hand in.
TEST(PageCore, AsksForWorkOnlyWithAWholeKey)
{
    const std::vector<unsigned char> key = WorkKey(TITLE);
    const struct {
        int size; // -1: no key resource
        int asked;
    } rows[] = {{-1, 0}, {0, 0}, {15, 0}, {16, 1}, {17, 0}};
    for (const auto& row : rows) {
        std::vector<unsigned char> bytes = key;
        bytes.resize(row.size < 0 ? 0 : static_cast<size_t>(row.size), 0x5A);
        LoadQuiz(2, "", bytes, row.size);
        EXPECT_EQ(quizz_number(NUMBER_WORK_ASKED), row.asked) << row.size;
        EXPECT_EQ(std::string(quizz_results(Utf8Block(u8"Léa"), Utf8Block("2026-12-08 10:32"), 0))
                      .empty(),
                  row.asked == 0)
            << row.size;
    }
}
