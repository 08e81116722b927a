#include "atelier/document/problem_fields.h"
#include "quiz/quiz_record.h"

#include <gtest/gtest.h>

// Each subject the check gives leads to its field, and to the name the
// atelier shows for it.
TEST(ProblemFields, LeadsFromEachSubjectToItsField)
{
    const struct {
        const char* subject;
        FieldPlace place;
        const char* name;
    } cases[] = {
        {"titre", {QuizField::Title}, "Titre"},
        {"icone", {QuizField::Icon}, u8"Icône"},
        {"legende_seconde_reponse", {QuizField::SecondCaption}, u8"Légende de la 2e case"},
        {"codes", {QuizField::Codes}, "Codes"},
        {"codes, code 12", {QuizField::Codes, -1, 11}, "Codes, code 12"},
        {"question 4, reponse", {QuizField::Answer, 3}, u8"Question 4, réponse"},
        {"question 90, image_revelee",
         {QuizField::RevealPicture, 89},
         u8"Question 90, image révélée"},
        {"question 2, son", {QuizField::Medium, 1}, "Question 2, son"},
        {"question 5, autres_reponses",
         {QuizField::OtherAnswers, 4},
         u8"Question 5, réponses acceptées aussi"},
        {"question 1, autres_secondes_reponses",
         {QuizField::OtherSecondAnswers, 0},
         u8"Question 1, secondes réponses acceptées aussi"},
        {"accents_facultatifs", {QuizField::AccentsOptional}, "Accents facultatifs"},
        {"majuscules_exigees", {QuizField::CapitalsRequired}, u8"Majuscules exigées"},
        {"question 91", {QuizField::Question, 90}, "Question 91"},
        {"question 3, imgae", {QuizField::Question, 2}, "Question 3"},
        {"question", {}, ""},
        {"questions 3, reponse", {}, ""},
        {"", {}, ""},
        {"codes, code ", {}, ""},
    };
    for (const auto& c : cases) {
        const FieldPlace place = ProblemField({{}, c.subject, "", Severity::Error});
        EXPECT_EQ(place, c.place) << c.subject;
        EXPECT_EQ(FieldName(place, LAYOUT_AUDIO), c.name) << c.subject;
    }
}
