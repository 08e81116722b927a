#include "quiz/loader.h"
#include "tests/support/message_box_recorder.h"
#include "tests/windows/resource_module.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Bytes = std::vector<unsigned char>;

// What tells the quizzes of the cases apart: texts, options, the question
// asked for 17th, the codes and the background brush's colour.
std::string Summary(const QuizRecord& quiz)
{
    LOGBRUSH brush = {};
    if (quiz.backgroundBrush)
        GetObjectA(static_cast<HBRUSH>(quiz.backgroundBrush), sizeof brush, &brush);
    const QuestionRecord* question = QuestionAt(quiz, 16);
    return std::string(quiz.title) + "|" + quiz.author + "|" + quiz.firstAnswerCaption + "|" +
           std::to_string(quiz.layoutKind) + std::to_string(quiz.questionCount) +
           std::to_string(quiz.answersPerQuestion) + std::to_string(quiz.revealMode) + "|" +
           (question ? question->questionText : "-") + "|" + (question ? question->answer : "-") +
           "|" + std::to_string(quiz.backgroundColour) + "|" +
           (quiz.backgroundBrush ? std::to_string(brush.lbColor) : "-") + "|" + quiz.codes[0] +
           "," + quiz.codes[1];
}

} // namespace

TEST(LoadQuiz, TellsEveryResourceProblemAndLoadsWhatItCan)
{
    const auto sample = MakeQuiz(LAYOUT_TEXT, 2, 1, REVEAL_NONE);
    CopyText(QuestionAt(*sample, 1)->answer, "Rome");
    sample->backgroundColour = 0x0000FFFF;
    const std::vector<ResourceEntry> built = QuizResources(*sample);
    const Bytes quiz = built[0].data, codes = built[1].data;
    const Bytes undecodable = {0x30}; // ends inside its first code

    // The demo quiz declares 30 questions and holds 2: the 17th is the 2nd.
    const std::string demo = "Nom du quizz|Createur quizz|Pr\xE9nom - Nom|13020|titi|vorgam|0|-|,";
    const std::string empty = "|||0002|-|-|0|-|,";
    const std::string sampleQuiz = "Les capitales|L\xE9"
                                   "a||0210|Quelle ville ?|Rome|65535|65535|";
    const struct {
        const char* name;
        std::vector<ResourceEntry> resources;
        std::vector<std::string> messages;
        std::string summary;
    } cases[] = {
        {"quiz missing",
         {{"PATCH", 105, codes}},
         {"Erreur dans le fichier", "Reponses non trouvées"},
         demo},
        {"quiz empty",
         {{"PATCH", 104, {}}, {"PATCH", 105, codes}},
         {"Reponses non trouvées"},
         demo},
        {"quiz undecodable",
         {{"PATCH", 104, undecodable}, {"PATCH", 105, codes}},
         {"Erreur dans le décryptage des reponses"},
         empty},
        {"codes missing", {{"PATCH", 104, quiz}}, {"Codes non trouvés."}, sampleQuiz + ","},
        {"codes empty",
         {{"PATCH", 104, quiz}, {"PATCH", 105, {}}},
         {"Codes non renseignés."},
         sampleQuiz + ","},
        {"codes undecodable",
         {{"PATCH", 104, quiz}, {"PATCH", 105, undecodable}},
         {"Erreur dans le décryptage des codes"},
         sampleQuiz + ","},
        {"full quiz",
         {{"PATCH", 104, quiz}, {"PATCH", 105, codes}},
         {},
         sampleQuiz + "CODE1,CODE2"},
        {"other types are not payloads",
         {{"IMG", 104, quiz}, {"PATCH", 105, codes}},
         {"Erreur dans le fichier", "Reponses non trouvées"},
         demo},
    };
    for (const auto& c : cases) {
        ResourceModule module(c.resources);
        ASSERT_NE(module.handle, nullptr) << c.name;
        RecordedMessages().clear();
        auto record = std::make_unique<QuizRecord>();
        LoadQuizFrom(module.handle, *record);
        std::vector<RecordedMessage> expected;
        for (const std::string& text : c.messages)
            expected.push_back({text, "Quizz"});
        EXPECT_EQ(RecordedMessages(), expected) << c.name;
        EXPECT_EQ(Summary(*record), c.summary) << c.name;
    }
}
