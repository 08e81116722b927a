#include "quiz/pupil_results.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<unsigned char> KEY = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

PupilResults Lea()
{
    return {QuizIdentity(KEY),
            u8"Léa Martin",
            "2026-12-08 10:32",
            {"Paris", "", "\xE9l\xE9phant", "  c\x9Cur "}};
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

} // namespace

// What a player writes comes back whole, its check the key's; a file whose
// lines lost their CRs, or that a mail program ended with blank lines, too.
TEST(PupilResults, ComeBackAsWritten)
{
    const std::string file = WriteResults(Lea(), KEY);
    EXPECT_EQ(file.substr(0, file.find("controle")),
              u8"Quizz : résultats 1\r\nquiz = " + Lea().quiz +
                  u8"\r\neleve = Léa Martin\r\ndate = 2026-12-08 10:32\r\n1 = Paris\r\n2 = \r\n"
                  u8"3 = éléphant\r\n4 =   cœur \r\n");
    std::string withoutCr;
    for (char c : file)
        if (c != '\r')
            withoutCr += c;
    for (const std::string& text : {file, withoutCr, file + "\r\n\r\n  \n"}) {
        PupilResults read;
        ASSERT_EQ(ReadResults(text, KEY, read), ResultsRead::Read) << text;
        EXPECT_EQ(read.quiz, Lea().quiz);
        EXPECT_EQ(read.name, Lea().name);
        EXPECT_EQ(read.date, Lea().date);
        EXPECT_EQ(read.answers, Lea().answers);
    }
}

// An answer, the name or the quiz changed by hand, or the check of another
// quiz's key: read, but told as altered. A file out of shape: unreadable,
// and nothing is filled.
TEST(PupilResults, TellAlteredAndDamagedFiles)
{
    const std::string file = WriteResults(Lea(), KEY);
    const std::string check = file.substr(file.find("controle"));
    const struct {
        std::string text;
        ResultsRead expected;
    } rows[] = {
        {Replaced(file, "1 = Paris", "1 = Lyon"), ResultsRead::Altered},
        {Replaced(file, u8"Léa", "Tom"), ResultsRead::Altered},
        {Replaced(file, "date = 2026-12-08", "date = 2026-12-09"), ResultsRead::Altered},
        {WriteResults(Lea(), {9, 9, 9}), ResultsRead::Altered},
        {"", ResultsRead::Unreadable},
        {"Quizz", ResultsRead::Unreadable},
        {file.substr(0, file.find("controle")), ResultsRead::Unreadable}, // cut before its check
        {file.substr(0, file.size() - 10), ResultsRead::Unreadable},      // its check cut
        {Replaced(file, "2 = \r\n", ""), ResultsRead::Unreadable},        // a box left out
        {Replaced(file, "3 = ", "4 = "), ResultsRead::Unreadable},
        {Replaced(file, "quiz = ", "quiz = x"), ResultsRead::Unreadable},
        {Replaced(file, "eleve = ", "nom = "), ResultsRead::Unreadable},
        {Replaced(file, "1 = Paris", "1 = Par\xFFis"), ResultsRead::Unreadable}, // not UTF-8
        {Replaced(file, "1 = Paris", "1 = Par\ris"), ResultsRead::Unreadable},   // a lone CR
        {file + "5 = Rome\r\n", ResultsRead::Unreadable},                        // after the check
        {Replaced(file, check, "controle = 00\r\n"), ResultsRead::Unreadable},
    };
    for (const auto& row : rows) {
        PupilResults read;
        read.name = "avant";
        EXPECT_EQ(ReadResults(row.text, KEY, read), row.expected) << row.text;
        if (row.expected == ResultsRead::Unreadable) {
            EXPECT_EQ(read.name, "avant") << row.text;
        }
    }
}

