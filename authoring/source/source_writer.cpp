#include "authoring/source/source_writer.h"

#include "authoring/source/source_reader.h"
#include "authoring/source/text_encoding.h"
#include "quiz/quiz_record.h"

#include <algorithm>
#include <cstdio>

namespace {

void Line(std::string& out, const char* key, const SourceText& text, const std::string& note = "")
{
    out += std::string(key) + " = " + TomlString(text.value) + note + "\n";
}

std::string Layout(int kind)
{
    return std::string(u8"la disposition « ") + LAYOUT_NAMES[kind] + u8" »";
}

// Beside a value the quiz keeps but the player does not use, why it stays:
// a teacher who edits the file by hand sees that it is no mistake.
std::string UnusedNote(const QuizSource& source, const char* key)
{
    const int layout = source.layoutKind;
    if (layout < 0)
        return "";
    const std::string name(key);
    if (name == KEY_SECOND_ANSWER)
        return AnswerCount(source) == 1 ? u8" # une seule réponse par question : gardée pour deux"
                                        : "";
    if (name == KEY_QUESTION_TEXT)
        return layout != LAYOUT_TEXT
                   ? u8" # " + Layout(layout) + u8" ne montre pas ce texte ; il reste pour " +
                         Layout(LAYOUT_TEXT)
                   : "";
    for (int kind = LAYOUT_PICTURE; kind <= LAYOUT_VIDEO; ++kind)
        if (name == MediumKey(kind))
            return kind != layout ? u8" # " + Layout(layout) + u8" ne s'en sert pas ; gardé pour " +
                                        Layout(kind)
                                  : "";
    const int reveal = name == KEY_REVEAL_PICTURE ? REVEAL_PICTURE
                       : name == KEY_REVEAL_TEXT  ? REVEAL_TEXT
                                                  : REVEAL_NONE;
    if (reveal == REVEAL_NONE || ShownRevealMode(source) == reveal)
        return "";
    if (layout != LAYOUT_PICTURE)
        return u8" # " + Layout(layout) + u8" ne montre pas de révélation ; gardé pour " +
               Layout(LAYOUT_PICTURE);
    return std::string(u8" # revelation = « ") + REVEAL_NAMES[source.revealMode] +
           u8" » ne s'en sert pas ; gardé pour revelation = « " + REVEAL_NAMES[reveal] + u8" »";
}

std::string Colour(uint32_t colour)
{
    char text[8];
    snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, colour >> 8 & 0xFF,
             colour >> 16 & 0xFF);
    return text;
}

} // namespace

std::string TomlString(const std::string& utf8)
{
    std::string out = "\"";
    size_t position = 0;
    char32_t c;
    while (position < utf8.size()) {
        const size_t start = position;
        if (!NextCodePoint(utf8, position, c)) {
            ++position; // not UTF-8: nothing a reader would accept, so dropped
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            char escape[8];
            snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            out += escape;
        } else {
            out.append(utf8, start, position - start);
        }
    }
    return out + "\"";
}

