#include "tests/unit/authoring/source_fixture.h"

#include "authoring/packing/extraction.h"
#include "authoring/source/source_check.h"
#include "quiz/web_site.h"

#include <gtest/gtest.h>

namespace {

std::string WithSite(const std::string& site)
{
    return QuizText("texte",
                    "site = \"" + site + "\"\n[[question]]\nreponse = \"a\"\ntexte = \"q\"\n");
}

} // namespace

// What the player will read back, byte for byte, in Windows-1252.
TEST(SiteCheck, TakesTheAddressesThePlayerReads)
{
    const struct {
        std::string site;
        std::string stored;
    } cases[] = {
        {"https://www.ac-lyon.fr/quiz", "https://www.ac-lyon.fr/quiz"},
        {"http://ecole.fr:8080/a?b=c&d=e#f", "http://ecole.fr:8080/a?b=c&d=e#f"},
        {u8"HTTPS://École.fr/été€", "HTTPS://\xC9"
                                    "cole.fr/\xE9t\xE9\x80"},
        {u8"https://E\u0301cole.fr/e\u0301te\u0301", "https://\xC9"
                                                     "cole.fr/\xE9t\xE9"}, // as a Mac writes it
        {"https://" + Repeat("a", MAX_WEB_SITE_LENGTH - 8), "https://" + Repeat("a", 251)},
    };
    for (const auto& c : cases) {
        std::vector<QuizResource> resources;
        ASSERT_EQ(ProblemsOf(WithSite(c.site), {}, &resources), "") << c.site;
        ASSERT_EQ(resources.size(), 3u);
        EXPECT_EQ(resources[2].type + " " + std::to_string(resources[2].id), "PATCH 106");
        EXPECT_EQ(std::string(resources[2].data.begin(), resources[2].data.end()), c.stored);
        char read[TEXT_SIZE];
        EXPECT_TRUE(ReadWebSite(resources[2].data.data(),
                                static_cast<uint32_t>(resources[2].data.size()), read));
    }
    // Without the key, the quiz has no such resource: the player's own link.
    std::vector<QuizResource> resources;
    ASSERT_EQ(ProblemsOf("titre = \"T\"\ndisposition = \"texte\"\n[[question]]\nreponse = "
                         "\"a\"\ntexte = \"q\"\n",
                         {}, &resources),
              "");
    EXPECT_EQ(resources.size(), 2u);
}

TEST(SiteCheck, RefusesWhatThePlayerWouldNotOpenAndSaysHowToMendIt)
{
    const std::string place = "q.toml:3:8: site : ";
    const struct {
        std::string site;
        std::string problems;
    } cases[] = {
        {"", u8"vide : écrivez l'adresse du site, par exemple site = \"https://www.mon-ecole.fr\", "
             u8"ou retirez la ligne pour garder celle du lecteur"},
        {"www.ecole.fr",
         u8"l'adresse commence par https:// ou http:// : écrivez « https://www.ecole.fr »"},
        {"ftp://ecole.fr", u8"seules les adresses en https:// ou http:// s'ouvrent depuis le quiz"},
        {"mailto:prof@ecole.fr",
         u8"seules les adresses en https:// ou http:// s'ouvrent depuis le quiz"},
        {"https://",
         u8"il manque le nom du site après « https:// », par exemple « https://www.mon-ecole.fr »"},
        {"http:///page",
         u8"il manque le nom du site après « http:// », par exemple « https://www.mon-ecole.fr »"},
        {"https://ecole.fr/mon quiz",
         u8"espace interdite dans une adresse : retirez-la, ou écrivez %20 à sa place"},
        {u8"https://ecole.fr/\u00A0",
         u8"espace interdite dans une adresse : retirez-la, ou écrivez "
         u8"%20 à sa place"},
        {u8"https://ecole.fr/\u00AD", u8"caractère invisible U+00AD dans l'adresse : retirez-le "
                                      u8"(il vient souvent d'un copier-coller)"},
        {u8"https://ecole.fr/☃", u8"caractère « ☃ » (U+2603) impossible en Windows-1252, "
                                 u8"l'alphabet du lecteur : écrivez %E2%98%83 à sa place"},
        {"https://" + Repeat("a", MAX_WEB_SITE_LENGTH - 7),
         u8"trop longue : 260 caractères, le lecteur en garde 259 au plus : donnez l'adresse "
         u8"d'une page moins profonde"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProblemsOf(WithSite(c.site), {}), place + c.problems + "\n") << c.site;
    EXPECT_EQ(ProblemsOf("titre = \"T\"\ndisposition = \"texte\"\nsite = 1\n[[question]]\n"
                         "reponse = \"a\"\ntexte = \"q\"\n",
                         {}),
              place + u8"doit être un texte entre guillemets, pas un nombre entier : écrivez "
                      u8"site = \"1\"\n");
}

// What the player would not read is not given back, so that a rebuild gives
// what the player uses.
TEST(SiteCheck, ExtractGivesTheSiteBackOnlyWhenThePlayerReadsIt)
{
    std::vector<QuizResource> resources;
    ASSERT_EQ(ProblemsOf(WithSite("https://ecole.fr/quiz"), {}, &resources), "");
    const std::string damages[] = {"", "www.ecole.fr", "https://ecole.fr/\n"};
    for (const std::string& damaged : damages) {
        std::vector<QuizResource> withDamage = resources;
        withDamage[2].data.assign(damaged.begin(), damaged.end());
        QuizSource source;
        std::vector<MediaFile> media;
        std::string error;
        ASSERT_TRUE(ExtractQuizSource(withDamage, source, media, error)) << error;
        EXPECT_FALSE(source.site.present) << damaged;
        EXPECT_EQ(ResourcesInUse(withDamage, source).size(), 2u) << damaged;
    }
    QuizSource source;
    std::vector<MediaFile> media;
    std::string error;
    ASSERT_TRUE(ExtractQuizSource(resources, source, media, error)) << error;
    EXPECT_EQ(source.site.value, "https://ecole.fr/quiz");
}
