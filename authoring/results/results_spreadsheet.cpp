#include "authoring/results/results_spreadsheet.h"

#include "authoring/results/french_figures.h"
#include "checking/question_grading.h"
#include "quiz/text_encoding.h"

namespace {

bool IsPlainNumber(const std::string& text)
{
    size_t at = text[0] == '-' ? 1 : 0;
    bool digits = false;
    for (; at < text.size(); ++at) {
        if (text[at] >= '0' && text[at] <= '9')
            digits = true;
        else if (text[at] != ',' && text[at] != '.')
            return false;
    }
    return digits;
}

// A cell as a spreadsheet reads it back: quoted when it holds a separator, a
// quote or a line break.
std::string Cell(const std::string& text)
{
    if (text.find_first_of(";\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// A pupil's text, which a spreadsheet must show as typed and never run: one
// that starts as a formula would (= + - @, spaces before it or not) gets an
// apostrophe before it. A number such as -5 stays a number. (A results file
// holds no tab or line break: ReadResults refuses them.)
std::string TypedCell(const std::string& utf8)
{
    const size_t first = utf8.find_first_not_of(' ');
    const bool formula = first != std::string::npos &&
                         std::string("=+-@").find(utf8[first]) != std::string::npos &&
                         !IsPlainNumber(utf8.substr(first));
    return Cell(formula ? "'" + utf8 : utf8);
}

std::string Row(const std::vector<std::string>& cells)
{
    std::string row;
    for (size_t i = 0; i < cells.size(); ++i)
        row += (i ? ";" : "") + cells[i];
    return row + "\r\n";
}

} // namespace

std::string ClassResultsSpreadsheet(const QuizRecord& quiz, const ClassResults& results)
{
    const int boxes = BoxesPerQuestion(quiz.answersPerQuestion);
    const size_t questions = results.questions.size();
    std::vector<std::string> header = {u8"Élève", "Date", "Score", "Remarque"};
    for (size_t q = 0; q < questions; ++q)
        for (int box = 0; box < boxes; ++box) {
            const std::string name =
                "Q" + std::to_string(q + 1) + (boxes == 2 ? box == 0 ? " a" : " b" : "");
            header.push_back(Cell(name + u8" : tapé"));
            header.push_back(Cell(name + " : verdict"));
        }
    std::string sheet = "\xEF\xBB\xBF" + Row(header);

    int total = 0;
    for (const PupilRow& pupil : results.pupils) {
        std::vector<std::string> row = {TypedCell(pupil.name), TypedCell(pupil.date),
                                        std::to_string(pupil.score),
                                        pupil.altered ? u8"modifié à la main, pas compté" : ""};
        for (size_t box = 0; box < pupil.typed.size() && box < pupil.verdicts.size(); ++box) {
            row.push_back(TypedCell(Windows1252ToUtf8(pupil.typed[box])));
            row.push_back(Cell(Windows1252ToUtf8(pupil.verdicts[box] ? pupil.verdicts[box] : "")));
        }
        total += pupil.altered ? 0 : pupil.score;
        sheet += Row(row);
    }

    // Each question's success rate, under its first box; the class's average
    // score under the scores.
    std::vector<std::string> rates = {
        u8"Réussite (" + std::to_string(results.counted) +
            (results.counted > 1 ? u8" élèves comptés)" : u8" élève compté)"),
        "", FrenchAverage(total, results.counted), ""};
    for (size_t q = 0; q < questions; ++q) {
        rates.push_back(FrenchPercent(results.questions[q].solved, results.counted));
        rates.resize(rates.size() + static_cast<size_t>(2 * boxes - 1));
    }
    return sheet + Row(rates);
}
