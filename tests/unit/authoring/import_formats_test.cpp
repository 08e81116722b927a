// The files the import reads beyond text tables, from the corpus that
// import_corpus/make_corpus.py writes through the spreadsheets' libraries:
// the XML reader and the zip under them, Excel and LibreOffice workbooks,
// and Moodle's banks with a picture inside.
#include "authoring/import/moodle_xml.h"
#include "authoring/import/quiz_import.h"
#include "authoring/import/workbook_reader.h"
#include "authoring/import/xml_reader.h"
#include "authoring/import/zip_archive.h"
#include "quiz/base64.h"
#include "quiz/quiz_record.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// The events as "<name a=v>", "text", "</name>".
struct Recorder : XmlHandler {
    std::string events;
    void Open(const XmlElement& element) override
    {
        events += "<" + element.name;
        for (const auto& attribute : element.attributes)
            events += " " + attribute.first + "=" + attribute.second;
        events += ">";
    }
    void Text(const std::string& text) override { events += text; }
    void Close(const std::string& name) override { events += "</" + name + ">"; }
};

std::string Corpus(const std::string& name)
{
    std::ifstream in(std::string(IMPORT_CORPUS_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

TEST(XmlReader, ReadsWhatProgramsWriteAndRefusesTheRest)
{
    const struct {
        const char* xml;
        std::string events; // or the start of the error
        bool read;
    } cases[] = {
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE x><a b='1' c=\"&lt;&#233;&#xE9;\">t&amp;u<c/></a>",
         u8"<a b=1 c=<éé>t&u<c></c></a>", true},
        {"<a><!-- <b> --><![CDATA[<p>&amp;</p>]]></a>", "<a><p>&amp;</p></a>", true},
        {"<table:row table:n=\"3\">x &unknown; y</table:row>",
         "<table:row table:n=3>x &unknown; y</table:row>", true},
        {"<a><b></a>", u8"ligne 1 : </a> ferme la balise <b>", false},
        {"<a>\n<b>", u8"ligne 2 : la balise <b> n'est jamais refermée", false},
        {"<a b=1>", u8"ligne 1 : valeur d'attribut sans guillemets", false},
        {"<a b=\"1>", u8"ligne 1 : valeur d'attribut sans guillemets", false},
        {"<a", u8"ligne 1 : balise a jamais refermée par >", false},
        {"<", u8"ligne 1 : « < » à la fin du fichier", false},
        {"<a><!-- x", u8"ligne 1 : commentaire <!-- jamais refermé", false},
        {"<a><![CDATA[x", u8"ligne 1 : section <![CDATA[ jamais refermée", false},
        {"</a>", u8"ligne 1 : </a> ferme une balise jamais ouverte", false},
        {"<a b>", u8"ligne 1 : attribut sans valeur", false},
        {"< a>", u8"ligne 1 : « < » sans nom de balise", false},
    };
    for (const auto& c : cases) {
        Recorder recorder;
        std::string error;
        EXPECT_EQ(ReadXml(c.xml, recorder, error), c.read) << c.xml;
        const std::string& told = c.read ? recorder.events : error.substr(0, c.events.size());
        EXPECT_EQ(told, c.events) << c.xml;
    }
    // Nesting past the bound is refused, not followed.
    Recorder recorder;
    std::string error;
    std::string deep;
    for (int i = 0; i < 300; ++i)
        deep += "<a>";
    EXPECT_FALSE(ReadXml(deep, recorder, error, 256));
    EXPECT_NE(error.find(u8"plus de 256 niveaux"), std::string::npos) << error;
}

TEST(Base64, DecodesWithinItsBound)
{
    const struct {
        const char* text;
        size_t maxBytes;
        bool decoded;
        std::string bytes;
    } cases[] = {
        {"UGFyaXM=", 100, true, "Paris"},
        {"UGFy\r\naXM =\n", 100, true, "Paris"},
        {"TWFu", 100, true, "Man"},
        {"TWE=", 100, true, "Ma"},
        {"", 100, true, ""},
        {"UGFyaXM=", 4, false, ""},
        {"UGFy*XM=", 100, false, ""},
        {"UG=Fy", 100, false, ""},
        {"UGFya", 100, false, ""},
    };
    for (const auto& c : cases) {
        std::string bytes;
        EXPECT_EQ(DecodeBase64(c.text, bytes, c.maxBytes), c.decoded) << c.text;
        if (c.decoded) {
            EXPECT_EQ(bytes, c.bytes) << c.text;
        }
    }
}

// Moodle's export: the full-credit answers as alternatives, the part
// credit told, the picture written beside the source and shown, the
// feedback in comments, the case of letters as the capitals rule, the
// other kinds and the categories told.
TEST(MoodleImport, KeepsWhatTheBankHolds)
{
    const std::string bytes = Corpus("banque_moodle.xml");
    ASSERT_FALSE(bytes.empty());
    ImportedQuiz quiz;
    std::string error;
    ASSERT_TRUE(
        ImportQuiz("banque.xml", bytes, {-1, "banque.xml", "quiz/banque.toml"}, quiz, error))
        << error;
    const QuizSource& source = quiz.source;
    EXPECT_EQ(source.layoutKind, LAYOUT_PICTURE);
    ASSERT_EQ(source.questions.size(), 2u);

    const SourceQuestion& mountain = source.questions[0];
    EXPECT_EQ(mountain.answer.value, "le Mont Blanc");
    ASSERT_EQ(mountain.otherAnswers.size(), 1u);
    EXPECT_EQ(mountain.otherAnswers[0].value, "Mont-Blanc");
    EXPECT_EQ(mountain.questionText.value, u8"Quel est le plus haut sommet des Alpes ?");
    EXPECT_EQ(mountain.picture.value, "images/sommet_alpes.png");
    EXPECT_EQ(mountain.comments,
              (std::vector<std::string>{u8"Commentaire : Il culmine à 4 805 m.",
                                        u8"Commentaire de la réponse « le Mont Blanc » : Bravo"}));

    const SourceQuestion& country = source.questions[1];
    EXPECT_EQ(country.answer.value, "l'Italie");
    ASSERT_EQ(country.otherAnswers.size(), 1u);
    EXPECT_EQ(country.otherAnswers[0].value, "Italie");
    EXPECT_EQ(country.questionText.value, "Pays de Rome & de Milan ?");
    EXPECT_EQ(country.picture.value, "");
    EXPECT_TRUE(country.picture.present);
    EXPECT_EQ(country.comments, (std::vector<std::string>{
                                    u8"Commentaire de la réponse « l'Italie » : Oui, la botte."}));

    ASSERT_EQ(quiz.files.size(), 1u);
    EXPECT_EQ(quiz.files[0].path, "images/sommet_alpes.png");
    EXPECT_EQ(quiz.files[0].bytes.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
    EXPECT_TRUE(source.capitalsRequired.value);

    const std::vector<std::string> notes = {
        u8"question 2 (« Fleuve ») : choix multiple, non reprise",
        u8"question 1 (« Montagne ») : 1 réponse sans tout le crédit non reprise (le lecteur "
        u8"tient une réponse pour juste ou fausse, sans crédit partiel) : « Blanc » (50 %).",
        u8"les textes des questions restent dans le fichier",
        u8"1 question en HTML : balises retirées",
        u8"2 questions ont leurs commentaires de réponse gardés en commentaire",
        u8"la règle majuscules_exigees est mise pour tout le quiz.",
        u8"1 catégorie Moodle ignorée : « $course$/top/Géographie ».",
    };
    ASSERT_EQ(quiz.notes.size(), notes.size());
    for (size_t i = 0; i < notes.size(); ++i)
        EXPECT_NE(quiz.notes[i].find(notes[i]), std::string::npos) << quiz.notes[i];
}

TEST(MoodleImport, TellsWhatItCannotTake)
{
    const std::string png = "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQ"
                            "DJ/pLvAAAAAElFTkSuQmCC";
    auto question = [](const std::string& inside) {
        return "<question type=\"shortanswer\"><name><text>Q</text></name>" + inside +
               "<answer fraction=\"100\"><text>a</text></answer></question>";
    };
    const struct {
        const char* what;
        std::string xml;
        int layout;
        std::vector<std::string> pictures; // the paths of the questions' pictures
        std::vector<std::string> notes;
        std::string error;
    } cases[] = {
        {"two pictures of one name, a second picture, a file that is no picture, a cut one",
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
         {"images/carte.PNG", "images/carte-2.png"},
         {u8"question 1 (« Q ») : image jointe « b.png » non reprise : une question montre une "
          u8"seule image",
          u8"question 2 (« Q ») : fichier joint « notes.pdf » non repris : ce n'est pas une image",
          u8"question 2 (« Q ») : fichier joint « c.png » abîmé",
          u8"les textes des questions restent dans le fichier"},
         ""},
        {"a picture in a text quiz asked for; a picture not joined",
         "<quiz>" +
             question("<questiontext format=\"html\"><text>A</text>"
                      "<file name=\"a.png\" encoding=\"base64\">" +
                      png + "</file></questiontext>") +
             question("<questiontext format=\"html\"><text>B&lt;img src=\"x.png\"&gt;</text>"
                      "</questiontext><usecase>1</usecase>") +
             "</quiz>",
         LAYOUT_TEXT,
         {"", ""},
         {u8"question 1 (« Q ») : image jointe non reprise : la disposition « texte » n'en "
          u8"montre pas.",
          u8"question 2 (« Q ») : son image HTML n'est pas reprise", u8"1 question en HTML",
          u8"1 question distingue les majuscules dans Moodle, sur 2"},
         ""},
        {"no short answer",
         "<quiz><question type=\"essay\"><name><text>E</text></name></question></quiz>",
         -1,
         {},
         {u8"question 1 (« E ») : composition, non reprise"},
         u8"aucune question à réponse courte parmi les 1 du fichier"},
        {"another XML",
         "<html><body/></html>",
         -1,
         {},
         {},
         u8"fichier Moodle XML illisible, ce fichier XML n'est pas une banque de questions Moodle"},
        {"damaged XML",
         "<quiz><question type=\"shortanswer\">",
         -1,
         {},
         {},
         u8"fichier Moodle XML illisible, ligne 1 : la balise <question> n'est jamais refermée"},
    };
    for (const auto& c : cases) {
        ImportedQuiz quiz;
        std::string error;
        const bool imported =
            ImportQuiz("b.xml", c.xml, {c.layout, "b.xml", "b.toml"}, quiz, error);
        EXPECT_EQ(imported, c.error.empty()) << c.what << ": " << error;
        if (!imported) {
            EXPECT_EQ(error.substr(0, c.error.size()), c.error) << c.what;
        } else {
            std::vector<std::string> pictures;
            for (const SourceQuestion& q : quiz.source.questions)
                pictures.push_back(q.picture.value);
            EXPECT_EQ(pictures, c.pictures) << c.what;
        }
        EXPECT_EQ(quiz.notes.size(), c.notes.size()) << c.what;
        for (size_t i = 0; i < quiz.notes.size() && i < c.notes.size(); ++i)
            EXPECT_NE(quiz.notes[i].find(c.notes[i]), std::string::npos) << c.what << "\n"
                                                                         << quiz.notes[i];
    }
}

TEST(ZipArchive, CapsWhatAMemberInflatesTo)
{
    const std::string bytes = Corpus("gonfle.zip");
    ZipArchive zip;
    std::string error;
    ASSERT_TRUE(OpenZip(bytes, zip, error)) << error;
    const struct {
        const char* member;
        size_t maxBytes;
        bool read;
        size_t size;
    } cases[] = {
        {"zeros", 4 << 20, true, 2 << 20},
        {"zeros", 1 << 20, false, 0},
        {"court", 3, true, 3},
        {"court", 2, false, 0},
    };
    for (const auto& c : cases) {
        std::string content;
        const ZipMember* member = zip.Find(c.member);
        ASSERT_NE(member, nullptr);
        EXPECT_EQ(ReadZipMember(zip, *member, c.maxBytes, content, error), c.read) << c.member;
        EXPECT_EQ(content.size(), c.size) << c.member;
        if (!c.read) {
            EXPECT_EQ(error.rfind(u8"le classeur est trop gros une fois décompressé", 0), 0u)
                << error;
        }
    }

    // Cut anywhere, or with its sizes or offsets wrong, it is refused whole.
    for (size_t cut : {size_t{0}, size_t{21}, bytes.size() / 2, bytes.size() - 1}) {
        std::string content;
        const std::string part = bytes.substr(0, cut);
        bool read = OpenZip(part, zip, error);
        for (const ZipMember& member : zip.members)
            read = read && ReadZipMember(zip, member, 4 << 20, content, error);
        EXPECT_FALSE(read) << cut;
        EXPECT_EQ(error.rfind(u8"le classeur est abîmé", 0), 0u) << error;
    }
    std::string damaged = bytes;
    const size_t central = damaged.find("PK\x01\x02");
    ASSERT_NE(central, std::string::npos);
    damaged[central + 42] = '\x7F'; // the first member's local header, past the end
    ASSERT_TRUE(OpenZip(damaged, zip, error));
    std::string content;
    EXPECT_FALSE(ReadZipMember(zip, zip.members[0], 4 << 20, content, error));
    damaged = bytes;
    damaged[central + 8] |= 1; // encrypted
    ASSERT_TRUE(OpenZip(damaged, zip, error));
    EXPECT_FALSE(ReadZipMember(zip, zip.members[0], 4 << 20, content, error));
    EXPECT_NE(error.find(u8"protégé par un mot de passe"), std::string::npos) << error;
}

// Each workbook of the corpus, whole or by one sheet: its questions (answer,
// alternatives, text, comments), where they came from, and its notes.
TEST(WorkbookImport, ReadsTheSheetsTeachersSave)
{
    const struct {
        const char* file;
        const char* sheet;
        std::string origin;
        std::vector<std::string> questions;
        std::vector<std::string> notes;
        std::string error;
    } cases[] = {
        {"classeur.xlsx",
         "",
         u8"classeur Excel (.xlsx), feuille « Capitales »",
         {u8"Rome | Capitale de l'Italie ? | rome/Roma/la Ville éternelle | Remarque : facile",
          u8"1789 | Prise de la Bastille ? |  | ",
          u8"3,14 | Pi à deux décimales ? | 3.14 | Remarque : arrondi"},
         {u8"le classeur a 2 feuilles : seule la première, « Capitales », est lue (--feuille NOM "
          u8"en choisit une autre).",
          u8"ligne 1 : 1 colonne de nom inconnu gardée en commentaire sous chaque question : « "
          u8"Remarque »",
          u8"colonne « Image » ignorée : elle est vide."},
         ""},
        {"classeur.xlsx",
         "Brouillon",
         u8"classeur Excel (.xlsx), feuille « Brouillon »",
         {"brouillon |  |  | "},
         {},
         ""},
        {"classeur.xlsx",
         "Feuil1",
         "",
         {},
         {},
         u8"le classeur n'a pas de feuille « Feuil1 » : ses feuilles sont « Capitales », « "
         u8"Brouillon » ; nommez-en une avec --feuille"},
        {"partage.xlsx",
         "",
         u8"classeur Excel (.xlsx), feuille « Feuille 1 »",
         {u8"Paris | Capitale & ville ? |  | ", u8"VRAI | Vrai ? |  | "},
         {},
         ""},
        {"classeur.ods",
         "",
         u8"classeur LibreOffice (.ods), feuille « Questions »",
         {u8"chat | Un   animal | chats/minou | ", u8"chien | Deux lignes |  | ",
          u8"chien | Deux lignes |  | "},
         {u8"le classeur a 2 feuilles : seule la première",
          u8"ligne 1048573, colonne « Texte » : retour à la ligne remplacé par une espace.",
          u8"ligne 1048574, colonne « Texte » : retour à la ligne remplacé par une espace."},
         ""},
        {"classeur.ods",
         "Autre",
         u8"classeur LibreOffice (.ods), feuille « Autre »",
         {"autre |  |  | "},
         {},
         ""},
        {"classeur.ods",
         "Brouillon",
         "",
         {},
         {},
         u8"le classeur n'a pas de feuille « Brouillon » : ses feuilles sont « Questions », « "
         u8"Autre »"},
        {"protege.ods",
         "",
         "",
         {},
         {},
         u8"le classeur est protégé par un mot de passe : dans LibreOffice"},
        {"gonfle.zip",
         "",
         "",
         {},
         {},
         u8"ce fichier zip n'est pas un classeur Excel (.xlsx) ni LibreOffice (.ods)"},
    };
    for (const auto& c : cases) {
        const std::string bytes = Corpus(c.file);
        ASSERT_FALSE(bytes.empty()) << c.file;
        ImportedQuiz quiz;
        std::string error;
        ImportOptions options{-1, c.file, c.file};
        options.sheet = c.sheet;
        const bool imported = ImportQuiz(c.file, bytes, options, quiz, error);
        const std::string what = std::string(c.file) + " " + c.sheet;
        EXPECT_EQ(imported, c.error.empty()) << what << ": " << error;
        if (!imported) {
            EXPECT_EQ(error.substr(0, c.error.size()), c.error) << what;
            continue;
        }
        EXPECT_EQ(quiz.origin, c.origin) << what;
        EXPECT_EQ(quiz.source.layoutKind, LAYOUT_TEXT) << what;
        std::vector<std::string> questions;
        for (const SourceQuestion& question : quiz.source.questions) {
            std::string alternatives, comments;
            for (const SourceText& alternative : question.otherAnswers)
                alternatives += (alternatives.empty() ? "" : "/") + alternative.value;
            for (const std::string& comment : question.comments)
                comments += comment;
            questions.push_back(question.answer.value + " | " + question.questionText.value +
                                " | " + alternatives + " | " + comments);
        }
        EXPECT_EQ(questions, c.questions) << what;
        EXPECT_EQ(quiz.notes.size(), c.notes.size()) << what;
        for (size_t i = 0; i < quiz.notes.size() && i < c.notes.size(); ++i)
            EXPECT_NE(quiz.notes[i].find(c.notes[i]), std::string::npos) << what << "\n"
                                                                         << quiz.notes[i];
    }
}
