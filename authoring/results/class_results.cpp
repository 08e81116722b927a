#include "authoring/results/class_results.h"

#include "authoring/results/french_figures.h"
#include "authoring/source/problem.h"
#include "checking/compare.h"
#include "checking/question_grading.h"
#include "checking/verdict.h"
#include "quiz/pupil_results.h"
#include "quiz/text_encoding.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

// One result read from what was handed in, before the same pupil's results
// are weighed against each other.
struct Handed {
    size_t order = 0; // its place among the results handed in
    std::string from;
    PupilResults results;
    bool altered = false;
    std::string nameKey;
    bool kept = true;
};

// The results a handed-in text holds: the whole text when it holds no block,
// else each block from its start to its end (a block cut short runs to the
// next start, and reads as damaged). Named after it, and "bloc k" when there
// are several.
std::vector<std::pair<std::string, std::string>> Pieces(const HandedIn& handed)
{
    const std::string start = RESULTS_BLOCK_START, end = RESULTS_BLOCK_END;
    std::vector<std::string> texts;
    size_t at = handed.text.find(start);
    if (at == std::string::npos)
        texts.push_back(handed.text);
    while (at != std::string::npos) {
        const size_t next = handed.text.find(start, at + start.size());
        size_t stop = handed.text.find(end, at + start.size());
        stop = stop == std::string::npos || stop > next ? next : stop + end.size();
        texts.push_back(handed.text.substr(at, stop == std::string::npos ? stop : stop - at));
        at = next;
    }
    std::vector<std::pair<std::string, std::string>> pieces;
    for (size_t i = 0; i < texts.size(); ++i)
        pieces.emplace_back(
            texts.size() == 1 ? handed.name : handed.name + " (bloc " + std::to_string(i + 1) + ")",
            texts[i]);
    return pieces;
}

// A name as the class reads it: spaces around it dropped, runs of spaces as
// one, letters without their case or accent, so that "Léa  MARTIN" and
// "lea martin" are one pupil.
std::string NameKey(const std::string& utf8)
{
    std::string key;
    bool space = false;
    for (size_t at = 0; at < utf8.size();) {
        char32_t letter = 0;
        if (!NextCodePoint(utf8, at, letter))
            letter = static_cast<unsigned char>(utf8[at++]);
        if (letter == U' ' || letter == U'\t' || letter == 0xA0) {
            space = !key.empty();
            continue;
        }
        if (space)
            key += ' ';
        space = false;
        AppendUtf8(key, BaseLetter(letter));
    }
    return key;
}

// A problem told, and the place of the result it tells of, so that the lines
// follow the order the results were handed in.
using Told = std::pair<size_t, std::string>;

// Each pupil once: of the same pupil's results, the latest date is kept (the
// last handed in between equal dates); the others are told.
void KeepLatest(std::vector<Handed>& handed, std::vector<Told>& problems)
{
    std::map<std::string, size_t> latest;
    for (size_t i = 0; i < handed.size(); ++i) {
        const auto found = latest.find(handed[i].nameKey);
        if (found == latest.end()) {
            latest.emplace(handed[i].nameKey, i);
        } else if (handed[i].results.date >= handed[found->second].results.date) {
            handed[found->second].kept = false;
            found->second = i;
        } else {
            handed[i].kept = false;
        }
    }
    for (const Handed& h : handed)
        if (!h.kept) {
            const Handed& kept = handed[latest[h.nameKey]];
            problems.emplace_back(h.order, h.from + " : " + Quoted(h.results.name) +
                                               u8" a rendu son travail plusieurs fois ; celui du " +
                                               kept.results.date + " (" + kept.from +
                                               u8") est gardé, celui-ci (" + h.results.date +
                                               u8") est laissé de côté.");
        }
}

PupilRow GradedRow(const QuizRecord& quiz, const QuizRules& rules, const Handed& handed)
{
    const int boxes = BoxesPerQuestion(quiz.answersPerQuestion);
    PupilRow row;
    row.name = handed.results.name;
    row.date = handed.results.date;
    row.from = handed.from;
    row.altered = handed.altered;
    row.typed = handed.results.answers;
    // Boxes the quiz has no more are dropped; those it has gained are empty.
    row.typed.resize(static_cast<size_t>(quiz.questionCount) * static_cast<size_t>(boxes));
    int q = 0;
    for (const QuestionRecord* question = quiz.firstQuestion; question && q < quiz.questionCount;
         question = question->next, ++q) {
        const char* typed[MAX_BOXES_PER_QUESTION] = {};
        for (int box = 0; box < boxes; ++box)
            typed[box] = row.typed[static_cast<size_t>(q) * static_cast<size_t>(boxes) +
                                   static_cast<size_t>(box)]
                             .c_str();
        const QuestionGrade grade = GradeQuestion(quiz, *question, typed, &rules);
        for (int box = 0; box < boxes; ++box)
            row.verdicts.push_back(grade.verdicts[box]);
        row.solved.push_back(grade.solved);
        row.score += grade.solved ? 1 : 0;
    }
    return row;
}

// The text a wrong answer is counted under: spaces around it dropped, and its
// letters folded as the verdicts fold them unless the quiz wants capitals.
std::string WrongKey(const std::string& trimmed, bool capitalsRequired)
{
    char folded[TEXT_SIZE];
    CopyText(folded, trimmed.c_str());
    if (!capitalsRequired)
        ToUpperAscii(folded);
    return folded;
}

