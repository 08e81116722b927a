#include "tests/unit/authoring/source_fixture.h"

#include <gtest/gtest.h>

TEST(SourceReader, ReportsEveryFormProblemWithPlaceAndKey)
{
    const struct {
        const char* name;
        std::string text;
        std::string problems;
    } cases[] = {
        {"not UTF-8", "titre = \"caf\xE9\"\n",
         u8"q.toml:1:13: le fichier n'est pas en UTF-8 : enregistrez-le en UTF-8 dans votre "
         u8"éditeur (les lettres accentuées y prennent deux octets)\n"},
        {"an accented key without quotes", u8"titre = \"Été\" # é\nrévélation = \"aucune\"\n",
         u8"q.toml:2:2: caractère « é » hors des guillemets : les clés s'écrivent sans accents "
         u8"(revelation, reponse), les textes entre guillemets\n"},
        {"non-ASCII in every kind of string and comment",
         std::string(u8"\uFEFF# ﻷ\n") + TEXT_QUIZ +
             u8"auteur = 'ﻷ'\nexplications = \"\"\"\\\"ﻷ\"\"\"\"\nlegende_reponse = '''ﻷ'''\n",
         u8"q.toml:10:1: question 2, auteur : clé inconnue dans une question : « auteur » "
         u8"s'écrit en tête du fichier, avant le premier [[question]]\n"
         u8"q.toml:11:1: question 2, explications : clé inconnue dans une question : "
         u8"« explications » s'écrit en tête du fichier, avant le premier [[question]]\n"
         u8"q.toml:12:1: question 2, legende_reponse : clé inconnue dans une question : "
         u8"« legende_reponse » s'écrit en tête du fichier, avant le premier [[question]]\n"},
        {"found by fuzzing: a character toml++ could not classify", u8"A\uFEF7",
         u8"q.toml:1:2: caractère « \uFEF7 » hors des guillemets : les clés s'écrivent sans "
         u8"accents (revelation, reponse), les textes entre guillemets\n"},
        {"found by fuzzing: the same after a value", u8"C=3\"[\u045E].",
         u8"q.toml:1:4: syntaxe TOML incorrecte (Error while parsing decimal integer: "
         u8"expected digit, saw '\"')\n"},
        {"TOML syntax", "titre = Mon quiz\n",
         u8"q.toml:1:9: syntaxe TOML incorrecte (Error while parsing value: could not "
         u8"determine value type)\n"},
        {"nothing at all", "",
         u8"q.toml:1:1: titre : manquant : chaque quiz a un titre (titre = \"...\")\n"
         u8"q.toml:1:1: disposition : manquante : écrivez disposition = \"texte\", \"image\", "
         u8"\"son\" ou \"video\"\n"
         u8"q.toml:1:1: aucune question : ajoutez au moins un bloc [[question]] avec sa "
         u8"réponse\n"},
        {"typos and keys in the wrong table",
         u8"titr = \"T\"\ndisposition = \"texte\"\ntexte = \"q\"\n\"révélation\" = \"aucune\"\n"
         "[[question]]\nreponse = \"a\"\ntexte = \"q\"\nauteur = \"moi\"\nrepnse = \"b\"\n",
         u8"q.toml:1:1: titr : clé inconnue : vouliez-vous dire « titre » ?\n"
         u8"q.toml:1:1: titre : manquant : chaque quiz a un titre (titre = \"...\")\n"
         u8"q.toml:3:1: texte : clé inconnue ici : « texte » s'écrit dans un bloc "
         u8"[[question]]\n"
         u8"q.toml:4:1: révélation : clé inconnue : vouliez-vous dire « revelation » ?\n"
         u8"q.toml:8:1: question 1, auteur : clé inconnue dans une question : « auteur » "
         u8"s'écrit en tête du fichier, avant le premier [[question]]\n"
         u8"q.toml:9:1: question 1, repnse : clé inconnue : vouliez-vous dire « reponse » ?\n"},
        {"wrongly typed values",
         "titre = 3\ndisposition = \"texte\"\ncodes = \"UN\"\n[[question]]\nreponse = 1969\n"
         "texte = true\n",
         u8"q.toml:1:9: titre : doit être un texte entre guillemets, pas un nombre entier : "
         u8"écrivez titre = \"3\"\n"
         u8"q.toml:3:9: codes : doit être une liste de textes, par exemple codes = [\"UN\", "
         u8"\"DEUX\"], pas un texte\n"
         u8"q.toml:5:11: question 1, reponse : doit être un texte entre guillemets, pas un "
         u8"nombre entier : écrivez reponse = \"1969\"\n"
         u8"q.toml:6:9: question 1, texte : doit être un texte entre guillemets, pas un "
         u8"booléen (true ou false)\n"},
        {"codes that are not texts", std::string(TEXT_QUIZ).insert(0, "codes = [\"UN\", 2.5]\n"),
         u8"q.toml:1:16: codes, code 2 : doit être un texte entre guillemets, pas un nombre à "
         u8"virgule\n"},
        {"one [question] table",
         "titre = \"T\"\ndisposition = \"texte\"\n[question]\nreponse = \"a\"\n",
         u8"q.toml:3:1: question : chaque question s'écrit dans un bloc [[question]], avec deux "
         u8"crochets\n"},
        {"an empty list of questions", "titre = \"T\"\ndisposition = \"texte\"\nquestion = []\n",
         u8"q.toml:3:12: question : aucune question : ajoutez au moins un bloc [[question]] avec "
         u8"sa réponse\n"},
        {"a question without its answer",
         "titre = \"T\"\ndisposition = \"texte\"\n[[question]]\n"
         "texte = \"q\"\n",
         u8"q.toml:3:1: question 1, reponse : manquante : chaque question a sa réponse "
         u8"(reponse = \"...\")\n"},
        {"unknown names and a bad colour",
         "titre = \"T\"\ndisposition = \"photo\"\nrevelation = \"oui\"\ncouleur = \"#12345G\"\n"
         "[[question]]\nreponse = \"a\"\n",
         u8"q.toml:2:15: disposition : « photo » inconnue : écrivez \"texte\", \"image\", \"son\" "
         u8"ou \"video\"\n"
         u8"q.toml:3:14: revelation : « oui » inconnue : écrivez \"aucune\", \"image\" ou "
         u8"\"texte\"\n"
         u8"q.toml:4:11: couleur : « #12345G » : écrivez la couleur \"#RRVVBB\", en hexadécimal "
         u8"(rouge, vert, bleu), par exemple \"#FFE4B5\"\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProblemsOf(c.text, {}), c.problems) << c.name;
}

TEST(SourceReader, ParsesColoursExactly)
{
    const struct {
        const char* text;
        bool valid;
        uint32_t colour;
    } cases[] = {
        {"#00ff7f", true, 0x007FFF00}, {"FF8000", false, 0},  {"#FF800", false, 0},
        {"#FF80001", false, 0},        {"#GG8000", false, 0}, {"", false, 0},
    };
    for (const auto& c : cases) {
        uint32_t colour = 0;
        EXPECT_EQ(ParseColour(c.text, colour), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(colour, c.colour) << c.text;
        }
    }
}
