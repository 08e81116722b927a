#include "tests/unit/authoring/source_fixture.h"

#include "authoring/source/source_escapes.h"
#include "authoring/source/source_writer.h"
#include "authoring/source/toml_scan.h"

#include <gtest/gtest.h>

// One row per mistake a quiz maker makes in TOML's syntax: each is told at
// toml++'s place (or the offending character's) with the line as it should
// be written. Only the syntax problem comes out: the file is not read on.
TEST(TomlMistakes, AreToldInFrenchWithTheirFix)
{
    const struct {
        const char* name;
        std::string text;
        std::string problem;
    } cases[] = {
        {"a text without quotes", "titre = La France\n",
         u8"1:9: il manque des guillemets autour de la valeur : titre = \"La France\""},
        {"as Notepad saves it: a byte order mark, CR LF", "\xEF\xBB\xBFtitre = La France\r\n",
         u8"1:9: il manque des guillemets autour de la valeur : titre = \"La France\""},
        {"a word that toml++ starts to read as a boolean", "auteur = \"A\"\nreponse = faux\n",
         u8"2:13: il manque des guillemets autour de la valeur : reponse = \"faux\""},
        {"a text that starts as a number", "titre = 3 petits cochons # le titre\n",
         u8"1:11: il manque des guillemets autour de la valeur : titre = \"3 petits cochons\""},
        {"an accented text without quotes", u8"reponse = ré\n",
         u8"1:12: il manque des guillemets autour de la valeur : reponse = \"ré\""},
        {"a colour, which # turns into a comment", "couleur = #FFE4B5\n",
         u8"1:11: il manque des guillemets autour de la valeur (# y commencerait un "
         u8"commentaire) : couleur = \"#FFE4B5\""},
        {"nothing after =", "titre =\n",
         u8"1:8: valeur manquante après = : écrivez titre = \"...\""},
        {"quotes inside a text", "texte = \"Il dit \"oui\" ici\"\n",
         u8"1:18: les guillemets dans un texte s'écrivent \\\" ou le texte entre apostrophes '…' : "
         u8"texte = \"Il dit \\\"oui\\\" ici\""},
        {"an apostrophe inside a text between apostrophes", "texte = 'l'arbre'\n",
         u8"1:12: une apostrophe dans un texte entre apostrophes le coupe : écrivez-le entre "
         u8"guillemets : texte = \"l'arbre\""},
        {"something after the text", "titre = \"Paris\";\n",
         u8"1:16: après le texte, rien d'autre qu'un commentaire (# ...) sur la ligne : retirez "
         u8"« ; »"},
        {"a key written twice", "reponse = \"a\"\n\nreponse = \"b\"\n",
         u8"3:11: clé écrite deux fois : « reponse » (déjà à la ligne 1) ; gardez-en une"},
        {"a question's key written twice: its [[question]] is missing",
         "[[question]]\nreponse = \"a\"\ntexte = \"b\"\n\"reponse\" = \"c\"\n",
         u8"4:13: clé écrite deux fois : « reponse » (déjà à la ligne 2) ; une nouvelle "
         u8"question commence par [[question]]"},
        {"Word's curly quotes", u8"titre = “La France”\n",
         u8"1:9: guillemets typographiques « “ » : un texte s'écrit entre guillemets droits \" "
         u8"(touche 3 du clavier, dans le Bloc-notes) : titre = \"La France\""},
        {"French guillemets around a value", u8"titre = « La France »\n",
         u8"1:9: guillemets typographiques « « » : un texte s'écrit entre guillemets droits \" "
         u8"(touche 3 du clavier, dans le Bloc-notes) : titre = \"La France\""},
        {"curly quotes around a key", u8"“titre” = \"a\"\n",
         u8"1:1: guillemets typographiques « “ » : écrivez des guillemets droits \" (touche 3 du "
         u8"clavier, dans le Bloc-notes)"},
        {"a missing closing quote", "titre = \"La France\nauteur = \"Moi\"\n",
         u8"1:19: il manque le guillemet fermant : titre = \"La France\""},
        {"a missing closing quote at the end of the file", "titre = \"La France",
         u8"1:19: il manque le guillemet fermant : titre = \"La France\""},
        {"[question] twice", "[question]\nreponse = \"a\"\n[question]\nreponse = \"b\"\n",
         u8"3:1: chaque question s'écrit dans un bloc [[question]], avec deux crochets de chaque "
         u8"côté"},
        {"[question] after [[question]]", "[[question]]\nreponse = \"a\"\n[question]\n",
         u8"3:1: chaque question s'écrit dans un bloc [[question]], avec deux crochets de chaque "
         u8"côté"},
        {"a bracket missing", "[[question]\nreponse = \"a\"\n",
         u8"1:12: en-tête mal écrit : « [[question] » ; une question commence par [[question]], "
         u8"avec deux crochets de chaque côté"},
        {"a key with a space", "seconde reponse = \"a\"\n",
         u8"1:9: la clé « seconde reponse » s'écrit sans espaces : seconde_reponse"},
        {"a key with accents and a space", u8"seconde réponse = \"a\"\n",
         u8"1:10: la clé « seconde réponse » s'écrit sans accents ni espaces : seconde_reponse"},
        {"a colon for =", "titre : \"a\"\n",
         u8"1:7: entre la clé et sa valeur, écrivez = : titre = \"a\""},
        {"= left out", "titre \"a\"\n",
         u8"1:7: il manque = entre la clé et sa valeur : titre = \"a\""},
        {"a list without commas", "codes = [\"UN\" \"DEUX\"]\n",
         u8"1:15: liste mal écrite : ses textes se séparent par des virgules et elle finit par ] : "
         u8"codes = [\"UN\", \"DEUX\"]"},
        {"a backslash in a multi-line text", "titre = \"\"\"a\\ib\"\"\"\n",
         u8"1:14: barre \\ dans un texte : entre guillemets, \\ annonce un caractère spécial (\\\" "
         u8"pour un guillemet) ; pour une barre, doublez-la (\\\\) ou écrivez le texte entre "
         u8"apostrophes '…'"},
        {"anything else names and shows its line", "titre = \"a\"\nBonjour tout le monde\n",
         u8"2:9: la ligne 2 ne se lit pas : « Bonjour tout le monde » ; chaque ligne s'écrit "
         u8"clé = \"texte\", [[question]] ou # commentaire"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProblemsOf(c.text, {}), "q.toml:" + c.problem + "\n") << c.name;
}

// A path is read as its maker meant it, and said so; other texts are told how
// to write a backslash, every mistake at once, and the file is read on.
TEST(TomlMistakes, BackslashesArePathSeparatorsInPathsAndExplainedElsewhere)
{
    const std::string header = "titre = \"T\"\ndisposition = \"image\"\nrevelation = \"image\"\n"
                               "[[question]]\nreponse = \"a\"\n";
    const std::string notice = u8"note : question 1, image : les \\ du chemin sont lus comme des "
                               u8"séparateurs de dossier ; écrivez \"images/france.jpg\"\n";
    const MediaFiles media = {{"images/france.jpg", Jpeg()}, {"b.jpg", Jpeg()}};
    const struct {
        const char* name;
        std::string lines;
        std::string problems;
    } cases[] = {
        {"a form feed that was a folder", "image = \"images\\france.jpg\"",
         "q.toml:6:9: " + notice},
        {"an unknown escape that was a folder", "image = \"images\\\\france.jpg\" # \\p",
         "q.toml:6:9: " + notice},
        {"between apostrophes", "image = 'images\\france.jpg'", "q.toml:6:9: " + notice},
        {"a reveal picture from .\\",
         "image = \"b.jpg\"\nimage_revelee = \".\\images\\france.jpg\"",
         u8"q.toml:7:17: note : question 1, image_revelee : les \\ du chemin sont lus comme des "
         u8"séparateurs de dossier ; écrivez \"./images/france.jpg\"\n"
         u8"q.toml:7:17: question 1, image_revelee : « ./images/france.jpg » : fichier "
         u8"introuvable\n"},
        {"a misspelt path key: the misspelling is told, not a form feed",
         "image = \"b.jpg\"\nimage_revelee = \"b.jpg\"\nimgae = \"images\\franse.jpg\"",
         u8"q.toml:8:1: question 1, imgae : clé inconnue : vouliez-vous dire « image » ?\n"
         u8"q.toml:8:9: note : les \\ du chemin sont lus comme des séparateurs de dossier ; "
         u8"écrivez \"images/franse.jpg\"\n"},
        {"texts: unknown, control and unicode escapes, an escaped apostrophe",
         "image = \"b.jpg\"\nimage_revelee = \"b.jpg\"\ntexte = \"c\\'est \\ici\"\n"
         "seconde_reponse = \"a\\tb \\\\ \\\" \\u00E9 C:\\Users\"",
         u8"q.toml:8:9: attention : question 1, texte : le lecteur ne le montre pas dans la "
         u8"disposition \"image\", seulement dans la disposition \"texte\" ; pour un texte montré "
         u8"une fois la question trouvée, écrivez revelation = \"texte\" et texte_revele\n"
         u8"q.toml:8:11: question 1, texte : « \\' » : entre guillemets, une apostrophe s'écrit "
         u8"telle quelle, sans \\\n"
         u8"q.toml:8:17: question 1, texte : « \\i » inconnu : entre guillemets, \\ annonce un "
         u8"caractère spécial (\\\" pour un guillemet) ; pour une barre \\, doublez-la (\\\\i)\n"
         u8"q.toml:9:21: question 1, seconde_reponse : « \\t » fait une tabulation, interdit dans "
         u8"un texte ; pour une barre \\, doublez-la (\\\\t) ou écrivez le texte entre "
         u8"apostrophes '…'\n"
         u8"q.toml:9:40: question 1, seconde_reponse : « \\U » attend un code de caractère en "
         u8"hexadécimal (\\u00E9 pour é) ; pour une barre \\, doublez-la (\\\\U) ou écrivez le "
         u8"texte entre apostrophes '…'\n"},
    };
    for (const auto& c : cases) {
        std::string text = header + c.lines + "\n";
        if (c.lines.find("image_revelee") == std::string::npos)
            text += "image_revelee = \"b.jpg\"\n";
        std::vector<QuizResource> resources;
        EXPECT_EQ(ProblemsOf(text, media, &resources), c.problems) << c.name;
        // Only notices: built, with the picture the path names.
        if (c.problems.find(": note :") != std::string::npos &&
            c.problems.find('\n') + 1 == c.problems.size()) {
            ASSERT_EQ(resources.size(), 4u) << c.name;
            EXPECT_EQ(resources[2].data, Jpeg()) << c.name;
        }
    }
}

// No Windows name holds a quote: a path with an escaped one, as the writer
// writes it, is read with TOML's escapes, and reads back as it was written.
TEST(TomlMistakes, APathWithAnEscapedQuoteKeepsTomlsEscapes)
{
    QuizSource source;
    source.title = {"T", {}, true};
    source.layoutKind = 1; // image
    SourceQuestion question;
    question.answer = {"a", {}, true};
    question.picture = {u8"images/le \"grand\" chat\\x.jpg", {}, true};
    source.questions = {question};
    QuizSource again;
    std::vector<Problem> problems;
    ASSERT_TRUE(ReadQuizSource(WriteQuizSource(source, "q.toml"), again, problems));
    ASSERT_EQ(again.questions.size(), 1u);
    EXPECT_EQ(again.questions[0].picture.value, question.picture.value);
}

// The key before a value, read backwards from its quote: the keys a line
// gives, and the values that have none (in an array, after a second "=").
TEST(TomlScan, FindsTheKeyBeforeAValue)
{
    const struct {
        std::string text;
        const char* value; // the value's opening quote is the first of these after "= "
        const char* key;
    } rows[] = {
        {"image = \"a\"", "\"a\"", "image"},
        {"  image\t=  \"a\"", "\"a\"", "image"},
        {"\"image\" = \"a\"", "\"a\"", "image"},
        {"'ima ge' = \"a\"", "\"a\"", "ima ge"},
        {"\"a\\\"b\" = \"x\"", "\"x\"", "a\\\"b"},
        {"\"\" = \"a\"", "\"a\"", ""},
        {"= \"a\"", "\"a\"", ""},
        {"x.y = \"a\"", "\"a\"", ""},
        {"x image = \"a\"", "\"a\"", ""},
        {"a = \"x\" = \"y\"", "\"y\"", ""},
        {"t = [\"x\", \"y\"]", "\"y\"", ""},
        {"t = [\"x\", \"y\"]", "\"x\"", ""},
        {"a = 1\nson = \"b\"", "\"b\"", "son"},
        {"a = 1\r\nvideo = \"v\"", "\"v\"", "video"},
        {"\xEF\xBB\xBFimage = \"a\"", "\"a\"", "image"},
        {"image = 'c:\\a'", "'c:", "image"},
    };
    for (const auto& row : rows) {
        const size_t offset = row.text.find(row.value);
        ASSERT_NE(offset, std::string::npos) << row.text;
        EXPECT_EQ(KeyBefore(row.text, offset), row.key) << row.text;
    }
}

// Lines of many strings: each path is read as its maker meant it and each
// escape told at its own column, as when every string was looked at from its
// line's start.
TEST(TomlScan, FindsEveryPathAndEscapeOfALongLine)
{
    struct Found {
        int valueColumn;
        int problemColumn;
        std::string path; // "" for an escape told
        bool operator==(const Found& other) const
        {
            return valueColumn == other.valueColumn && problemColumn == other.problemColumn &&
                   path == other.path;
        }
    };
    const struct {
        std::string line;
        std::vector<Found> found;
    } rows[] = {
        {"image = \"a\\b.jpg\"", {{9, 9, "a/b.jpg"}}},
        {"\"image\" = 'c:\\x\\y.jpg'", {{11, 11, "c:/x/y.jpg"}}},
        {"imgae = \"x\\y\"", {{9, 9, "x/y"}}},
        {"t = [\"\\i\", \"ok\", \"\\\\\", \"\\t\"]", {{6, 7, ""}, {24, 25, ""}}},
        {"a = \"x\" = \"c:\\d\" = 'e\\f'", {{11, 14, ""}}},
        {Repeat("\"mot\", \"a\\\\b\", ", 2000) + "\"\\q\"", {{30001, 30002, ""}}},
        {"son = \"a\\b\" # \\c \"d\\e\"", {{7, 7, "a/b"}}},
    };
    for (const auto& row : rows) {
        std::vector<EscapeFinding> findings;
        const std::string mended = MendBackslashes(row.line + "\n", findings);
        EXPECT_EQ(mended.size(), row.line.size() + 1);
        std::vector<Found> found;
        for (const EscapeFinding& finding : findings) {
            EXPECT_EQ(finding.value.line, 1);
            found.push_back({finding.value.column, finding.problem.place.column,
                             finding.meantPath ? finding.path : ""});
        }
        EXPECT_EQ(found, row.found) << row.line.substr(0, 60);
    }
}
