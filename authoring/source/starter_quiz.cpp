#include "authoring/source/starter_quiz.h"

#include "authoring/media/placeholder_media.h"
#include "authoring/source/quiz_field_table.h"
#include "quiz/quiz_record.h"

#include <string>

namespace {

SourceText Text(const std::string& value)
{
    SourceText text;
    text.value = value;
    text.present = true;
    return text;
}

} // namespace

void StarterQuiz(int layoutKind, QuizSource& source, std::vector<MediaFile>& media)
{
    source = QuizSource();
    media.clear();
    source.layoutKind = layoutKind;
    source.revealMode = REVEAL_NONE;
    EmptyQuizTexts(source);
    // Every rule written, off, so that the teacher sees them and their
    // explanations in the file.
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.flag)
            (source.*row.flag).present = true;
    source.author = Text("Votre nom");
    source.colour = 0x00DCF5FF; // a light cream
    const uint32_t COLOURS[3] = {0xD03030, 0x30A040, 0x3050D0};
    const char* const COLOUR_NAMES[3] = {"rouge", "vert", "bleu"};

    switch (layoutKind) {
    case LAYOUT_TEXT: {
        source.title = Text("Capitales d'Europe");
        source.explanations = Text("Trouvez la capitale de chaque pays.");
        const char* const COUNTRIES[3][2] = {
            {"de la France", "Paris"}, {"de l'Italie", "Rome"}, {"de l'Espagne", "Madrid"}};
        for (const auto& country : COUNTRIES) {
            SourceQuestion question;
            question.answer = Text(country[1]);
            question.questionText =
                Text(std::string("Quelle est la capitale ") + country[0] + " ?");
            source.questions.push_back(question);
        }
        source.questions[1].otherAnswers = {Text("Roma")};
        source.codes = {Text("EUROPE"), Text("VOYAGE"), Text("CAPITALE")};
        break;
    }
    case LAYOUT_PICTURE:
    case LAYOUT_VIDEO: {
        const bool film = layoutKind == LAYOUT_VIDEO;
        source.title = Text(film ? u8"Les films de couleur" : "Les disques de couleur");
        source.explanations =
            Text(film ? u8"De quelle couleur est chaque film ? Remplacez-les par les vôtres."
                      : u8"De quelle couleur est chaque disque ? Remplacez-les par vos images.");
        for (int i = 0; i < 3; ++i) {
            const std::string name = std::string(STARTER_MEDIA_FOLDER) + "/" +
                                     (film ? "video" : "image") + std::to_string(i + 1) +
                                     (film ? ".avi" : ".jpg");
            media.push_back(
                {name, film ? ColourAvi(32, 24, 5, COLOURS[i]) : DiscPicture(64, COLOURS[i])});
            SourceQuestion question;
            question.answer = Text(COLOUR_NAMES[i]);
            *QuestionMedium(question, layoutKind) = Text(name);
            source.questions.push_back(question);
        }
        source.questions[2].otherAnswers = {Text("azur")};
        source.codes = {Text("ARC"), Text("EN"), Text("CIEL")};
        break;
    }
    case LAYOUT_AUDIO:
        source.title = Text("Mon quiz sonore");
        // The sound layout shows no question text: what to replace is said
        // where the pupil would read it, until the maker changes it.
        source.explanations = Text(u8"Écoutez chaque son et trouvez ce que c'est. Remplacez les "
                                   u8"sons du dossier medias par les vôtres.");
        for (int i = 0; i < 3; ++i) {
            const std::string name =
                std::string(STARTER_MEDIA_FOLDER) + "/son" + std::to_string(i + 1) + ".mp3";
            media.push_back({name, SilentMp3(28)});
            SourceQuestion question;
            question.answer = Text("silence");
            question.otherAnswers = {Text("rien")};
            question.sound = Text(name);
            source.questions.push_back(question);
        }
        source.codes = {Text("DO"), Text(u8"RÉ"), Text("MI")};
        break;
    default:
        break;
    }
}
