#include "tests/unit/authoring/source_fixture.h"

#include "authoring/packing/extraction.h"
#include "authoring/packing/kept_source.h"

#include <gtest/gtest.h>

namespace {

std::vector<QuizResource> Built(const std::string& text, const MediaFiles& media)
{
    std::vector<QuizResource> resources;
    const std::string problems = ProblemsOf(text, media, &resources);
    EXPECT_FALSE(resources.empty()) << problems;
    return resources;
}

QuizSource Read(const std::string& text)
{
    QuizSource source;
    std::vector<Problem> problems;
    ReadQuizSource(text, source, problems);
    return source;
}

} // namespace

// The name each medium comes back under, and the kept text: rebuilt from
// that text and those names, the quiz is the same to the byte, kept source
// included.
TEST(KeptSource, NamesEachMediumAfterItsPathAndRebuildsTheSameQuiz)
{
    const Bytes bitmap = DiscBitmap(4, 0x102030);
    const Bytes other = DiscBitmap(4, 0x405060);
    const struct {
        const char* name;
        std::vector<std::string> paths; // as written between the quotes
        MediaFiles media;               // by the path as read
        std::string names;              // as extracted, one per question
        std::vector<std::string> kept;  // the paths of the kept text
    } cases[] = {
        {"paths as they are",
         {"images/chat.jpg", "Chat.JPEG"},
         {{"images/chat.jpg", Jpeg()}, {"Chat.JPEG", Jpeg()}},
         "images/chat.jpg Chat.JPEG ",
         {"images/chat.jpg", "Chat.JPEG"}},
        {"from ./ and from outside the folder",
         {"./a.jpg", "../photos/b.jpg", "C:/photos/c.jpg"},
         {{"./a.jpg", Jpeg()}, {"../photos/b.jpg", bitmap}, {"C:/photos/c.jpg", other}},
         "a.jpg b.jpg c.jpg ",
         {"a.jpg", "b.jpg", "c.jpg"}},
        {"the stored format's extension",
         {"photo.png", "dessin"},
         {{"photo.png", Jpeg()}, {"dessin", bitmap}},
         "photo.jpg dessin.jpg ",
         {"photo.jpg", "dessin.jpg"}},
        {"one file twice, two files of one name",
         {"a.bmp", "a.bmp", "A.bmp"},
         {{"a.bmp", bitmap}, {"A.bmp", other}},
         "a.jpg a.jpg A-2.jpg ",
         {"a.jpg", "a.jpg", "A-2.jpg"}},
        {"backslashes, and a name Windows refuses",
         {"images\\\\chat.jpg", "con.bmp"},
         {{"images/chat.jpg", Jpeg()}, {"con.bmp", bitmap}},
         "images/chat.jpg image02.jpg ",
         {"images\\\\chat.jpg", "image02.jpg"}},
    };
    for (const auto& c : cases) {
        std::string text = "# Le quiz\ntitre = \"T\"\ndisposition = \"image\"\n";
        std::string expected = text;
        for (size_t i = 0; i < c.paths.size(); ++i) {
            const std::string question =
                "[[question]] # " + std::to_string(i + 1) + "\nreponse = \"r\"\nimage = \"";
            text += question + c.paths[i] + "\" # " + c.paths[i] + "\n";
            expected += question + c.kept[i] + "\" # " + c.paths[i] + "\n";
        }
        const std::vector<QuizResource> resources = Built(text, c.media);
        const StoredSource kept = KeepSource(text, Read(text), resources);
        EXPECT_EQ(kept.text, expected) << c.name;
        std::string names;
        MediaFiles extracted;
        for (const StoredMedium& medium : kept.media) {
            names += medium.name + " ";
            extracted[medium.name] = resources[static_cast<size_t>(medium.id - 399)].data;
        }
        EXPECT_EQ(names, c.names) << c.name;

        std::vector<QuizResource> withKept = resources;
        std::vector<Problem> problems;
        AddKeptSource(text, Read(text), withKept, problems);
        std::vector<QuizResource> again = Built(kept.text, extracted);
        AddKeptSource(kept.text, Read(kept.text), again, problems);
        EXPECT_EQ(again, withKept) << c.name;
        EXPECT_TRUE(problems.empty()) << c.name;

        std::string written;
        std::vector<MediaFile> files;
        ASSERT_TRUE(ExtractWrittenSource(withKept, written, files)) << c.name;
        EXPECT_EQ(written, kept.text) << c.name;
    }
}

// A kept source that does not build its quiz again is not given back.
TEST(KeptSource, IsGivenBackOnlyWhenItRebuildsTheQuiz)
{
    const std::string text = "titre = \"T\"\ndisposition = \"image\"\n[[question]]\n"
                             "reponse = \"r\"\nimage = \"a.jpg\"\n";
    std::vector<QuizResource> resources = Built(text, {{"a.jpg", Jpeg()}});
    std::vector<Problem> problems;
    AddKeptSource(text, Read(text), resources, problems);
    std::string written;
    std::vector<MediaFile> files;
    ASSERT_TRUE(ExtractWrittenSource(resources, written, files));

    const struct {
        const char* name;
        std::string text;
        std::vector<StoredMedium> media;
    } damages[] = {
        {"another answer",
         "titre = \"T\"\ndisposition = \"image\"\n[[question]]\n"
         "reponse = \"s\"\nimage = \"a.jpg\"\n",
         {{401, "a.jpg"}}},
        {"a medium named otherwise", text, {{401, "b.jpg"}}},
        {"a medium named as no picture is",
         "titre = \"T\"\ndisposition = \"image\"\n"
         "[[question]]\nreponse = \"r\"\nimage = \"q.toml\"\n",
         {{401, "q.toml"}}},
        {"a medium the quiz lacks", text, {{401, "a.jpg"}, {402, "b.jpg"}}},
        {"no name for its medium", text, {}},
        {"not TOML", "titre = T\n", {{401, "a.jpg"}}},
    };
    for (const auto& damage : damages) {
        std::vector<QuizResource> damaged = resources;
        ASSERT_TRUE(EncodeStoredSource({damage.text, damage.media}, damaged.back().data));
        EXPECT_FALSE(ExtractWrittenSource(damaged, written, files)) << damage.name;
    }
    resources.back().data.pop_back();
    EXPECT_FALSE(ExtractWrittenSource(resources, written, files));
}
