#include "authoring/import/quiz_import.h"

#include "authoring/import/column_names.h"
#include "authoring/import/csv_table.h"
#include "authoring/import/gift_reader.h"
#include "authoring/import/html_text.h"
#include "authoring/import/media_paths.h"
#include "authoring/import/moodle_xml.h"
#include "authoring/import/text_decoding.h"
#include "authoring/import/workbook_reader.h"
#include "quiz/base64.h"
#include "authoring/source/problem.h"
#include "authoring/source/quiz_field_table.h"
#include "quiz/media_format.h"
#include "quiz/quiz_record.h"

#include <algorithm>
#include <cstdlib>

const char* const TITLE_PLACEHOLDER = u8"Titre à compléter";

std::string ImportTooLarge()
{
    return u8"un fichier à importer ne peut pas dépasser " +
           std::to_string(MAX_IMPORT_BYTES >> 20) +
           u8" Mo : gardez-y les questions du quiz (90 au plus) et importez ce fichier plus petit";
}

namespace {

constexpr const char* BLANKS = " \t\r\n";
// The questions of a Moodle bank (GIFT or XML) that are kept to be told or
// taken: a bank of Moodle's several kinds holds 90 short answers within
// them; those after are counted, not kept.
constexpr size_t MAX_BANK_QUESTIONS = 1000;
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

bool IsWorkbookName(const std::string& extension)
{
    for (const char* name : {".xlsx", ".xlsm", ".xls", ".ods"})
        if (extension == name)
            return true;
    return false;
}

// Microsoft's compound file: an old .xls, or an .xlsx that a password
// encrypts inside one.
bool IsCompoundFile(const std::string& bytes)
{
    return bytes.compare(0, 4, "\xD0\xCF\x11\xE0") == 0;
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
            notes.push_back(
                Plural(slashes, u8"chemin de média récrit", u8"chemins de média récrits") +
                u8" avec / entre les dossiers là où le tableau met \\ (le fichier "
                u8"source les sépare par /) : " +
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
    // The columns the source has no key for, by index: their cells become
    // comments under each question.
    std::vector<std::pair<size_t, std::string>> kept;
    // Further columns of other answers (a header merged over several).
    std::vector<int> more[COLUMN_KINDS];

    Columns() { std::fill(std::begin(index), std::end(index), -1); }
    bool Has(Column column) const { return index[static_cast<int>(column)] >= 0; }
    bool Filled(Column column) const { return filled[static_cast<int>(column)]; }
    std::string Name(Column column) const { return Quoted(names[static_cast<int>(column)]); }
    std::string Cell(const CsvRow& row, Column column) const
    {
        const int i = index[static_cast<int>(column)];
        std::string cell = i >= 0 && static_cast<size_t>(i) < row.cells.size() ? row.cells[i] : "";
        for (int j : more[static_cast<int>(column)])
            if (static_cast<size_t>(j) < row.cells.size() && !Trimmed(row.cells[j]).empty())
                cell += "|" + row.cells[j];
        return cell;
    }
};

std::string Joined(const std::vector<std::string>& cells, char separator)
{
    std::string text;
    for (size_t i = 0; i < cells.size(); ++i)
        text +=
            (i ? std::string(1, separator == '\t' || !separator ? ' ' : separator) : "") + cells[i];
    bool breaks = false;
    text = OneLine(text, breaks);
    return text.size() > 60 ? text.substr(0, 57) + "..." : text;
}

std::string ExampleHeader(char separator)
{
    if (separator == '\t')
        return u8"Question, Réponse et Image, séparés par des tabulations";
    if (!separator)
        return u8"Question, Réponse et Image, chacun dans sa cellule";
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
            if (!name.empty()) {
                unknown.push_back(Quoted(name));
                columns.kept.emplace_back(i, name);
            }
        } else if (columns.index[column] >= 0 &&
                   (column == static_cast<int>(Column::Alternatives) ||
                    column == static_cast<int>(Column::SecondAlternatives))) {
            columns.more[column].push_back(static_cast<int>(i));
        } else if (columns.index[column] >= 0) {
            twice.push_back(Quoted(name));
            columns.kept.emplace_back(i, name);
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
                        Plural(unknown.size(), u8"colonne de nom inconnu gardée",
                               u8"colonnes de nom inconnu gardées") +
                        u8" en commentaire sous chaque question : " + Listed(unknown) +
                        u8" (noms compris : " + EXPECTED_COLUMNS + ").");
    if (!twice.empty())
        notes.push_back(line + " : " +
                        Plural(twice.size(), u8"colonne d'un nom déjà pris gardée",
                               u8"colonnes d'un nom déjà pris gardées") +
                        u8" en commentaire sous chaque question : " + Listed(twice) +
                        u8" (la première de ce nom compte seule).");
    return true;
}

// A column as the spreadsheet names it: A for the first, AA after Z.
std::string ColumnLetters(size_t index)
{
    std::string letters;
    for (size_t n = index + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters;
}

// Adds another spelling of an answer, unless it is the answer or one
// already there: false then.
bool AddSpelling(std::vector<SourceText>& alternatives, const std::string& answer,
                 const std::string& spelling)
{
    if (spelling == answer || std::any_of(alternatives.begin(), alternatives.end(),
                                          [&](const SourceText& t) { return t.value == spelling; }))
        return false;
    alternatives.push_back(Text(spelling));
    return true;
}

// The other spellings of a cell, separated by | or ; (a spreadsheet cell
// holds one line): each once, and none the answer itself.
std::vector<SourceText> Alternatives(const SourceText& answer, const SourceText& cell,
                                     const std::string& where, const std::string& column,
                                     std::vector<std::string>& notes)
{
    std::vector<SourceText> alternatives;
    std::vector<std::string> repeated;
    size_t start = 0;
    while (start <= cell.value.size()) {
        size_t end = cell.value.find_first_of("|;", start);
        if (end == std::string::npos)
            end = cell.value.size();
        const std::string spelling = Trimmed(cell.value.substr(start, end - start));
        start = end + 1;
        if (spelling.empty())
            continue;
        if (!AddSpelling(alternatives, answer.value, spelling))
            repeated.push_back(Quoted(spelling));
    }
    if (!repeated.empty())
        notes.push_back(where + ", colonne " + column + " : " + Listed(repeated) +
                        (repeated.size() > 1 ? u8" déjà écrites, gardées une fois."
                                             : u8" déjà écrite, gardée une fois."));
    return alternatives;
}

int ChooseLayout(const Columns& columns, int requested, std::string& reason)
{
    if (requested >= 0) {
        reason = u8"demandée par --disposition";
        return requested;
    }
    // A medium column left empty makes no medium quiz: the table is a text
    // quiz that a template gave such a column.
    for (int kind = LAYOUT_PICTURE; kind <= LAYOUT_VIDEO; ++kind)
        if (columns.Filled(MEDIUM_COLUMNS[kind])) {
            reason = u8"d'après la colonne " + columns.Name(MEDIUM_COLUMNS[kind]) +
                     u8" (--disposition en impose une autre)";
            return kind;
        }
    reason = u8"faute de colonne image, son ou vidéo remplie (--disposition en impose une autre)";
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
            notes.push_back(
                u8"colonne " + columns.Name(MEDIUM_COLUMNS[kind]) + u8" ignorée" +
                (columns.Filled(MEDIUM_COLUMNS[kind]) ? inLayout : u8" : elle est vide."));
    for (Column column : {Column::SecondAnswer, Column::Alternatives, Column::SecondAlternatives})
        if (columns.Has(column) && !columns.Filled(column))
            notes.push_back(u8"colonne " + columns.Name(column) + u8" ignorée : elle est vide.");
    if (columns.Filled(Column::SecondAlternatives) && !columns.Filled(Column::SecondAnswer))
        notes.push_back(u8"colonne " + columns.Name(Column::SecondAlternatives) +
                        u8" ignorée : sans seconde réponse, elle n'a pas de case où servir.");
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

// The rows of a table, its header first, as a CSV or a workbook gives them.
bool ImportRows(const CsvTable& table, const ImportOptions& options, ImportedQuiz& quiz,
                std::string& error)
{
    if (table.rows.empty()) {
        error = u8"le fichier ne contient aucune ligne : enregistrez-y le tableau des questions";
        return false;
    }
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
        if (columns.Filled(Column::Alternatives))
            question.otherAnswers = Alternatives(question.answer, take(Column::Alternatives), where,
                                                 columns.Name(Column::Alternatives), quiz.notes);
        if (columns.Filled(Column::SecondAnswer)) {
            question.secondAnswer = take(Column::SecondAnswer);
            if (columns.Filled(Column::SecondAlternatives))
                question.otherSecondAnswers =
                    Alternatives(question.secondAnswer, take(Column::SecondAlternatives), where,
                                 columns.Name(Column::SecondAlternatives), quiz.notes);
        }
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
        for (const auto& kept : columns.kept)
            if (kept.first < row.cells.size()) {
                bool breaks = false;
                const std::string cell = OneLine(row.cells[kept.first], breaks);
                if (!cell.empty())
                    question.comments.push_back(kept.second + " : " + cell);
            }
        bool stray = false;
        for (size_t i = 0; i < row.cells.size(); ++i)
            if (i >= named || Trimmed(table.rows[0].cells[i]).empty()) {
                bool breaks = false;
                const std::string cell = OneLine(row.cells[i], breaks);
                if (cell.empty())
                    continue;
                question.comments.push_back(u8"colonne " + ColumnLetters(i) + " : " + cell);
                stray = true;
            }
        if (stray)
            strays.push_back(std::to_string(row.line));
        source.questions.push_back(question);
    }
    paths.Tell(quiz.notes);
    if (table.rowsLeftOut > 0)
        quiz.notes.push_back(LeftOut(table.rowsLeftOut, true, table.firstLeftOutLine));
    if (!strays.empty())
        quiz.notes.push_back(u8"cellules sans nom de colonne gardées en commentaire, " +
                             std::string(strays.size() > 1 ? "lignes " : "ligne ") +
                             Listed(strays) +
                             u8" : nommez leur colonne dans la ligne d'en-tête si elles comptent.");
    return true;
}

bool ImportTable(const DecodedText& decoded, const ImportOptions& options, ImportedQuiz& quiz,
                 std::string& error)
{
    // The header and a quiz's questions; the rows after them are only counted.
    CsvTable table;
    if (!ReadCsvTable(decoded.utf8, table, error, 1 + MAX_QUESTIONS))
        return false;
    quiz.origin = std::string(u8"tableau séparé par des ") + SeparatorName(table.separator) +
                  ", en " + EncodingName(decoded.encoding);
    return ImportRows(table, options, quiz, error);
}

bool ImportWorkbook(const std::string& bytes, const ImportOptions& options, ImportedQuiz& quiz,
                    std::string& error)
{
    Workbook workbook;
    if (!ReadWorkbook(bytes, options.sheet, 1 + MAX_QUESTIONS, MAX_IMPORT_BYTES, workbook, error))
        return false;
    workbook.table.separator = 0;
    quiz.origin = workbook.kind + u8", feuille " + Quoted(workbook.sheet);
    if (workbook.sheets.size() > 1 && options.sheet.empty())
        quiz.notes.push_back(u8"le classeur a " + std::to_string(workbook.sheets.size()) +
                             u8" feuilles : seule la première, " + Quoted(workbook.sheet) +
                             u8", est lue (--feuille NOM en choisit une autre).");
    return ImportRows(workbook.table, options, quiz, error);
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

// The first answer with the whole credit, or else the best one, becomes
// the answer; the others with the whole credit are other spellings. The
// player has no part credit to give the rest: they are told.
template <typename Note>
void TakeAnswers(const std::vector<GiftAnswer>& answers, SourceQuestion& question, Note note)
{
    const size_t kept = KeptAnswer(answers);
    if (answers[kept].weight < 100)
        note(u8"aucune réponse n'a tout le crédit : " + Weighted(answers[kept]) +
             u8", la mieux notée, est gardée.");
    question.answer = Text(answers[kept].text);
    std::vector<std::string> dropped;
    for (size_t i = 0; i < answers.size(); ++i) {
        if (i == kept)
            continue;
        if (answers[i].weight < 100) {
            dropped.push_back(Weighted(answers[i]));
            continue;
        }
        AddSpelling(question.otherAnswers, question.answer.value, answers[i].text);
    }
    if (!dropped.empty())
        note(Plural(dropped.size(), u8"réponse sans tout le crédit non reprise",
                    u8"réponses sans tout le crédit non reprises") +
             u8" (le lecteur tient une réponse pour juste ou fausse, sans crédit partiel) : " +
             Listed(dropped) + ".");
}

// A bank's question from its answers and its text, a blank medium in its
// place for the layout; without a text, its title (or name) stands in.
template <typename Note>
SourceQuestion BankQuestion(const std::vector<GiftAnswer>& answers, const std::string& text,
                            const std::string& title, const char* titleNote, int layoutKind,
                            Note note)
{
    SourceQuestion question;
    TakeAnswers(answers, question, note);
    question.questionText = Text(text);
    if (text.empty() && !title.empty()) {
        question.questionText = Text(title);
        note(titleNote);
    }
    if (layoutKind != LAYOUT_TEXT)
        *QuestionMedium(question, layoutKind) = Text("");
    return question;
}

bool ImportGift(const DecodedText& decoded, const ImportOptions& options, ImportedQuiz& quiz,
                std::string& error)
{
    GiftFile gift;
    ReadGift(decoded.utf8, gift, MAX_BANK_QUESTIONS);
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
        const std::string text = OneLine(GiftText(gq, gq.text, tags, picture), more);
        breaks = breaks || more;
        SourceQuestion question =
            BankQuestion(answers, text, gq.title, u8"sans texte : son titre en tient lieu.",
                         source.layoutKind, note);
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

// ---- Moodle XML -----------------------------------------------------------

// Moodle's names of the kinds a bank holds, in its French interface.
std::string MoodleKindName(const std::string& type)
{
    const struct {
        const char* type;
        GiftKind kind;
    } KINDS[] = {
        {"multichoice", GiftKind::MultipleChoice},
        {"truefalse", GiftKind::TrueFalse},
        {"numerical", GiftKind::Numeric},
        {"matching", GiftKind::Matching},
        {"essay", GiftKind::Essay},
        {"description", GiftKind::Description},
    };
    for (const auto& kind : KINDS)
        if (type == kind.type)
            return GiftKindName(kind.kind);
    return u8"de type " + Quoted(type);
}

// A file name to write beside the source: the letters, digits, ".", "-"
// and "_" of its last part, with the extension of the format its bytes
// are, and none taken twice (any case: Windows' names are one then).
std::string SafeFileName(const std::string& given, MediaFormat format,
                         std::vector<std::string>& taken)
{
    std::string name = given.substr(given.find_last_of("/\\") + 1);
    for (char& c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '.' || c == '-' || c == '_'))
            c = '_';
    name.erase(0, name.find_first_not_of('.'));
    const size_t dot = name.find_last_of('.');
    std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    if (!HasMediaExtension(format, extension))
        extension = MediaExtension(format);
    if (stem.empty())
        stem = "image";
    stem = stem.substr(0, 60);
    auto lower = [](std::string text) {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return text;
    };
    std::string candidate = stem + extension;
    for (int n = 2; std::find(taken.begin(), taken.end(), lower(candidate)) != taken.end(); ++n)
        candidate = stem + "-" + std::to_string(n) + extension;
    taken.push_back(lower(candidate));
    return candidate;
}

std::string MoodlePlain(const std::string& text, const std::string& format, bool& tags,
                        bool& picture)
{
    if (format == "plain_text" || format == "markdown")
        return text;
    const PlainText plain = PlainTextOfHtml(text);
    tags = tags || plain.hadTags;
    picture = picture || plain.hadPicture;
    return plain.text;
}

// The folder beside the source where a bank's pictures are written.
constexpr const char* MOODLE_PICTURES = "images/";

bool ImportMoodle(const std::string& utf8, const ImportOptions& options, ImportedQuiz& quiz,
                  std::string& error)
{
    MoodleBank bank;
    if (!ReadMoodleXml(utf8, bank, error, MAX_BANK_QUESTIONS)) {
        error = u8"fichier Moodle XML illisible, " + error +
                u8" : exportez-le de nouveau depuis Moodle, sans le retoucher";
        return false;
    }
    quiz.origin = u8"banque de questions Moodle XML";
    QuizSource& source = quiz.source;
    int leftOut = bank.questionsLeftOut;
    size_t skipped = 0, htmlTexts = 0, feedbacks = 0, withCase = 0;
    // Each question's first picture, decoded, before the layout is chosen.
    struct Taken {
        const MoodleQuestion* moodle;
        std::string label;
        std::string picture, pictureName;
    };
    std::vector<Taken> questions;
    for (const MoodleQuestion& mq : bank.questions) {
        const std::string label = "question " + std::to_string(mq.number) +
                                  (mq.name.empty() ? "" : " (" + Quoted(mq.name) + ")");
        auto note = [&](const std::string& text) { quiz.notes.push_back(label + " : " + text); };
        if (mq.type != "shortanswer") {
            ++skipped;
            note(MoodleKindName(mq.type) +
                 u8", non reprise : le lecteur n'a que des questions à réponse écrite.");
            continue;
        }
        if (questions.size() == static_cast<size_t>(MAX_QUESTIONS)) {
            ++leftOut;
            continue;
        }
        Taken taken{&mq, label, "", ""};
        for (const MoodleFile& file : mq.files) {
            std::string bytes;
            if (!DecodeBase64(file.base64, bytes, MAX_IMPORT_BYTES)) {
                note(u8"fichier joint " + Quoted(file.name) +
                     u8" abîmé (son codage base64 est coupé ou mêlé d'autres caractères), non "
                     u8"repris.");
                continue;
            }
            const MediaFormat format = DetectMediaFormat(
                reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
            if (!IsTaken(format, MediaKind::Picture))
                note(u8"fichier joint " + Quoted(file.name) +
                     u8" non repris : ce n'est pas une "
                     u8"image que Quizz prend (" +
                     TakenMediaNames(MediaKind::Picture) + ").");
            else if (!taken.picture.empty())
                note(u8"image jointe " + Quoted(file.name) +
                     u8" non reprise : une question montre une seule image, la première.");
            else {
                taken.picture = std::move(bytes);
                taken.pictureName = file.name;
            }
        }
        questions.push_back(std::move(taken));
    }
    const bool pictures = std::any_of(questions.begin(), questions.end(),
                                      [](const Taken& t) { return !t.picture.empty(); });
    source.layoutKind = options.layoutKind >= 0 ? options.layoutKind
                        : pictures              ? LAYOUT_PICTURE
                                                : LAYOUT_TEXT;
    quiz.layoutReason =
        options.layoutKind >= 0 ? u8"demandée par --disposition"
        : pictures
            ? u8"d'après les images jointes aux questions (--disposition en impose une autre)"
            : u8"aucune question n'a d'image jointe (--disposition en impose une autre)";

    std::vector<std::string> names;
    for (Taken& taken : questions) {
        const MoodleQuestion& mq = *taken.moodle;
        auto note = [&](const std::string& text) {
            quiz.notes.push_back(taken.label + " : " + text);
        };
        bool tags = false, picture = false, breaks = false, more = false;
        std::vector<GiftAnswer> answers;
        for (const MoodleAnswer& ma : mq.answers) {
            GiftAnswer answer;
            answer.text = OneLine(ma.text, more);
            breaks = breaks || more;
            answer.weightText = ma.fraction;
            answer.weight = strtod(ma.fraction.c_str(), nullptr);
            if (!answer.text.empty())
                answers.push_back(answer);
        }
        if (answers.empty()) {
            ++skipped;
            note(u8"aucune réponse écrite, non reprise.");
            continue;
        }
        const std::string text = OneLine(MoodlePlain(mq.text, mq.textFormat, tags, picture), more);
        breaks = breaks || more;
        SourceQuestion question =
            BankQuestion(answers, text, mq.name, u8"sans texte : son nom en tient lieu.",
                         source.layoutKind, note);
        if (!taken.picture.empty() && source.layoutKind == LAYOUT_PICTURE) {
            const MediaFormat format = DetectMediaFormat(
                reinterpret_cast<const unsigned char*>(taken.picture.data()), taken.picture.size());
            const std::string path =
                MOODLE_PICTURES + SafeFileName(taken.pictureName, format, names);
            question.picture = Text(path);
            quiz.files.push_back({path, std::move(taken.picture)});
        } else if (!taken.picture.empty()) {
            note(u8"image jointe non reprise : la disposition « " +
                 std::string(LAYOUT_NAMES[source.layoutKind]) + u8" » n'en montre pas.");
        } else if (picture) {
            note(u8"son image HTML n'est pas reprise : elle n'est pas jointe au fichier.");
        }
        htmlTexts += tags;
        if (breaks)
            note(u8"retour à la ligne remplacé par une espace.");
        // What Moodle tells after an answer, which the player has no place
        // for, stays in the source for the teacher.
        bool ignored = false;
        const std::string general =
            OneLine(MoodlePlain(mq.generalFeedback, "html", ignored, ignored), more);
        if (!general.empty())
            question.comments.push_back(u8"Commentaire : " + general);
        for (const MoodleAnswer& ma : mq.answers) {
            const std::string feedback =
                OneLine(MoodlePlain(ma.feedback, "html", ignored, ignored), more);
            if (!feedback.empty())
                question.comments.push_back(u8"Commentaire de la réponse " +
                                            Quoted(OneLine(ma.text, more)) + " : " + feedback);
        }
        feedbacks += !question.comments.empty();
        withCase += mq.usecase;
        source.questions.push_back(question);
    }
    if (source.layoutKind == LAYOUT_PICTURE)
        quiz.notes.push_back(u8"les textes des questions restent dans le fichier, mais la "
                             u8"disposition « image » ne les montre pas.");
    if (leftOut > 0)
        quiz.notes.push_back(Plural(static_cast<size_t>(leftOut), "question", "questions") +
                             u8" au-delà des " + std::to_string(MAX_QUESTIONS) +
                             u8" qu'un quiz peut avoir " +
                             (leftOut > 1 ? u8"ont été ignorées" : u8"a été ignorée") +
                             u8" : faites-en un second quiz.");
    if (htmlTexts)
        quiz.notes.push_back(Plural(htmlTexts, "question en HTML", "questions en HTML") +
                             u8" : balises retirées, caractères codés (&eacute;...) écrits en "
                             u8"lettres.");
    if (feedbacks)
        quiz.notes.push_back(Plural(feedbacks, u8"question a ses commentaires de réponse",
                                    u8"questions ont leurs commentaires de réponse") +
                             u8" gardés en commentaire (# ...) sous elles : le lecteur n'en "
                             u8"montre pas.");
    if (withCase > 0 && withCase == source.questions.size()) {
        source.capitalsRequired.value = true;
        source.capitalsRequired.present = true;
        quiz.notes.push_back(u8"les questions distinguent les majuscules dans Moodle : la règle "
                             u8"majuscules_exigees est mise pour tout le quiz.");
    } else if (withCase > 0) {
        quiz.notes.push_back(Plural(withCase, "question distingue", "questions distinguent") +
                             u8" les majuscules dans Moodle, sur " +
                             std::to_string(source.questions.size()) +
                             u8" : la règle majuscules_exigees vaut pour tout le quiz, elle n'est "
                             u8"pas mise ; ajoutez-la si elle convient à toutes.");
    }
    if (!bank.categories.empty()) {
        std::vector<std::string> categories;
        for (const std::string& category : bank.categories)
            categories.push_back(Quoted(category));
        quiz.notes.push_back(Plural(categories.size(), u8"catégorie Moodle ignorée",
                                    u8"catégories Moodle ignorées") +
                             " : " + Listed(categories) + ".");
    }
    if (source.questions.empty()) {
        error = bank.questions.empty()
                    ? u8"aucune question dans cette banque Moodle : exportez une catégorie qui "
                      u8"en a"
                    : u8"aucune question à réponse courte parmi les " + std::to_string(skipped) +
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
    if (IsCompoundFile(bytes)) {
        error = extension == ".xlsx" || extension == ".xlsm"
                    ? u8"le classeur est protégé par un mot de passe : dans Excel, retirez-le "
                      u8"(Fichier, Informations, Protéger le classeur), enregistrez, puis "
                      u8"importez-le"
                    : u8"c'est un classeur Excel ancien (.xls), que Quizz ne lit pas : dans le "
                      u8"tableur, « Enregistrer sous » le type « Classeur Excel (.xlsx) » ou "
                      u8"« CSV (séparateur : point-virgule) », puis importez ce fichier";
        return false;
    }
    QuizSource& source = quiz.source;
    EmptyQuizTexts(source);
    source.title = Text(TITLE_PLACEHOLDER);
    if (IsZip(bytes) || IsWorkbookName(extension))
        return ImportWorkbook(bytes, options, quiz, error);
    const DecodedText decoded = DecodeSavedText(bytes);
    const bool table = extension == ".csv" || extension == ".tsv" || extension == ".tab";
    const bool moodle =
        extension == ".xml" || (!table && extension != ".gift" && LooksLikeMoodleXml(decoded.utf8));
    bool gift = extension == ".gift";
    if (!gift && !table && !moodle)
        gift = !LooksLikeTable(decoded.utf8) && decoded.utf8.find('{') != std::string::npos;

    if (moodle)
        return ImportMoodle(decoded.utf8, options, quiz, error);
    return gift ? ImportGift(decoded, options, quiz, error)
                : ImportTable(decoded, options, quiz, error);
}
