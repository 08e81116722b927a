#include "tests/unit/authoring/source_fixture.h"

#include "authoring/source/answer_typing.h"
#include "authoring/source/source_check.h"
#include "quiz/text_encoding.h"

#include <gtest/gtest.h>

namespace {

std::string Characters(const std::vector<char32_t>& list)
{
    std::string text;
    for (char32_t c : list)
        AppendUtf8(text, c);
    return text;
}

} // namespace

// What is changed, what is only told, and what is neither.
TEST(AnswerTyping, FixesTheTrapsAndListsWhatPupilsCanHardlyType)
{
    const struct {
        const char* answer;
        const char* fixed;
        const char* counts; // apostrophes, spaces, invisibles, trimmed
        const char* hard;
    } cases[] = {
        {u8"l’Italie", "l'Italie", "1 0 0 0", ""},
        {u8"‘ ‛ ʼ ʹ ′ ´ ＇", "' ' ' ' ' ' '", "7 0 0 0", ""},
        {u8"Dublin\u00A0", "Dublin", "0 1 0 1", ""},
        {u8"  Mont Blanc  ", "Mont Blanc", "0 0 0 4", ""},
        {u8"Nouvelle\u202FZ\u2009é\u3000lande", u8"Nouvelle Z é lande", "0 3 0 0", ""},
        {u8"Ga\u00ADvro\u200Bche\uFEFF\u200E", "Gavroche", "0 0 4 0", ""},
        {u8"\u00A0", "", "0 1 0 1", ""},
        {u8"cœur, Œdipe, sœur, Æ", u8"cœur, Œdipe, sœur, Æ", "0 0 0 0", u8"œŒÆ"},
        {u8"«\u00A0Le Cid\u00A0» – 1637 — Corneille…", u8"« Le Cid » – 1637 — Corneille…",
         "0 2 0 0", u8"«»–—…"},
        {u8"“Hamlet” „x‟", u8"“Hamlet” „x‟", "0 0 0 0", u8"“”„"},
        {u8"École, Ça, À, È, Ù", u8"École, Ça, À, È, Ù", "0 0 0 0", u8"ÉÇÀÈÙ"},
        {u8"E\u0301cole, C\u0327a", u8"E\u0301cole, C\u0327a", "0 0 0 0",
         u8"ÉÇ"}, // as a Mac writes them
        {u8"Ñandú, Straße, Ørsted, Åland, São", u8"Ñandú, Straße, Ørsted, Åland, São", "0 0 0 0",
         u8"ÑúßØÅã"},
        {u8"été où Noël Ÿ ÿ Ê ï 5 € 3 £ 2² 90° µ § ¤ ¨ ^ ~ ` { } | @ \\ #",
         u8"été où Noël Ÿ ÿ Ê ï 5 € 3 £ 2² 90° µ § ¤ ¨ ^ ~ ` { } | @ \\ #", "0 0 0 0", ""},
        // Errors of their own elsewhere: a control character, characters
        // outside Windows-1252 (‟ above is one).
        {"a\tb", "a\tb", "0 0 0 0", ""},
        {u8"☃ ł", u8"☃ ł", "0 0 0 0", ""},
        {u8"™ ¿ ¡ ½ ×", u8"™ ¿ ¡ ½ ×", "0 0 0 0", u8"™¿¡½×"},
    };
    for (const auto& c : cases) {
        const AnswerTyping typing = FixAnswerTyping(c.answer);
        EXPECT_EQ(typing.fixed, c.fixed) << c.answer;
        EXPECT_EQ(std::to_string(typing.apostrophes) + " " + std::to_string(typing.spaces) + " " +
                      std::to_string(typing.invisibles) + " " + std::to_string(typing.trimmed),
                  c.counts)
            << c.answer;
        EXPECT_EQ(Characters(typing.hardToType), c.hard) << c.answer;
    }
}

