#include "tests/unit/authoring/source_fixture.h"

#include <gtest/gtest.h>

// One row per kind of mistake in the form of a file.
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
         u8"q.toml:2:2: la clé « révélation » s'écrit sans accents : revelation\n"},
        {"non-ASCII in every kind of string and comment",
         std::string(u8"\uFEFF# é\nauteur = 'é'\nexplications = \"\"\"\\\"é\"\"\"\"\n"
                     u8"legende_reponse = '''é'''\n") +
             "titre = \"T\"\ndisposition = \"texte\"\n[[question]]\nreponse = \"a\"\ntexte = "
             "\"q\"\n",
         ""},
        {"found by fuzzing: a character toml++ could not classify", u8"A\uFEF7",
         u8"q.toml:1:2: la ligne 1 ne se lit pas : « A\uFEF7 » ; chaque ligne s'écrit clé = "
         u8"\"texte\", [[question]] ou # commentaire\n"},
        {"found by fuzzing: TOML syntax after a value", u8"C=3\"[\u045E].",
         u8"q.toml:1:4: il manque des guillemets autour de la valeur : C = \"3\\\"[\u045E].\"\n"},
        {"nothing at all", "",
         u8"q.toml:1:1: titre : manquant : chaque quiz a un titre (titre = \"...\")\n"
         u8"q.toml:1:1: disposition : manquante : écrivez disposition = \"texte\", \"image\", "
         u8"\"son\" ou \"video\"\n"
         u8"q.toml:1:1: aucune question : ajoutez au moins un bloc [[question]] avec sa "
         u8"réponse\n"},
        {"typos, keys in the wrong table, a question without its answer",
         u8"titre = \"T\"\ndisposition = \"texte\"\ntexte = \"q\"\n\"révélation\" = \"aucune\"\n"
         "[[question]]\ntexte = \"q\"\nauteur = \"moi\"\nimgae = \"a.jpg\"\n",
         u8"q.toml:3:1: texte : clé inconnue ici : « texte » s'écrit dans un bloc "
         u8"[[question]]\n"
         u8"q.toml:4:1: révélation : clé inconnue : vouliez-vous dire « revelation » ?\n"
         u8"q.toml:5:1: question 1, reponse : manquante : chaque question a sa réponse "
         u8"(reponse = \"...\")\n"
         u8"q.toml:7:1: question 1, auteur : clé inconnue dans une question : « auteur » "
         u8"s'écrit en tête du fichier, avant le premier [[question]]\n"
         u8"q.toml:8:1: question 1, imgae : clé inconnue : vouliez-vous dire « image » ?\n"},
        {"wrongly typed values",
         "titre = 3\ndisposition = \"texte\"\ncodes = [2.5]\n[[question]]\n"
         "reponse = \"a\"\ntexte = true\n",
         u8"q.toml:1:9: titre : doit être un texte entre guillemets, pas un nombre entier : "
         u8"écrivez titre = \"3\"\n"
         u8"q.toml:3:10: codes, code 1 : doit être un texte entre guillemets, pas un nombre à "
         u8"virgule\n"
         u8"q.toml:6:9: question 1, texte : doit être un texte entre guillemets, pas un "
         u8"booléen (true ou false) : écrivez texte = \"true\"\n"},
        {"an unknown layout, a bad colour, one [question] table",
         "titre = \"T\"\ndisposition = \"photo\"\ncouleur = \"#12345G\"\n[question]\n"
         "reponse = \"a\"\n",
         u8"q.toml:2:15: disposition : « photo » inconnue : écrivez \"texte\", \"image\", \"son\" "
         u8"ou \"video\"\n"
         u8"q.toml:3:11: couleur : « #12345G » : écrivez la couleur \"#RRVVBB\", en hexadécimal "
         u8"(rouge, vert, bleu), par exemple \"#FFE4B5\"\n"
         u8"q.toml:4:1: question : chaque question s'écrit dans un bloc [[question]], avec deux "
         u8"crochets\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProblemsOf(c.text, {}), c.problems) << c.name;
}

// Hexadecimal digits, their case and the order of the bytes are checked
// through whole sources.
TEST(SourceReader, RefusesColoursOfAnotherForm)
{
    uint32_t colour = 0;
    for (const char* bad : {"#FF800", "#FF80001", "0FF8000"})
        EXPECT_FALSE(ParseColour(bad, colour)) << bad;
}
