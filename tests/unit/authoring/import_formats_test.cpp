// The readers under the import: text tables, the encoding of saved text,
// column names, Moodle's GIFT, HTML, media paths, XML, Base64 and zip.
#include "authoring/import/column_names.h"
#include "authoring/import/csv_table.h"
#include "authoring/import/gift_reader.h"
#include "authoring/import/html_text.h"
#include "authoring/import/media_paths.h"
#include "authoring/import/text_decoding.h"
#include "authoring/import/xml_reader.h"
#include "authoring/import/zip_archive.h"
#include "quiz/base64.h"
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

} // namespace

// The separator found, quoted cells read whole; rows past a quiz's questions
// counted, not kept, so that a table of a million rows costs the memory of
// 90; blank rows neither.
TEST(CsvTable, FindsTheSeparatorReadsQuotedCellsAndKeepsTheRowsAQuizTakes)
{
    const struct {
        std::string text;
        char separator;
        std::vector<std::string> rows;
        size_t maxRows = SIZE_MAX;
        int leftOut = 0;
        int firstLeftOutLine = 0;
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
        // Kept up to a number of rows, the rest counted.
        {"a;b\n;\nc;d\n\ne;f\n \t;\ng;h\n", ';', {"1:a|b", "3:c|d"}, 2, 2, 5},
        {"a;b\n;\nc;d\n\ne;f\n \t;\ng;h\n", ';', {"1:a|b", "3:c|d", "5:e|f", "7:g|h"}, 9},
        {"sep=;\r\na;b\r\nc;d\r\n", ';', {"2:a|b"}, 1, 1, 3},
        {"a;\"b\nc\"\nd;e\nf;g", ';', {"1:a|b\nc"}, 1, 2, 3},
        {"a\n" + Repeat("x\n", 100000), '\t', {"1:a", "2:x", "3:x"}, 3, 99998, 4},
    };
    for (const auto& c : cases) {
        CsvTable table;
        std::string error;
        const std::string what = c.text.substr(0, 40);
        ASSERT_TRUE(ReadCsvTable(c.text, table, error, c.maxRows)) << what << error;
        EXPECT_EQ(table.separator, c.separator) << what;
        EXPECT_EQ(RowsOf(table), c.rows) << what;
        EXPECT_EQ(table.rowsLeftOut, c.leftOut) << what;
        EXPECT_EQ(table.firstLeftOutLine, c.firstLeftOutLine) << what;
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

TEST(ZipArchive, CapsWhatAMemberInflatesTo)
{
    const std::string bytes = LoadFile(IMPORT_CORPUS_DIR "/gonfle.zip");
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
