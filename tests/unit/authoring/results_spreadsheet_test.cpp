#include "authoring/results/results_spreadsheet.h"

#include "authoring/results/french_figures.h"
#include "results_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The sheet as a spreadsheet reads it: rows on CR LF, cells on ";", both
// only outside quotes, "" inside quotes one quote.
std::vector<std::vector<std::string>> Parse(const std::string& sheet)
{
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < sheet.size(); ++i) {
        const char c = sheet[i];
        std::string& cell = rows.back().back();
        if (quoted && c == '"' && i + 1 < sheet.size() && sheet[i + 1] == '"') {
            cell += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ';') {
            rows.back().emplace_back();
        } else if (!quoted && c == '\r' && i + 1 < sheet.size() && sheet[i + 1] == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            cell += c;
        }
    }
    rows.pop_back(); // after the last CR LF
    return rows;
}

} // namespace

TEST(FrenchFigures, RoundToATenthWithADecimalComma)
{
    const struct {
        int part, whole;
        const char *percent, *average;
    } rows[] = {
        {2, 3, "66,7 %", "0,7"}, {1, 3, "33,3 %", "0,3"}, {1, 8, "12,5 %", "0,1"},
        {0, 5, "0 %", "0"},      {5, 5, "100 %", "1"},    {58, 30, "193,3 %", "1,9"},
        {1, 0, "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FrenchPercent(row.part, row.whole), row.percent) << row.part << "/" << row.whole;
        EXPECT_EQ(FrenchAverage(row.part, row.whole), row.average) << row.part << "/" << row.whole;
    }
}

// What a pupil typed shows as typed: never a formula, never a cell more.
TEST(ClassResultsSpreadsheet, ReadsBackAsTypedAndRunsNoFormula)
{
    QuizRecord quiz;
    MakeQuiz(quiz, "Calcul", 1, {{"4", ""}, {"-5", ""}, {"oui", ""}});
    const std::vector<std::vector<std::string>> typed = {
        {"=1+1", "-5", "a;b"},
        {"@SUM(A1)", "-2+3", "dit \"oui\""},
        {"  =HYPERLINK(\"x\")", "-",
         "ligne\xA0"
         "1"},
    };
    const char* names[] = {"=Alice", "+Bob", "Chlo\xC3\xA9"};
    std::vector<HandedIn> handed;
    for (size_t i = 0; i < typed.size(); ++i)
        handed.push_back(
            {names[i], Work("Calcul", names[i], "2026-12-08 10:3" + std::to_string(i), typed[i])});
    handed.push_back({"z", Work("Calcul", "Zoe", "2026-12-08 11:00", {"4", "-5", "oui"})});
    handed.back().text.replace(handed.back().text.find("3 = oui"), 7, "3 = non");
    const ClassResults results = GradeClass(quiz, QuizRules{}, handed);
    const std::string sheet = ClassResultsSpreadsheet(quiz, results);

    ASSERT_EQ(sheet.substr(0, 3), "\xEF\xBB\xBF");
    const auto rows = Parse(sheet.substr(3));
    ASSERT_EQ(rows.size(), 6u);
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), 10u);
    EXPECT_EQ(rows[0][0], u8"Élève");
    EXPECT_EQ(rows[0][4], u8"Q1 : tapé");
    // Sorted by name: "+Bob", "=Alice", "Chloé", "Zoe".
    const struct {
        size_t row, column;
        std::string cell;
    } cells[] = {
        {1, 0, "'+Bob"},
        {1, 4, "'@SUM(A1)"},
        {1, 6, "'-2+3"},
        {1, 8, "dit \"oui\""},
        {2, 0, "'=Alice"},
        {2, 2, "1"},
        {2, 4, "'=1+1"},
        {2, 5, "FAUX"},
        {2, 6, "-5"},
        {2, 7, "BRAVO"},
        {2, 8, "a;b"},
        {3, 0, u8"Chloé"},
        {3, 4, "'  =HYPERLINK(\"x\")"},
        {3, 6, "'-"},
        {3, 8, u8"ligne\u00A01"},
        {4, 3, u8"modifié à la main, pas compté"},
        {4, 2, "2"},
        {5, 0, u8"Réussite (3 élèves comptés)"},
        {5, 2, "0,3"},
        {5, 4, "0 %"},
        {5, 6, "33,3 %"},
        {5, 8, "0 %"},
    };
    for (const auto& cell : cells)
        EXPECT_EQ(rows[cell.row][cell.column], cell.cell) << cell.row << ", " << cell.column;
    EXPECT_EQ(sheet.find('\n'), sheet.find("\r\n") + 1);
}
