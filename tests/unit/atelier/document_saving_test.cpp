#include "tests/unit/authoring/source_fixture.h"

#include "atelier/document/document_saving.h"
#include "atelier/document/question_editing.h"
#include "authoring/media/media_lookup.h"
#include "authoring/packing/quiz_build.h"

#include <gtest/gtest.h>

namespace {

// The problems that quizzpack check finds in the saved quiz, its media read
// from its folder alone.
std::string CheckedFromItsFolder(const std::string& sourcePath)
{
    QuizSource source;
    std::vector<QuizResource> resources;
    std::vector<Problem> problems;
    BuildQuizFromText(LoadFile(sourcePath), MediaBesideSource(sourcePath), DecodeTestPicture,
                      source, resources, problems);
    std::string lines;
    for (const Problem& problem : problems)
        if (problem.severity == Severity::Error)
            lines += FormatProblem("q.toml", problem) + "\n";
    return lines;
}

QuizDocument PictureQuiz(const std::vector<std::string>& pictures, const std::string& folder)
{
    QuizDocument document;
    NewDocument(LAYOUT_PICTURE, folder, document);
    SetValue(document.source.title, "Animaux");
    document.source.questions.clear();
    std::vector<std::string> refused;
    AddQuestionsForFiles(document, -1, pictures, refused);
    return document;
}

} // namespace

// Photos picked anywhere are copied into the quiz's media folder, each file
// once, under its own name or a numbered one when another file has it; the
// saved folder then builds alone, and saving again copies nothing.
TEST(DocumentSaving, CopiesTheMediaIntoTheQuizFolder)
{
    TempFolder photos, quiz;
    std::filesystem::create_directories(std::filesystem::u8path(photos / "autres"));
    std::filesystem::create_directories(std::filesystem::u8path(quiz / "medias"));
    SaveFile(photos / "chat.jpg", Jpeg());
    SaveFile(photos / "autres/chat.jpg", DiscPicture(16, 0xFF0000)); // another cat
    SaveFile(photos / "chien.jpg", DiscPicture(16, 0x00FF00));
    SaveFile(quiz / "medias/chien.jpg", "a file of the teacher's, kept");
    SaveFile(quiz / "lapin.jpg", DiscPicture(16, 0x0000FF)); // in the folder already
    QuizDocument document =
        PictureQuiz({photos / "chat.jpg", photos / "autres/chat.jpg", photos / "chien.jpg",
                     photos / "chat.jpg", quiz / "lapin.jpg"},
                    photos.path);
    SaveReport report;
    std::string error;
    ASSERT_TRUE(SaveDocument(document, quiz / "animaux.toml", report, error)) << error;
    EXPECT_EQ(report.copiedMedia, 3);
    std::string names;
    for (const SourceQuestion& question : document.source.questions)
        names += question.picture.value + " ";
    EXPECT_EQ(names, "medias/chat.jpg medias/chat-2.jpg medias/chien-2.jpg medias/chat.jpg "
                     "lapin.jpg ");
    EXPECT_EQ(LoadFile(quiz / "medias/chien.jpg"), "a file of the teacher's, kept");
    EXPECT_EQ(LoadFile(quiz / "medias/chat-2.jpg"), LoadFile(photos / "autres/chat.jpg"));
    EXPECT_EQ(CheckedFromItsFolder(quiz / "animaux.toml"), "");
    EXPECT_FALSE(IsModified(document));
    EXPECT_EQ(document.folder, quiz.path);

    ASSERT_TRUE(SaveDocument(document, quiz / "animaux.toml", report, error));
    EXPECT_EQ(report.copiedMedia, 0);
    EXPECT_EQ(Listing(quiz.path).size(), 7u); // the source, the folder, five pictures
}

// "Save as" into another folder takes the media along; a medium that is
// missing keeps its path, which the check names, and the texts are saved.
TEST(DocumentSaving, SavesTheTextsWhateverTheMediaAndTakesThemAlongElsewhere)
{
    TempFolder first, second;
    SaveFile(first / "chat.jpg", Jpeg());
    QuizDocument document = PictureQuiz({first / "chat.jpg", first / "absent.jpg"}, first.path);
    document.source.questions[0].sound.value = "chat.mp3"; // kept for a sound layout
    SaveReport report;
    std::string error;
    ASSERT_TRUE(SaveDocument(document, first / "a.toml", report, error));
    EXPECT_EQ(report.copiedMedia, 0);
    EXPECT_EQ(document.source.questions[0].picture.value, "chat.jpg");
    EXPECT_NE(CheckedFromItsFolder(first / "a.toml").find(u8"absent.jpg » : fichier introuvable"),
              std::string::npos);

    ASSERT_TRUE(SaveDocument(document, second / "b.toml", report, error));
    EXPECT_EQ(report.copiedMedia, 1);
    EXPECT_EQ(document.source.questions[0].picture.value, "medias/chat.jpg");
    EXPECT_EQ(document.source.questions[1].picture.value,
              std::filesystem::u8path(first / "absent.jpg").generic_u8string());
    EXPECT_EQ(document.source.questions[0].sound.value,
              std::filesystem::u8path(first / "chat.mp3").lexically_normal().generic_u8string());
    EXPECT_EQ(LoadFile(first / "a.toml").find("medias/"), std::string::npos);
}

// A file the teacher wrote by hand is kept before the atelier writes over it
// in its own form, once; a save that fails leaves the document, the file and
// the folder as they were.
TEST(DocumentSaving, KeepsAHandWrittenFileAndLosesNothingWhenItFails)
{
    TempFolder folder;
    const std::string path = folder / "notes.toml";
    const std::string handWritten = u8"# mes notes à moi\n" + std::string(SOURCES[3]);
    SaveFile(path, handWritten);
    SaveFile(folder / "s.mp3", SilentMp3(3));
    SaveFile(folder / "logo.png", PngOf(Quarters(256, 256)));
    QuizDocument document;
    std::vector<Problem> problems;
    ASSERT_TRUE(OpenDocument(path, handWritten, document, problems));
    ASSERT_TRUE(document.handWritten);
    SetValue(document.source.title, "Notes de musique");

    SaveReport report;
    std::string error;
    ASSERT_TRUE(SaveDocument(document, path, report, error)) << error;
    EXPECT_EQ(report.keptCopy, folder / "notes (original).toml");
    EXPECT_EQ(LoadFile(report.keptCopy), handWritten);
    EXPECT_NE(LoadFile(path).find("titre = \"Notes de musique\""), std::string::npos);
    EXPECT_EQ(CheckedFromItsFolder(path), "");
    SetValue(document.source.title, "Encore");
    ASSERT_TRUE(SaveDocument(document, path, report, error));
    EXPECT_EQ(report.keptCopy, "");

    SaveFile(folder / "ailleurs.mp3", SilentMp3(2));
    SetValue(document.source.questions[0].sound, folder / "ailleurs.mp3");
    const QuizDocument before = document;
    const std::string folderNamedLikeASource = folder / "dossier.toml";
    std::filesystem::create_directory(std::filesystem::u8path(folderNamedLikeASource));
    const auto listing = Listing(folder.path);
    EXPECT_FALSE(SaveDocument(document, folderNamedLikeASource, report, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(DocumentText(document), DocumentText(before));
    EXPECT_EQ(document.path, path);
    EXPECT_EQ(Listing(folder.path), listing);
}
