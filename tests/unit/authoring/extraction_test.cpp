#include "tests/unit/authoring/source_fixture.h"

#include "authoring/packing/extraction.h"
#include "authoring/source/source_writer.h"
#include "quiz/pupil_results.h"

#include <gtest/gtest.h>

TEST(Extraction, WritesASourceThatBuildsTheSameResources)
{
    for (const char* text : SOURCES) {
        std::vector<QuizResource> resources;
        ASSERT_EQ(WithoutNotes(ProblemsOf(text, MEDIA, &resources)), "") << text;
        QuizSource source;
        std::vector<MediaFile> files;
        std::string error;
        ASSERT_TRUE(ExtractQuizSource(resources, source, files, error)) << text << error;
        MediaFiles extracted;
        std::string names;
        for (const MediaFile& file : files) {
            extracted[file.name] = file.data;
            names += file.name + " ";
        }
        // Without a note: the pictures, converted once, are stored as they are.
        std::vector<QuizResource> rebuilt;
        EXPECT_EQ(ProblemsOf(WriteQuizSource(source, "q.toml"), extracted, &rebuilt), "") << text;
        EXPECT_EQ(rebuilt, resources) << text;
        EXPECT_EQ(ResourcesInUse(resources, source), resources) << text;
        // Only the quiz whose pupils hand in their work carries its key.
        const QuizResource* key = FindResource(resources, PAYLOAD_RESOURCE_TYPE, WORK_KEY_RESOURCE);
        EXPECT_EQ(key != nullptr, text == SOURCES[1]) << text;
        if (key) {
            EXPECT_EQ(key->data, WorkKey("Mangas"));
        }
        if (text == SOURCES[2]) {
            EXPECT_EQ(names, "image01.jpg revelation01.jpg image02.jpg revelation02.jpg ");
        }
        if (text == SOURCES[3]) {
            EXPECT_EQ(names, "son01.mp3 son02.mp3 icone.ico ");
        }
    }
}

TEST(Extraction, RefusesWhatHoldsNoQuizItCanWrite)
{
    const std::string plain("\0\6\1\1T|||||a||\0\0\0\0", 17);
    Bytes unknownLayout;
    std::string reason;
    ASSERT_TRUE(CodePayload(Bytes(plain.begin(), plain.end()), unknownLayout, reason)) << reason;
    const struct {
        std::vector<QuizResource> resources;
        std::string error;
    } cases[] = {
        {{{"IMG", 401, Jpeg()}},
         u8"pas de quiz dedans (ressource PATCH 104 absente) : c'est peut-être le lecteur nu"},
        {{{"PATCH", 104, {0x30}}}, u8"quiz illisible : la ressource PATCH 104 ne se décode pas"},
        {{{"PATCH", 104, unknownLayout}},
         u8"ce quiz a une disposition (5), une révélation (0) ou un nombre de réponses (1) "
         u8"qu'un fichier source ne sait pas écrire"},
    };
    for (const auto& c : cases) {
        QuizSource source;
        std::vector<MediaFile> files;
        std::string error;
        EXPECT_FALSE(ExtractQuizSource(c.resources, source, files, error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}
