// The importer on a corpus of small files as spreadsheets and Moodle write
// them: what each gives as questions, and what it says it left out or
// changed. The readers it rests on have tables of their own first.
#include "authoring/import/column_names.h"
#include "authoring/import/csv_table.h"
#include "authoring/import/gift_reader.h"
#include "authoring/import/html_text.h"
#include "authoring/import/media_paths.h"
#include "authoring/import/quiz_import.h"
#include "authoring/import/text_decoding.h"
#include "authoring/source/source_reader.h"
#include "authoring/source/source_writer.h"
#include "quiz/quiz_record.h"
#include "tests/unit/authoring/source_fixture.h"

#include <gtest/gtest.h>

namespace {

// Rows as "line:cell|cell".
std::vector<std::string> RowsOf(const CsvTable& table)
{
    std::vector<std::string> rows;
    for (const CsvRow& row : table.rows) {
        std::string text = std::to_string(row.line) + ":";
        for (size_t i = 0; i < row.cells.size(); ++i)
            text += (i ? "|" : "") + row.cells[i];
        rows.push_back(text);
    }
    return rows;
}

// A question as "answer | key=value..." for the keys it has.
std::string Described(const SourceQuestion& question)
{
    std::string text = question.answer.value;
    const struct {
        const char* key;
        const SourceText& value;
    } keys[] = {
        {"seconde", question.secondAnswer},
        {"texte", question.questionText},
        {"image", question.picture},
        {"son", question.sound},
        {"video", question.film},
        {"revele", question.revealText},
        {"image_revelee", question.revealPicture},
    };
    for (const auto& key : keys)
        if (key.value.present)
            text += std::string(" | ") + key.key + "=" + key.value.value;
    const struct {
        const char* key;
        const std::vector<SourceText>& values;
    } lists[] = {{"autres", question.otherAnswers}, {"autres2", question.otherSecondAnswers}};
    for (const auto& list : lists)
        for (size_t i = 0; i < list.values.size(); ++i)
            text += (i ? "/" : std::string(" | ") + list.key + "=") + list.values[i].value;
    for (const std::string& comment : question.comments)
        text += " | # " + comment;
    return text;
}

} // namespace

TEST(CsvTable, FindsTheSeparatorAndReadsQuotedCells)
{
    const struct {
        std::string text;
        char separator;
        std::vector<std::string> rows;
    } cases[] = {
        // Excel in French: ";" and CRLF; a comma in a text does not split it.
        {"Question;R\xC3\xA9ponse\r\nParis, Rome ?;Paris\r\n",
         ';',
         {"1:Question|R\xC3\xA9ponse", "2:Paris, Rome ?|Paris"}},
        // LibreOffice: "," and LF, commas of a text quoted; no last line break.
        {"a,b\nc,\"d,e\"", ',', {"1:a|b", "2:c|d,e"}},
        {"a\tb;c\td\nx\ty;z\t\n", '\t', {"1:a|b;c|d", "2:x|y;z|"}},
        // Doubled quotes, separators and line breaks inside quotes; the next
        // row starts on the line after them; text after a closing quote.
        {"\"Le \"\"grand\"\" ;\r\nbleu\";\"x\"y\r\nz;\"\"\r\n",
         ';',
         {"1:Le \"grand\" ;\nbleu|xy", "3:z|"}},
        // The old Mac line ends, a quote inside a cell that it does not open.
        {"a;b\rc;d\"e\r", ';', {"1:a|b", "2:c|d\"e"}},
        // One column: nothing splits, nothing is lost.
        {"R\xC3\xA9ponse\nParis\n", '\t', {"1:R\xC3\xA9ponse", "2:Paris"}},
        // The first row has one cell more with "," than with ";", but the
        // rows agree with ";" alone.
        {"a;b\nc, d;e\nf, g;h\n", ';', {"1:a|b", "2:c, d|e", "3:f, g|h"}},
        // A separator named for Excel wins over what the rows suggest.
        {"sep=,\r\na;b,c\r\n", ',', {"2:a;b|c"}},
    };
    for (const auto& c : cases) {
        CsvTable table;
        std::string error;
        ASSERT_TRUE(ReadCsvTable(c.text, table, error)) << c.text << error;
        EXPECT_EQ(table.separator, c.separator) << c.text;
        EXPECT_EQ(RowsOf(table), c.rows) << c.text;
    }
    CsvTable table;
    std::string error;
    EXPECT_FALSE(ReadCsvTable("a;b\nc;\"d\ne;f\n", table, error));
    EXPECT_EQ(error.substr(0, error.find(" ;")),
              u8"ligne 2 : une cellule ouverte par un guillemet \" n'est jamais refermée");
}

