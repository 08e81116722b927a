#include "authoring/import/quiz_import.h"

#include "authoring/import/column_names.h"
#include "authoring/import/csv_table.h"
#include "authoring/import/gift_reader.h"
#include "authoring/import/html_text.h"
#include "authoring/import/media_paths.h"
#include "authoring/import/text_decoding.h"
#include "authoring/source/problem.h"
#include "authoring/source/quiz_field_table.h"
#include "quiz/quiz_record.h"

#include <algorithm>

const char* const TITLE_PLACEHOLDER = u8"Titre à compléter";

std::string ImportTooLarge()
{
    return u8"un fichier à importer ne peut pas dépasser " +
           std::to_string(MAX_IMPORT_BYTES >> 20) +
           u8" Mo : gardez-y les questions du quiz (90 au plus) et importez ce fichier plus petit";
}

namespace {

constexpr const char* BLANKS = " \t\r\n";
// The questions of a GIFT file that are kept to be told or taken: a bank of
// Moodle's several kinds holds 90 short answers within them; those after
// are counted, not kept.
constexpr size_t MAX_GIFT_QUESTIONS = 1000;
constexpr int COLUMN_KINDS = static_cast<int>(Column::RevealPicture) + 1;
// The column of each layout's medium.
constexpr Column MEDIUM_COLUMNS[4] = {Column::Unknown, Column::Picture, Column::Sound,
                                      Column::Film};

SourceText Text(const std::string& value)
{
    SourceText text;
    text.value = value;
    text.present = true;
    return text;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(BLANKS);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(BLANKS) - first + 1);
}

std::string Plural(size_t count, const std::string& one, const std::string& many)
{
    return std::to_string(count) + " " + (count > 1 ? many : one);
}

std::string Listed(const std::vector<std::string>& items)
{
    std::string list;
    for (size_t i = 0; i < items.size(); ++i)
        list += (i ? ", " : "") + items[i];
    return list;
}

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// A text on one line, as the player shows texts: a line break or another
// control character, with the spaces around it, becomes one space. Other
// spaces stay: inside an answer they count.
std::string OneLine(const std::string& text, bool& breaks)
{
    const std::string trimmed = Trimmed(text);
    std::string line;
    breaks = false;
    for (size_t i = 0; i < trimmed.size(); ++i) {
        if (!IsControl(trimmed[i])) {
            line += trimmed[i];
            continue;
        }
        breaks = true;
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        while (i + 1 < trimmed.size() && (trimmed[i + 1] == ' ' || IsControl(trimmed[i + 1])))
            ++i;
        line += ' ';
    }
    return Trimmed(line);
}

