#include "tests/unit/authoring/source_fixture.h"

#include "atelier/document/question_editing.h"
#include "atelier/document/quiz_document.h"
#include "authoring/source/source_check.h"
#include "authoring/source/source_writer.h"
#include "authoring/source/starter_quiz.h"
#include "quiz/media_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <utility>

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

} // namespace

// The keys of the question's lines that carry a comment: the values the
// layout, the reveal mode or the number of answers leaves unused.
std::string MarkedKeys(const std::string& text)
{
    std::string keys;
    const size_t question = text.find("[[question]]");
    size_t line = text.find('\n', question);
    while (line != std::string::npos && line + 1 < text.size()) {
        const size_t end = text.find('\n', line + 1);
        const std::string row = text.substr(line + 1, end - line - 1);
        if (row.find("\" #") != std::string::npos)
            keys += std::string(keys.empty() ? "" : " ") + row.substr(0, row.find(' '));
        line = end;
    }
    return keys;
}

// Every value the teacher gave is saved, whatever the layout, the reveal
// mode and the number of answers show: the ones they leave unused say so
// beside them, the check warns of them without an error, and reopening the
// file gives them all back.
TEST(QuizDocument, SavesEveryValueWhateverTheLayoutShows)
{
    const struct {
        int layout;
        int reveal;
        bool twoAnswers;
        const char* unused;
    } cases[] = {
        {LAYOUT_TEXT, REVEAL_NONE, false,
         "seconde_reponse image son video image_revelee texte_revele"},
        {LAYOUT_TEXT, REVEAL_TEXT, true, "image son video image_revelee texte_revele"},
        {LAYOUT_PICTURE, REVEAL_NONE, false,
         "seconde_reponse texte son video image_revelee "
         "texte_revele"},
        {LAYOUT_PICTURE, REVEAL_PICTURE, false, "seconde_reponse texte son video texte_revele"},
        {LAYOUT_PICTURE, REVEAL_TEXT, true, "texte son video image_revelee"},
        {LAYOUT_AUDIO, REVEAL_PICTURE, false,
         "seconde_reponse texte image video image_revelee texte_revele"},
        {LAYOUT_VIDEO, REVEAL_TEXT, true, "texte image son image_revelee texte_revele"},
    };
    const std::string every = "pomme | seconde=verte | texte=Quel fruit ? | image=images/pomme.jpg "
                              "| son=sons/pomme.mp3 | video=films/pomme.avi | revele=Elle croque. "
                              "| image_revelee=images/pomme-2.jpg";
    for (const auto& c : cases) {
        QuizDocument document = Filled(c.layout, c.reveal, c.twoAnswers);
        document.path = "/quiz/quiz.toml";
        const std::string text = DocumentText(document);
        QuizSource read;
        QuizRecord record;
        QuizRules rules;
        std::vector<Problem> problems;
        ASSERT_TRUE(ReadQuizSource(text, read, problems));
        EXPECT_EQ(Described(read.questions.at(0)), every) << c.layout << " " << c.reveal;
        EXPECT_EQ(MarkedKeys(text), c.unused) << c.layout << " " << c.reveal;
        EXPECT_TRUE(CheckQuizSource(read, record, rules, problems)) << text;
        EXPECT_EQ(record.answersPerQuestion, c.twoAnswers ? 2 : 1);
        EXPECT_EQ(record.revealMode, c.layout == LAYOUT_PICTURE ? c.reveal : REVEAL_NONE);

        QuizDocument reopened;
        ASSERT_TRUE(OpenDocument("/quiz/quiz.toml", text, reopened, problems));
        EXPECT_FALSE(reopened.handWritten);
        EXPECT_EQ(reopened.twoAnswers, c.twoAnswers);
        EXPECT_EQ(reopened.source.revealMode, c.reveal);
        EXPECT_EQ(Described(AppliedSource(reopened).questions.at(0)), every);
        EXPECT_EQ(DocumentText(reopened), text);
    }
}