// A name stays one line of at most 80 bytes, never cut inside a letter; an
// answer typed outside Windows-1252 in a file comes back as the box holds it.
TEST(PupilResults, KeepNamesAndAnswersAsBoxesHoldThem)
{
    PupilResults results = Lea();
    results.name = "Jean\r\nDupont" + std::string(67, 'e') + u8"éx"; // é at bytes 80 and 81
    const std::string file = WriteResults(results, KEY);
    PupilResults read;
    ASSERT_EQ(ReadResults(file, KEY, read), ResultsRead::Read);
    EXPECT_EQ(read.name, "Jean  Dupont" + std::string(67, 'e'));

    const std::string typed = Replaced(file, "1 = Paris", u8"1 = Pőris");
    EXPECT_EQ(ReadResults(typed, KEY, read), ResultsRead::Altered);
    EXPECT_EQ(read.answers[0], "P?ris");
}

// Ninety questions of two boxes, answered as pupils answer (a word or two
// each), make a file of a few kilobytes: far under 8 KB.
TEST(PupilResults, StaySmallForANinetyQuestionQuiz)
{
    PupilResults results = Lea();
    results.answers.assign(180, "Saint-\xC9tienne");
    EXPECT_LT(WriteResults(results, KEY).size(), 8u * 1024);
}

// The block a pupil pastes comes back through what mail programs and
// messaging apps do to it: text around it, quoting marks, blank lines, no-
// break spaces, lines joined and broken again elsewhere. Cut or changed, it
// is never read as the pupil's.
TEST(PupilResults, ComeBackFromABlockPastedIntoAMessage)
{
    const std::string file = WriteResults(Lea(), KEY);
    const std::string block = ResultsBlock(file);
    ASSERT_FALSE(block.empty());
    EXPECT_LT(block.size(), file.size() * 2);
    std::string quoted, rewrapped, body;
    for (size_t at = 0; at < block.size();) {
        const size_t end = block.find("\r\n", at);
        quoted += "> " + block.substr(at, end - at) + "\n>\n";
        at = end + 2;
    }
    const size_t start = block.find('\n') + 1, stop = block.find(RESULTS_BLOCK_END);
    for (char c : block.substr(start, stop - start))
        if (c != '\r' && c != '\n')
            body += c;
    rewrapped = std::string(RESULTS_BLOCK_START) + "\n";
    for (size_t at = 0; at < body.size(); at += 37)
        rewrapped += body.substr(at, 37) + "\xC2\xA0\n";
    rewrapped += RESULTS_BLOCK_END;
    for (const std::string& text :
         {block, u8"Bonjour madame,\nvoici mon travail :\n\n" + block + u8"\nLéa\n", quoted,
          rewrapped}) {
        PupilResults read;
        ASSERT_EQ(ReadResults(text, KEY, read), ResultsRead::Read) << text;
        EXPECT_EQ(read.answers, Lea().answers);
    }
    const std::string cut = block.substr(0, block.size() / 2);
    std::string changed = block;
    changed[start + 20] = changed[start + 20] == 'A' ? 'B' : 'A';
    for (const std::string& text : {cut, cut + RESULTS_BLOCK_END, changed}) {
        PupilResults read;
        EXPECT_NE(ReadResults(text, KEY, read), ResultsRead::Read) << text;
    }
}

// A results file's name is one Windows takes, whatever the title and the
// name typed: never cut inside a letter, never empty.
TEST(PupilResults, FileNamesWindowsTakes)
{
    std::string accents;
    for (int i = 0; i < 70; ++i)
        accents += u8"é";
    const struct {
        std::string title; // Windows-1252
        std::string name;  // UTF-8
        std::string file;
    } ROWS[] = {
        {"Capitales d'Europe", u8"Léa Martin", u8"Capitales d'Europe - Léa Martin.txt"},
        {"Maths : 6e/5e ?", "  Tom.  ", "Maths - 6e-5e - - Tom.txt"},
        {"", "", "quiz - eleve.txt"},
        {"..", "a\tb<c>|\"d\"", "quiz - a-b-c---d-.txt"},
        {"\xC9t\xE9", accents, u8"Été - " + accents.substr(0, 60) + ".txt"},
        {"x", "\xFF\xFE", "x - eleve.txt"},
    };
    for (const auto& row : ROWS)
        EXPECT_EQ(ResultsFileName(row.title, row.name), row.file) << row.name;
}
