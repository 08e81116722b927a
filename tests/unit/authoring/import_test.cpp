// The importer on a corpus of small files as spreadsheets and Moodle write
// them, from text tables to workbooks and Moodle's banks with pictures
// inside: what each gives as questions and files, and what it says it left
// out or changed. The readers it rests on are tested in
// import_formats_test.cpp.
#include "authoring/import/gift_reader.h"
#include "authoring/import/quiz_import.h"
#include "authoring/source/source_reader.h"
#include "authoring/source/source_writer.h"
#include "quiz/quiz_record.h"
#include "tests/unit/authoring/source_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

// Each file gives its questions with its layout, reveal mode, rule and
// origin, the files it writes beside the source, and its notes in order
// (each expected text is found in its note), or fails with an error that
// starts with the expected text.
TEST(QuizImport, TakesTheFilesTeachersHave)
{
    const std::string png = "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQ"
                            "DJ/pLvAAAAAElFTkSuQmCC";
    auto question = [](const std::string& inside) {
        return "<question type=\"shortanswer\"><name><text>Q</text></name>" + inside +
               "<answer fraction=\"100\"><text>a</text></answer></question>";
    };
    auto corpus = [](const std::string& name) { return LoadFile(IMPORT_CORPUS_DIR "/" + name); };
    const struct {
        const char* what;
        std::string file;
        std::string bytes;
        int layout;       // requested, or -1
        std::string quiz; // "layout revelation[ majuscules] | origin"
        std::vector<std::string> questions;
        std::vector<std::string> notes;
        std::string error;
        std::vector<std::string> files = {}; // "path" and the bytes' first 4
        const char* sheet = "";
    } cases[] = {
        {"Excel, Windows-1252, CRLF, paths with \\, an empty row",
         "capitales.csv",
         "Question;R\xE9ponse;Image\r\nCapitale de la France ?;Paris;images\\france.jpg\r\n"
         ";;\r\nLa ville \xE9ternelle ?; Rome ;images\\rome.jpg\r\n",
         -1,
         u8"image aucune | tableau séparé par des points-virgules, en Windows-1252",
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
         u8"texte aucune | tableau séparé par des virgules, en UTF-8 avec BOM",
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
         u8"son aucune | tableau séparé par des tabulations, en UTF-8",
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
         u8"texte aucune | tableau séparé par des points-virgules, en UTF-8",
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
         u8"image texte | tableau séparé par des points-virgules, en UTF-8",
         {"rouge | image= | revele=r"},
         {u8"colonne « Son » ignorée : la disposition « image » n'en a pas.",
          u8"aucune colonne image : chaque question a une ligne image = \"\" à compléter."},
         ""},
        {"both reveal columns: the pictures win",
         "q.csv",
         u8"Réponse;Image;Texte révélé;Image révélée;Seconde réponse\n"
         u8"chat;a.jpg;miaou;b.jpg;\nchien;c.jpg;;;\n",
         -1,
         u8"image image | tableau séparé par des points-virgules, en UTF-8",
         {"chat | image=a.jpg | image_revelee=b.jpg", "chien | image=c.jpg | image_revelee="},
         {u8"colonne « Seconde réponse » ignorée : elle est vide.",
          u8"colonne « Texte révélé » ignorée : une question trouvée montre une image révélée ou "
          u8"un texte, pas les deux"},
         ""},
        {"reveal texts outside the picture layout",
         "q.csv",
         u8"Réponse;Question;Texte révélé\nchat;Animal ?;miaou\n",
         -1,
         u8"texte aucune | tableau séparé par des points-virgules, en UTF-8",
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
         u8"image aucune | tableau séparé par des points-virgules, en UTF-8",
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
         u8"texte aucune | tableau séparé par des points-virgules, en UTF-8",
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
         u8"texte aucune | tableau séparé par des points-virgules, en UTF-8",
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
         u8"texte aucune | fichier GIFT de Moodle, en UTF-8",
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
         u8"video aucune | fichier GIFT de Moodle, en UTF-8",
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
        {"Moodle XML: full-credit answers, a picture inside, feedback, the case of letters",
         "banque.xml",
         corpus("banque_moodle.xml"),
         -1,
         u8"image aucune majuscules | banque de questions Moodle XML",
         {u8"le Mont Blanc | texte=Quel est le plus haut sommet des Alpes ? | "
          u8"image=images/sommet_alpes.png | autres=Mont-Blanc | # Commentaire : Il culmine à "
          u8"4 805 m. | # Commentaire de la réponse « le Mont Blanc » : Bravo",
          u8"l'Italie | texte=Pays de Rome & de Milan ? | image= | autres=Italie | # Commentaire "
          u8"de la réponse « l'Italie » : Oui, la botte."},
         {u8"question 2 (« Fleuve ») : choix multiple, non reprise",
          u8"question 1 (« Montagne ») : 1 réponse sans tout le crédit non reprise (le lecteur "
          u8"tient une réponse pour juste ou fausse, sans crédit partiel) : « Blanc » (50 %).",
          u8"les textes des questions restent dans le fichier",
          u8"1 question en HTML : balises retirées",
          u8"2 questions ont leurs commentaires de réponse gardés en commentaire",
          u8"la règle majuscules_exigees est mise pour tout le quiz.",
          u8"1 catégorie Moodle ignorée : « $course$/top/Géographie »."},
         "",
         {"images/sommet_alpes.png \x89PNG"}},
        {"Moodle XML: two pictures of one name, a second picture, a file that is no picture, a "
         "cut one",
         "b.xml",
         "<quiz>" +
             question("<questiontext format=\"html\"><text>A</text>"
                      "<file name=\"../../x/carte.PNG\" encoding=\"base64\">" +
                      png +
                      "</file>"
                      "<file name=\"b.png\" encoding=\"base64\">" +
                      png + "</file></questiontext>") +
             question("<questiontext format=\"html\"><text>B</text>"
                      "<file name=\"carte.png\" encoding=\"base64\">" +
                      png +
                      "</file>"
                      "<file name=\"notes.pdf\" encoding=\"base64\">JVBERi0=</file>"
                      "<file name=\"c.png\" encoding=\"base64\">iVBOR*</file></questiontext>") +
             "</quiz>",
         -1,
         u8"image aucune | banque de questions Moodle XML",
         {"a | texte=A | image=images/carte.PNG", "a | texte=B | image=images/carte-2.png"},
         {u8"question 1 (« Q ») : image jointe « b.png » non reprise : une question montre une "
          u8"seule image",
          u8"question 2 (« Q ») : fichier joint « notes.pdf » non repris : ce n'est pas une image",
          u8"question 2 (« Q ») : fichier joint « c.png » abîmé",
          u8"les textes des questions restent dans le fichier"},
         "",
         {"images/carte.PNG \x89PNG", "images/carte-2.png \x89PNG"}},
        {"Moodle XML: a picture in a text quiz asked for; a picture not joined",
         "b.xml",
         "<quiz>" +
             question("<questiontext format=\"html\"><text>A</text>"
                      "<file name=\"a.png\" encoding=\"base64\">" +
                      png + "</file></questiontext>") +
             question("<questiontext format=\"html\"><text>B&lt;img src=\"x.png\"&gt;</text>"
                      "</questiontext><usecase>1</usecase>") +
             "</quiz>",
         LAYOUT_TEXT,
         u8"texte aucune | banque de questions Moodle XML",
         {"a | texte=A", "a | texte=B"},
         {u8"question 1 (« Q ») : image jointe non reprise : la disposition « texte » n'en "
          u8"montre pas.",
          u8"question 2 (« Q ») : son image HTML n'est pas reprise", u8"1 question en HTML",
          u8"1 question distingue les majuscules dans Moodle, sur 2"},
         ""},
        {"Moodle XML without a short answer",
         "b.xml",
         "<quiz><question type=\"essay\"><name><text>E</text></name></question></quiz>",
         -1,
         "",
         {},
         {u8"question 1 (« E ») : composition, non reprise"},
         u8"aucune question à réponse courte parmi les 1 du fichier"},
        {"another XML",
         "b.xml",
         "<html><body/></html>",
         -1,
         "",
         {},
         {},
         u8"fichier Moodle XML illisible, ce fichier XML n'est pas une banque de questions Moodle"},
        {"damaged XML",
         "b.xml",
         "<quiz><question type=\"shortanswer\">",
         -1,
         "",
         {},
         {},
         u8"fichier Moodle XML illisible, ligne 1 : la balise <question> n'est jamais refermée"},
        {"an Excel workbook, its first sheet",
         "classeur.xlsx",
         corpus("classeur.xlsx"),
         -1,
         u8"texte aucune | classeur Excel (.xlsx), feuille « Capitales »",
         {u8"Rome | texte=Capitale de l'Italie ? | autres=rome/Roma/la Ville éternelle | # "
          u8"Remarque : facile",
          u8"1789 | texte=Prise de la Bastille ?",
          u8"3,14 | texte=Pi à deux décimales ? | autres=3.14 | # Remarque : arrondi"},
         {u8"le classeur a 2 feuilles : seule la première, « Capitales », est lue (--feuille NOM "
          u8"en choisit une autre).",
          u8"ligne 1 : 1 colonne de nom inconnu gardée en commentaire sous chaque question : « "
          u8"Remarque »",
          u8"colonne « Image » ignorée : elle est vide."},
         ""},
        {"an Excel workbook, a sheet by its name",
         "classeur.xlsx",
         corpus("classeur.xlsx"),
         -1,
         u8"texte aucune | classeur Excel (.xlsx), feuille « Brouillon »",
         {"brouillon"},
         {},
         "",
         {},
         "Brouillon"},
        {"an Excel workbook, a sheet it has not",
         "classeur.xlsx",
         corpus("classeur.xlsx"),
         -1,
         "",
         {},
         {},
         u8"le classeur n'a pas de feuille « Feuil1 » : ses feuilles sont « Capitales », « "
         u8"Brouillon » ; nommez-en une avec --feuille",
         {},
         "Feuil1"},
        {"an Excel workbook with shared strings",
         "partage.xlsx",
         corpus("partage.xlsx"),
         -1,
         u8"texte aucune | classeur Excel (.xlsx), feuille « Feuille 1 »",
         {u8"Paris | texte=Capitale & ville ?", u8"VRAI | texte=Vrai ?"},
         {},
         ""},
        {"a LibreOffice workbook, its first sheet",
         "classeur.ods",
         corpus("classeur.ods"),
         -1,
         u8"texte aucune | classeur LibreOffice (.ods), feuille « Questions »",
         {u8"chat | texte=Un   animal | autres=chats/minou", u8"chien | texte=Deux lignes",
          u8"chien | texte=Deux lignes"},
         {u8"le classeur a 2 feuilles : seule la première",
          u8"ligne 1048573, colonne « Texte » : retour à la ligne remplacé par une espace.",
          u8"ligne 1048574, colonne « Texte » : retour à la ligne remplacé par une espace."},
         ""},
        {"a LibreOffice workbook, a sheet by its name",
         "classeur.ods",
         corpus("classeur.ods"),
         -1,
         u8"texte aucune | classeur LibreOffice (.ods), feuille « Autre »",
         {"autre"},
         {},
         "",
         {},
         "Autre"},
        {"a LibreOffice workbook, a sheet it has not",
         "classeur.ods",
         corpus("classeur.ods"),
         -1,
         "",
         {},
         {},
         u8"le classeur n'a pas de feuille « Brouillon » : ses feuilles sont « Questions », « "
         u8"Autre »",
         {},
         "Brouillon"},
        {"a LibreOffice workbook under a password",
         "protege.ods",
         corpus("protege.ods"),
         -1,
         "",
         {},
         {},
         u8"le classeur est protégé par un mot de passe : dans LibreOffice"},
        {"a zip that is no workbook",
         "gonfle.zip",
         corpus("gonfle.zip"),
         -1,
         "",
         {},
         {},
         u8"ce fichier zip n'est pas un classeur Excel (.xlsx) ni LibreOffice (.ods)"},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.bytes.empty()) << c.what;
        ImportedQuiz quiz;
        std::string error;
        ImportOptions options{c.layout, c.file, c.file};
        options.sheet = c.sheet;
        const bool imported = ImportQuiz(c.file, c.bytes, options, quiz, error);
        EXPECT_EQ(imported, c.error.empty()) << c.what << ": " << error;
        if (!imported) {
            EXPECT_EQ(error.substr(0, c.error.size()), c.error) << c.what;
        } else {
            const QuizSource& source = quiz.source;
            EXPECT_EQ(std::string(LAYOUT_NAMES[source.layoutKind]) + " " +
                          REVEAL_NAMES[source.revealMode] +
                          (source.capitalsRequired.value ? " majuscules" : "") + " | " +
                          quiz.origin,
                      c.quiz)
                << c.what;
            EXPECT_EQ(source.title.value, TITLE_PLACEHOLDER);
            std::vector<std::string> questions, files;
            for (const SourceQuestion& question : source.questions)
                questions.push_back(Described(question));
            EXPECT_EQ(questions, c.questions) << c.what;
            for (const ImportedFile& file : quiz.files)
                files.push_back(file.path + " " + file.bytes.substr(0, 4));
            EXPECT_EQ(files, c.files) << c.what;
        }
        EXPECT_EQ(quiz.notes.size(), c.notes.size()) << c.what;
        for (size_t i = 0; i < quiz.notes.size() && i < c.notes.size(); ++i)
            EXPECT_NE(quiz.notes[i].find(c.notes[i]), std::string::npos) << c.what << "\n"
                                                                         << quiz.notes[i];
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