std::string Extension(const std::string& fileName)
{
    const size_t dot = fileName.find_last_of('.');
    const size_t slash = fileName.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "";
    std::string extension = fileName.substr(dot);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

// A spreadsheet's own file: a zip (xlsx, ods) or a compound file (xls).
bool IsWorkbook(const std::string& extension, const std::string& bytes)
{
    for (const char* name : {".xlsx", ".xlsm", ".xls", ".ods"})
        if (extension == name)
            return true;
    return bytes.compare(0, 4, "PK\x03\x04") == 0 || bytes.compare(0, 4, "\xD0\xCF\x11\xE0") == 0;
}

// Media paths, with what happened to them told in a few lines rather than
// in one a question.
struct PathNotes {
    const ImportOptions& options;
    size_t slashes = 0, moved = 0;
    std::string slashExample, movedExample;
    std::vector<std::string> inexpressible;

    explicit PathNotes(const ImportOptions& options) : options(options) {}

    std::string Move(const std::string& path, const std::string& where)
    {
        const MovedPath result = MoveMediaPath(path, options.importedFile, options.writtenFile);
        const std::string straight = MoveMediaPath(path, "", "").path;
        if (result.slashes && !slashes++)
            slashExample = Quoted(path) + u8" devient " + Quoted(straight);
        if (result.moved && !result.inexpressible && !moved++)
            movedExample = Quoted(straight) + u8" devient " + Quoted(result.path);
        if (result.inexpressible)
            inexpressible.push_back(where + " : " + Quoted(straight) +
                                    u8" ne peut pas s'écrire depuis le dossier du fichier source "
                                    u8"(autre disque) : écrit en entier, " +
                                    Quoted(result.path) + ".");
        return result.path;
    }

    void Tell(std::vector<std::string>& notes) const
    {
        if (slashes)
            notes.push_back(Plural(slashes, u8"chemin écrit", u8"chemins écrits") +
                            u8" avec des / au lieu des \\, comme le fichier source les veut : " +
                            slashExample + (slashes > 1 ? "..." : "."));
        if (moved)
            notes.push_back(Plural(moved, u8"chemin récrit", u8"chemins récrits") +
                            u8" depuis le dossier du fichier source, pour désigner les mêmes "
                            u8"fichiers : " +
                            movedExample + (moved > 1 ? "..." : "."));
        notes.insert(notes.end(), inexpressible.begin(), inexpressible.end());
    }
};

// What lies past the questions a quiz can have is counted and told, never
// kept: a table of a million rows is read in the memory of 90.
std::string LeftOut(int count, bool rows, int firstLine)
{
    return Plural(static_cast<size_t>(count), rows ? "ligne" : "question",
                  rows ? "lignes" : "questions") +
           u8" au-delà des " + std::to_string(MAX_QUESTIONS) + (rows ? " questions" : "") +
           u8" qu'un quiz peut avoir " + (count > 1 ? u8"ont été ignorées" : u8"a été ignorée") +
           u8", à partir de la ligne " + std::to_string(firstLine) +
           u8" : faites-en un second quiz.";
}

// ---- Tables -------------------------------------------------------------

struct Columns {
    int index[COLUMN_KINDS];
    std::string names[COLUMN_KINDS]; // as the header writes them
    bool filled[COLUMN_KINDS] = {};  // some row has a value there

    Columns() { std::fill(std::begin(index), std::end(index), -1); }
    bool Has(Column column) const { return index[static_cast<int>(column)] >= 0; }
    bool Filled(Column column) const { return filled[static_cast<int>(column)]; }
    std::string Name(Column column) const { return Quoted(names[static_cast<int>(column)]); }
    std::string Cell(const CsvRow& row, Column column) const
    {
        const int i = index[static_cast<int>(column)];
        return i >= 0 && static_cast<size_t>(i) < row.cells.size() ? row.cells[i] : "";
    }
};

std::string Joined(const std::vector<std::string>& cells, char separator)
{
    std::string text;
    for (size_t i = 0; i < cells.size(); ++i)
        text += (i ? std::string(1, separator == '\t' ? ' ' : separator) : "") + cells[i];
    bool breaks = false;
    text = OneLine(text, breaks);
    return text.size() > 60 ? text.substr(0, 57) + "..." : text;
}

std::string ExampleHeader(char separator)
{
    if (separator == '\t')
        return u8"Question, Réponse et Image, séparés par des tabulations";
    return Quoted(Joined({"Question", u8"Réponse", "Image"}, separator));
}

bool ReadHeader(const CsvRow& header, char separator, Columns& columns,
                std::vector<std::string>& notes, std::string& error)
{
    std::vector<std::string> unknown, twice;
    for (size_t i = 0; i < header.cells.size(); ++i) {
        const std::string name = Trimmed(header.cells[i]);
        const int column = static_cast<int>(ColumnFromName(name));
        if (column == static_cast<int>(Column::Unknown)) {
            if (!name.empty())
                unknown.push_back(Quoted(name));
        } else if (columns.index[column] >= 0) {
            twice.push_back(Quoted(name));
        } else {
            columns.index[column] = static_cast<int>(i);
            columns.names[column] = name;
        }
    }
    const std::string line = "ligne " + std::to_string(header.line);
    const bool known = std::any_of(std::begin(columns.index), std::end(columns.index),
                                   [](int i) { return i >= 0; });
    if (!known || !columns.Has(Column::Answer)) {
        error = (!known ? u8"la première ligne, " + Quoted(Joined(header.cells, separator)) +
                              u8", ne nomme aucune colonne connue : "
                        : line + u8", la ligne d'en-tête ne nomme pas la colonne des réponses : ") +
                u8"le tableau doit commencer par une ligne qui nomme ses colonnes, par exemple " +
                ExampleHeader(separator) + u8" ; noms compris : " + EXPECTED_COLUMNS +
                u8". Ajoutez-la en tête du tableau, enregistrez-le, puis relancez l'import";
        return false;
    }
    if (!unknown.empty())
        notes.push_back(line + " : " +
                        Plural(unknown.size(), u8"colonne ignorée", u8"colonnes ignorées") +
                        u8", de nom inconnu : " + Listed(unknown) + u8" (noms compris : " +
                        EXPECTED_COLUMNS + ").");
    if (!twice.empty())
        notes.push_back(line + " : " +
                        Plural(twice.size(), u8"colonne ignorée", u8"colonnes ignorées") +
                        u8", d'un nom déjà pris : " + Listed(twice) +
                        u8" (la première de ce nom compte seule).");
    return true;
}

int ChooseLayout(const Columns& columns, int requested, std::string& reason)
{
    if (requested >= 0) {
        reason = u8"demandée par --disposition";
        return requested;
    }
    for (int kind = LAYOUT_PICTURE; kind <= LAYOUT_VIDEO; ++kind)
        if (columns.Has(MEDIUM_COLUMNS[kind])) {
            reason = u8"d'après la colonne " + columns.Name(MEDIUM_COLUMNS[kind]) +
                     u8" (--disposition en impose une autre)";
            return kind;
        }
    reason = u8"faute de colonne image, son ou vidéo (--disposition en impose une autre)";
    return LAYOUT_TEXT;
}

// The reveal mode that the columns give in the layout, with a note for each
// column that will not serve in it.
int ChooseReveal(const Columns& columns, int layout, std::vector<std::string>& notes)
{
    const std::string inLayout =
        std::string(u8" : la disposition « ") + LAYOUT_NAMES[layout] + u8" » n'en a pas.";
    for (int kind = LAYOUT_PICTURE; kind <= LAYOUT_VIDEO; ++kind)
        if (kind != layout && columns.Has(MEDIUM_COLUMNS[kind]))
            notes.push_back(u8"colonne " + columns.Name(MEDIUM_COLUMNS[kind]) + u8" ignorée" +
                            inLayout);
    if (columns.Has(Column::SecondAnswer) && !columns.Filled(Column::SecondAnswer))
        notes.push_back(u8"colonne " + columns.Name(Column::SecondAnswer) +
                        u8" ignorée : elle est vide.");
    if (layout == LAYOUT_TEXT && columns.Filled(Column::SecondAnswer))
        notes.push_back(u8"colonne " + columns.Name(Column::SecondAnswer) +
                        u8" gardée, mais dans la disposition « texte » chaque ligne n'a la place "
                        u8"que d'une case : choisissez une autre disposition avec --disposition, "
                        u8"ou retirez les secondes réponses.");
    if (layout != LAYOUT_TEXT && columns.Filled(Column::QuestionText))
        notes.push_back(u8"les textes de la colonne " + columns.Name(Column::QuestionText) +
                        u8" restent dans le fichier, mais la disposition « " +
                        LAYOUT_NAMES[layout] + u8" » ne les montre pas.");

    const bool pictures = columns.Filled(Column::RevealPicture);
    const bool texts = columns.Filled(Column::RevealText);
    for (Column column : {Column::RevealPicture, Column::RevealText}) {
        if (!columns.Has(column))
            continue;
        if (!columns.Filled(column))
            notes.push_back(u8"colonne " + columns.Name(column) + u8" ignorée : elle est vide.");
        else if (layout != LAYOUT_PICTURE)
            notes.push_back(u8"colonne " + columns.Name(column) +
                            u8" ignorée : le lecteur ne montre de révélation que dans la "
                            u8"disposition « image ».");
        else if (column == Column::RevealText && pictures)
            notes.push_back(u8"colonne " + columns.Name(column) +
                            u8" ignorée : une question trouvée montre une image révélée ou un "
                            u8"texte, pas les deux ; les images sont gardées.");
    }
    if (layout != LAYOUT_PICTURE)
        return REVEAL_NONE;
    return pictures ? REVEAL_PICTURE : texts ? REVEAL_TEXT : REVEAL_NONE;
}

bool ImportTable(const DecodedText& decoded, const ImportOptions& options, ImportedQuiz& quiz,
                 std::string& error)
{
    // The header and a quiz's questions; the rows after them are only counted.
    CsvTable table;
    if (!ReadCsvTable(decoded.utf8, table, error, 1 + MAX_QUESTIONS))
        return false;
    if (table.rows.empty()) {
        error = u8"le fichier ne contient aucune ligne : enregistrez-y le tableau des questions";
        return false;
    }
    quiz.origin = std::string(u8"tableau séparé par des ") + SeparatorName(table.separator) +
                  ", en " + EncodingName(decoded.encoding);
    Columns columns;
    if (!ReadHeader(table.rows[0], table.separator, columns, quiz.notes, error))
        return false;
    if (table.rows.size() == 1) {
        error = u8"aucune ligne de questions sous la ligne d'en-tête : une ligne par question";
        return false;
    }
    for (size_t r = 1; r < table.rows.size(); ++r)
        for (int column = 1; column < COLUMN_KINDS; ++column)
            columns.filled[column] = columns.filled[column] ||
                                     !Trimmed(columns.Cell(table.rows[r], Column(column))).empty();

    QuizSource& source = quiz.source;
    source.layoutKind = ChooseLayout(columns, options.layoutKind, quiz.layoutReason);
    source.revealMode = ChooseReveal(columns, source.layoutKind, quiz.notes);
    const Column mediumColumn = MEDIUM_COLUMNS[source.layoutKind];
    if (source.layoutKind != LAYOUT_TEXT && !columns.Has(mediumColumn))
        quiz.notes.push_back(std::string(u8"aucune colonne ") + MediumKey(source.layoutKind) +
                             u8" : chaque question a une ligne " + MediumKey(source.layoutKind) +
                             u8" = \"\" à compléter.");

    PathNotes paths(options);
    std::vector<std::string> strays;
    const size_t named = table.rows[0].cells.size();
    for (size_t r = 1; r < table.rows.size(); ++r) {
        const CsvRow& row = table.rows[r];
        const std::string where = "ligne " + std::to_string(row.line);
        auto take = [&](Column column) {
            bool breaks = false;
            SourceText text = Text(OneLine(columns.Cell(row, column), breaks));
            if (breaks)
                quiz.notes.push_back(where + ", colonne " + columns.Name(column) +
                                     u8" : retour à la ligne remplacé par une espace.");
            return text;
        };
        SourceQuestion question;
        question.answer = take(Column::Answer);
        if (columns.Has(Column::QuestionText))
            question.questionText = take(Column::QuestionText);
        if (columns.Filled(Column::SecondAnswer))
            question.secondAnswer = take(Column::SecondAnswer);
        if (source.layoutKind != LAYOUT_TEXT) {
            SourceText& medium = *QuestionMedium(question, source.layoutKind);
            medium = columns.Has(mediumColumn) ? take(mediumColumn) : Text("");
            medium.value = paths.Move(medium.value, where);
        }
        if (source.revealMode == REVEAL_TEXT)
            question.revealText = take(Column::RevealText);
        if (source.revealMode == REVEAL_PICTURE) {
            question.revealPicture = take(Column::RevealPicture);
            question.revealPicture.value = paths.Move(question.revealPicture.value, where);
        }
        for (size_t i = 0; i < row.cells.size(); ++i)
            if ((i >= named || Trimmed(table.rows[0].cells[i]).empty()) &&
                !Trimmed(row.cells[i]).empty()) {
                strays.push_back(std::to_string(row.line));
                break;
            }
        source.questions.push_back(question);
    }
    paths.Tell(quiz.notes);
    if (table.rowsLeftOut > 0)
        quiz.notes.push_back(LeftOut(table.rowsLeftOut, true, table.firstLeftOutLine));
    if (!strays.empty())
        quiz.notes.push_back(u8"cellules sans nom de colonne ignorées, " +
                             std::string(strays.size() > 1 ? "lignes " : "ligne ") +
                             Listed(strays) +
                             u8" : nommez leur colonne dans la ligne d'en-tête si elles comptent.");
    return true;
}

bool LooksLikeTable(const std::string& utf8)
{
    CsvTable table;
    std::string error;
    if (!ReadCsvTable(utf8, table, error, 1) || table.rows.empty())
        return false;
    const CsvRow& header = table.rows[0];
    return std::any_of(header.cells.begin(), header.cells.end(), [](const std::string& cell) {
        return ColumnFromName(cell) != Column::Unknown;
    });
}

// ---- GIFT ---------------------------------------------------------------

std::string GiftText(const GiftQuestion& question, const std::string& text, bool& tags,
                     bool& picture)
{
    if (question.format != "html")
        return text;
    const PlainText plain = PlainTextOfHtml(text);
    tags = tags || plain.hadTags;
    picture = picture || plain.hadPicture;
    return plain.text;
}

std::string Weighted(const GiftAnswer& answer)
{
    const bool full = answer.weightText.empty() || answer.weight == 100;
    return Quoted(answer.text) + (full ? "" : " (" + answer.weightText + " %)");
}

// The first answer with the whole credit, or else the best one.
size_t KeptAnswer(const std::vector<GiftAnswer>& answers)
{
    size_t best = 0;
    for (size_t i = 0; i < answers.size(); ++i) {
        if (answers[i].weight >= 100)
            return i;
        if (answers[i].weight > answers[best].weight)
            best = i;
    }
    return best;
}

bool ImportGift(const DecodedText& decoded, const ImportOptions& options, ImportedQuiz& quiz,
                std::string& error)
{
    GiftFile gift;
    ReadGift(decoded.utf8, gift, MAX_GIFT_QUESTIONS);
    quiz.origin = std::string(u8"fichier GIFT de Moodle, en ") + EncodingName(decoded.encoding);
    QuizSource& source = quiz.source;
    source.layoutKind = options.layoutKind >= 0 ? options.layoutKind : LAYOUT_TEXT;
    quiz.layoutReason = options.layoutKind >= 0 ? u8"demandée par --disposition"
                                                : u8"un fichier GIFT ne nomme pas de médias";
    if (source.layoutKind != LAYOUT_TEXT)
        quiz.notes.push_back(std::string(u8"un fichier GIFT ne nomme pas de médias : chaque "
                                         u8"question a une ligne ") +
                             MediumKey(source.layoutKind) + u8" = \"\" à compléter.");
    size_t htmlTexts = 0;
    size_t skipped = 0;
    int leftOut = gift.questionsLeftOut;
    int firstLeftOutLine = gift.firstLeftOutLine;
    for (const GiftQuestion& gq : gift.questions) {
        if (source.questions.size() == static_cast<size_t>(MAX_QUESTIONS)) {
            if (leftOut == 0 || gq.line < firstLeftOutLine)
                firstLeftOutLine = gq.line;
            ++leftOut;
            continue;
        }
        std::string label = "question " + std::to_string(gq.number);
        label += " (ligne " + std::to_string(gq.line);
        label += (gq.title.empty() ? "" : ", " + Quoted(gq.title)) + ")";
        auto note = [&](const std::string& text) {
            quiz.notes.push_back(label);
            quiz.notes.back().append(" : ").append(text);
        };
        if (gq.kind != GiftKind::ShortAnswer) {
            ++skipped;
            note(gq.kind == GiftKind::Unclosed
                     ? u8"accolade { jamais refermée, non reprise : fermez-la par }."
                     : std::string(GiftKindName(gq.kind)) +
                           u8", non reprise : le lecteur n'a que des questions à réponse "
                           u8"écrite.");
            continue;
        }
        bool tags = false, picture = false, breaks = false, more = false;
        std::vector<GiftAnswer> answers;
        for (GiftAnswer answer : gq.answers) {
            answer.text = OneLine(GiftText(gq, answer.text, tags, picture), more);
            breaks = breaks || more;
            if (!answer.text.empty())
                answers.push_back(answer);
        }
        if (answers.empty()) {
            ++skipped;
            note(u8"aucune réponse écrite, non reprise.");
            continue;
        }
        const size_t kept = KeptAnswer(answers);
        if (answers[kept].weight < 100)
            note(u8"aucune réponse n'a tout le crédit : " + Weighted(answers[kept]) +
                 u8", la mieux notée, est gardée.");
        std::vector<std::string> others;
        for (size_t i = 0; i < answers.size(); ++i)
            if (i != kept)
                others.push_back(Weighted(answers[i]));
        if (!others.empty())
            note(u8"réponse " + Quoted(answers[kept].text) + u8" gardée ; " +
                 Plural(others.size(), u8"autre réponse acceptée non reprise",
                        u8"autres réponses acceptées non reprises") +
                 u8" (une question attend une seule réponse) : " + Listed(others) + ".");

        SourceQuestion question;
        question.answer = Text(answers[kept].text);
        std::string text = OneLine(GiftText(gq, gq.text, tags, picture), more);
        breaks = breaks || more;
        if (text.empty() && !gq.title.empty()) {
            text = gq.title;
            note(u8"sans texte : son titre en tient lieu.");
        }
        question.questionText = Text(text);
        if (source.layoutKind != LAYOUT_TEXT)
            *QuestionMedium(question, source.layoutKind) = Text("");
        htmlTexts += tags;
        if (picture)
            note(u8"son image HTML n'est pas reprise.");
        if (breaks)
            note(u8"retour à la ligne remplacé par une espace.");
        if (gq.feedback)
            note(u8"commentaires de réponse non repris : le lecteur n'en montre pas.");
        source.questions.push_back(question);
    }
    if (leftOut > 0)
        quiz.notes.push_back(LeftOut(leftOut, false, firstLeftOutLine));
    if (htmlTexts)
        quiz.notes.push_back(Plural(htmlTexts, "question en HTML", "questions en HTML") +
                             u8" : balises retirées, caractères codés (&eacute;...) écrits en "
                             u8"lettres.");
    if (!gift.categories.empty()) {
        std::vector<std::string> names;
        for (const std::string& category : gift.categories)
            names.push_back(Quoted(category));
        quiz.notes.push_back(
            Plural(names.size(), u8"catégorie Moodle ignorée", u8"catégories Moodle ignorées") +
            " : " + Listed(names) + ".");
    }
    if (source.questions.empty()) {
        error = gift.questions.empty()
                    ? u8"aucune question GIFT : une question s'écrit « Texte {=réponse} », les "
                      u8"questions séparées par une ligne vide"
                    : u8"aucune question à réponse courte (« Texte {=réponse} ») parmi les " +
                          std::to_string(skipped) +
                          u8" du fichier : les autres sortes n'ont pas d'équivalent dans Quizz";
        return false;
    }
    return true;
}

} // namespace

bool ImportQuiz(const std::string& fileName, const std::string& bytes, const ImportOptions& options,
                ImportedQuiz& quiz, std::string& error)
{
    quiz = ImportedQuiz();
    const std::string extension = Extension(fileName);
    if (IsWorkbook(extension, bytes)) {
        error = u8"c'est un classeur de tableur, pas un tableau enregistré en texte : dans le "
                u8"tableur, « Enregistrer sous » le type « CSV (séparateur : point-virgule) », "
                u8"puis importez le fichier .csv";
        return false;
    }
    const DecodedText decoded = DecodeSavedText(bytes);
    bool gift = extension == ".gift";
    if (!gift && extension != ".csv" && extension != ".tsv" && extension != ".tab")
        gift = !LooksLikeTable(decoded.utf8) && decoded.utf8.find('{') != std::string::npos;

    QuizSource& source = quiz.source;
    EmptyQuizTexts(source);
    source.title = Text(TITLE_PLACEHOLDER);
    return gift ? ImportGift(decoded, options, quiz, error)
                : ImportTable(decoded, options, quiz, error);
}
