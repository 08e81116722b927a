#include "atelier/document/problem_fields.h"

#include "authoring/source/source_reader.h"
#include "quiz/quiz_record.h"

#include <cstring>

namespace {

struct Named {
    const char* key;
    QuizField field;
    const char* name;
};

const Named QUESTION[] = {
    {KEY_ANSWER, QuizField::Answer, u8"réponse"},
    {KEY_SECOND_ANSWER, QuizField::SecondAnswer, u8"seconde réponse"},
    {KEY_OTHER_ANSWERS, QuizField::OtherAnswers, u8"réponses acceptées aussi"},
    {KEY_OTHER_SECOND_ANSWERS, QuizField::OtherSecondAnswers,
     u8"secondes réponses acceptées aussi"},
    {KEY_QUESTION_TEXT, QuizField::QuestionText, u8"intitulé"},
    {KEY_PICTURE, QuizField::Medium, "image"},
    {KEY_SOUND, QuizField::Medium, "son"},
    {KEY_FILM, QuizField::Medium, u8"vidéo"},
    {KEY_REVEAL_PICTURE, QuizField::RevealPicture, u8"image révélée"},
    {KEY_REVEAL_TEXT, QuizField::RevealText, u8"texte révélé"},
};

// The number that text holds after prefix, from 1; 0 when it holds none.
int NumberAfter(const std::string& text, const char* prefix, size_t& end)
{
    const size_t length = strlen(prefix);
    if (text.compare(0, length, prefix) != 0)
        return 0;
    end = length;
    int number = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9' && number < 100000)
        number = number * 10 + (text[end++] - '0');
    return end > length ? number : 0;
}

} // namespace

FieldPlace ProblemField(const Problem& problem)
{
    const std::string& subject = problem.subject;
    FieldPlace place;
    size_t end = 0;
    if (const int code = NumberAfter(subject, "codes, code ", end);
        code > 0 && end == subject.size())
        return {QuizField::Codes, -1, code - 1};
    if (const int number = NumberAfter(subject, "question ", end); number > 0) {
        place.question = number - 1;
        place.field = QuizField::Question;
        if (subject.compare(end, 2, ", ") == 0)
            for (const Named& named : QUESTION)
                if (subject.compare(end + 2, std::string::npos, named.key) == 0)
                    place.field = named.field;
        return place;
    }
    if (const QuizFieldRow* row = FindQuizField(subject))
        place.field = row->field;
    return place;
}

std::string FieldName(const FieldPlace& place, int layoutKind)
{
    if (place.field == QuizField::Codes && place.code >= 0)
        return "Codes, code " + std::to_string(place.code + 1);
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.field != QuizField::None && row.field == place.field)
            return row.name;
    if (place.question < 0)
        return "";
    std::string name = "Question " + std::to_string(place.question + 1);
    if (place.field == QuizField::Medium) {
        static const char* const MEDIA[] = {"image", "image", "son", u8"vidéo"};
        return name + ", " +
               MEDIA[layoutKind >= LAYOUT_PICTURE && layoutKind <= LAYOUT_VIDEO ? layoutKind
                                                                                : LAYOUT_PICTURE];
    }
    for (const Named& named : QUESTION)
        if (named.field == place.field)
            return name + ", " + named.name;
    return name;
}
