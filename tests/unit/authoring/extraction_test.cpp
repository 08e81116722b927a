#include "tests/unit/authoring/source_fixture.h"

#include "authoring/extraction.h"
#include "authoring/source_writer.h"
#include "quiz/lzw.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::vector<QuizResource> Built(const std::string& text, const MediaFiles& media)
{
    std::vector<QuizResource> resources;
    EXPECT_EQ(ProblemsOf(text, media, &resources), "");
    return resources;
}

Bytes Coded(const std::string& plain)
{
    unsigned char* out = nullptr;
    uint32_t length = 0;
    LzwEncode(reinterpret_cast<const unsigned char*>(plain.data()),
              static_cast<uint32_t>(plain.size()), &out, &length);
    Bytes coded(out, out + length);
    free(out);
    return coded;
}

} // namespace

TEST(Extraction, WritesASourceThatBuildsTheSameResources)
{
    const MediaFiles media = {
        {"a.jpg", Jpeg()},
        {"b.bmp", DiscBitmap(8, 0x00FF00)},
        {"s.mp3", SilentMp3(2)},
        {"f.avi", ColourAvi(4, 2, 2, 0x0000FF)},
    };
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"text layout, codes left out", u8"titre = \"Géo\"\ndisposition = \"texte\"\ncodes = "
                                        u8"[\"A\", \"\", \"C\"]\n[[question]]\nreponse = "
                                        u8"\"x\"\ntexte = \"\"\n[[question]]\nreponse = "
                                        u8"\"y\"\ntexte = \"q\"\n[[question]]\nreponse = "
                                        u8"\"z\"\ntexte = \"r\"\n[[question]]\nreponse = "
                                        u8"\"w\"\ntexte = \"s\"\n"},
        {"pictures with reveal pictures",
         u8"titre = \"T\"\ndisposition = \"image\"\nrevelation = \"image\"\n"
         u8"[[question]]\nreponse = \"a\"\nimage = \"a.jpg\"\nimage_revelee = \"b.bmp\"\n"},
        {"two answers, reveal texts, quotes and backslashes",
         u8"titre = \"« Œuvres » \\\"1\\\" \\\\ 2\"\nauteur = \"l’auteur\"\nexplications = \"5 "
         u8"€\"\n"
         u8"disposition = \"image\"\nrevelation = \"texte\"\ncouleur = \"#0A0B0C\"\n"
         u8"legende_reponse = \"Prénom\"\nlegende_seconde_reponse = \"Nom\"\ncodes = [\"ÉTÉ\"]\n"
         u8"[[question]]\nreponse = \"Zoé\"\nseconde_reponse = \"Noël\"\ntexte = \"note\"\n"
         u8"image = \"b.bmp\"\ntexte_revele = \"C'est \\\"elle\\\"\"\n"},
        {"sounds", u8"titre = \"T\"\ndisposition = \"son\"\n[[question]]\nreponse = \"a\"\n"
                   u8"son = \"s.mp3\"\n[[question]]\nreponse = \"b\"\nson = \"s.mp3\"\n"},
        {"films", u8"titre = \"T\"\ndisposition = \"video\"\n[[question]]\nreponse = \"a\"\n"
                  u8"video = \"f.avi\"\n"},
    };
    for (const auto& c : cases) {
        const std::vector<QuizResource> resources = Built(c.text, media);
        QuizSource source;
        std::vector<MediaFile> files;
        std::string error;
        ASSERT_TRUE(ExtractQuizSource(resources, source, files, error)) << c.name << error;
        MediaFiles extracted;
        for (const MediaFile& file : files)
            extracted[file.name] = file.data;
        EXPECT_EQ(Built(WriteQuizSource(source, "q.toml"), extracted), resources) << c.name;
        EXPECT_EQ(ResourcesInUse(resources, source), resources) << c.name;
    }
}

TEST(Extraction, NamesMediaAfterTheirQuestionAndFormat)
{
    const MediaFiles media = {{"a.jpg", Jpeg()}, {"b.bmp", DiscBitmap(8, 0)}};
    QuizSource source;
    std::vector<MediaFile> files;
    std::string error;
    ASSERT_TRUE(ExtractQuizSource(
        Built("titre = \"T\"\ndisposition = \"image\"\nrevelation = \"image\"\n"
              "[[question]]\nreponse = \"a\"\nimage = \"a.jpg\"\nimage_revelee = \"b.bmp\"\n"
              "[[question]]\nreponse = \"b\"\nimage = \"b.bmp\"\nimage_revelee = \"a.jpg\"\n",
              media),
        source, files, error));
    std::vector<std::string> names;
    for (const MediaFile& file : files)
        names.push_back(file.name);
    EXPECT_EQ(names, (std::vector<std::string>{"image01.jpg", "revelation01.bmp", "image02.bmp",
                                               "revelation02.jpg"}));
    EXPECT_EQ(source.questions[1].revealPicture.value, "revelation02.jpg");
}

TEST(Extraction, RefusesWhatHoldsNoQuizItCanWrite)
{
    const std::string header = std::string("\0", 1);
    const struct {
        const char* name;
        std::vector<QuizResource> resources;
        std::string error;
    } cases[] = {
        {"the bare player",
         {{"IMG", 401, Jpeg()}},
         u8"pas de quiz dedans (ressource PATCH 104 absente) : c'est peut-être le lecteur nu"},
        {"an empty payload",
         {{"PATCH", 104, {}}},
         u8"pas de quiz dedans (ressource PATCH 104 absente) : c'est peut-être le lecteur nu"},
        {"a payload that does not decode",
         {{"PATCH", 104, {0x30}}},
         u8"quiz illisible : la ressource PATCH 104 ne se décode pas"},
        {"an unknown layout",
         {{"PATCH", 104, Coded(header + "\6\1\1T|||||a||\0\0\0\0")}},
         u8"ce quiz a une disposition (5), une révélation (0) ou un nombre de réponses (1) "
         u8"qu'un fichier source ne sait pas écrire"},
        {"three answers a question",
         {{"PATCH", 104, Coded(header + "\1\1\3T|||||a||\0\0\0\0")}},
         u8"ce quiz a une disposition (0), une révélation (0) ou un nombre de réponses (3) "
         u8"qu'un fichier source ne sait pas écrire"},
    };
    for (const auto& c : cases) {
        QuizSource source;
        std::vector<MediaFile> files;
        std::string error;
        EXPECT_FALSE(ExtractQuizSource(c.resources, source, files, error)) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
    }
}
