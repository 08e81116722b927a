#include "authoring/import/csv_table.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr char SEPARATORS[3] = {'\t', ';', ','};
// Enough rows to tell a separator without splitting a long file many times.
constexpr size_t SAMPLE_ROWS = 50;

struct Split {
    std::vector<CsvRow> rows;
    int rowsLeftOut = 0;
    int firstLeftOutLine = 0;
    int unclosedQuoteLine = 0;
};

// The length of the line break at text[i], or 0.
size_t LineBreak(const std::string& text, size_t i)
{
    if (text[i] == '\n')
        return 1;
    if (text[i] == '\r')
        return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
    return 0;
}

bool IsBlank(const CsvRow& row)
{
    return std::all_of(row.cells.begin(), row.cells.end(), [](const std::string& cell) {
        return cell.find_first_not_of(" \t\n") == std::string::npos;
    });
}

// The rows that are not blank: the first keep of them kept, the others
// counted; with readAll false, the split stops at the keep-th.
Split SplitRows(const std::string& text, char separator, size_t keep, bool readAll)
{
    Split split;
    CsvRow row;
    row.line = 1;
    std::string cell;
    int line = 1;
    bool quoted = false;
    bool cellStarted = false;
    int quoteLine = 0;
    auto endCell = [&] {
        row.cells.push_back(cell);
        cell.clear();
        cellStarted = false;
    };
    auto endRow = [&] {
        endCell();
        if (!IsBlank(row)) {
            if (split.rows.size() < keep)
                split.rows.push_back(std::move(row));
            else if (split.rowsLeftOut++ == 0)
                split.firstLeftOutLine = row.line;
        }
        row = CsvRow();
        row.line = line;
    };
    for (size_t i = 0; i < text.size() && (readAll || split.rows.size() < keep);) {
        const char c = text[i];
        const size_t lineBreak = LineBreak(text, i);
        if (quoted && c == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"')
                cell += '"', i += 2;
            else
                quoted = false, ++i;
        } else if (lineBreak) {
            ++line;
            i += lineBreak;
            if (quoted)
                cell += '\n';
            else
                endRow();
        } else if (quoted) {
            cell += c, ++i;
        } else if (c == '"' && !cellStarted) {
            quoted = cellStarted = true;
            quoteLine = line;
            ++i;
        } else if (c == separator) {
            endCell(), ++i;
        } else {
            cell += c, ++i;
            cellStarted = true;
        }
    }
    if (quoted)
        split.unclosedQuoteLine = quoteLine;
    else if ((!row.cells.empty() || cellStarted) && (readAll || split.rows.size() < keep))
        endRow();
    return split;
}

char ChooseSeparator(const std::string& text)
{
    char best = SEPARATORS[0];
    std::tuple<bool, size_t, size_t> bestScore(false, 0, 0);
    for (char separator : SEPARATORS) {
        const std::vector<CsvRow> rows = SplitRows(text, separator, SAMPLE_ROWS, false).rows;
        if (rows.empty())
            continue;
        const size_t width = rows[0].cells.size();
        const auto matching =
            static_cast<size_t>(std::count_if(rows.begin(), rows.end(), [width](const CsvRow& row) {
                return row.cells.size() == width;
            }));
        const std::tuple<bool, size_t, size_t> score(width > 1, matching, width);
        if (score > bestScore) {
            best = separator;
            bestScore = score;
        }
    }
    return best;
}

} // namespace

bool ReadCsvTable(const std::string& utf8, CsvTable& table, std::string& error, size_t maxRows)
{
    table = CsvTable();
    // A first line "sep=;" names the separator, for Excel, which reads it.
    const bool named =
        utf8.compare(0, 4, "sep=") == 0 && utf8.size() > 4 &&
        std::find(std::begin(SEPARATORS), std::end(SEPARATORS), utf8[4]) != std::end(SEPARATORS) &&
        (utf8.size() == 5 || utf8[5] == '\r' || utf8[5] == '\n');
    table.separator = named ? utf8[4] : ChooseSeparator(utf8);
    Split split =
        SplitRows(utf8, table.separator, named && maxRows < SIZE_MAX ? maxRows + 1 : maxRows, true);
    if (named && !split.rows.empty())
        split.rows.erase(split.rows.begin());
    if (split.unclosedQuoteLine) {
        error = u8"ligne " + std::to_string(split.unclosedQuoteLine) +
                u8" : une cellule ouverte par un guillemet \" n'est jamais refermée ; dans une "
                u8"cellule entre guillemets, un guillemet s'écrit \"\" (enregistrez le tableau "
                u8"depuis le tableur plutôt que de le modifier à la main)";
        return false;
    }
    table.rows = std::move(split.rows);
    table.rowsLeftOut = split.rowsLeftOut;
    table.firstLeftOutLine = split.firstLeftOutLine;
    return true;
}

const char* SeparatorName(char separator)
{
    switch (separator) {
    case '\t':
        return "tabulations";
    case ',':
        return "virgules";
    default:
        return "points-virgules";
    }
}
