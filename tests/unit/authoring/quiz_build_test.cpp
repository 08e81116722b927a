#include "tests/unit/authoring/source_fixture.h"

#include "authoring/packing/quiz_build.h"

#include <gtest/gtest.h>

// What a front already had to tell stays first and counts for nothing: the
// build's own errors alone decide, and a quiz that builds ends with its kept
// source.
TEST(QuizBuild, BuildsWhatAProgramCarriesAfterWhatWasToldBefore)
{
    const struct {
        const char* what;
        std::string text;
        bool built;
        std::string told; // FormatProblem's lines after the one told before
    } rows[] = {
        {"a quiz with media and an icon", SOURCES[3], true, ""},
        {"a medium missing",
         "titre = \"Films\"\ndisposition = \"video\"\n[[question]]\nreponse = \"vert\"\n"
         "video = \"g.avi\"\n",
         false, u8"q.toml:5:9: question 1, video : « g.avi » : fichier introuvable\n"},
        {"a TOML mistake", "titre = La France\n", false,
         u8"q.toml:1:9: il manque des guillemets autour de la valeur : titre = \"La "
         u8"France\"\n"},
    };
    const Problem before = {{9, 1}, "", "avant", Severity::Error};
    for (const auto& row : rows) {
        QuizSource source;
        std::vector<QuizResource> resources = {{"OLD", 1, {}}};
        std::vector<Problem> problems = {before};
        EXPECT_EQ(BuildQuizFromText(row.text, ReaderOf(MEDIA), DecodeTestPicture, source, resources,
                                    problems),
                  row.built)
            << row.what;
        ASSERT_FALSE(problems.empty());
        EXPECT_EQ(problems[0].message, "avant") << row.what;
        std::string told;
        for (size_t i = 1; i < problems.size(); ++i)
            told += FormatProblem("q.toml", problems[i]) + "\n";
        EXPECT_EQ(told, row.told) << row.what;
        EXPECT_EQ(!resources.empty() && resources.back().id == SOURCE_RESOURCE, row.built)
            << row.what;
        EXPECT_EQ(resources.empty(), !row.built) << row.what;
    }
}

// sameFile is asked about existing files alone, as the platform's can only
// answer for those; a spelling of its own does not hide a file.
TEST(QuizBuild, RefusesToWriteOverThePlayerOrTheSource)
{
    TempFolder folder;
    const std::string player = folder / "quizz.exe", source = folder / "q.toml";
    SaveFile(player, "player");
    SaveFile(source, "source");
    SaveFile(folder / "ancien.exe", "quiz");
    auto sameFile = [](const std::string& a, const std::string& b) {
        const auto pa = std::filesystem::u8path(a), pb = std::filesystem::u8path(b);
        EXPECT_TRUE(std::filesystem::exists(pa) && std::filesystem::exists(pb)) << a << " " << b;
        return std::filesystem::equivalent(pa, pb);
    };
    const struct {
        std::string output, player;
        std::string conflict; // after « output »
    } rows[] = {
        {folder / "q.exe", player, ""},
        {folder / "ancien.exe", player, ""},
        {folder / "ancien.exe", folder / "absent.exe", ""},
        {folder / "./quizz.exe", player, u8" » est le lecteur lui-même, qui ne doit pas changer"},
        {source, player, u8" » est le fichier source"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(OutputConflict(row.output, row.player, source, sameFile),
                  row.conflict.empty() ? "" : u8"la sortie « " + row.output + row.conflict)
            << row.output;
}
