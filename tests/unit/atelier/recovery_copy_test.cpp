#include "tests/unit/authoring/source_fixture.h"

#include "atelier/document/recovery_copy.h"
#include "authoring/packing/file_set.h"

#include <gtest/gtest.h>

namespace {

// A picture quiz with a relative and an absolute medium, changed since it
// was saved (or never saved, with a name to offer).
QuizDocument Edited(const std::string& path)
{
    QuizDocument document;
    NewDocument(LAYOUT_PICTURE, "/classe/quiz", document);
    document.path = path;
    document.nameHint = path.empty() ? "formes.toml" : "";
    SetValue(document.source.title, "Formes\nperdues");
    SetValue(document.source.questions[0].answer, u8"carré");
    SetValue(document.source.questions[0].picture, "medias/carre.jpg");
    SetValue(document.source.questions[0].sound, "/sons/do.mp3"); // kept for another layout
    SetValue(document.source.icon, "medias/carre.jpg");
    return document;
}

void Write(const std::string& path, const std::string& text)
{
    std::string error;
    ASSERT_TRUE(ReplaceWholeFile(path, {text.begin(), text.end()}, error)) << error;
}

} // namespace

// A copy gives the document back as it was typed, unsaved, where it was.
TEST(RecoveryCopy, GivesTheDocumentBackUnsavedWhereItWas)
{
    for (const std::string path : {"/classe/quiz/formes.toml", ""}) {
        const QuizDocument document = Edited(path);
        const RecoveryCopy copy =
            CopyOfDocument(document, 4242, 133000000000000001ULL, "2026-12-07 23:40:05");
        RecoveryCopy read;
        ASSERT_TRUE(ReadRecoveryCopy(RecoveryCopyText(copy), read)) << path;
        EXPECT_EQ(read.processId, 4242u);
        EXPECT_EQ(read.processStart, 133000000000000001ULL);
        EXPECT_EQ(read.title, "Formes perdues");
        EXPECT_EQ(read.media,
                  (std::vector<std::string>{"/classe/quiz/medias/carre.jpg", "/sons/do.mp3"}));
        EXPECT_EQ(FrenchMoment(read.savedAt), u8"le 07/12/2026 à 23:40");

        QuizDocument recovered;
        ASSERT_TRUE(RecoveredDocument(read, "", recovered));
        EXPECT_EQ(DocumentText(recovered), DocumentText(document)) << path;
        EXPECT_EQ(recovered.path, path);
        EXPECT_EQ(recovered.folder, "/classe/quiz");
        EXPECT_EQ(DocumentName(recovered), "formes.toml");
        EXPECT_EQ(recovered.source.questions[0].sound.value, "/sons/do.mp3");
        EXPECT_EQ(MediumFile(recovered.folder, recovered.source.icon.value),
                  "/classe/quiz/medias/carre.jpg");
        EXPECT_TRUE(IsModified(recovered));
        EXPECT_FALSE(recovered.handWritten);
    }
}

// The file the copy's quiz came from, as it stands now, decides whether
// saving over it first keeps it (a file written by hand).
TEST(RecoveryCopy, KnowsTheFileItWillBeSavedOver)
{
    const QuizDocument document = Edited("/classe/quiz/formes.toml");
    const RecoveryCopy copy = CopyOfDocument(document, 1, 2, "2026-12-07 23:40:05");
    const struct {
        std::string fileText;
        bool handWritten;
    } cases[] = {
        {"", false},
        {DocumentText(Edited("/classe/quiz/formes.toml")), false},
        {"titre = \"Formes\"\ndisposition = \"image\"\n[[question]]\nreponse = \"rond\"\n"
         "image = \"rond.jpg\"\n",
         true},
        {"pas du TOML \"", true},
    };
    for (const auto& c : cases) {
        QuizDocument recovered;
        ASSERT_TRUE(RecoveredDocument(copy, c.fileText, recovered));
        EXPECT_EQ(recovered.handWritten, c.handWritten) << c.fileText;
        EXPECT_EQ(recovered.savedText, c.fileText);
        EXPECT_TRUE(IsModified(recovered));
    }
}

// A copy cut short at any byte, or damaged, is no copy, and reading it
// stays within its bytes.
TEST(RecoveryCopy, IgnoresADamagedOrTruncatedCopy)
{
    const std::string whole =
        RecoveryCopyText(CopyOfDocument(Edited(""), 7, 8, "2026-12-07 23:40:05"));
    RecoveryCopy copy;
    for (size_t size = 0; size < whole.size(); ++size)
        EXPECT_FALSE(ReadRecoveryCopy(whole.substr(0, size), copy)) << size;
    const size_t sizeAt = whole.find("texte=") + 6;
    const std::string size = whole.substr(sizeAt, whole.find('\n', sizeAt) - sizeAt);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = whole;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"another first line", replaced("QUIZZ-RECUPERATION 1", "QUIZZ-RECUPERATION 2")},
        {"a size past the end", replaced("texte=" + size, "texte=" + size + "0")},
        {"a size short of the end",
         replaced("texte=" + size, "texte=" + std::to_string(std::stoul(size) - 1))},
        {"a size too large to count", replaced("texte=", "texte=99999999999999999999999")},
        {"no process", replaced("processus=7\n", "")},
        {"a process that is no number", replaced("processus=7", "processus=sept")},
        {"an unknown line", replaced("dossier=", "inconnu\ndossier=")},
        {"bytes after the end", whole + "x"},
        {"bytes of another file", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ReadRecoveryCopy(c.text, copy)) << c.name;
    EXPECT_EQ(copy.processId, 0u); // untouched
    EXPECT_TRUE(ReadRecoveryCopy(whole, copy));
}

// Only the copies of ateliers that no longer run are offered, the latest
// first; a damaged copy and other files are passed over.
TEST(RecoveryCopy, OffersTheCopiesOfAteliersThatNoLongerRun)
{
    TempFolder folder;
    const std::string copies = folder / u8"Récupération";
    std::string error;
    const struct {
        unsigned long process;
        const char* savedAt;
    } written[] = {
        {10, "2026-12-07 09:00:00"}, {11, "2026-12-07 10:00:00"}, {12, "2026-12-07 11:00:00"}};
    for (const auto& w : written)
        ASSERT_TRUE(
            WriteRecoveryCopy(copies, CopyOfDocument(Edited(""), w.process, 5, w.savedAt), error))
            << error;
    // The same process, written again: its one copy replaced.
    ASSERT_TRUE(
        WriteRecoveryCopy(copies, CopyOfDocument(Edited(""), 10, 5, "2026-12-07 12:00:00"), error));
    const std::string damaged = RecoveryCopyText(CopyOfDocument(Edited(""), 13, 5, "x"));
    Write(copies + "/" + RecoveryCopyName(13, 5), damaged.substr(0, damaged.size() / 2));
    Write(copies + "/notes.txt", "processus=14\n");

    const auto running = [](unsigned long process, unsigned long long start) {
        return process == 11 && start == 5;
    };
    std::string found;
    for (const RecoveryCopy& copy : FindRecoveryCopies(copies, running))
        found +=
            std::to_string(copy.processId) + " " + copy.savedAt + " " + FileName(copy.file) + "\n";
    EXPECT_EQ(found, "10 2026-12-07 12:00:00 atelier-10-5.recup\n"
                     "12 2026-12-07 11:00:00 atelier-12-5.recup\n");
    EXPECT_TRUE(FindRecoveryCopies(folder / "absent", running).empty());
}
