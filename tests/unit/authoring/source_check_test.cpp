#include "tests/unit/authoring/source_fixture.h"

#include "authoring/source/source_check.h"

#include <gtest/gtest.h>

namespace {

std::string Question(const std::string& body)
{
    return "[[question]]\n" + body;
}

} // namespace

// One row per kind of rule between values.
TEST(SourceCheck, ReportsEveryRuleBetweenValues)
{
    const struct {
        const char* name;
        std::string text;
        std::string problems;
    } cases[] = {
        {"separator, control character and foreign characters in texts",
         QuizText("texte", u8"auteur = \"A|B\"\nexplications = \"deux\\u0009colonnes\"\n") +
             Question(u8"reponse = \"☃ et 😀 et ☃\"\ntexte = \"q\"\n"),
         u8"q.toml:3:10: auteur : le caractère « | » est interdit : il sépare les textes dans le "
         u8"quiz\n"
         u8"q.toml:4:16: explications : retour à la ligne, tabulation ou autre caractère de "
         u8"contrôle interdit : le texte tient sur une ligne\n"
         u8"q.toml:6:11: question 1, reponse : caractères « ☃ » (U+2603) et « 😀 » (U+1F600) "
         u8"impossibles en Windows-1252, l'alphabet du lecteur : remplacez-les par des lettres "
         u8"françaises ordinaires\n"},
        {"texts count their Windows-1252 bytes, more codes than questions (told, and the quiz "
         "builds), a code may hold the separator",
         QuizText("texte", "codes = [\"A|B\", \"C\"]\n") +
             Question("reponse = \"" + Repeat(u8"é", 259) + "\"\ntexte = \"" + Repeat("x", 260) +
                      "\"\n"),
         u8"q.toml:3:9: attention : codes : 2 codes pour 1 question : un code par nombre de "
         u8"questions trouvées, donc 1 au plus ; le dernier ne sera pas dans le quiz\n"
         u8"q.toml:6:9: question 1, texte : trop long : 260 caractères, le lecteur en garde 259 "
         u8"au plus\n"},
        {"an empty title, which builds",
         "titre = \"\"\ndisposition = \"texte\"\n" + Question("reponse = \"a\"\ntexte = \"q\"\n"),
         u8"q.toml:1:9: attention : titre : vide : le lecteur montre le titre en haut de sa "
         u8"fenêtre ; donnez-en un\n"},
        {"more than 90 questions",
         QuizText("texte") + Repeat(Question("reponse = \"a\"\ntexte = \"q\"\n"), 91),
         u8"q.toml:273:1: question 91 : de trop : le lecteur montre 90 questions au plus, ce "
         u8"fichier en a 91\n"},
        {"second answers on some questions only, an empty answer",
         QuizText("texte") + Question("reponse = \"a\"\nseconde_reponse = \"b\"\ntexte = \"q\"\n") +
             Question("reponse = \"\"\ntexte = \"q\"\n"),
         u8"q.toml:7:1: question 2, seconde_reponse : manquante, alors que d'autres questions en "
         u8"ont une : il en faut une à chaque question, ou à aucune\n"
         u8"q.toml:8:11: question 2, reponse : vide : l'élève ne pourrait jamais la trouver\n"},
        {"the text layout shows question texts; media and reveals are kept for other layouts",
         QuizText("texte", "revelation = \"texte\"\n") +
             Question("reponse = \"a\"\nimage = \"a.jpg\"\ntexte_revele = \"r\"\n"),
         u8"q.toml:3:14: attention : revelation : le lecteur ne montre de révélation que dans la "
         u8"disposition \"image\" ; pour n'en garder aucune, écrivez revelation = \"aucune\"\n"
         u8"q.toml:4:1: question 1, texte : manquant : dans la disposition \"texte\", chaque "
         u8"question montre son texte\n"
         u8"q.toml:6:9: attention : question 1, image : ne sert pas dans la disposition "
         u8"\"texte\", seulement dans la disposition \"image\" ; celle-ci ne montre que le texte "
         u8"des questions\n"
         u8"q.toml:7:16: attention : question 1, texte_revele : ne sert qu'avec revelation = "
         u8"\"texte\" dans la disposition \"image\" : il ne sera pas dans le quiz\n"},
        {"the medium key of the layout; another's is kept",
         QuizText("image") + Question("reponse = \"a\"\nson = \"a.mp3\"\n"),
         u8"q.toml:3:1: question 1, image : manquante : dans la disposition \"image\", chaque "
         u8"question a son image (JPEG, PNG, GIF, BMP ou TIFF)\n"
         u8"q.toml:5:7: attention : question 1, son : ne sert pas dans la disposition \"image\", "
         u8"seulement dans la disposition \"son\" ; celle-ci prend « image »\n"},
        {"reponses_par_question: 2 asks every question for a second answer, 1 keeps them "
         "unused, told once",
         QuizText("texte", "reponses_par_question = 2\n") +
             Question("reponse = \"a\"\ntexte = \"q\"\n"),
         u8"q.toml:4:1: question 1, seconde_reponse : manquante : avec reponses_par_question = 2, "
         u8"chaque question a sa seconde réponse\n"},
        {"reponses_par_question = 1",
         QuizText("texte", "reponses_par_question = 1\n") +
             Repeat(Question("reponse = \"a\"\nseconde_reponse = \"b|c\"\ntexte = \"q\"\n"), 3),
         u8"q.toml:6:19: attention : question 1, seconde_reponse : ne sert pas avec "
         u8"reponses_par_question = 1 : le lecteur ne demande qu'une réponse ; écrivez 2 pour "
         u8"demander celle-ci aussi (de même pour 2 autres questions)\n"},
        {"reponses_par_question is 1 or 2",
         QuizText("texte", "reponses_par_question = \"2\"\n") +
             Question("reponse = \"a\"\ntexte = \"q\"\n"),
         u8"q.toml:3:25: reponses_par_question : doit être 1 ou 2, sans guillemets : le nombre de "
         u8"réponses que le lecteur demande à chaque question\n"},
        {"reveal texts exactly with revelation texte",
         QuizText("image", "revelation = \"texte\"\n") +
             Question("reponse = \"a\"\nimage = \"a.jpg\"\n") +
             Question("reponse = \"b\"\nimage = \"a.jpg\"\ntexte_revele = \"r\"\nimage_revelee = "
                      "\"a.jpg\"\n"),
         u8"q.toml:4:1: question 1, texte_revele : manquant : avec revelation = \"texte\", chaque "
         u8"question a son texte révélé\n"
         u8"q.toml:11:17: attention : question 2, image_revelee : ne sert qu'avec revelation = "
         u8"\"image\" dans la disposition \"image\" : elle ne sera pas dans le quiz\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProblemsOf(c.text, {{"a.jpg", Jpeg()}}), c.problems) << c.name;
}

// What a rebuild from an extracted source cannot tell from a fault: texts
// left in UTF-8, second answers, codes or colour dropped.
// An accent typed as a letter and a combining mark (Léa, Noël here, as a Mac
// saves them) becomes the letter's one byte.
TEST(SourceCheck, ConvertsTheQuizIntoThePlayersRecord)
{
    QuizSource source;
    std::vector<Problem> problems;
    ASSERT_TRUE(ReadQuizSource(
        QuizText("image",
                 u8"auteur = \"Le\u0301a\"\nrevelation = \"texte\"\ncouleur = \"#10a0b0\"\n"
                 u8"legende_reponse = \"Prénom\"\nlegende_seconde_reponse = \"Œuvre\"\n"
                 u8"codes = [\"1€\"]\n") +
            Question(u8"reponse = \"Noe\u0308l\"\nseconde_reponse = \"l’été\"\nimage = \"a.jpg\"\n"
                     u8"texte_revele = \"« oui »\"\n"),
        source, problems));
    QuizRecord record;
    QuizRules rules;
    ASSERT_TRUE(CheckQuizSource(source, record, rules, problems) && record.firstQuestion);
    EXPECT_EQ(record.answersPerQuestion, 2);
    EXPECT_EQ(record.backgroundColour, 0x00B0A010u);
    const QuestionRecord& first = *record.firstQuestion;
    std::string texts;
    for (const char* text : std::initializer_list<const char*>{
             record.author, record.firstAnswerCaption, record.secondAnswerCaption, record.codes[0],
             first.answer, first.secondAnswer, first.revealText})
        texts += std::string(text) + "/";
    EXPECT_EQ(texts, "L\xE9"
                     "a/Pr\xE9nom/\x8Cuvre/1\x80/No\xEBl/l'\xE9t\xE9/\xAB oui \xBB/");
}

// Texts the layout does not show are told once, with the count of the
// others: an imported table gives one to every question.
TEST(SourceCheck, TellsTextsThePlayerDoesNotShowOnce)
{
    std::string text = QuizText("son");
    for (int i = 0; i < 3; ++i)
        text += Question("reponse = \"do\"\nson = \"s.mp3\"\ntexte = \"Quelle note ?\"\n");
    EXPECT_EQ(ProblemsOf(text, {{"s.mp3", SilentMp3(1)}}),
              u8"q.toml:6:9: attention : question 1, texte : le lecteur ne le montre pas dans la "
              u8"disposition \"son\", seulement dans la disposition \"texte\" (de même pour 2 "
              u8"autres questions)\n");
}

// Warnings tell what the pupil will not see; the quiz builds all the same,
// without the codes past its questions.
TEST(SourceCheck, WarnsOfWhatThePlayerWillNotShowAndBuildsAnyway)
{
    const MediaFiles media = {
        {"a.jpg", Jpeg()}, {"s.mp3", SilentMp3(1)}, {"f.avi", ColourAvi(2, 2, 1, 0)}};
    const struct {
        const char* layout;
        std::string question;
        std::string problems;
    } cases[] = {
        {"image", "image = \"a.jpg\"\ntexte = \"Quel fruit ?\"",
         u8"q.toml:7:9: attention : question 1, texte : le lecteur ne le montre pas dans la "
         u8"disposition \"image\", seulement dans la disposition \"texte\" ; pour un texte montré "
         u8"une fois la question trouvée, écrivez revelation = \"texte\" et texte_revele\n"},
        {"son", "son = \"s.mp3\"\ntexte = \"Quelle note ?\"",
         u8"q.toml:7:9: attention : question 1, texte : le lecteur ne le montre pas dans la "
         u8"disposition \"son\", seulement dans la disposition \"texte\"\n"},
        {"video", "video = \"f.avi\"\ntexte = \"\"",
         u8"q.toml:7:9: attention : question 1, texte : le lecteur ne le montre pas dans la "
         u8"disposition \"video\", seulement dans la disposition \"texte\"\n"},
        {"texte", "texte = \"Quelle capitale ?\"", ""},
        {"image",
         "image = \"a.jpg\"\nson = \"absent.mp3\"\nvideo = \"absent.avi\"\ntexte_revele = "
         "\"r\"\nimage_revelee = \"absent.jpg\"",
         u8"q.toml:7:7: attention : question 1, son : ne sert pas dans la disposition \"image\", "
         u8"seulement dans la disposition \"son\" ; celle-ci prend « image »\n"
         u8"q.toml:8:9: attention : question 1, video : ne sert pas dans la disposition "
         u8"\"image\", seulement dans la disposition \"video\" ; celle-ci prend « image »\n"
         u8"q.toml:9:16: attention : question 1, texte_revele : ne sert qu'avec revelation = "
         u8"\"texte\" dans la disposition \"image\" : il ne sera pas dans le quiz\n"
         u8"q.toml:10:17: attention : question 1, image_revelee : ne sert qu'avec revelation = "
         u8"\"image\" dans la disposition \"image\" : elle ne sera pas dans le quiz\n"},
    };
    for (const auto& c : cases) {
        const std::string text = QuizText(c.layout, "codes = [\"UN\", \"DEUX\", \"TROIS\"]\n") +
                                 Question("reponse = \"a\"\n" + c.question + "\n");
        std::vector<QuizResource> resources;
        EXPECT_EQ(ProblemsOf(text, media, &resources),
                  u8"q.toml:3:9: attention : codes : 3 codes pour 1 question : un code par nombre "
                  u8"de questions trouvées, donc 1 au plus ; les 2 derniers ne seront pas dans le "
                  u8"quiz\n" +
                      c.problems)
            << c.layout;
        ASSERT_GE(resources.size(), 2u) << c.layout;
        std::vector<unsigned char> codes;
        std::string reason;
        ASSERT_TRUE(CodePayload(Bytes{'U', 'N', '\r', '\n'}, codes, reason));
        EXPECT_EQ(resources[1].data, codes) << c.layout;
    }
}
