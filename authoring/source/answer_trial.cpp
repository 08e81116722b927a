#include "authoring/source/answer_trial.h"

#include "authoring/source/problem.h"
#include "authoring/source/quiz_field_table.h"
#include "checking/question_grading.h"
#include "checking/rules_grading.h"
#include "checking/verdict.h"
#include "quiz/text_encoding.h"

#include <cstring>
#include <vector>

namespace {

// What a pupil's box holds for this text: its Windows-1252 bytes, "?" for a
// character outside them (as the player's ANSI box gives it), cut as the
// player reads a box.
std::string AsTypedInTheBox(const std::string& utf8, std::vector<char32_t>& outside)
{
    std::string bytes = Utf8ToWindows1252(utf8, outside, '?');
    if (bytes.size() > static_cast<size_t>(MAX_TEXT_LENGTH))
        bytes.resize(MAX_TEXT_LENGTH);
    return bytes;
}

std::string BoxName(const QuizRecord& quiz, int box)
{
    const char* caption = box == 2 ? quiz.secondAnswerCaption : quiz.firstAnswerCaption;
    std::string name = "case " + std::to_string(box);
    if (caption[0])
        name += " (" + Windows1252ToUtf8(caption) + ")";
    return name;
}

// The rules without which typed would not be right against spelling.
std::vector<std::string> RulesThatMadeItRight(const AnswerRules& rules, const char* spelling,
                                              const char* typed)
{
    AnswerRules capitalsOnly;
    capitalsOnly.capitalsRequired = rules.capitalsRequired;
    if (strcmp(GradeByRules(capitalsOnly, spelling, typed), VERDICT_BRAVO) == 0)
        return {};
    std::vector<std::string> needed;
    // Every rule but capitals required forgives something.
    for (const QuizFieldRow& row : QUIZ_FIELDS) {
        if (!row.rule || row.rule == &AnswerRules::capitalsRequired || !(rules.*row.rule))
            continue;
        AnswerRules without = rules;
        without.*row.rule = false;
        if (strcmp(GradeByRules(without, spelling, typed), VERDICT_BRAVO) != 0)
            needed.push_back(RuleName(row));
    }
    return needed;
}

// The remark on the spelling a verdict under rules came from: the one
// accepted and the rules that made it right, the capitals a right answer
// lacks, or the spelling a near miss is nearest to.
void AddSpellingRemark(const QuizRules& rules, const char* stored,
                       const std::vector<std::string>* alternatives, const char* typed,
                       std::vector<std::string>& remarks)
{
    const BoxMatch match = GradeBoxByRules(rules.rules, stored, alternatives, typed);
    const char* spelling = match.spelling < 0 ? stored : (*alternatives)[match.spelling].c_str();
    std::string quoted = Quoted(Windows1252ToUtf8(spelling));
    if (match.spelling >= 0)
        quoted += u8" (autre réponse acceptée)";
    if (strcmp(match.verdict, VERDICT_BRAVO) == 0) {
        const std::vector<std::string> made = RulesThatMadeItRight(rules.rules, spelling, typed);
        if (match.spelling < 0 && made.empty())
            return;
        std::string remark = u8"accepté : " + quoted;
        for (const std::string& name : made)
            remark += ", " + name;
        remarks.push_back(remark);
        return;
    }
    AnswerRules anyCase = rules.rules;
    anyCase.capitalsRequired = false;
    if (rules.rules.capitalsRequired &&
        strcmp(GradeByRules(anyCase, spelling, typed), VERDICT_BRAVO) == 0) {
        remarks.push_back(u8"majuscules exigées : il faut " + quoted);
        return;
    }
    if (match.spelling >= 0 && strcmp(match.verdict, VERDICT_EMPTY) != 0)
        remarks.push_back(u8"au plus près de " + quoted);
}

} // namespace

bool ParseTrialTarget(const std::string& text, const QuizRecord& quiz, TrialTarget& target,
                      std::string& error)
{
    const int boxes = BoxesPerQuestion(quiz.answersPerQuestion);
    const size_t colon = text.find(':');
    const std::string number = text.substr(0, colon);
    const std::string box = colon == std::string::npos ? "1" : text.substr(colon + 1);
    auto digits = [](const std::string& s) {
        return !s.empty() && s.size() <= 3 &&
               s.find_first_not_of("0123456789") == std::string::npos;
    };
    const std::string example = boxes == 2 ? u8" (3, ou 3:2 pour la seconde case)" : " (3)";
    if (!digits(number) || !digits(box)) {
        error = Quoted(text) + u8" n'est pas un numéro de question" + example;
        return false;
    }
    target.question = std::stoi(number);
    target.box = std::stoi(box);
    if (target.question < 1 || target.question > quiz.questionCount) {
        error = "question " + std::to_string(target.question) + u8" : le quiz en a " +
                std::to_string(quiz.questionCount) + u8", de 1 à " +
                std::to_string(quiz.questionCount);
        return false;
    }
    if (target.box < 1 || target.box > boxes) {
        error = "case " + std::to_string(target.box) + " : " +
                (boxes == 2 ? u8"chaque question a deux cases, 1 et 2"
                            : u8"chaque question n'a qu'une case : écrivez " +
                                  std::to_string(target.question) + u8" sans « :" +
                                  std::to_string(target.box) + u8" »");
        return false;
    }
    return true;
}

