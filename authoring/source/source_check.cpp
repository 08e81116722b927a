#include "authoring/source/source_check.h"

#include "authoring/source/answer_typing.h"
#include "authoring/source/quiz_field_table.h"
#include "authoring/source/site_check.h"
#include "authoring/source/source_reader.h"
#include "checking/rules_grading.h"
#include "checking/verdict.h"
#include "quiz/media_format.h"
#include "quiz/rules_payload.h"
#include "quiz/text_encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

std::string Number(const char* word, int count)
{
    return std::to_string(count) + " " + word + (count > 1 ? "s" : "");
}

// Only the text layout shows the questions' texts (player/panel.cpp).
std::string UnshownText(const QuizSource& source)
{
    std::string message = std::string(u8"le lecteur ne le montre pas dans la disposition \"") +
                          LAYOUT_NAMES[source.layoutKind] +
                          u8"\", seulement dans la disposition \"texte\"";
    if (source.layoutKind == LAYOUT_PICTURE && source.revealMode == REVEAL_TEXT)
        message += u8" ; le texte montré une fois la question trouvée s'écrit texte_revele";
    else if (source.layoutKind == LAYOUT_PICTURE)
        message += u8" ; pour un texte montré une fois la question trouvée, écrivez "
                   u8"revelation = \"texte\" et texte_revele";
    return message;
}

// A key whose values the quiz keeps but the player does not use, told once.
struct UnusedKey {
    std::string key;
    size_t told; // the warning's place in problems
    int others;  // questions with such a value after the first
};

// Whether a pupil typing b where a is expected is already right.
bool Alike(const char* a, const char* b, const AnswerRules& rules)
{
    return strcmp(GradeByRules(rules, a, b), VERDICT_BRAVO) == 0;
}

struct Checker {
    std::vector<Problem>& problems;
    std::vector<char32_t> hardToTypeTold; // once a file, not once an answer
    std::vector<UnusedKey> unused;

    // A value kept for another layout, reveal mode or answer count: the
    // quiz builds without it, and the teacher hears of it once per key.
    void Unused(const SourceText& text, const std::string& prefix, const char* key,
                const std::string& message)
    {
        for (UnusedKey& known : unused)
            if (known.key == key) {
                ++known.others;
                return;
            }
        unused.push_back({key, problems.size(), 0});
        problems.push_back({text.place, prefix + key, message, Severity::Warning});
    }

    void TellUnusedOthers()
    {
        for (const UnusedKey& known : unused)
            if (known.others > 0)
                problems[known.told].message +=
                    u8" (de même pour " + std::to_string(known.others) +
                    (known.others > 1 ? u8" autres questions)" : u8" autre question)");
    }

    void Report(SourcePlace place, const std::string& subject, const std::string& message)
    {
        problems.push_back({place, subject, message});
    }

