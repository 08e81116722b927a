#include "atelier/document/problem_fields.h"
#include "atelier/document/quiz_document.h"
#include "atelier/window/control_ids.h"
#include "authoring/source/quiz_field_table.h"
#include "authoring/source/source_check.h"
#include "authoring/source/source_reader.h"
#include "authoring/source/source_writer.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// A value no other row holds, which every row takes as it is.
std::string ValueOf(const QuizFieldRow& row)
{
    return std::string("valeur-de-") + row.key;
}

// A quiz whose only given quiz-level text is row's.
QuizSource WithValue(const QuizFieldRow& row)
{
    QuizSource source;
    source.layoutKind = LAYOUT_TEXT;
    source.questions.emplace_back();
    SetValue(source.questions[0].answer, "Paris");
    SetValue(source.*row.text, ValueOf(row));
    return source;
}

bool HasLine(const std::string& text, const std::string& line)
{
    return text.compare(0, line.size() + 1, line + "\n") == 0 ||
           text.find("\n" + line + "\n") != std::string::npos;
}

} // namespace

// Each text of the table is written under its key, read back from it,
// packed where the player has a place for it, and kept through the
// atelier: opened, saved and read again, it is the value given.
TEST(QuizFieldTable, EachTextGoesThroughWriterReaderCheckAndAtelier)
{
    for (const QuizFieldRow& row : QUIZ_FIELDS) {
        if (!row.text)
            continue;
        const std::string value = ValueOf(row);
        const std::string written = WriteQuizSource(WithValue(row), "quiz.toml");
        EXPECT_TRUE(HasLine(written, std::string(row.key) + " = \"" + value + "\"")) << row.key;

        QuizSource read;
        std::vector<Problem> problems;
        ASSERT_TRUE(ReadQuizSource(written, read, problems)) << row.key;
        EXPECT_EQ((read.*row.text).value, value) << row.key;
        EXPECT_TRUE((read.*row.text).present) << row.key;
        for (const Problem& problem : problems)
            EXPECT_NE(problem.subject, row.key) << problem.message;

        if (row.packed) {
            QuizRecord record;
            QuizRules rules;
            CheckQuizSource(read, record, rules, problems);
            EXPECT_EQ(std::string(record.*row.packed), value) << row.key;
        }

        QuizDocument document;
        ASSERT_TRUE(OpenDocument("/quiz/quiz.toml", written, document, problems)) << row.key;
        QuizSource saved;
        ASSERT_TRUE(ReadQuizSource(DocumentText(document), saved, problems)) << row.key;
        EXPECT_EQ((saved.*row.text).value, value) << row.key;
        EXPECT_TRUE((saved.*row.text).present) << row.key;
    }
}

// Each rule is written only when given (a quiz without rules is written as
// before), read back, converted into the quiz's rules, and kept through the
// atelier, off as well as on.
TEST(QuizFieldTable, EachRuleGoesThroughWriterReaderCheckAndAtelier)
{
    for (const QuizFieldRow& row : QUIZ_FIELDS) {
        if (!row.flag)
            continue;
        QuizSource without;
        without.layoutKind = LAYOUT_TEXT;
        without.questions.emplace_back();
        SetValue(without.questions[0].answer, "Paris");
        const std::string plain = WriteQuizSource(without, "quiz.toml");
        EXPECT_EQ(plain.find(row.key), std::string::npos) << row.key;
        for (const bool value : {true, false}) {
            QuizSource given = without;
            given.*row.flag = {value, {}, true};
            const std::string written = WriteQuizSource(given, "quiz.toml");
            EXPECT_TRUE(HasLine(written, std::string(row.key) + " = " + (value ? "true" : "false")))
                << row.key;
            EXPECT_NE(written.find(row.explanation), std::string::npos) << row.key;

            QuizSource read;
            std::vector<Problem> problems;
            ASSERT_TRUE(ReadQuizSource(written, read, problems)) << row.key;
            EXPECT_EQ((read.*row.flag).value, value) << row.key;
            QuizRecord record;
            QuizRules rules;
            CheckQuizSource(read, record, rules, problems);
            if (row.rule) {
                EXPECT_EQ(rules.rules.*row.rule, value) << row.key;
                EXPECT_EQ(rules.rules.Any(), value) << row.key;
            }

            QuizDocument document;
            ASSERT_TRUE(OpenDocument("/quiz/quiz.toml", written, document, problems)) << row.key;
            EXPECT_EQ(DocumentText(document), written) << row.key;
        }
    }
}

// A problem about a row's key leads to the row's field (the names shown are
// checked in problem_fields_test.cpp), and each field, key and control
// belongs to one row.
TEST(QuizFieldTable, ProblemsLeadToEachRowsField)
{
    std::set<std::string> keys;
    std::set<QuizField> fields;
    std::set<int> controls;
    for (const QuizFieldRow& row : QUIZ_FIELDS) {
        EXPECT_TRUE(keys.insert(row.key).second) << row.key;
        const FieldPlace place = ProblemField({{}, row.key, "", Severity::Error});
        EXPECT_EQ(place, FieldPlace{row.field}) << row.key;
        if (row.field == QuizField::None)
            continue;
        EXPECT_TRUE(fields.insert(row.field).second) << row.key;
        EXPECT_TRUE(controls.insert(row.control).second) << row.key;
    }
}

// The controls the atelier and its robots know by name are the rows'.
TEST(QuizFieldTable, RowsNameTheAteliersControls)
{
    const struct {
        const char* key;
        int control;
    } cases[] = {
        {KEY_TITLE, IDC_TITLE},
        {KEY_AUTHOR, IDC_AUTHOR},
        {KEY_EXPLANATIONS, IDC_EXPLANATIONS},
        {KEY_LAYOUT, IDC_LAYOUT},
        {KEY_REVEAL, IDC_REVEAL},
        {KEY_COLOUR, IDC_COLOUR_PICK},
        {KEY_FIRST_CAPTION, IDC_FIRST_CAPTION},
        {KEY_SECOND_CAPTION, IDC_SECOND_CAPTION},
        {KEY_SITE, IDC_SITE},
        {KEY_ICON, IDC_QUIZ_ICON},
        {KEY_CODES, IDC_CODES},
        {KEY_ACCENTS_OPTIONAL, IDC_ACCENTS_OPTIONAL},
        {KEY_ARTICLES_OPTIONAL, IDC_ARTICLES_OPTIONAL},
        {KEY_HYPHENS_AS_SPACES, IDC_HYPHENS_AS_SPACES},
        {KEY_CAPITALS_REQUIRED, IDC_CAPITALS_REQUIRED},
    };
    for (const auto& c : cases) {
        const QuizFieldRow* row = FindQuizField(c.key);
        ASSERT_NE(row, nullptr) << c.key;
        EXPECT_EQ(IDC_QUIZ_GROUP + row->control, c.control) << c.key;
    }
}