// An imported table's question texts stay through saving a picture quiz:
// the text layout shows them all afterwards.
TEST(QuizDocument, KeepsAnImportedTablesTextsInAPictureQuiz)
{
    std::string table = "Question;Image;Réponse\n";
    for (int i = 1; i <= 9; ++i)
        table += "Quelle forme " + std::to_string(i) + " ?;f" + std::to_string(i) + ".jpg;rond\n";
    ImportedQuiz quiz;
    std::string error;
    ASSERT_TRUE(
        ImportQuiz("/q/formes.csv", table, {-1, "/q/formes.csv", "/q/formes.toml"}, quiz, error))
        << error;
    QuizDocument document;
    ImportedDocument(quiz, "/q/formes.csv", document);
    ASSERT_EQ(document.source.layoutKind, LAYOUT_PICTURE);
    const std::string text = DocumentText(document);
    EXPECT_NE(text.find(u8"texte = \"Quelle forme 9 ?\" # la disposition « image » ne montre pas "
                        u8"ce texte ; il reste pour la disposition « texte »\n"),
              std::string::npos)
        << text;
    std::vector<Problem> problems;
    QuizDocument reopened;
    ASSERT_TRUE(OpenDocument("/q/formes.toml", text, reopened, problems));
    reopened.source.layoutKind = LAYOUT_TEXT;
    ASSERT_EQ(reopened.source.questions.size(), 9u);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(reopened.source.questions[i].questionText.value,
                  "Quelle forme " + std::to_string(i + 1) + " ?");
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
    QuizRules rules;
    std::vector<Problem> problems;
    ASSERT_TRUE(ReadQuizSource(DocumentText(document), read, problems));
    CheckQuizSource(read, record, rules, problems);
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

// A file is known by its extension, any of its format's in either case: a
// question's medium when the tools take that format as one, else by what
// the atelier opens.
TEST(QuestionEditing, KnowsAFileByEveryExtensionOfItsFormat)
{
    const std::pair<MediaKind, FileKind> media[] = {{MediaKind::Picture, FileKind::Picture},
                                                    {MediaKind::Sound, FileKind::Sound},
                                                    {MediaKind::Film, FileKind::Film}};
    for (const MediaFormatInfo& row : MediaFormats()) {
        FileKind expected = FileKind::Other;
        for (const auto& [medium, kind] : media)
            if (IsTaken(row.format, medium))
                expected = kind;
        for (const char* extension : row.extensions) {
            if (!extension)
                continue;
            std::string upper = std::string("C:/Photos/Chat") + extension;
            std::transform(upper.begin(), upper.end(), upper.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            EXPECT_EQ(KindOfFile(std::string("/p/chat") + extension), expected) << extension;
            EXPECT_EQ(KindOfFile(upper), expected) << upper;
        }
    }
    const struct {
        const char* path;
        FileKind kind;
    } files[] = {
        {"photo.JFIF", FileKind::Picture}, {"iphone.heif", FileKind::Picture},
        {"note.wav", FileKind::Other},     {"logo.ico", FileKind::Other},
        {"clip.mp4", FileKind::Other},     {"quiz.toml", FileKind::Source},
        {"quiz.exe", FileKind::Program},   {"notes.gift", FileKind::Table},
        {"classe.XLSX", FileKind::Table},  {"classe.ods", FileKind::Table},
        {"banque.xml", FileKind::Table},   {"jpg", FileKind::Other},
        {"quiz.html", FileKind::Program},  {"QUIZ.HTM", FileKind::Program},
        {"page.xhtml", FileKind::Other},
    };
    for (const auto& file : files)
        EXPECT_EQ(KindOfFile(file.path), file.kind) << file.path;
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
    SetValue(document.source.questions[0].answer, "lapin");
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

// The field of other spellings, one a line: what is typed makes the list
// (blank lines none), the list shows back as typed, and saving keeps it.
TEST(QuizDocument, KeepsTheOtherSpellingsTypedOneALine)
{
    const struct {
        const char* typed;
        std::vector<std::string> spellings;
        const char* shown;
    } cases[] = {
        {"", {}, ""},
        {"Tamise", {"Tamise"}, "Tamise"},
        {"Tamise\r\nla Tamise", {"Tamise", "la Tamise"}, "Tamise\r\nla Tamise"},
        {"\r\nTamise\r\n  \r\n\r\nla Tamise\r\n", {"Tamise", "la Tamise"}, "Tamise\r\nla Tamise"},
        {"Tamise\nThames", {"Tamise", "Thames"}, "Tamise\r\nThames"},
    };
    for (const auto& c : cases) {
        QuizDocument document = Filled(LAYOUT_TEXT, REVEAL_NONE, true);
        document.path = "/quiz/quiz.toml";
        SourceQuestion& question = document.source.questions[0];
        SetAlternatives(question.otherAnswers, c.typed);
        SetAlternatives(question.otherSecondAnswers, c.typed);
        std::vector<std::string> spellings;
        for (const SourceText& text : question.otherAnswers)
            spellings.push_back(text.value);
        EXPECT_EQ(spellings, c.spellings) << c.typed;
        EXPECT_EQ(AlternativesText(question.otherAnswers), c.shown) << c.typed;

        QuizDocument reopened;
        std::vector<Problem> problems;
        ASSERT_TRUE(OpenDocument("/quiz/quiz.toml", DocumentText(document), reopened, problems));
        const SourceQuestion& read = reopened.source.questions[0];
        EXPECT_EQ(AlternativesText(read.otherAnswers), c.shown) << c.typed;
        EXPECT_EQ(AlternativesText(read.otherSecondAnswers), c.shown) << c.typed;
        EXPECT_EQ(DocumentText(reopened), DocumentText(document)) << c.typed;
    }
}

// A new quiz's question, still blank, gives its place to the files'
// questions, where it would stay first with two errors; one the teacher
// has written in stays, and so does the blank one when no file is taken.
TEST(QuestionEditing, FilesReplaceTheBlankQuestionOfANewQuiz)
{
    const struct {
        const char* why;
        std::function<void(QuizDocument&)> before;
        std::vector<std::string> files;
        int first;
        const char* answers;
    } cases[] = {
        {"blank", [](QuizDocument&) {}, {"/p/chat.jpg", "/p/chien.jpg"}, 0, "chat,chien"},
        {"its picture chosen",
         [](QuizDocument& d) { SetValue(d.source.questions[0].picture, "/p/x.jpg"); },
         {"/p/chat.jpg"},
         1,
         ",chat"},
        {"its reveal text written",
         [](QuizDocument& d) { SetValue(d.source.questions[0].revealText, "oui"); },
         {"/p/chat.jpg"},
         1,
         ",chat"},
        {"another spelling written",
         [](QuizDocument& d) { SetAlternatives(d.source.questions[0].otherAnswers, "chat"); },
         {"/p/chat.jpg"},
         1,
         ",chat"},
        {"two blank questions",
         [](QuizDocument& d) { AddQuestion(d, -1); },
         {"/p/chat.jpg"},
         1,
         ",chat,"},
        {"no file taken", [](QuizDocument&) {}, {"/p/son.mp3"}, -1, ""},
    };
    for (const auto& c : cases) {
        QuizDocument document;
        NewDocument(LAYOUT_PICTURE, "/q", document);
        c.before(document);
        std::vector<std::string> refused;
        EXPECT_EQ(AddQuestionsForFiles(document, 0, c.files, refused), c.first) << c.why;
        std::string answers;
        for (int i = 0; i < static_cast<int>(document.source.questions.size()); ++i)
            answers += (i ? "," : "") + AnswersOf(document, i);
        EXPECT_EQ(answers, c.answers) << c.why;
    }
}

// A sound or film of a format the player does not play is named, with what
// it plays and how to convert it; what it plays, pictures and other files
// are not.
TEST(QuestionEditing, TellsHowToConvertWhatThePlayerDoesNotPlay)
{
    const struct {
        std::vector<std::string> files;
        std::vector<std::string> told; // pieces of the advice, in order
    } cases[] = {
        {{"/p/a.mp3", "/p/b.avi", "/p/c.jpg", "/p/lettre.docx"}, {}},
        {{"C:/Sons/chant.WAV", "/p/a.mp3"},
         {u8"Sons que le lecteur ne joue pas : « chant.WAV » (WAV).", "MP3", "Audacity"}},
        {{"/p/clip.mp4", "/p/b.ogg", "/p/film.mkv"},
         {u8"Sons que le lecteur ne joue pas : « b.ogg » (Ogg).",
          u8"Vidéos que le lecteur ne joue pas : « clip.mp4 » (MP4), « film.mkv » (", "AVI",
          "VLC"}},
    };
    for (const auto& c : cases) {
        const std::string advice = UnplayedMediaAdvice(c.files);
        EXPECT_EQ(advice.empty(), c.told.empty()) << advice;
        size_t at = 0;
        for (const std::string& piece : c.told) {
            at = advice.find(piece, at);
            ASSERT_NE(at, std::string::npos) << piece << " in " << advice;
        }
    }
}

// A quiz never saved is offered under its table's name, else its title made
// a name Windows takes, else "mon quiz.toml".
TEST(QuizDocument, OffersANewQuizUnderItsTitle)
{
    const struct {
        const char* title;
        const char* hint;
        std::string offered;
    } cases[] = {
        {u8"Les fleuves d'été", "", u8"Les fleuves d'été.toml"},
        {"Fleuves : Europe/Asie ?", "", "Fleuves Europe Asie.toml"},
        {"  \"A\" <b>|c\\d*\t. ", "", "A b c d.toml"},
        {"", "", "mon quiz.toml"},
        {"???", "", "mon quiz.toml"},
        {"CON", "", "mon quiz.toml"},
        {"Fleuves", "tableau.toml", "tableau.toml"},
        {u8"ééééééééééééééééééééééééééééééééééééééééé", "",
         u8"éééééééééééééééééééééééééééééééééééééééé.toml"}, // 80 bytes, whole letters
    };
    for (const auto& c : cases) {
        QuizDocument document;
        NewDocument(LAYOUT_TEXT, "/q", document);
        SetValue(document.source.title, c.title);
        document.nameHint = c.hint;
        EXPECT_EQ(OfferedFileName(document), c.offered) << c.title;
    }
}

// What an import found no key for stays in the saved source, as comments
// under its question, and is not lost at the atelier's first save.
TEST(QuizDocument, KeepsTheImportsCommentsOnSave)
{
    QuizDocument document = Filled(LAYOUT_TEXT, REVEAL_NONE, false);
    document.source.questions[0].comments = {u8"Chapitre : les fleuves", u8"Page : 12"};
    const std::string text = DocumentText(document);
    EXPECT_NE(text.find(u8"# Chapitre : les fleuves\n# Page : 12\n"), std::string::npos) << text;
}