std::string WriteQuizSource(const QuizSource& source, const std::string& fileName)
{
    std::string out;
    out +=
        u8"# Quiz pour le lecteur Quizz. Pour le construire :  quizzpack build " + fileName + "\n";
    out += u8"# (quizzpack check " + fileName +
           u8" le vérifie sans rien écrire). Ce fichier\n"
           u8"# s'enregistre en UTF-8 ; ce qui suit un # est un commentaire.\n";
    // The first answer makes the example, unless it could end the comment.
    std::string example = source.questions.empty() ? "" : source.questions[0].answer.value;
    if (example.empty() || std::any_of(example.begin(), example.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        }))
        example = "Paris";
    out += u8"# Le verdict du lecteur pour une réponse, à la question 1 par exemple :\n"
           u8"#   quizzpack essai " +
           fileName + " 1 " + example + "\n";
    out += u8"#\n"
           u8"# Chaque texte s'écrit entre guillemets droits, sur une seule ligne :\n"
           u8"# 259 caractères au plus, sans le caractère | et avec les seuls caractères\n"
           u8"# de Windows-1252 (les lettres françaises, œ, €, « », ’ en sont ; les\n"
           u8"# emojis non). Un guillemet \" s'écrit \\\" et une barre \\ s'écrit \\\\.\n\n";

    Line(out, KEY_TITLE, source.title);
    Line(out, KEY_AUTHOR, source.author);
    out += u8"# La ligne d'explication, sous le titre.\n";
    Line(out, KEY_EXPLANATIONS, source.explanations);

    out += u8"\n# \"texte\" : une ligne par question, avec son texte ;\n"
           u8"# \"image\", \"son\" ou \"video\" : trois questions par rangée, chacune avec\n"
           u8"# son image (JPEG, PNG, GIF, BMP ou TIFF : quizzpack la réduit au carré de\n"
           u8"# 260 points du lecteur), son son (MP3) ou sa vidéo (AVI).\n";
    out += std::string(KEY_LAYOUT) + " = " +
           TomlString(source.layoutKind >= 0 ? LAYOUT_NAMES[source.layoutKind] : "") + "\n";

    out += u8"\n# Ce que montre une question résolue, dans la disposition \"image\"\n"
           u8"# seulement : \"aucune\" ; \"image\" : son image_revelee remplace son image ;\n"
           u8"# \"texte\" : son texte_revele s'affiche sous ses réponses.\n";
    out += std::string(KEY_REVEAL) + " = " + TomlString(REVEAL_NAMES[source.revealMode]);
    if (source.revealMode != ShownRevealMode(source) && source.layoutKind >= 0)
        out += u8" # " + Layout(source.layoutKind) + u8" n'en montre pas ; elle reste pour " +
               Layout(LAYOUT_PICTURE);
    out += "\n";

    out += u8"\n# La couleur du fond, \"#RRVVBB\" en hexadécimal (rouge, vert, bleu).\n";
    out += std::string(KEY_COLOUR) + " = " + TomlString(Colour(source.colour)) + "\n";

    out += u8"\n# Le lien en haut à droite du quiz mène au site du lecteur, ou à l'adresse\n"
           u8"# donnée ici (en https:// ou http://), dont il montre le nom du site.\n";
    if (source.site.present)
        Line(out, KEY_SITE, source.site);
    else
        out += u8"# Pour en donner une, retirez le # devant site.\n# " + std::string(KEY_SITE) +
               u8" = \"https://www.mon-ecole.fr/quiz\"\n";
    out += u8"\n# Facultative : l'icône du quiz dans l'Explorateur, la barre de titre et la\n"
           u8"# barre des tâches, à la place de celle du lecteur. Une image PNG, JPEG,\n"
           u8"# GIF, BMP ou TIFF, ou une icône .ico, carrée de préférence et d'au moins\n"
           u8"# 256 points de côté.\n";
    if (source.icon.present)
        Line(out, KEY_ICON, source.icon);
    else
        out += u8"# Pour en donner une, enlevez le # au début de la ligne suivante :\n# " +
               std::string(KEY_ICON) + " = \"icone.png\"\n";

    out += u8"\n# Avec deux réponses par question, les légendes des deux cases, à gauche\n"
           u8"# de chaque rangée.\n";
    Line(out, KEY_FIRST_CAPTION, source.firstAnswerCaption);
    Line(out, KEY_SECOND_CAPTION, source.secondAnswerCaption);
    if (source.answersPerQuestion > 0)
        out += u8"# Les réponses demandées à chaque question, 1 ou 2 : avec 1, les\n"
               u8"# secondes réponses restent ici sans servir.\n" +
               std::string(KEY_ANSWER_COUNT) + " = " + std::to_string(source.answersPerQuestion) +
               "\n";

    out += u8"\n# Les codes à gagner : le premier s'affiche quand une question est trouvée,\n"
           u8"# le deuxième quand deux le sont, et ainsi de suite. Un par question au\n"
           u8"# plus ; moins est permis.\n";
    if (source.codes.empty()) {
        out += std::string(KEY_CODES) + " = []\n";
    } else {
        out += std::string(KEY_CODES) + " = [\n";
        for (size_t i = 0; i < source.codes.size(); ++i)
            out += "    " + TomlString(source.codes[i].value) + ", # " + std::to_string(i + 1) +
                   (i ? u8" questions trouvées\n" : u8" question trouvée\n");
        out += "]\n";
    }

    out += u8"\n# Les questions, dans l'ordre, 90 au plus, chacune dans un bloc [[question]] :\n"
           u8"#   reponse          la réponse attendue, telle que les élèves la tapent :\n"
           u8"#                    ’ y devient ', une espace insécable une espace, et\n"
           u8"#                    check signale ce qui se tape mal (œ, « », É...) ;\n"
           u8"#   seconde_reponse  la seconde réponse, à toutes les questions ou à aucune ;\n"
           u8"#   texte            le texte de la question (montré dans la disposition\n"
           u8"#                    \"texte\" seulement) ;\n"
           u8"#   image, son, video  le fichier de la question selon la disposition, son\n"
           u8"#                    chemin écrit avec des / depuis le dossier de ce fichier\n"
           u8"#                    (des \\ y sont lus comme des /) ;\n"
           u8"#   image_revelee    avec revelation = \"image\" ;\n"
           u8"#   texte_revele     avec revelation = \"texte\".\n";
    for (size_t i = 0; i < source.questions.size(); ++i) {
        const SourceQuestion& question = source.questions[i];
        out += "\n[[question]] # " + std::to_string(i + 1) + "\n";
        const struct {
            const char* key;
            const SourceText& text;
        } keys[] = {
            {KEY_ANSWER, question.answer},
            {KEY_SECOND_ANSWER, question.secondAnswer},
            {KEY_QUESTION_TEXT, question.questionText},
            {KEY_PICTURE, question.picture},
            {KEY_SOUND, question.sound},
            {KEY_FILM, question.film},
            {KEY_REVEAL_PICTURE, question.revealPicture},
            {KEY_REVEAL_TEXT, question.revealText},
        };
        for (const auto& key : keys)
            if (key.text.present)
                Line(out, key.key, key.text, UnusedNote(source, key.key));
    }
    return out;
}
