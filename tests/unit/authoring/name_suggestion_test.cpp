#include "tests/unit/authoring/source_fixture.h"

#include "authoring/media/media_lookup.h"
#include "authoring/source/name_suggestion.h"

#include <gtest/gtest.h>

TEST(NameSuggestion, CountsASwapOfNeighboursAsOneEdit)
{
    const struct {
        const char* a;
        const char* b;
        size_t distance;
    } cases[] = {
        {"image", "image", 0}, {"imgae", "image", 1},     {"image", "imag", 1},
        {"ab", "ba", 1},       {"abc", "ca", 3},          {"", "son", 3},
        {"texte", "titre", 3}, {"reponse", "reponce", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EditDistance(c.a, c.b), c.distance) << c.a << " " << c.b;
        EXPECT_EQ(EditDistance(c.b, c.a), c.distance) << c.b << " " << c.a;
    }
}

TEST(NameSuggestion, FindsTheNearestNameFolded)
{
    const std::vector<std::string> files = {"france.jpg", "espagne.jpg", "Italie.JPG",
                                            u8"élève.bmp"};
    const struct {
        const char* name;
        const char* nearest;
    } cases[] = {
        {"franse.jpg", "france.jpg"},
        {"France.jpg", "france.jpg"},
        {"italie.jpg", "Italie.JPG"},
        {"eleve.bmp", u8"élève.bmp"},
        {"espange.jpg", "espagne.jpg"},
        {"portugal.jpg", ""},
        {"f.jpg", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestName(c.name, files), c.nearest) << c.name;
}

// Folder by folder on a real file system; the message as check prints it.
TEST(NameSuggestion, TellsTheNearestExistingMediaFile)
{
    TempFolder folder;
    std::filesystem::create_directories(std::filesystem::u8path(folder / "images"));
    SaveFile(folder / "images/france.jpg", Jpeg());
    SaveFile(folder / "images/Espagne.jpg", Jpeg());
    SaveFile(folder / "son.mp3", "x");
    const struct {
        const char* path;
        std::string reason;
    } cases[] = {
        {"images/franse.jpg", u8"fichier introuvable ; vouliez-vous dire « images/france.jpg » ?"},
        {"image/espagne.jpg", u8"fichier introuvable ; vouliez-vous dire « images/Espagne.jpg » ?"},
        {"./images/../images/frnace.jpg",
         u8"fichier introuvable ; vouliez-vous dire « ./images/../images/france.jpg » ?"},
        {"sons.mp3", u8"fichier introuvable ; vouliez-vous dire « son.mp3 » ?"},
        {"images/italie.jpg", "fichier introuvable"},
        {"musique/son.mp3", "fichier introuvable"},
    };
    const MediaReader read = MediaBesideSource(folder / "quiz.toml");
    for (const auto& c : cases) {
        Bytes bytes;
        std::string reason;
        EXPECT_FALSE(read(c.path, bytes, reason)) << c.path;
        EXPECT_EQ(reason, c.reason) << c.path;
    }
    Bytes bytes;
    std::string reason;
    EXPECT_TRUE(read("images/france.jpg", bytes, reason));
    EXPECT_EQ(bytes, Jpeg());
}