    // Converts one text into dest; a code may hold "|", which only fields
    // cannot.
    void Convert(const SourceText& text, const std::string& subject, bool field,
                 char (&dest)[TEXT_SIZE])
    {
        dest[0] = '\0';
        if (!text.present)
            return;
        std::vector<char32_t> unencodable;
        const std::string bytes = Utf8ToWindows1252(text.value, unencodable);

        bool control = false;
        for (char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte == 0x7F)
                control = true;
        }
        if (control)
            Report(text.place, subject,
                   u8"retour à la ligne, tabulation ou autre caractère de contrôle interdit : "
                   u8"le texte tient sur une ligne");
        if (field && bytes.find('|') != std::string::npos)
            Report(text.place, subject,
                   u8"le caractère « | » est interdit : il sépare les textes dans le quiz");
        if (!unencodable.empty()) {
            std::string list;
            for (size_t i = 0; i < unencodable.size(); ++i) {
                if (i)
                    list += i + 1 == unencodable.size() ? " et " : ", ";
                std::string character;
                AppendUtf8(character, unencodable[i]);
                list += Quoted(character) + " (" + CodePointName(unencodable[i]) + ")";
            }
            Report(text.place, subject,
                   (unencodable.size() > 1 ? u8"caractères " : u8"caractère ") + list +
                       (unencodable.size() > 1 ? u8" impossibles" : u8" impossible") +
                       u8" en Windows-1252, l'alphabet du lecteur : remplacez-les par des "
                       u8"lettres françaises ordinaires");
        }
        if (bytes.size() > static_cast<size_t>(MAX_TEXT_LENGTH))
            Report(text.place, subject,
                   "trop long : " + std::to_string(bytes.size()) +
                       u8" caractères, le lecteur en garde " + std::to_string(MAX_TEXT_LENGTH) +
                       " au plus");
        CopyText(dest, bytes.c_str());
    }

    // The answer as the player will expect it, its typing traps fixed and
    // what pupils can hardly type told.
    SourceText Answer(const SourceText& text, const std::string& subject)
    {
        if (!text.present)
            return text;
        const AnswerTyping typing = FixAnswerTyping(text.value);
        if (typing.Changed())
            problems.push_back(
                {text.place, subject, DescribeTypingFix(text.value, typing), Severity::Notice});
        for (char32_t hard : typing.hardToType) {
            if (std::find(hardToTypeTold.begin(), hardToTypeTold.end(), hard) !=
                hardToTypeTold.end())
                continue;
            hardToTypeTold.push_back(hard);
            problems.push_back({text.place, subject, DescribeHardCharacter(typing.fixed, hard),
                                Severity::Warning});
        }
        SourceText fixed = text;
        fixed.value = typing.fixed;
        return fixed;
    }

    void NotEmpty(const SourceText& text, const std::string& subject)
    {
        if (text.present && text.value.empty())
            Report(text.place, subject, u8"vide : l'élève ne pourrait jamais la trouver");
    }

    // A box's other spellings, converted as its answer is (answer, already
    // converted, is what they are compared with): one written twice, or
    // right already as the answer, is told and left out of the quiz.
    std::vector<std::string> Alternatives(const std::vector<SourceText>& texts, const char* answer,
                                          const std::string& subject, const AnswerRules& rules)
    {
        std::vector<std::string> kept;
        for (const SourceText& text : texts) {
            const SourceText fixed = Answer(text, subject);
            if (fixed.value.empty()) {
                problems.push_back({text.place, subject,
                                    u8"une réponse acceptée vide ne sert à rien : retirez-la",
                                    Severity::Warning});
                continue;
            }
            char bytes[TEXT_SIZE];
            const size_t before = CountErrors(problems);
            Convert(fixed, subject, true, bytes);
            if (CountErrors(problems) != before)
                continue;
            if (answer[0] && Alike(answer, bytes, rules)) {
                const bool byRules = !Alike(answer, bytes, AnswerRules());
                problems.push_back(
                    {text.place, subject,
                     Quoted(text.value) +
                         u8" est déjà juste : le lecteur l'accepte comme la réponse" +
                         (byRules ? u8", avec les règles du quiz (" + RulesOn(rules) + ")"
                                  : u8" elle-même") +
                         u8" ; retirez-la",
                     Severity::Warning});
                continue;
            }
            if (std::any_of(kept.begin(), kept.end(), [&](const std::string& other) {
                    return Alike(other.c_str(), bytes, rules);
                })) {
                problems.push_back({text.place, subject,
                                    Quoted(text.value) +
                                        u8" est écrite deux fois parmi les réponses acceptées : "
                                        u8"retirez l'une des deux",
                                    Severity::Warning});
                continue;
            }
            if (kept.size() == static_cast<size_t>(MAX_ALTERNATIVES)) {
                Report(text.place, subject,
                       u8"plus de " + std::to_string(MAX_ALTERNATIVES) +
                           u8" réponses acceptées pour une case : gardez les plus courantes");
                break;
            }
            kept.push_back(bytes);
        }
        return kept;
    }

    void Header(const QuizSource& source, QuizRecord& record)
    {
        for (const QuizFieldRow& row : QUIZ_FIELDS) {
            if (!row.packed)
                continue;
            const SourceText& text = source.*row.text;
            Convert(text, row.key, true, record.*row.packed);
            // A quiz built so still plays: told as a warning.
            if (row.empty && text.present && text.value.empty())
                problems.push_back({text.place, row.key, row.empty, Severity::Warning});
        }
        record.layoutKind = source.layoutKind;
        record.revealMode = ShownRevealMode(source);
        record.backgroundColour = source.colour;
        CheckWebSite(source.site, record.webSite, problems);
        // Kept for the picture layout, as the atelier keeps it.
        if (source.revealMode != REVEAL_NONE && source.layoutKind >= 0 &&
            source.layoutKind != LAYOUT_PICTURE)
            problems.push_back(
                {source.revealPlace, KEY_REVEAL,
                 u8"le lecteur ne montre de révélation que dans la disposition \"image\" ; pour "
                 u8"n'en garder aucune, écrivez revelation = \"aucune\"",
                 Severity::Warning});
    }

    // A code per number of questions found: codes past the questions could
    // never show, and the codes payload holds one line per question.
    void Codes(const QuizSource& source, QuizRecord& record)
    {
        const int count = static_cast<int>(source.codes.size());
        const int questions = static_cast<int>(source.questions.size());
        if (count > questions && questions > 0)
            problems.push_back(
                {source.codesPlace, KEY_CODES,
                 Number("code", count) + " pour " + Number("question", questions) +
                     u8" : un code par nombre de questions trouvées, donc " +
                     std::to_string(questions) + u8" au plus ; " +
                     (count - questions > 1 ? u8"les " + std::to_string(count - questions) +
                                                  u8" derniers ne seront pas dans le quiz"
                                            : u8"le dernier ne sera pas dans le quiz"),
                 Severity::Warning});
        for (int i = 0; i < count && i < questions && i < MAX_QUESTIONS; ++i)
            Convert(source.codes[i], "codes, code " + std::to_string(i + 1), false,
                    record.codes[i]);
    }

    void Media(const QuizSource& source, const SourceQuestion& question, const std::string& prefix)
    {
        static const std::string MISSING[4] = {
            "",
            u8"manquante : dans la disposition \"image\", chaque question a son image (" +
                TakenMediaNames(MediaKind::Picture) + ")",
            u8"manquant : dans la disposition \"son\", chaque question a un son (" +
                TakenMediaNames(MediaKind::Sound) + ")",
            u8"manquante : dans la disposition \"video\", chaque question a une vidéo (" +
                TakenMediaNames(MediaKind::Film) + ")",
        };
        const int layout = source.layoutKind;
        if (layout < 0)
            return;
        const SourceText* media[4] = {nullptr, &question.picture, &question.sound, &question.film};
        for (int kind = LAYOUT_PICTURE; kind <= LAYOUT_VIDEO; ++kind) {
            if (kind == layout && media[kind]->Absent())
                Report(question.place, prefix + MediumKey(kind), MISSING[kind]);
            if (kind != layout && media[kind]->present)
                Unused(
                    *media[kind], prefix, MediumKey(kind),
                    std::string(u8"ne sert pas dans la disposition \"") + LAYOUT_NAMES[layout] +
                        u8"\", seulement dans la disposition \"" + LAYOUT_NAMES[kind] + "\"" +
                        (MediumKey(layout)
                             ? u8" ; celle-ci prend " + Quoted(MediumKey(layout))
                             : std::string(u8" ; celle-ci ne montre que le texte des questions")));
        }
    }

    void Reveal(const QuizSource& source, const SourceQuestion& question, const std::string& prefix)
    {
        const int shown = ShownRevealMode(source);
        const bool texts = shown == REVEAL_TEXT;
        const bool pictures = shown == REVEAL_PICTURE;
        if (texts && question.revealText.Absent())
            Report(question.place, prefix + KEY_REVEAL_TEXT,
                   u8"manquant : avec revelation = \"texte\", chaque question a son texte révélé");
        if (!texts && question.revealText.present)
            Unused(question.revealText, prefix, KEY_REVEAL_TEXT,
                   u8"ne sert qu'avec revelation = \"texte\" dans la disposition \"image\" : il "
                   u8"ne sera pas dans le quiz");
        if (pictures && question.revealPicture.Absent())
            Report(question.place, prefix + KEY_REVEAL_PICTURE,
                   u8"manquante : avec revelation = \"image\", chaque question a son image "
                   u8"révélée");
        if (!pictures && question.revealPicture.present)
            Unused(question.revealPicture, prefix, KEY_REVEAL_PICTURE,
                   u8"ne sert qu'avec revelation = \"image\" dans la disposition \"image\" : "
                   u8"elle ne sera pas dans le quiz");
    }

    void Questions(const QuizSource& source, QuizRecord& record, QuizRules& rules)
    {
        const int count = static_cast<int>(source.questions.size());
        if (count > MAX_QUESTIONS)
            Report(source.questions[MAX_QUESTIONS].place,
                   "question " + std::to_string(MAX_QUESTIONS + 1),
                   u8"de trop : le lecteur montre " + std::to_string(MAX_QUESTIONS) +
                       u8" questions au plus, ce fichier en a " + std::to_string(count));
        const int answers = AnswerCount(source);
        record.answersPerQuestion = answers;
        record.questionCount = count < MAX_QUESTIONS ? count : MAX_QUESTIONS;

        for (int i = 0; i < count; ++i) {
            const SourceQuestion& question = source.questions[i];
            const std::string prefix = "question " + std::to_string(i + 1) + ", ";
            if (answers == 2 && question.secondAnswer.Absent())
                Report(question.place, prefix + KEY_SECOND_ANSWER,
                       source.answersPerQuestion == 2
                           ? u8"manquante : avec reponses_par_question = 2, chaque question a "
                             u8"sa seconde réponse"
                           : u8"manquante, alors que d'autres questions en ont une : il en faut "
                             u8"une à chaque question, ou à aucune");
            if (answers == 1 && question.secondAnswer.present)
                Unused(question.secondAnswer, prefix, KEY_SECOND_ANSWER,
                       u8"ne sert pas avec reponses_par_question = 1 : le lecteur ne demande "
                       u8"qu'une réponse ; écrivez 2 pour demander celle-ci aussi");
            if (source.layoutKind == LAYOUT_TEXT && question.questionText.Absent())
                Report(question.place, prefix + KEY_QUESTION_TEXT,
                       u8"manquant : dans la disposition \"texte\", chaque question montre son "
                       u8"texte");
            if (source.layoutKind > LAYOUT_TEXT && question.questionText.present)
                Unused(question.questionText, prefix, KEY_QUESTION_TEXT, UnshownText(source));
            const SourceText answerText = Answer(question.answer, prefix + KEY_ANSWER);
            const SourceText secondAnswerText =
                answers == 2 ? Answer(question.secondAnswer, prefix + KEY_SECOND_ANSWER)
                             : SourceText();
            NotEmpty(answerText, prefix + KEY_ANSWER);
            NotEmpty(secondAnswerText, prefix + KEY_SECOND_ANSWER);
            Media(source, question, prefix);
            Reveal(source, question, prefix);

            char answer[TEXT_SIZE];
            char secondAnswer[TEXT_SIZE];
            char questionText[TEXT_SIZE];
            char revealText[TEXT_SIZE];
            Convert(answerText, prefix + KEY_ANSWER, true, answer);
            Convert(secondAnswerText, prefix + KEY_SECOND_ANSWER, true, secondAnswer);
            Convert(question.questionText, prefix + KEY_QUESTION_TEXT, true, questionText);
            // A reveal text the player will not show is not in the quiz.
            Convert(ShownRevealMode(source) == REVEAL_TEXT ? question.revealText : SourceText(),
                    prefix + KEY_REVEAL_TEXT, true, revealText);
            std::array<std::vector<std::string>, 2> others = {
                Alternatives(question.otherAnswers, answer, prefix + KEY_OTHER_ANSWERS,
                             rules.rules),
                {}};
            if (answers == 2)
                others[1] = Alternatives(question.otherSecondAnswers, secondAnswer,
                                         prefix + KEY_OTHER_SECOND_ANSWERS, rules.rules);
            else if (!question.otherSecondAnswers.empty())
                Unused(question.otherSecondAnswers[0], prefix, KEY_OTHER_SECOND_ANSWERS,
                       u8"ne sert pas avec une seule réponse par question : le lecteur ne "
                       u8"demande pas de seconde réponse");
            if (i < MAX_QUESTIONS) {
                AppendQuestion(record, answer, secondAnswer, questionText);
                if (record.lastQuestion)
                    CopyText(record.lastQuestion->revealText, revealText);
                if (!others[0].empty() || !others[1].empty()) {
                    rules.alternatives.resize(i + 1);
                    rules.alternatives[i] = std::move(others);
                }
            }
        }
        TellUnusedOthers();
    }
};

} // namespace

bool CheckQuizSource(const QuizSource& source, QuizRecord& record, QuizRules& rules,
                     std::vector<Problem>& problems)
{
    const size_t before = CountErrors(problems);
    Checker checker = {problems, {}, {}};
    rules.rules = SourceRules(source);
    checker.Header(source, record);
    checker.Questions(source, record, rules);
    checker.Codes(source, record);
    return CountErrors(problems) == before;
}
