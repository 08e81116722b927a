#include "tests/unit/authoring/source_fixture.h"

#include "atelier/question_editing.h"
#include "atelier/quiz_document.h"
#include "authoring/source/source_check.h"
#include "authoring/source/source_writer.h"
#include "authoring/source/starter_quiz.h"

#include <gtest/gtest.h>

namespace {

// Every value filled, for every layout and reveal mode.
QuizDocument Filled(int layout, int reveal, bool twoAnswers)
{
    QuizDocument document;
    NewDocument(layout, "/quiz", document);
    document.twoAnswers = twoAnswers;
    document.source.revealMode = reveal;
    SetValue(document.source.title, "Fruits");
    SourceQuestion& question = document.source.questions[0];
    SetValue(question.answer, "pomme");
    SetValue(question.secondAnswer, "verte");
    SetValue(question.questionText, "Quel fruit ?");
    SetValue(question.picture, "images/pomme.jpg");
    SetValue(question.sound, "sons/pomme.mp3");
    SetValue(question.film, "films/pomme.avi");
    SetValue(question.revealPicture, "images/pomme-2.jpg");
    SetValue(question.revealText, "Elle croque.");
    return document;
}

std::string KeysOfQuestion(const QuizSource& source)
{
    const SourceQuestion& question = source.questions.at(0);
    std::string keys;
    const struct {
        const char* key;
        const SourceText& text;
    } all[] = {{"reponse", question.answer},
               {"seconde_reponse", question.secondAnswer},
               {"texte", question.questionText},
               {"image", question.picture},
               {"son", question.sound},
               {"video", question.film},
               {"image_revelee", question.revealPicture},
               {"texte_revele", question.revealText}};
    for (const auto& entry : all)
        if (entry.text.present)
            keys += std::string(keys.empty() ? "" : " ") + entry.key;
    return keys;
}

} // namespace

// The values the layout and the reveal mode use are written, and only
// those: the others wait in the document for the teacher to come back.
TEST(QuizDocument, WritesTheValuesThatApply)
{
    const struct {
        int layout;
        int reveal;
        bool twoAnswers;
        const char* keys;
    } cases[] = {
        {LAYOUT_TEXT, REVEAL_NONE, false, "reponse texte"},
        {LAYOUT_TEXT, REVEAL_TEXT, true, "reponse seconde_reponse texte"},
        {LAYOUT_PICTURE, REVEAL_NONE, false, "reponse image"},
        {LAYOUT_PICTURE, REVEAL_PICTURE, false, "reponse image image_revelee"},
        {LAYOUT_PICTURE, REVEAL_TEXT, true, "reponse seconde_reponse image texte_revele"},
        {LAYOUT_AUDIO, REVEAL_PICTURE, false, "reponse son"},
        {LAYOUT_VIDEO, REVEAL_TEXT, false, "reponse video"},
    };
    for (const auto& c : cases) {
        const QuizDocument document = Filled(c.layout, c.reveal, c.twoAnswers);
        QuizSource read;
        std::vector<Problem> problems;
        ASSERT_TRUE(ReadQuizSource(DocumentText(document), read, problems));
        EXPECT_EQ(KeysOfQuestion(read), c.keys) << c.layout << " " << c.reveal;
        EXPECT_EQ(read.revealMode, c.layout == LAYOUT_PICTURE ? c.reveal : REVEAL_NONE);
        EXPECT_EQ(document.source.questions[0].film.value, "films/pomme.avi");
    }
}

// A field left empty is named by the check where the quiz needs it, and
// left out where it may go without.
TEST(QuizDocument, EmptyFieldsAreToldWhereTheQuizNeedsThem)
{
    QuizDocument document;
    NewDocument(LAYOUT_PICTURE, "/quiz", document);
    document.twoAnswers = true;
    document.source.revealMode = REVEAL_TEXT;
    QuizSource read;
    QuizRecord record;
    std::vector<Problem> problems;
    ASSERT_TRUE(ReadQuizSource(DocumentText(document), read, problems));
    CheckQuizSource(read, record, problems);
    std::string subjects;
    for (const Problem& problem : problems)
        subjects += problem.subject + "|";
    EXPECT_EQ(subjects, "titre|question 1, reponse|question 1, seconde_reponse|question 1, image|"
                        "question 1, texte_revele|");
    EXPECT_FALSE(read.site.present);
    EXPECT_FALSE(read.icon.present);
}

