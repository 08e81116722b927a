#include "authoring/source/source_writer.h"

#include "authoring/source/quiz_field_table.h"
#include "authoring/source/source_reader.h"
#include "quiz/quiz_record.h"
#include "quiz/text_encoding.h"

#include <algorithm>
#include <cstdio>

namespace {

void Line(std::string& out, const char* key, const SourceText& text, const std::string& note = "")
{
    out += std::string(key) + " = " + TomlString(text.value) + note + "\n";
}

// Other spellings, on one line as a teacher reads them; none, no line.
void List(std::string& out, const char* key, const std::vector<SourceText>& texts,
          const std::string& note)
{
    if (texts.empty())
        return;
    out += std::string(key) + " = [";
    for (size_t i = 0; i < texts.size(); ++i)
        out += (i ? ", " : "") + TomlString(texts[i].value);
    out += "]" + note + "\n";
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

// The values that are no plain text, each in its own form. Whether there
// are two answers per question is told only when the file says so, with its
// comment.
void WriteOwnForm(std::string& out, const QuizSource& source, const std::string& key)
{
    if (key == KEY_LAYOUT) {
        out += key + " = " +
               TomlString(source.layoutKind >= 0 ? LAYOUT_NAMES[source.layoutKind] : "") + "\n";
    } else if (key == KEY_REVEAL) {
        out += key + " = " + TomlString(REVEAL_NAMES[source.revealMode]);
        if (source.revealMode != ShownRevealMode(source) && source.layoutKind >= 0)
            out += u8" # " + Layout(source.layoutKind) + u8" n'en montre pas ; elle reste pour " +
                   Layout(LAYOUT_PICTURE);
        out += "\n";
    } else if (key == KEY_COLOUR) {
        out += key + " = " + TomlString(Colour(source.colour)) + "\n";
    } else if (key == KEY_ANSWER_COUNT) {
        if (source.answersPerQuestion > 0)
            out += u8"# Les réponses demandées à chaque question, 1 ou 2 : avec 1, les\n"
                   u8"# secondes réponses restent ici sans servir.\n" +
                   key + " = " + std::to_string(source.answersPerQuestion) + "\n";
    } else if (key == KEY_CODES) {
        if (source.codes.empty()) {
            out += key + " = []\n";
        } else {
            out += key + " = [\n";
            for (size_t i = 0; i < source.codes.size(); ++i)
                out += "    " + TomlString(source.codes[i].value) + ", # " + std::to_string(i + 1) +
                       (i ? u8" questions trouvées\n" : u8" question trouvée\n");
            out += "]\n";
        }
    }
}

// A rule only when the file says it, so that a quiz without rules is
// written as it always was; the first one written brings the rules' comment,
// a switch its own.
void WriteFlag(std::string& out, const QuizSource& source, const QuizFieldRow& row, bool& rulesTold)
{
    const SourceFlag& flag = source.*row.flag;
    if (!flag.present && !flag.value)
        return;
    if (!row.rule)
        out += row.comment;
    else if (!rulesTold)
        for (const QuizFieldRow& first : QUIZ_FIELDS)
            if (first.rule) {
                out += first.comment;
                break;
            }
    rulesTold = rulesTold || row.rule;
    out += std::string("# ") + row.explanation + ".\n" + row.key + " = " +
           (flag.value ? "true" : "false") + "\n";
}

void WriteField(std::string& out, const QuizSource& source, const QuizFieldRow& row)
{
    out += row.comment;
    if (!row.text) {
        WriteOwnForm(out, source, row.key);
        return;
    }
    const SourceText& text = source.*row.text;
    if (text.present || !row.optional)
        Line(out, row.key, text);
    else
        out += row.absentComment + std::string("# ") + row.key + " = " + row.example + "\n";
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

    bool rulesTold = false;
    for (const QuizFieldRow& row : QUIZ_FIELDS) {
        if (row.flag)
            WriteFlag(out, source, row, rulesTold);
        else
            WriteField(out, source, row);
    }
    out += u8"\n# Les questions, dans l'ordre, 90 au plus, chacune dans un bloc [[question]] :\n"
           u8"#   reponse          la réponse attendue, telle que les élèves la tapent :\n"
           u8"#                    ’ y devient ', une espace insécable une espace, et\n"
           u8"#                    check signale ce qui se tape mal (œ, « », É...) ;\n"
           u8"#   seconde_reponse  la seconde réponse, à toutes les questions ou à aucune ;\n";
    // Told only in a quiz that has some, so that the others keep their text.
    if (std::any_of(
            source.questions.begin(), source.questions.end(), [](const SourceQuestion& question) {
                return !question.otherAnswers.empty() || !question.otherSecondAnswers.empty();
            }))
        out += u8"#   autres_reponses  les autres écritures acceptées comme la réponse, par\n"
               u8"#                    exemple autres_reponses = [\"Tamise\", \"la Tamise\"] ;\n"
               u8"#   autres_secondes_reponses  de même pour la seconde réponse ;\n";
    out += u8"#   texte            le texte de la question (montré dans la disposition\n"
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
        for (const auto& key : keys) {
            if (key.text.present)
                Line(out, key.key, key.text, UnusedNote(source, key.key));
            // Each box's other spellings after its answer.
            if (key.key == KEY_ANSWER)
                List(out, KEY_OTHER_ANSWERS, question.otherAnswers, "");
            if (key.key == KEY_SECOND_ANSWER)
                List(out, KEY_OTHER_SECOND_ANSWERS, question.otherSecondAnswers,
                     UnusedNote(source, KEY_SECOND_ANSWER));
        }
        // A control character would end the comment, or the file's reading.
        for (std::string comment : question.comments) {
            for (char& c : comment)
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                    c = ' ';
            out += "# " + comment + "\n";
        }
    }
    return out;
}