TrialLine ParseTrialLine(const std::string& line, const QuizRecord& quiz, TrialTarget& target,
                         std::string& answer, std::string& error)
{
    std::string text = line;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) // a byte order mark
        text.erase(0, 3);
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    if (FindInvalidUtf8(text) != std::string::npos)
        text = Windows1252ToUtf8(text);
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos || text[start] == '#')
        return TrialLine::Skipped;
    const size_t separator = text.find_first_of(" \t", start);
    if (!ParseTrialTarget(text.substr(start, separator - start), quiz, target, error))
        return TrialLine::Wrong;
    if (separator == std::string::npos || separator + 1 == text.size()) {
        error = u8"il manque la réponse à essayer : écrivez par exemple " +
                Quoted(text.substr(start) + u8" l'italie");
        return TrialLine::Wrong;
    }
    answer = text.substr(separator + 1);
    return TrialLine::Trial;
}

Trial GradeTrial(const QuizRecord& quiz, const TrialTarget& target, const std::string& typedAnswer,
                 const QuizRules* rules)
{
    Trial trial;
    const int boxes = BoxesPerQuestion(quiz.answersPerQuestion);
    // QuestionAt gives the last question for any position past it.
    const QuestionRecord* question = QuestionAt(quiz, target.question - 1);
    if (!question || target.question < 1 || target.question > quiz.questionCount ||
        target.box < 1 || target.box > boxes)
        return trial;
    std::vector<char32_t> outside;
    const std::string typed = AsTypedInTheBox(typedAnswer, outside);
    // The other box holds its answer as stored, so that the reveal turns on
    // this box alone.
    const int box = target.box - 1, other = 1 - box;
    const char* texts[MAX_BOXES_PER_QUESTION] = {};
    texts[box] = typed.c_str();
    texts[other] = StoredAnswer(*question, other);
    const QuestionGrade grade = GradeQuestion(quiz, *question, texts, rules);
    trial.verdict = grade.verdicts[box];
    const auto* alternatives = BoxAlternatives(quiz, rules, *question, box);

    std::vector<std::string>& remarks = trial.remarks;
    for (char32_t c : outside) {
        std::string character;
        AppendUtf8(character, c);
        remarks.push_back(Quoted(character) +
                          u8" n'existe pas dans l'alphabet du lecteur : sa case le lit « ? »");
    }
    if (rules && rules->Any())
        AddSpellingRemark(*rules, StoredAnswer(*question, box), alternatives, typed.c_str(),
                          remarks);
    if (QuizReveals(quiz) && strcmp(trial.verdict, VERDICT_BRAVO) == 0) {
        if (!grade.reveals) {
            remarks.push_back(
                u8"pas de révélation : il y faut " +
                Quoted(Windows1252ToUtf8(StoredAnswer(*question, box))) +
                (alternatives && !alternatives->empty() ? u8" ou une autre réponse acceptée" : "") +
                u8", lettre pour lettre");
        } else if (boxes == 2) {
            remarks.push_back(u8"la révélation s'afficherait avec " +
                              Quoted(Windows1252ToUtf8(texts[other])) + " dans la case " +
                              std::to_string(other + 1) + u8", lettre pour lettre");
        } else {
            remarks.push_back(u8"la révélation s'afficherait");
        }
    }
    return trial;
}

std::string TryAnswer(const QuizRecord& quiz, const TrialTarget& target,
                      const std::string& typedAnswer, const QuizRules* rules)
{
    std::string text = "question " + std::to_string(target.question);
    if (quiz.answersPerQuestion == 2)
        text += ", " + BoxName(quiz, target.box);
    text += " : " + Quoted(typedAnswer) + u8" → ";
    const Trial trial = GradeTrial(quiz, target, typedAnswer, rules);
    if (!trial.verdict)
        return text + "?";
    text += Windows1252ToUtf8(trial.verdict);
    if (!trial.remarks.empty()) {
        text += " (";
        for (size_t i = 0; i < trial.remarks.size(); ++i)
            text += (i ? " ; " : "") + trial.remarks[i];
        text += ")";
    }
    return text;
}