// What quizzpack new writes, and what the atelier saved, open as they are
// and show no change; a file written by hand shows it would lose its form.
TEST(QuizDocument, KnowsTheFilesItWroteFromThoseWrittenByHand)
{
    for (int layout = LAYOUT_TEXT; layout <= LAYOUT_VIDEO; ++layout) {
        QuizSource starter;
        std::vector<MediaFile> media;
        StarterQuiz(layout, starter, media);
        const std::string text = WriteQuizSource(starter, "quiz.toml");
        QuizDocument document;
        std::vector<Problem> problems;
        ASSERT_TRUE(OpenDocument("/quiz/quiz.toml", text, document, problems));
        EXPECT_TRUE(problems.empty());
        EXPECT_FALSE(document.handWritten) << layout;
        EXPECT_FALSE(IsModified(document)) << layout;
        SetValue(document.source.questions[1].answer, "autre");
        EXPECT_TRUE(IsModified(document));
        EXPECT_EQ(document.folder, "/quiz");
    }
    QuizDocument document;
    NewDocument(LAYOUT_PICTURE, "/q", document);
    EXPECT_FALSE(IsModified(document)); // nothing to lose yet
    SetValue(document.source.title, "Animaux");
    EXPECT_TRUE(IsModified(document));
    std::vector<Problem> problems;
    ASSERT_TRUE(OpenDocument("/q/fruits.toml", SOURCES[1], document, problems));
    EXPECT_TRUE(document.handWritten);
    EXPECT_FALSE(IsModified(document)); // until the teacher changes something
    EXPECT_TRUE(document.twoAnswers);
    EXPECT_EQ(DocumentName(document), "fruits.toml");
    EXPECT_FALSE(OpenDocument("/q/x.toml", "titre = \"sans guillemet\n", document, problems));
    EXPECT_EQ(document.path, "/q/fruits.toml"); // unchanged
}

TEST(QuestionEditing, AddsDeletesAndMovesQuestions)
{
    QuizDocument document;
    NewDocument(LAYOUT_TEXT, "/q", document);
    auto answers = [&document] {
        std::string all;
        for (int i = 0; i < static_cast<int>(document.source.questions.size()); ++i)
            all += (i ? "," : "") + AnswersOf(document, i);
        return all;
    };
    SetValue(document.source.questions[0].answer, "a");
    SetValue(document.source.questions[AddQuestion(document, -1)].answer, "c");
    SetValue(document.source.questions[AddQuestion(document, 0)].answer, "b");
    EXPECT_EQ(answers(), "a,b,c");
    EXPECT_TRUE(MoveQuestion(document, 2, -1));
    EXPECT_FALSE(MoveQuestion(document, 2, +1));
    EXPECT_FALSE(MoveQuestion(document, 0, -1));
    EXPECT_EQ(answers(), "a,c,b");
    DeleteQuestion(document, 0);
    DeleteQuestion(document, 5);
    EXPECT_EQ(answers(), "c,b");
    document.twoAnswers = true;
    SetValue(document.source.questions[0].secondAnswer, "2");
    EXPECT_EQ(AnswersOf(document, 0), "c / 2");
}

// Files dropped on the list make one question each, if the layout takes
// them, with the answer their names suggest.
TEST(QuestionEditing, MakesAQuestionOfEachFileTheLayoutTakes)
{
    const struct {
        const char* file;
        const char* answer;
    } names[] = {
        {"C:/Photos/Tour_Eiffel.JPG", "Tour Eiffel"},
        {u8"/p/Saint-Étienne.jpeg", u8"Saint-Étienne"},
        {"IMG_2034.jpg", ""},
        {"chat  noir .png", "chat noir"},
        {"/p/son.mp3", "son"},
        {"notes.txt", "notes"},
    };
    for (const auto& name : names)
        EXPECT_EQ(AnswerFromFileName(name.file), name.answer) << name.file;

    QuizDocument document;
    NewDocument(LAYOUT_PICTURE, "/q", document);
    std::vector<std::string> refused;
    const int first = AddQuestionsForFiles(
        document, 0, {"/p/chat.jpg", "/p/son.mp3", "/p/chien.PNG", "/p/notes.txt"}, refused);
    EXPECT_EQ(first, 1);
    ASSERT_EQ(document.source.questions.size(), 3u);
    EXPECT_EQ(AnswersOf(document, 2), "chien");
    EXPECT_EQ(ShownOf(document, 2), "chien.PNG");
    EXPECT_EQ(document.source.questions[1].picture.value, "/p/chat.jpg");
    EXPECT_EQ(refused, (std::vector<std::string>{"/p/son.mp3", "/p/notes.txt"}));

    NewDocument(LAYOUT_TEXT, "/q", document);
    refused.clear();
    EXPECT_EQ(AddQuestionsForFiles(document, -1, {"/p/chat.jpg"}, refused), -1);
    EXPECT_EQ(refused.size(), 1u);
}