TEST(SavedText, TellsTheEncodingFromTheBytes)
{
    const struct {
        std::string bytes;
        TextEncoding encoding;
        std::string utf8;
    } cases[] = {
        {"R\xE9ponse \x80", TextEncoding::Windows1252, u8"Réponse €"},
        {u8"Réponse", TextEncoding::Utf8, u8"Réponse"},
        {"\xEF\xBB\xBF" + std::string(u8"Réponse"), TextEncoding::Utf8WithBom, u8"Réponse"},
        // A mark before bytes that are not UTF-8 does not make them so.
        {"\xEF\xBB\xBFR\xE9", TextEncoding::Windows1252, u8"Ré"},
        {std::string("\xFF\xFER\0\xE9\0=\xD8\x00\xDE", 10), TextEncoding::Utf16, u8"Ré\U0001F600"},
        {std::string("\xFE\xFF\0R\0\xE9\xD8\x3D", 8), TextEncoding::Utf16, u8"Ré\uFFFD"},
    };
    for (const auto& c : cases) {
        const DecodedText text = DecodeSavedText(c.bytes);
        EXPECT_EQ(text.encoding, c.encoding) << c.utf8;
        EXPECT_EQ(text.utf8, c.utf8);
    }
}

TEST(ColumnNames, TakeAnyCaseAccentAndSpacing)
{
    const struct {
        const char* name;
        Column column;
    } cases[] = {
        {"Question", Column::QuestionText},
        {"TEXTE", Column::QuestionText},
        {u8"Énoncé", Column::QuestionText},
        {u8"Réponse", Column::Answer},
        {"reponses", Column::Answer},
        {u8" RÉPONSE : ", Column::Answer},
        {u8"réponse 2", Column::SecondAnswer},
        {"Reponse2", Column::SecondAnswer},
        {"seconde_reponse", Column::SecondAnswer},
        {u8"Deuxième réponse", Column::SecondAnswer},
        {"Image", Column::Picture},
        {"Son", Column::Sound},
        {u8"Vidéo", Column::Film},
        {"video", Column::Film},
        {u8"Texte révélé", Column::RevealText},
        {"texte_revele", Column::RevealText},
        {u8"Image révélée", Column::RevealPicture},
        {"image-revelee", Column::RevealPicture},
        {"Points", Column::Unknown},
        {"", Column::Unknown},
        {u8"Réponse 3", Column::Unknown},
        {"autre reponse", Column::Alternatives},
        {u8"Autres réponses", Column::Alternatives},
        {u8"RÉPONSES ACCEPTÉES", Column::Alternatives},
        {u8"Autre réponse acceptée", Column::Alternatives},
        {u8"Autre seconde réponse", Column::SecondAlternatives},
        {u8"autres réponses 2", Column::SecondAlternatives},
        {u8"Autre réponse 3", Column::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColumnFromName(c.name), c.column) << c.name;
}

TEST(GiftReader, TellsEveryKindAndResolvesEscapes)
{
    GiftFile file;
    ReadGift("// comment {~not a question}\n"
             "$CATEGORY: $course$/Cours\n"
             "::T1::Capitale ? {=Paris =%50%Lut\\=ce#presque}\n\n"
             "Choix {=a ~b}\n\n"
             "Vrai ? {TRUE#oui}\n\n"
             "Nombre {#4:1}\n\n"
             "Paires {=a -> b =c -> d}\n\n"
             "Essai {}\n\n"
             "Seulement du texte\n\n"
             "Le {=chat} dort\n\n"
             "Tilde \\~ et \\{ \\} \\: \\\\ \\n {Seule####bravo}\n\n"
             "Ouverte { =a\n",
             file);
    const struct {
        GiftKind kind;
        int line;
        std::string text;
        std::vector<std::string> answers; // with their weights
    } expected[] = {
        {GiftKind::ShortAnswer, 3, "Capitale ? ", {"Paris 100", "Lut=ce 50"}},
        {GiftKind::MultipleChoice, 5, "Choix ", {}},
        {GiftKind::TrueFalse, 7, "Vrai ? ", {}},
        {GiftKind::Numeric, 9, "Nombre ", {}},
        {GiftKind::Matching, 11, "Paires ", {}},
        {GiftKind::Essay, 13, "Essai ", {}},
        {GiftKind::Description, 15, "Seulement du texte", {}},
        {GiftKind::ShortAnswer, 17, "Le _____ dort", {"chat 100"}},
        {GiftKind::ShortAnswer, 19, "Tilde ~ et { } : \\ \n ", {"Seule 100"}},
        {GiftKind::Unclosed, 21, "Ouverte ", {}},
    };
    ASSERT_EQ(file.questions.size(), std::size(expected));
    EXPECT_EQ(file.categories, std::vector<std::string>{"$course$/Cours"});
    EXPECT_EQ(file.questions[0].title, "T1");
    EXPECT_TRUE(file.questions[0].feedback);
    EXPECT_TRUE(file.questions[8].feedback);
    for (size_t i = 0; i < std::size(expected); ++i) {
        const GiftQuestion& question = file.questions[i];
        EXPECT_EQ(question.number, static_cast<int>(i + 1));
        EXPECT_EQ(question.kind, expected[i].kind) << i;
        EXPECT_EQ(question.line, expected[i].line) << i;
        EXPECT_EQ(question.text, expected[i].text) << i;
        std::vector<std::string> answers;
        for (const GiftAnswer& answer : question.answers)
            answers.push_back(answer.text + " " + std::to_string(static_cast<int>(answer.weight)));
        EXPECT_EQ(answers, expected[i].answers) << i;
    }
}

TEST(HtmlText, KeepsTheTextAlone)
{
    const struct {
        const char* html;
        const char* text;
        bool picture;
    } cases[] = {
        {"<p>Qu&eacute;bec&nbsp;?</p>", u8"\nQuébec ?\n", false},
        {"a<br/>b &#233;&#xE9; &amp;lt; &inconnu; &#0;", u8"a\nb éé &lt; &inconnu; &#0;", false},
        {"2 < 3 <img src=\"@@PLUGINFILE@@/a.png\"> > 1", "2 < 3  > 1", true},
        {"<b>gras</b> <", "gras <", false},
        {"<<b>x</b> &amp &eacute;", u8"<x &amp é", false},
    };
    for (const auto& c : cases) {
        const PlainText plain = PlainTextOfHtml(c.html);
        EXPECT_EQ(plain.text, c.text) << c.html;
        EXPECT_EQ(plain.hadPicture, c.picture) << c.html;
    }
}

TEST(MediaPaths, PointAtTheSameFilesFromTheWrittenSource)
{
    const struct {
        const char* path;
        const char* from; // the imported file
        const char* to;   // the written source
        const char* moved;
        bool slashes, rewritten;
    } cases[] = {
        {"images/a.jpg", "t.csv", "t.toml", "images/a.jpg", false, false},
        {"images\\a.jpg", "cours/t.csv", "cours/./q.toml", "images/a.jpg", true, false},
        {"images/a.jpg", "cours/t.csv", "quiz/q.toml", "../cours/images/a.jpg", false, true},
        {"images\\a.jpg", "cours/t.csv", "cours/quiz/q.toml", "../images/a.jpg", true, true},
        {"../sons/a.mp3", "cours/t.csv", "q.toml", "sons/a.mp3", false, true},
        {"C:\\Cours\\a.jpg", "t.csv", "autre/q.toml", "C:/Cours/a.jpg", true, false},
        {"/srv/a.jpg", "t.csv", "autre/q.toml", "/srv/a.jpg", false, false},
        {"", "t.csv", "autre/q.toml", "", false, false},
    };
    for (const auto& c : cases) {
        const MovedPath moved = MoveMediaPath(c.path, c.from, c.to);
        EXPECT_EQ(moved.path, c.moved) << c.path;
        EXPECT_EQ(moved.slashes, c.slashes) << c.path;
        EXPECT_EQ(moved.moved, c.rewritten) << c.path;
        EXPECT_FALSE(moved.inexpressible) << c.path;
    }
}

// Each file of the corpus gives its questions with its layout and reveal
// mode, and its notes in order (each expected text is found in its note),
// or fails with an error that starts with the expected text.
TEST(QuizImport, TakesTheFilesTeachersHave)
{
    const struct {
        const char* what;
        std::string file;
        std::string bytes;
        int layout;       // requested, or -1
        std::string quiz; // "layout revelation"
        std::vector<std::string> questions;
        std::vector<std::string> notes;
        std::string error;
    } cases[] = {
        {"Excel, Windows-1252, CRLF, paths with \\, an empty row",
         "capitales.csv",
         "Question;R\xE9ponse;Image\r\nCapitale de la France ?;Paris;images\\france.jpg\r\n"
         ";;\r\nLa ville \xE9ternelle ?; Rome ;images\\rome.jpg\r\n",
         -1,
         "image aucune",
         {u8"Paris | texte=Capitale de la France ? | image=images/france.jpg",
          u8"Rome | texte=La ville éternelle ? | image=images/rome.jpg"},
         {u8"les textes de la colonne « Question » restent dans le fichier",
          u8"2 chemins de média récrits avec / entre les dossiers là où le tableau met \\ (le "
          u8"fichier source les sépare par /) : « images\\france.jpg » devient « "
          u8"images/france.jpg »..."},
         ""},
        {"LibreOffice, UTF-8 with its mark, commas, doubled quotes",
         "pays.csv",
         "\xEF\xBB\xBF" +
             std::string(u8"question,reponse,seconde_reponse\n"
                         u8"Pays ?,France,Paris\n"
                         u8"\"Océan, le plus grand ?\",Pacifique,\"Le \"\"grand\"\"\"\n"),
         -1,
         "texte aucune",
         {"France | seconde=Paris | texte=Pays ?",
          u8"Pacifique | seconde=Le \"grand\" | texte=Océan, le plus grand ?"},
         {u8"colonne « seconde_reponse » gardée, mais dans la disposition « texte » chaque ligne "
          u8"n'a la place que d'une case"},
         ""},
        {"TSV with unknown, doubled and unnamed columns; a sound layout",
         "notes.tsv",
         u8"Texte\tPoints\tRéponse\tSon\tréponse\n"
         u8"Écoutez\t2\tdo\tsons\\do.mp3\tx\tde trop\n"
         u8"\t\tré\tsons/re.mp3\n",
         -1,
         "son aucune",
         {u8"do | texte=Écoutez | son=sons/do.mp3 | # Points : 2 | # réponse : x | # colonne F : "
          u8"de trop",
          u8"ré | texte= | son=sons/re.mp3"},
         {u8"ligne 1 : 1 colonne de nom inconnu gardée en commentaire sous chaque question : « "
          u8"Points » (noms compris : question",
          u8"ligne 1 : 1 colonne d'un nom déjà pris gardée en commentaire sous chaque question : « "
          u8"réponse »",
          u8"les textes de la colonne « Texte » restent dans le fichier, mais la disposition",
          u8"1 chemin de média récrit avec /",
          u8"cellules sans nom de colonne gardées en commentaire, ligne 2 :"},
         ""},
        {"line breaks, separators and quotes inside quoted cells",
         "multi.csv",
         u8"Question;Réponse\n\"Première ligne  \r\n  seconde ; ligne\";\"a;b\"\n",
         -1,
         "texte aucune",
         {u8"a;b | texte=Première ligne seconde ; ligne"},
         {u8"ligne 2, colonne « Question » : retour à la ligne remplacé par une espace."},
         ""},
        {"no header row",
         "sans.csv",
         u8"France;Paris\nItalie;Rome\n",
         -1,
         "",
         {},
         {},
         u8"la première ligne, « France;Paris », ne nomme aucune colonne connue : le tableau doit "
         u8"commencer par une ligne qui nomme ses colonnes, par exemple « Question;Réponse;Image "
         u8"» ; noms compris : question (ou texte), réponse"},
        {"a header without answers",
         "q.csv",
         u8"Question,Image\nA ?,a.jpg\n",
         -1,
         "",
         {},
         {},
         u8"ligne 1, la ligne d'en-tête ne nomme pas la colonne des réponses"},
        {"a header and nothing under it",
         "q.csv",
         u8"Question;Réponse\n;\n",
         -1,
         "",
         {},
         {},
         u8"aucune ligne de questions sous la ligne d'en-tête"},
        {"a cell never closed",
         "q.csv",
         u8"Question;Réponse\n\"A ?;a\n",
         -1,
         "",
         {},
         {},
         u8"ligne 2 : une cellule ouverte par un guillemet"},
        {"a workbook cut short",
         "q.xlsx",
         std::string("PK\x03\x04", 4),
         -1,
         "",
         {},
         {},
         u8"le classeur est abîmé (son enveloppe zip est incomplète ou altérée)"},
        {"an old Excel workbook",
         "q.xls",
         "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1",
         -1,
         "",
         {},
         {},
         u8"c'est un classeur Excel ancien (.xls), que Quizz ne lit pas : dans le tableur, « "
         u8"Enregistrer sous » le type « Classeur Excel (.xlsx) »"},
        {"an Excel workbook under a password",
         "q.xlsx",
         "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1",
         -1,
         "",
         {},
         {},
         u8"le classeur est protégé par un mot de passe"},
        {"a layout asked for that the table has no column for",
         "q.csv",
         u8"Réponse;Son;Texte révélé\nrouge;a.mp3;r\n",
         LAYOUT_PICTURE,
         "image texte",
         {"rouge | image= | revele=r"},
         {u8"colonne « Son » ignorée : la disposition « image » n'en a pas.",
          u8"aucune colonne image : chaque question a une ligne image = \"\" à compléter."},
         ""},
        {"both reveal columns: the pictures win",
         "q.csv",
         u8"Réponse;Image;Texte révélé;Image révélée;Seconde réponse\n"
         u8"chat;a.jpg;miaou;b.jpg;\nchien;c.jpg;;;\n",
         -1,
         "image image",
         {"chat | image=a.jpg | image_revelee=b.jpg", "chien | image=c.jpg | image_revelee="},
         {u8"colonne « Seconde réponse » ignorée : elle est vide.",
          u8"colonne « Texte révélé » ignorée : une question trouvée montre une image révélée ou "
          u8"un texte, pas les deux"},
         ""},
        {"reveal texts outside the picture layout",
         "q.csv",
         u8"Réponse;Question;Texte révélé\nchat;Animal ?;miaou\n",
         -1,
         "texte aucune",
         {u8"chat | texte=Animal ?"},
         {u8"colonne « Texte révélé » ignorée : le lecteur ne montre de révélation que dans la "
          u8"disposition « image »."},
         ""},
        {"other accepted answers, in a cell separated by | or ;, for both boxes",
         "q.csv",
         u8"Réponse;Autres réponses acceptées;Seconde réponse;Autre seconde réponse;Image\n"
         u8"le Mont Blanc;\"Mont Blanc | mont-blanc;;le Mont Blanc\";Alpes;les Alpes;a.jpg\n"
         u8"l'Italie;;Rome;;b.jpg\n",
         -1,
         "image aucune",
         {u8"le Mont Blanc | seconde=Alpes | image=a.jpg | autres=Mont Blanc/mont-blanc | "
          u8"autres2=les Alpes",
          u8"l'Italie | seconde=Rome | image=b.jpg"},
         {u8"ligne 2, colonne « Autres réponses acceptées » : « le Mont Blanc » déjà écrite, "
          u8"gardée une fois."},
         ""},
        {"other second answers without second answers",
         "q.csv",
         u8"Réponse;Autre réponse 2;Seconde réponse;autre réponse\nchat;chats;;\n",
         -1,
         "texte aucune",
         {u8"chat"},
         {u8"colonne « Seconde réponse » ignorée : elle est vide.",
          u8"colonne « autre réponse » ignorée : elle est vide.",
          u8"colonne « Autre réponse 2 » ignorée : sans seconde réponse, elle n'a pas de case où "
          u8"servir."},
         ""},
        {"an empty picture column makes a text quiz",
         "q.csv",
         u8"Question;Réponse;Image\nCapitale ?;Paris;\nFleuve ?;la Seine; \n",
         -1,
         "texte aucune",
         {u8"Paris | texte=Capitale ?", u8"la Seine | texte=Fleuve ?"},
         {u8"colonne « Image » ignorée : elle est vide."},
         ""},
        {"Moodle GIFT: every kind, comments, titles, escapes, alternatives",
         "banque.gift",
         u8"// question: 12  name: Switch category\n$CATEGORY: $course$/top/Géo\n\n"
         u8"::Capitale::[html]<p>Capitale de la France&nbsp;?</p>{\n"
         u8"\t=%100%Paris#Bravo\n\t=%50%Lutèce\n\t=paris\n}\n\n"
         u8"::Choix::Couleur ? {=rouge ~vert}\n\n"
         u8"Le soleil est une étoile.{T}\n\n"
         u8"Deux et deux ? {#4}\n\n"
         u8"Le {=chat} dort.\n\n"
         u8"Égalité \\: 1 \\= 1 {=oui}\n\n"
         u8"::Vide::{=%50%a =%80%b =%-100%c}\n",
         -1,
         "texte aucune",
         {"Paris | texte=Capitale de la France ? | autres=paris", "chat | texte=Le _____ dort.",
          u8"oui | texte=Égalité : 1 = 1", "b | texte=Vide"},
         {u8"question 1 (ligne 4, « Capitale ») : 1 réponse sans tout le crédit non reprise (le "
          u8"lecteur tient une réponse pour juste ou fausse, sans crédit partiel) : « Lutèce » "
          u8"(50 %).",
          u8"question 1 (ligne 4, « Capitale ») : commentaires de réponse non repris",
          u8"question 2 (ligne 10, « Choix ») : choix multiple, non reprise",
          u8"question 3 (ligne 12) : vrai ou faux, non reprise",
          u8"question 4 (ligne 14) : numérique, non reprise",
          u8"question 7 (ligne 20, « Vide ») : aucune réponse n'a tout le crédit : « b » (80 %),",
          u8"2 réponses sans tout le crédit non reprises (le lecteur tient une réponse pour juste "
          u8"ou fausse, sans crédit partiel) : « a » (50 %), « c » (-100 %).",
          u8"question 7 (ligne 20, « Vide ») : sans texte : son titre en tient lieu.",
          u8"1 question en HTML : balises retirées",
          u8"1 catégorie Moodle ignorée : « $course$/top/Géo »."},
         ""},
        {"GIFT saved as .txt, a film layout asked for",
         "banque.txt",
         u8"Quel film ? {=Nosferatu}\n",
         LAYOUT_VIDEO,
         "video aucune",
         {"Nosferatu | texte=Quel film ? | video="},
         {u8"un fichier GIFT ne nomme pas de médias : chaque question a une ligne video = \"\" à "
          u8"compléter."},
         ""},
        {"GIFT without a short-answer question",
         "choix.gift",
         u8"A ? {=a ~b}\n\nB ? {T}\n",
         -1,
         "",
         {},
         {u8"question 1 (ligne 1) : choix multiple", u8"question 2 (ligne 3) : vrai ou faux"},
         u8"aucune question à réponse courte (« Texte {=réponse} ») parmi les 2 du fichier"},
    };
    for (const auto& c : cases) {
        ImportedQuiz quiz;
        std::string error;
        const bool imported = ImportQuiz(c.file, c.bytes, {c.layout, c.file, c.file}, quiz, error);
        EXPECT_EQ(imported, c.error.empty()) << c.what << ": " << error;
        if (!imported) {
            EXPECT_EQ(error.substr(0, c.error.size()), c.error) << c.what;
        } else {
            const QuizSource& source = quiz.source;
            EXPECT_EQ(std::string(LAYOUT_NAMES[source.layoutKind]) + " " +
                          REVEAL_NAMES[source.revealMode],
                      c.quiz)
                << c.what;
            EXPECT_EQ(source.title.value, TITLE_PLACEHOLDER);
            std::vector<std::string> questions;
            for (const SourceQuestion& question : source.questions)
                questions.push_back(Described(question));
            EXPECT_EQ(questions, c.questions) << c.what;
        }
        EXPECT_EQ(quiz.notes.size(), c.notes.size()) << c.what;
        for (size_t i = 0; i < quiz.notes.size() && i < c.notes.size(); ++i)
            EXPECT_NE(quiz.notes[i].find(c.notes[i]), std::string::npos) << c.what << "\n"
                                                                         << quiz.notes[i];
    }
}

// Rows past a quiz's questions are counted, not kept, so that a table of a
// million rows costs the memory of 90; blank rows are neither.
TEST(CsvTable, KeepsTheRowsAQuizTakesAndCountsTheRest)
{
    const struct {
        std::string text;
        size_t maxRows;
        std::vector<std::string> rows;
        int leftOut;
        int firstLeftOutLine;
    } cases[] = {
        {"a;b\n;\nc;d\n\ne;f\n \t;\ng;h\n", 2, {"1:a|b", "3:c|d"}, 2, 5},
        {"a;b\n;\nc;d\n\ne;f\n \t;\ng;h\n", 9, {"1:a|b", "3:c|d", "5:e|f", "7:g|h"}, 0, 0},
        {"sep=;\r\na;b\r\nc;d\r\n", 1, {"2:a|b"}, 1, 3},
        {"a;\"b\nc\"\nd;e\nf;g", 1, {"1:a|b\nc"}, 2, 3},
        {"a\n" + Repeat("x\n", 100000), 3, {"1:a", "2:x", "3:x"}, 99998, 4},
    };
    for (const auto& c : cases) {
        CsvTable table;
        std::string error;
        ASSERT_TRUE(ReadCsvTable(c.text, table, error, c.maxRows)) << c.text.substr(0, 40);
        EXPECT_EQ(RowsOf(table), c.rows) << c.text.substr(0, 40);
        EXPECT_EQ(table.rowsLeftOut, c.leftOut) << c.text.substr(0, 40);
        EXPECT_EQ(table.firstLeftOutLine, c.firstLeftOutLine) << c.text.substr(0, 40);
    }
}

// A table or a bank with more questions than a quiz holds gives the first
// 90, and says how many were left and from where.
TEST(QuizImport, TakesTheQuestionsAQuizHoldsAndTellsTheRest)
{
    std::string table = u8"Question;Réponse\n";
    for (int i = 1; i <= MAX_QUESTIONS + 5; ++i)
        table += "Q" + std::to_string(i) + " ?;r" + std::to_string(i) + (i == 40 ? "\n;\n" : "\n");
    std::string gift = "A ? {=a ~b}\n\n";
    for (int i = 1; i <= MAX_QUESTIONS + 2; ++i)
        gift += "Q" + std::to_string(i) + " ? {=r" + std::to_string(i) + "}\n\n";
    gift += "B ? {T}\n";
    const struct {
        const char* file;
        std::string bytes;
        std::string lastQuestion;
        std::string note;
    } cases[] = {
        {"q.csv", table, "r90 | texte=Q90 ?",
         u8"5 lignes au-delà des 90 questions qu'un quiz peut avoir ont été ignorées, à partir "
         u8"de la ligne 93 : faites-en un second quiz."},
        {"q.gift", gift, "r90 | texte=Q90 ?",
         u8"3 questions au-delà des 90 qu'un quiz peut avoir ont été ignorées, à partir de la "
         u8"ligne 183 : faites-en un second quiz."},
    };
    for (const auto& c : cases) {
        ImportedQuiz quiz;
        std::string error;
        ASSERT_TRUE(ImportQuiz(c.file, c.bytes, {-1, c.file, c.file}, quiz, error)) << error;
        ASSERT_EQ(quiz.source.questions.size(), static_cast<size_t>(MAX_QUESTIONS)) << c.file;
        EXPECT_EQ(Described(quiz.source.questions.back()), c.lastQuestion) << c.file;
        EXPECT_NE(std::find(quiz.notes.begin(), quiz.notes.end(), c.note), quiz.notes.end())
            << c.file << ": " << (quiz.notes.empty() ? "" : quiz.notes.back());
    }

    // The reader keeps what it is asked to, and counts the rest.
    GiftFile file;
    ReadGift(gift, file, 2);
    EXPECT_EQ(file.questions.size(), 2u);
    EXPECT_EQ(file.questionsLeftOut, MAX_QUESTIONS + 2);
    EXPECT_EQ(file.firstLeftOutLine, 5);
}

// What the source has no key for is written under its question as comments,
// which reading the source back passes over.
TEST(QuizImport, WritesTheUnknownColumnsAsComments)
{
    ImportedQuiz quiz;
    std::string error;
    ASSERT_TRUE(ImportQuiz("q.csv",
                           u8"Réponse;Remarque;\"Note\x01\r\"\nParis;vue en classe;\nRome;;x\n",
                           {-1, "q.csv", "q.toml"}, quiz, error))
        << error;
    const std::string written = WriteQuizSource(quiz.source, "q.toml");
    const size_t first = written.find("reponse = \"Paris\"");
    const size_t second = written.find("reponse = \"Rome\"");
    const size_t comment = written.find(u8"# Remarque : vue en classe\n");
    EXPECT_LT(first, comment);
    EXPECT_LT(comment, second);
    EXPECT_EQ(written.find(u8"# Remarque : \n"), std::string::npos);
    EXPECT_NE(written.find(u8"# Note  : x\n"), std::string::npos);
    QuizSource read;
    std::vector<Problem> problems;
    ASSERT_TRUE(ReadQuizSource(written, read, problems));
    ASSERT_EQ(read.questions.size(), 2u);
    EXPECT_EQ(read.questions[1].answer.value, "Rome");
}
