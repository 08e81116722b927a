#include "quiz/loader.h"
#include "quiz/payload.h"
#include "tests/support/message_box_recorder.h"
#include "tests/windows/resource_module.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Bytes = std::vector<unsigned char>;

struct Payloads {
    Bytes quiz;
    Bytes codes;
};

Payloads SampleQuiz()
{
    QuizRecord quiz;
    CopyText(quiz.title, "Capitales d'Europe");
    CopyText(quiz.author, "Léa");
    quiz.layoutKind = LAYOUT_TEXT;
    quiz.answersPerQuestion = 1;
    quiz.revealMode = REVEAL_NONE;
    quiz.backgroundColour = 0x0000FFFF;
    quiz.questionCount = 2;
    AppendQuestion(quiz, "Paris", "", "France ?");
    AppendQuestion(quiz, "Rome", "", "Italie ?");
    CopyText(quiz.codes[0], "UN");
    CopyText(quiz.codes[1], "DEUX");
    Payloads payloads;
    BuildQuizPayload(quiz, payloads.quiz);
    BuildCodesPayload(quiz, payloads.codes);
    return payloads;
}

const Bytes UNDECODABLE = {0x30}; // ends inside its first code

enum class Expect { Demo, Empty, QuizWithoutCodes, Full };

COLORREF BrushColour(void* brush)
{
    LOGBRUSH info = {};
    GetObjectA(static_cast<HBRUSH>(brush), sizeof info, &info);
    return info.lbColor;
}

void CheckRecord(const QuizRecord& quiz, Expect expect, const char* name)
{
    SCOPED_TRACE(name);
    switch (expect) {
    case Expect::Demo:
        EXPECT_STREQ(quiz.title, "Nom du quizz");
        EXPECT_EQ(quiz.questionCount, 30);
        EXPECT_STREQ(QuestionAt(quiz, 16)->answer, "vorgam");
        EXPECT_EQ(quiz.firstQuestion->next, quiz.lastQuestion);
        EXPECT_EQ(quiz.backgroundBrush, nullptr);
        EXPECT_STREQ(quiz.codes[0], "");
        break;
    case Expect::Empty:
        EXPECT_EQ(quiz.questionCount, 0);
        EXPECT_EQ(quiz.firstQuestion, nullptr);
        EXPECT_STREQ(quiz.title, "");
        EXPECT_EQ(quiz.backgroundBrush, nullptr);
        break;
    case Expect::QuizWithoutCodes:
    case Expect::Full:
        EXPECT_STREQ(quiz.title, "Capitales d'Europe");
        EXPECT_STREQ(quiz.author, "L\xE9"
                                  "a");
        EXPECT_EQ(quiz.questionCount, 2);
        EXPECT_STREQ(QuestionAt(quiz, 1)->questionText, "Italie ?");
        EXPECT_EQ(quiz.backgroundColour, 0x0000FFFFu);
        ASSERT_NE(quiz.backgroundBrush, nullptr);
        EXPECT_EQ(BrushColour(quiz.backgroundBrush), 0x0000FFFFu);
        EXPECT_STREQ(quiz.codes[1], expect == Expect::Full ? "DEUX" : "");
        break;
    }
}

} // namespace

TEST(LoadQuiz, TellsEveryResourceProblemAndLoadsWhatItCan)
{
    const Payloads sample = SampleQuiz();
    const Bytes quiz = LzwCoded(sample.quiz);
    const Bytes codes = LzwCoded(sample.codes);
    const struct {
        const char* name;
        std::vector<ResourceEntry> resources;
        std::vector<std::string> messages;
        Expect expect;
    } cases[] = {
        {"quiz missing",
         {{"PATCH", 105, codes}},
         {"Erreur dans le fichier", "Reponses non trouvées"},
         Expect::Demo},
        {"quiz empty",
         {{"PATCH", 104, {}}, {"PATCH", 105, codes}},
         {"Reponses non trouvées"},
         Expect::Demo},
        {"quiz undecodable",
         {{"PATCH", 104, UNDECODABLE}, {"PATCH", 105, codes}},
         {"Erreur dans le décryptage des reponses"},
         Expect::Empty},
        {"codes missing", {{"PATCH", 104, quiz}}, {"Codes non trouvés."}, Expect::QuizWithoutCodes},
        {"codes empty",
         {{"PATCH", 104, quiz}, {"PATCH", 105, {}}},
         {"Codes non renseignés."},
         Expect::QuizWithoutCodes},
        {"codes undecodable",
         {{"PATCH", 104, quiz}, {"PATCH", 105, UNDECODABLE}},
         {"Erreur dans le décryptage des codes"},
         Expect::QuizWithoutCodes},
        {"full quiz", {{"PATCH", 104, quiz}, {"PATCH", 105, codes}}, {}, Expect::Full},
        {"other types are not payloads",
         {{"IMG", 104, quiz}, {"PATCH", 105, codes}},
         {"Erreur dans le fichier", "Reponses non trouvées"},
         Expect::Demo},
    };
    for (const auto& c : cases) {
        ResourceModule module(c.resources);
        ASSERT_NE(module.Handle(), nullptr) << c.name;
        RecordedMessages().clear();
        auto record = std::make_unique<QuizRecord>();
        LoadQuizFrom(module.Handle(), *record);

        std::vector<RecordedMessage> expected;
        for (const std::string& text : c.messages)
            expected.push_back({text, "Quizz"});
        EXPECT_EQ(RecordedMessages(), expected) << c.name;
        CheckRecord(*record, c.expect, c.name);
    }
}

TEST(LoadQuiz, ReadsTheProgramsOwnResources)
{
    // This test program carries no quiz, so it gets the demo quiz.
    RecordedMessages().clear();
    auto record = std::make_unique<QuizRecord>();
    LoadQuiz(*record);
    EXPECT_EQ(RecordedMessages().size(), 2u);
    CheckRecord(*record, Expect::Demo, "own module");
}
