#include "authoring/source/quiz_field_table.h"

#include "authoring/source/source_reader.h"
#include "quiz/text_encoding.h"

#include <algorithm>
#include <cctype>

// Each row: key, name, field, control, text, packed, optional, comment,
// absentComment, example, missing, empty, flag, rule, explanation
// (quiz_field_table.h).
const QuizFieldRow QUIZ_FIELDS[QUIZ_FIELD_COUNT] = {
    {KEY_TITLE, "Titre", QuizField::Title, 1, &QuizSource::title, &QuizRecord::title, false, "",
     nullptr, nullptr, u8"manquant : chaque quiz a un titre (titre = \"...\")",
     u8"vide : le lecteur montre le titre en haut de sa fenêtre ; donnez-en un", nullptr, nullptr,
     nullptr},
    {KEY_AUTHOR, "Auteur", QuizField::Author, 2, &QuizSource::author, &QuizRecord::author, false,
     "", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {KEY_EXPLANATIONS, "Explications", QuizField::Explanations, 3, &QuizSource::explanations,
     &QuizRecord::explanations, false, u8"# La ligne d'explication, sous le titre.\n", nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {KEY_LAYOUT, "Disposition", QuizField::Layout, 4, nullptr, nullptr, false,
     u8"\n# \"texte\" : une ligne par question, avec son texte ;\n"
     u8"# \"image\", \"son\" ou \"video\" : trois questions par rangée, chacune avec\n"
     u8"# son image (JPEG, PNG, GIF, BMP ou TIFF : quizzpack la réduit au carré de\n"
     u8"# 260 points du lecteur), son son (MP3) ou sa vidéo (AVI).\n",
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {KEY_REVEAL, u8"Révélation", QuizField::Reveal, 5, nullptr, nullptr, false,
     u8"\n# Ce que montre une question résolue, dans la disposition \"image\"\n"
     u8"# seulement : \"aucune\" ; \"image\" : son image_revelee remplace son image ;\n"
     u8"# \"texte\" : son texte_revele s'affiche sous ses réponses.\n",
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    // The colour's problems lead to the button that opens the colour dialog.
    {KEY_COLOUR, "Couleur", QuizField::Colour, 7, nullptr, nullptr, false,
     u8"\n# La couleur du fond, \"#RRVVBB\" en hexadécimal (rouge, vert, bleu).\n", nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {KEY_SITE, "Site", QuizField::Site, 11, &QuizSource::site, nullptr, true,
     u8"\n# Le lien en haut à droite du quiz mène au site du lecteur, ou à l'adresse\n"
     u8"# donnée ici (en https:// ou http://), dont il montre le nom du site.\n",
     u8"# Pour en donner une, retirez le # devant site.\n", "\"https://www.mon-ecole.fr/quiz\"",
     nullptr, nullptr, nullptr, nullptr, nullptr},
    {KEY_ICON, u8"Icône", QuizField::Icon, 12, &QuizSource::icon, nullptr, true,
     u8"\n# Facultative : l'icône du quiz dans l'Explorateur, la barre de titre et la\n"
     u8"# barre des tâches, à la place de celle du lecteur. Une image PNG, JPEG,\n"
     u8"# GIF, BMP ou TIFF, ou une icône .ico, carrée de préférence et d'au moins\n"
     u8"# 256 points de côté.\n",
     u8"# Pour en donner une, enlevez le # au début de la ligne suivante :\n", "\"icone.png\"",
     nullptr, nullptr, nullptr, nullptr, nullptr},
    {KEY_FIRST_CAPTION, u8"Légende de la 1re case", QuizField::FirstCaption, 9,
     &QuizSource::firstAnswerCaption, &QuizRecord::firstAnswerCaption, false,
     u8"\n# Avec deux réponses par question, les légendes des deux cases, à gauche\n"
     u8"# de chaque rangée.\n",
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {KEY_SECOND_CAPTION, u8"Légende de la 2e case", QuizField::SecondCaption, 10,
     &QuizSource::secondAnswerCaption, &QuizRecord::secondAnswerCaption, false, "", nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    // Its problems name no field of the atelier, which shows it as a box to
    // tick; its comment is written with it, only when the file says it.
    {KEY_ANSWER_COUNT, "", QuizField::None, 0, nullptr, nullptr, false, "", nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr},
    {KEY_CODES, "Codes", QuizField::Codes, 14, nullptr, nullptr, false,
     u8"\n# Les codes à gagner : le premier s'affiche quand une question est trouvée,\n"
     u8"# le deuxième quand deux le sont, et ainsi de suite. Un par question au\n"
     u8"# plus ; moins est permis.\n",
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    // The rules of the accepted answers, each off unless the file says it.
    {KEY_ACCENTS_OPTIONAL, "Accents facultatifs", QuizField::AccentsOptional, 15, nullptr, nullptr,
     false,
     u8"\n# Les règles des réponses acceptées (true pour l'appliquer, false sinon),\n"
     u8"# appliquées à la réponse attendue comme à celle tapée. Les articles sont\n"
     u8"# le, la, les, l', un, une, des, du, de la, de l' en tête ; avec les tirets\n"
     u8"# comme espaces, plusieurs espaces comptent pour une.\n",
     nullptr, nullptr, nullptr, nullptr, &QuizSource::accentsOptional,
     &AnswerRules::accentsOptional, u8"« elephant » est juste pour « éléphant »"},
    {KEY_ARTICLES_OPTIONAL, "Articles facultatifs", QuizField::ArticlesOptional, 16, nullptr,
     nullptr, false, "", nullptr, nullptr, nullptr, nullptr, &QuizSource::articlesOptional,
     &AnswerRules::articlesOptional, u8"« Italie » est juste pour « l'Italie », et l'inverse"},
    {KEY_HYPHENS_AS_SPACES, "Tirets comme espaces", QuizField::HyphensAsSpaces, 17, nullptr,
     nullptr, false, "", nullptr, nullptr, nullptr, nullptr, &QuizSource::hyphensAsSpaces,
     &AnswerRules::hyphensAsSpaces, u8"« Mont Blanc » est juste pour « Mont-Blanc »"},
    {KEY_CAPITALS_REQUIRED, u8"Majuscules exigées", QuizField::CapitalsRequired, 18, nullptr,
     nullptr, false, "", nullptr, nullptr, nullptr, nullptr, &QuizSource::capitalsRequired,
     &AnswerRules::capitalsRequired, u8"« paris » n'est pas juste pour « Paris »"},
    {KEY_HAND_IN, "Rendre le travail", QuizField::HandIn, 19, nullptr, nullptr, false,
     u8"\n# Les élèves rendent leur travail : le quiz leur demande leur nom et leur\n"
     u8"# offre « Rendre mon travail », un petit fichier (ou un texte à coller dans un\n"
     u8"# message) de leurs réponses, que le bilan de la classe lit.\n",
     nullptr, nullptr, nullptr, nullptr, &QuizSource::handIn, nullptr,
     u8"chaque élève donne son nom et rend ses réponses pour le bilan de la classe"},
};

const QuizFieldRow* FindQuizField(const std::string& key)
{
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (key == row.key)
            return &row;
    return nullptr;
}

void EmptyQuizTexts(QuizSource& source)
{
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.text && !row.optional) {
            source.*row.text = SourceText();
            (source.*row.text).present = true;
        }
}

bool HasAnswerRules(const QuizSource& source)
{
    if (SourceRules(source).Any())
        return true;
    for (const SourceQuestion& question : source.questions)
        if (!question.otherAnswers.empty() || !question.otherSecondAnswers.empty())
            return true;
    return false;
}

void SetSourceRules(const QuizRules& rules, QuizSource& source)
{
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.rule && rules.rules.*row.rule)
            source.*row.flag = {true, {1, 1}, true};
    const size_t rows = std::min(rules.alternatives.size(), source.questions.size());
    for (size_t i = 0; i < rows; ++i) {
        SourceQuestion& question = source.questions[i];
        for (int box = 0; box < 2; ++box)
            for (const std::string& spelling : rules.alternatives[i][box]) {
                SourceText text;
                text.value = Windows1252ToUtf8(spelling);
                text.present = true;
                (box ? question.otherSecondAnswers : question.otherAnswers).push_back(text);
            }
    }
}

AnswerRules SourceRules(const QuizSource& source)
{
    AnswerRules rules;
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.rule)
            rules.*row.rule = (source.*row.flag).value;
    return rules;
}

std::string RuleName(const QuizFieldRow& row)
{
    std::string name = row.name;
    if (!name.empty())
        name[0] = static_cast<char>(tolower(static_cast<unsigned char>(name[0])));
    return name;
}

std::string RulesOn(const AnswerRules& rules)
{
    std::string names;
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.rule && rules.*row.rule)
            names += (names.empty() ? "" : ", ") + RuleName(row);
    return names;
}