// build and check tell each change where it is made, and each hard character
// once a file, with the verdict the player gives what pupils type instead.
TEST(AnswerTyping, IsToldAsNoticesAndWarningsOnceACharacter)
{
    const std::string text = u8"titre = \"T\"\ndisposition = \"texte\"\n"
                             u8"[[question]]\nreponse = \"l’Italie\"\ntexte = \"q\"\n"
                             u8"[[question]]\nreponse = \"Dublin\u00A0\"\ntexte = \"q\"\n"
                             u8"[[question]]\nreponse = \"cœur\"\ntexte = \"q\"\n"
                             u8"[[question]]\nreponse = \"sœur et œil\"\ntexte = \"q\"\n"
                             u8"[[question]]\nreponse = \"Et puis…\"\ntexte = \"q\"\n"
                             u8"[[question]]\nreponse = \"¿Qué?\"\ntexte = \"q\"\n"
                             u8"[[question]]\nreponse = \"Coca™\"\ntexte = \"q\"\n"
                             u8"[[question]]\nreponse = \"École\"\ntexte = \"q\"\n"
                             u8"[[question]]\nreponse = \"\u00A0\u202F\"\ntexte = \"q\"\n";
    const std::string also = u8" (de même dans les autres réponses qui l'ont)\n";
    const std::string spaces =
        u8"espaces retirées aux bords de la réponse : le lecteur ôte celles que tapent les "
        u8"élèves, pas celles de la réponse attendue)\n";
    EXPECT_EQ(ProblemsOf(text, {}),
              u8"q.toml:4:11: note : question 1, reponse : « l’Italie » devient « l'Italie » "
              u8"(apostrophe typographique remplacée par ', que tapent les élèves)\n"
              u8"q.toml:7:11: note : question 2, reponse : « Dublin\u00A0 » devient « Dublin » "
              u8"(espace insécable ou spéciale remplacée par une espace ordinaire, la seule que "
              u8"tapent les élèves ; espace retirée au bord de la réponse : le lecteur ôte celles "
              u8"que tapent les élèves, pas celles de la réponse attendue)\n"
              u8"q.toml:10:11: attention : question 3, reponse : « œ » se tape mal au clavier "
              u8"AZERTY : les élèves écriront plutôt « coeur », que le lecteur note Presque, "
              u8"pas BRAVO ; écrivez « coeur » pour l'accepter" +
                  also +
                  u8"q.toml:16:11: attention : question 5, reponse : « … » se tape mal au clavier "
                  u8"AZERTY : les élèves écriront plutôt « Et puis... », que le lecteur note FAUX, "
                  u8"pas BRAVO ; écrivez « Et puis... » pour l'accepter" +
                  also +
                  u8"q.toml:19:11: attention : question 6, reponse : « ¿ » se tape mal au clavier "
                  u8"AZERTY : les élèves l'omettront : « Qué? », que le lecteur note Quasiment, "
                  u8"pas BRAVO ; retirez-le pour l'accepter" +
                  also +
                  u8"q.toml:22:11: attention : question 7, reponse : « ™ » ne se tape pas au "
                  u8"clavier AZERTY : les élèves ne pourront pas écrire cette réponse telle quelle "
                  u8"(sans lui : « Coca », que le lecteur note Quasiment, pas BRAVO) ; retirez-le" +
                  also +
                  u8"q.toml:25:11: attention : question 8, reponse : « É » se tape mal au clavier "
                  u8"AZERTY : les élèves écriront plutôt « école », que le lecteur note Quasiment, "
                  u8"pas BRAVO ; écrivez « école » pour l'accepter" +
                  also +
                  u8"q.toml:28:11: note : question 9, reponse : « \u00A0\u202F » devient «  » "
                  u8"(espaces insécables ou spéciales remplacées par des espaces ordinaires, les "
                  u8"seules que tapent les élèves ; " +
                  spaces +
                  u8"q.toml:28:11: question 9, reponse : vide : l'élève ne pourrait jamais la "
                  u8"trouver\n");
}