void CountFigures(const QuizRecord& quiz, const QuizRules& rules, ClassResults& results)
{
    const size_t boxes = static_cast<size_t>(BoxesPerQuestion(quiz.answersPerQuestion));
    const size_t questions = static_cast<size_t>(std::max(quiz.questionCount, 0));
    results.questions.assign(questions, {});
    // Per box: each wrong answer's count and its first spelling, by its key.
    std::vector<std::map<std::string, WrongAnswer>> wrong(questions * boxes);
    for (const PupilRow& row : results.pupils) {
        if (row.altered)
            continue;
        ++results.counted;
        for (size_t q = 0; q < row.solved.size() && q < questions; ++q)
            results.questions[q].solved += row.solved[q] ? 1 : 0;
        for (size_t box = 0; box < row.verdicts.size() && box < wrong.size(); ++box) {
            char trimmed[TEXT_SIZE];
            CopyText(trimmed, row.typed[box].c_str());
            TrimSpaces(trimmed);
            if (trimmed[0] == '\0' || std::strcmp(row.verdicts[box], VERDICT_BRAVO) == 0)
                continue;
            WrongAnswer& answer = wrong[box][WrongKey(trimmed, rules.rules.capitalsRequired)];
            if (answer.count++ == 0)
                answer.typed = trimmed;
        }
    }
    for (size_t q = 0; q < questions; ++q)
        for (size_t box = 0; box < boxes; ++box) {
            // The map holds them by key: a stable order between equal counts.
            std::vector<WrongAnswer> most;
            for (const auto& counted : wrong[q * boxes + box])
                most.push_back(counted.second);
            std::stable_sort(
                most.begin(), most.end(),
                [](const WrongAnswer& a, const WrongAnswer& b) { return a.count > b.count; });
            if (most.size() > MOST_FREQUENT_WRONG)
                most.resize(MOST_FREQUENT_WRONG);
            results.questions[q].wrong.push_back(most);
        }
}

} // namespace

ClassResults GradeClass(const QuizRecord& quiz, const QuizRules& rules,
                        const std::vector<HandedIn>& handedIn)
{
    const std::vector<unsigned char> key = WorkKey(quiz.title);
    const std::string identity = QuizIdentity(key);
    const size_t boxCount = static_cast<size_t>(std::max(quiz.questionCount, 0)) *
                            static_cast<size_t>(BoxesPerQuestion(quiz.answersPerQuestion));
    ClassResults results;
    std::vector<Told> problems;

    std::vector<Handed> handed;
    size_t order = 0;
    for (const HandedIn& in : handedIn)
        for (const auto& piece : Pieces(in)) {
            Handed h;
            h.order = order++;
            h.from = piece.first;
            const ResultsRead read = ReadResults(piece.second, key, h.results);
            if (read == ResultsRead::Unreadable) {
                problems.emplace_back(
                    h.order,
                    h.from + u8" : fichier abîmé ou qui n'est pas un travail rendu ; demandez à "
                             u8"l'élève de le rendre à nouveau.");
            } else if (h.results.quiz != identity) {
                problems.emplace_back(h.order, h.from + u8" : c'est le travail d'un autre quiz (" +
                                                   Quoted(h.results.name) +
                                                   u8") ; mettez-le dans le bilan de son quiz.");
            } else {
                h.altered = read == ResultsRead::Altered;
                h.nameKey = NameKey(h.results.name);
                handed.push_back(h);
            }
        }

    KeepLatest(handed, problems);
    for (const Handed& h : handed) {
        if (!h.kept)
            continue;
        if (h.altered)
            problems.emplace_back(
                h.order,
                h.from + " : " + Quoted(h.results.name) +
                    u8" : ce travail a été modifié à la main après avoir été rendu ; il est montré "
                    u8"marqué mais pas compté. Demandez à l'élève de le rendre à nouveau.");
        if (h.results.answers.size() != boxCount)
            problems.emplace_back(h.order, h.from + " : " + Quoted(h.results.name) + " : " +
                                               std::to_string(h.results.answers.size()) +
                                               u8" réponses rendues, le quiz en a " +
                                               std::to_string(boxCount) +
                                               u8" aujourd'hui (ses questions ont changé depuis) ; "
                                               u8"il est noté sur les réponses "
                                               u8"que les deux ont.");
        results.pupils.push_back(GradedRow(quiz, rules, h));
    }
    std::stable_sort(results.pupils.begin(), results.pupils.end(),
                     [](const PupilRow& a, const PupilRow& b) {
                         const std::string ka = NameKey(a.name), kb = NameKey(b.name);
                         return ka != kb ? ka < kb : a.date < b.date;
                     });
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Told& a, const Told& b) { return a.first < b.first; });
    for (Told& problem : problems)
        results.problems.push_back(std::move(problem.second));
    CountFigures(quiz, rules, results);
    return results;
}

std::string ClassSummary(const QuizRecord& quiz, const ClassResults& results)
{
    int total = 0;
    for (const PupilRow& pupil : results.pupils)
        total += pupil.altered ? 0 : pupil.score;
    std::string summary = std::to_string(results.counted) +
                          (results.counted > 1 ? u8" élèves comptés" : u8" élève compté");
    if (results.counted > 0)
        summary += u8", moyenne " + FrenchAverage(total, results.counted) + " sur " +
                   std::to_string(quiz.questionCount) + " (" +
                   FrenchPercent(total, results.counted * quiz.questionCount) + ")";
    const size_t altered = results.pupils.size() - static_cast<size_t>(results.counted);
    if (altered > 0)
        summary += ", " + std::to_string(altered) +
                   (altered > 1 ? u8" modifiés à la main, montrés à part"
                                : u8" modifié à la main, montré à part");
    return summary;
}
