#include "authoring/results/results_page.h"

#include "authoring/import/html_text.h"
#include "authoring/results/french_figures.h"
#include "checking/question_grading.h"
#include "checking/verdict.h"
#include "quiz/text_encoding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Questions per table: a landscape A4 page holds that many columns readably;
// the next ones come in a table of their own, the names repeated.
constexpr size_t QUESTIONS_PER_TABLE = 10;

// The page's look on screen and on paper: A4 landscape, each table's header
// repeated on every sheet, no row cut in two, verdicts written out so that
// a black and white print says as much as the colours.
constexpr const char* STYLE = R"(
@page { size: A4 landscape; margin: 12mm; }
* { box-sizing: border-box; }
body { font: 11pt/1.35 system-ui, sans-serif; margin: 1rem; color: #000; background: #fff; }
h1 { font-size: 16pt; margin: 0 0 0.4rem; }
h2 { font-size: 13pt; margin: 1.2rem 0 0.4rem; break-after: avoid; }
.summary { margin: 0 0 0.6rem; }
.problems { border: 2px solid #c00000; padding: 0.3rem 0.8rem; }
.problems li { margin: 0.15rem 0; }
table { border-collapse: collapse; margin-bottom: 0.8rem; }
th, td { border: 1px solid #555; padding: 0.15rem 0.3rem; vertical-align: top; }
th { background: #eee; text-align: left; }
thead { display: table-header-group; }
tr { break-inside: avoid; }
.pupil { min-width: 9rem; max-width: 14rem; overflow-wrap: break-word; }
td.score { text-align: right; font-weight: bold; }
th.score { text-align: right; }
td.box { min-width: 4.5rem; max-width: 9rem; font-size: 9pt; overflow-wrap: break-word; }
td.two { padding: 0; }
.answer { padding: 0.15rem 0.3rem; min-height: 2.4em; }
.answer + .answer { border-top: 1px solid #555; }
.verdict { display: block; font-weight: bold; }
.altered { font-style: italic; }
.altered td { background-image: repeating-linear-gradient(45deg, transparent 0 6px, #0001 6px 8px); }
.mark { font-weight: normal; font-size: 8.5pt; white-space: nowrap; }
.chart { display: block; max-width: 100%; height: auto; break-inside: avoid; }
.figures td { font-size: 10pt; }
@media print {
  body { margin: 0; font-size: 9.5pt; }
  /* The sheet's width shared between the questions, a long word broken
     rather than cut off at the edge. */
  table.pupils { width: 100%; table-layout: fixed; }
  table.pupils .pupil { width: 8.5rem; min-width: 0; }
  table.pupils .score { width: 3.2rem; }
  td.box { min-width: 0; max-width: none; font-size: 7.5pt; overflow-wrap: anywhere; }
  .mark { white-space: normal; }
  .charts { break-before: page; }
}
)";

std::string Html(const std::string& utf8)
{
    return HtmlText(utf8);
}

std::string Html1252(const std::string& cp1252)
{
    return HtmlText(Windows1252ToUtf8(cp1252));
}

std::string Hex(uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

// The verdicts' backgrounds as the player paints them, with black or white
// text, whichever reads better on each (as the web page chooses): a class
// each, ".v0" for VERDICTS[0], so that a cell names its verdict's.
std::string VerdictRules()
{
    std::string rules;
    for (int v = 0; v < VERDICT_COUNT; ++v) {
        const uint32_t colour = VerdictColour(VERDICTS[v]);
        if (colour == NO_VERDICT_COLOUR)
            continue;
        const uint32_t rgb = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
        double channels[3];
        for (int i = 0; i < 3; ++i) {
            const double c = static_cast<double>(rgb >> (16 - 8 * i) & 0xFF) / 255;
            channels[i] = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        const double luminance = 0.2126 * channels[0] + 0.7152 * channels[1] + 0.0722 * channels[2];
        const bool black = (luminance + 0.05) / 0.05 >= 1.05 / (luminance + 0.05);
        rules += ".v" + std::to_string(v) + " { background: " + Hex(rgb) +
                 "; color: " + (black ? "#000" : "#fff") + "; }\n";
    }
    return rules;
}

// The class of a verdict's colour, " v0" for BRAVO; "" for none.
std::string VerdictClass(const char* verdict)
{
    if (!verdict || VerdictColour(verdict) == NO_VERDICT_COLOUR)
        return "";
    for (int v = 0; v < VERDICT_COUNT; ++v)
        if (std::strcmp(verdict, VERDICTS[v]) == 0)
            return " v" + std::to_string(v);
    return "";
}

// A column chart in SVG: a bar and its figure written above it for each
// label, the scale's lines at every quarter of scaleTop; grey bars with a
// black outline print as well in black and white as in colour.
struct Bar {
    std::string label; // under the bar
    std::string value; // above it
    double amount;     // 0 to scaleTop
};

std::string BarChart(const std::string& title, const std::string& description,
                     const std::vector<Bar>& bars, const std::string& axis, int scaleTop,
                     const std::string& unit)
{
    const int left = 40, bottom = 40, top = 24, plot = 200;
    const int step =
        std::max(14, std::min(60, 900 / std::max<int>(1, static_cast<int>(bars.size()))));
    const int width = left + step * static_cast<int>(bars.size()) + 10;
    const int height = top + plot + bottom;
    const int fontSize = step < 24 ? 8 : 11;
    std::string svg = "<svg class=\"chart\" role=\"img\" "
                      "viewBox=\"0 0 " +
                      std::to_string(width) + " " + std::to_string(height) + "\" width=\"" +
                      std::to_string(width) + "\" height=\"" + std::to_string(height) +
                      "\" font-family=\"sans-serif\" font-size=\"" + std::to_string(fontSize) +
                      "\"><title>" + Html(title) + "</title><desc>" + Html(description) + "</desc>";
    for (int quarter = 0; quarter <= 4; ++quarter) {
        const int y = top + plot - plot * quarter / 4;
        svg += "<line x1=\"" + std::to_string(left) + "\" x2=\"" + std::to_string(width - 5) +
               "\" y1=\"" + std::to_string(y) + "\" y2=\"" + std::to_string(y) +
               "\" stroke=\"#999\" stroke-width=\"0.5\"/><text x=\"" + std::to_string(left - 4) +
               "\" y=\"" + std::to_string(y + 4) + "\" text-anchor=\"end\">" +
               std::to_string(scaleTop * quarter / 4) + Html(unit) + "</text>";
    }
    for (size_t i = 0; i < bars.size(); ++i) {
        const int x = left + step * static_cast<int>(i);
        const int h =
            static_cast<int>(std::lround(plot * std::clamp(bars[i].amount / scaleTop, 0.0, 1.0)));
        const int centre = x + step / 2;
        svg += "<rect x=\"" + std::to_string(x + 2) + "\" y=\"" + std::to_string(top + plot - h) +
               "\" width=\"" + std::to_string(step - 4) + "\" height=\"" + std::to_string(h) +
               "\" fill=\"#9ab\" stroke=\"#000\" stroke-width=\"1\"/>";
        svg += "<text x=\"" + std::to_string(centre) + "\" y=\"" +
               std::to_string(top + plot - h - 4) + "\" text-anchor=\"middle\">" +
               Html(bars[i].value) + "</text>";
        svg += "<text x=\"" + std::to_string(centre) + "\" y=\"" + std::to_string(top + plot + 14) +
               "\" text-anchor=\"middle\">" + Html(bars[i].label) + "</text>";
    }
    svg += "<text x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(height - 6) + "\">" +
           Html(axis) + "</text>";
    return svg + "</svg>\n";
}

std::string SuccessChart(const ClassResults& results)
{
    std::vector<Bar> bars;
    std::string description;
    for (size_t q = 0; q < results.questions.size(); ++q) {
        const int solved = results.questions[q].solved;
        const std::string rate = FrenchPercent(solved, results.counted);
        // Narrow bars carry the rate without decimals.
        const int whole =
            results.counted ? (200 * solved + results.counted) / (2 * results.counted) : 0;
        bars.push_back({std::to_string(q + 1),
                        results.questions.size() > 30 ? std::to_string(whole) : rate,
                        results.counted ? 100.0 * solved / results.counted : 0});
        description += (q ? "; " : "") + ("question " + std::to_string(q + 1) + " : " + rate);
    }
    return BarChart(u8"Réussite par question", description, bars,
                    u8"Question (hauteur : part des élèves comptés qui l'ont réussie)", 100,
                    u8"\u00A0%");
}

std::string ScoreChart(const QuizRecord& quiz, const ClassResults& results)
{
    // At most 20 columns: scores grouped by ranges when the quiz is long.
    const int questions = std::max(quiz.questionCount, 0);
    const int width = (questions + 20) / 20;
    std::vector<int> counts(static_cast<size_t>(questions / width + 1));
    for (const PupilRow& pupil : results.pupils)
        if (!pupil.altered)
            ++counts[static_cast<size_t>(std::clamp(pupil.score, 0, questions) / width)];
    const int most = std::max(1, *std::max_element(counts.begin(), counts.end()));
    // Whole numbers of pupils on the scale's lines.
    const int scaleTop = (most + 3) / 4 * 4;
    std::vector<Bar> bars;
    std::string description;
    for (size_t i = 0; i < counts.size(); ++i) {
        const int low = static_cast<int>(i) * width;
        const int high = std::min(low + width - 1, questions);
        const std::string label =
            low == high ? std::to_string(low) : std::to_string(low) + u8"–" + std::to_string(high);
        bars.push_back({label, std::to_string(counts[i]), static_cast<double>(counts[i])});
        description += (i ? "; " : "") + ("score " + label + " : " + std::to_string(counts[i]) +
                                          (counts[i] > 1 ? u8" élèves" : u8" élève"));
    }
    return BarChart(u8"Scores de la classe", description, bars,
                    u8"Score (questions réussies) ; hauteur : nombre d'élèves", scaleTop, "");
}

std::string PupilTables(const QuizRecord& quiz, const ClassResults& results)
{
    const size_t boxes = static_cast<size_t>(BoxesPerQuestion(quiz.answersPerQuestion));
    const size_t questions = results.questions.size();
    std::string html;
    for (size_t first = 0; first < std::max<size_t>(questions, 1); first += QUESTIONS_PER_TABLE) {
        const size_t last = std::min(questions, first + QUESTIONS_PER_TABLE);
        html += "<div class=\"table-part\">";
        if (questions > QUESTIONS_PER_TABLE)
            html += "<h3>Questions " + std::to_string(first + 1) + u8" à " + std::to_string(last) +
                    "</h3>";
        html += u8"<table class=\"pupils\"><thead><tr><th scope=\"col\" class=\"pupil\">Élève</th>"
                u8"<th scope=\"col\" class=\"score\">Score</th>";
        for (size_t q = first; q < last; ++q)
            html += "<th scope=\"col\">Q" + std::to_string(q + 1) + "</th>";
        html += "</tr></thead><tbody>\n";
        for (const PupilRow& pupil : results.pupils) {
            html += pupil.altered ? "<tr class=\"altered\">" : "<tr>";
            html += "<th scope=\"row\" class=\"pupil\">" + Html(pupil.name) +
                    "<br><span class=\"mark\">" + Html(pupil.date) +
                    (pupil.altered ? u8" — modifié à la main, pas compté" : "") +
                    "</span></th><td class=\"score\">" + std::to_string(pupil.score) + "</td>";
            for (size_t q = first; q < last; ++q) {
                // One box: the cell shows its verdict; two: a part of the
                // cell each.
                std::string cell;
                for (size_t box = 0; box < boxes; ++box) {
                    const size_t at = q * boxes + box;
                    const char* verdict = at < pupil.verdicts.size() ? pupil.verdicts[at] : nullptr;
                    const std::string shown =
                        "<span class=\"verdict\">" + Html1252(verdict ? verdict : VERDICT_EMPTY) +
                        "</span>" + (at < pupil.typed.size() ? Html1252(pupil.typed[at]) : "");
                    cell += boxes == 1 ? "<td class=\"box" + VerdictClass(verdict) + "\">" + shown
                                       : "<div class=\"answer" + VerdictClass(verdict) + "\">" +
                                             shown + "</div>";
                }
                html += boxes == 1 ? cell + "</td>" : "<td class=\"box two\">" + cell + "</td>";
            }
            html += "</tr>\n";
        }
        html += "</tbody></table></div>\n";
    }
    return html;
}

std::string QuestionFiguresTable(const QuizRecord& quiz, const ClassResults& results)
{
    const size_t boxes = static_cast<size_t>(BoxesPerQuestion(quiz.answersPerQuestion));
    std::string html = u8"<table class=\"figures\"><thead><tr><th scope=\"col\">Question</th>"
                       u8"<th scope=\"col\">Réponse attendue</th><th scope=\"col\">Réussite</th>"
                       u8"<th scope=\"col\">Réponses fausses les plus fréquentes</th></tr>"
                       u8"</thead><tbody>\n";
    const QuestionRecord* question = quiz.firstQuestion;
    for (size_t q = 0; q < results.questions.size(); ++q) {
        const QuestionFigures& figures = results.questions[q];
        std::string expected, wrong;
        for (size_t box = 0; box < boxes; ++box) {
            if (question)
                expected +=
                    (box ? " / " : "") + Html1252(StoredAnswer(*question, static_cast<int>(box)));
            if (box < figures.wrong.size())
                for (const WrongAnswer& answer : figures.wrong[box])
                    wrong.append(wrong.empty() ? "" : ", ")
                        .append(boxes == 2 ? box ? "(b) " : "(a) " : "")
                        .append(u8"« " + Html1252(answer.typed) + u8" » (")
                        .append(std::to_string(answer.count) + ")");
        }
        const std::string text = question ? Html1252(question->questionText) : "";
        html.append("<tr><th scope=\"row\">" + std::to_string(q + 1))
            .append(text.empty() ? "" : ". " + text)
            .append("</th><td>" + expected + "</td><td>")
            .append(results.counted ? FrenchPercent(figures.solved, results.counted) + " (" +
                                          std::to_string(figures.solved) + ")"
                                    : u8"—")
            .append("</td><td>" + wrong + "</td></tr>\n");
        question = question ? question->next : nullptr;
    }
    return html + "</tbody></table>\n";
}

} // namespace

std::string ClassResultsPage(const QuizRecord& quiz, const ClassResults& results)
{
    const std::string title = Html1252(quiz.title);
    std::string page = u8"<!DOCTYPE html>\n<html lang=\"fr\"><head><meta charset=\"utf-8\">"
                       u8"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                       u8"<title>Bilan de la classe : " +
                       title + "</title><style>" + STYLE + VerdictRules() +
                       "</style></head><body>\n";
    page += u8"<h1>Bilan de la classe : " + title + "</h1>\n<p class=\"summary\">" +
            Html(ClassSummary(quiz, results)) + ".</p>\n";
    if (!results.problems.empty()) {
        page += u8"<section class=\"problems\"><h2>À vérifier</h2><ul>\n";
        for (const std::string& problem : results.problems)
            page += "<li>" + Html(problem) + "</li>\n";
        page += "</ul></section>\n";
    }
    page += u8"<h2>Les élèves, question par question</h2>\n" + PupilTables(quiz, results);
    page += u8"<h2>Chaque question</h2>\n" + QuestionFiguresTable(quiz, results);
    page += "<div class=\"charts\"><h2>" + std::string(u8"Réussite par question") + "</h2>\n" +
            SuccessChart(results) + u8"<h2>Scores de la classe</h2>\n" + ScoreChart(quiz, results) +
            "</div>\n";
    return page + "</body></html>\n";
}
