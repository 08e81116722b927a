#include "authoring/import/workbook_reader.h"

#include "authoring/import/xml_reader.h"
#include "authoring/import/zip_archive.h"
#include "authoring/source/problem.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int MAX_LINE = INT_MAX / 2;
// The spaces one <text:s text:c="..."/> stands for, at most.
constexpr long MAX_SPACES = 1000;

// A count written in an attribute, within 1 and limit; 1 when absent or
// unreadable.
long Count(const XmlElement& element, const char* name, long limit)
{
    const std::string* value = element.Attribute(name);
    if (!value)
        return 1;
    const long count = strtol(value->c_str(), nullptr, 10);
    return count < 1 ? 1 : count > limit ? limit : count;
}

struct Merge {
    int row;
    size_t first, last;
};

// The rows of the sheet being read, as many as are kept, the others counted.
struct RowCollector {
    CsvTable& table;
    size_t maxRows;
    std::vector<std::string> cells;
    std::vector<Merge> merges;

    void Put(size_t column, const std::string& text)
    {
        if (column >= MAX_WORKBOOK_COLUMNS || text.empty())
            return;
        if (cells.size() <= column)
            cells.resize(column + 1);
        cells[column] = text;
    }

    // The row at line, repeated: a blank one is left out, as in a CSV.
    void End(long line, long repeat)
    {
        std::vector<std::string> row;
        row.swap(cells);
        if (row.empty() || line > MAX_LINE)
            return;
        for (long r = 0; r < repeat; ++r) {
            if (table.rows.size() == maxRows) {
                if (table.rowsLeftOut == 0)
                    table.firstLeftOutLine = static_cast<int>(line + r);
                const long left = repeat - r;
                table.rowsLeftOut = left > MAX_LINE - table.rowsLeftOut
                                        ? MAX_LINE
                                        : table.rowsLeftOut + static_cast<int>(left);
                break;
            }
            table.rows.push_back({static_cast<int>(line + r), row});
        }
    }

    // A header cell merged over several columns names each of them.
    void SpreadHeader()
    {
        if (table.rows.empty())
            return;
        CsvRow& header = table.rows[0];
        for (const Merge& merge : merges) {
            if (merge.row != header.line || merge.first >= header.cells.size())
                continue;
            const size_t last = std::min(merge.last, MAX_WORKBOOK_COLUMNS - 1);
            if (header.cells.size() <= last)
                header.cells.resize(last + 1);
            for (size_t i = merge.first + 1; i <= last; ++i)
                if (header.cells[i].empty())
                    header.cells[i] = header.cells[merge.first];
        }
    }
};

// "B12" as column 1 and row 12; false when it is no such reference.
bool CellReference(const std::string& reference, size_t& column, long& row)
{
    size_t i = 0;
    size_t letters = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' && i < 4; ++i)
        letters = letters * 26 + static_cast<size_t>(reference[i] - 'A' + 1);
    if (letters == 0 || i == reference.size())
        return false;
    column = letters - 1;
    row = strtol(reference.c_str() + i, nullptr, 10);
    return row > 0;
}

// A number as the French spreadsheet shows it by default: 3,5 for 3.5.
std::string NumberText(const std::string& value)
{
    char* end = nullptr;
    const double number = strtod(value.c_str(), &end);
    if (value.empty() || *end != '\0' || !std::isfinite(number))
        return value;
    char text[32];
    snprintf(text, sizeof text, "%.15g", number);
    std::string shown = text;
    for (char& c : shown)
        if (c == '.')
            c = ',';
    return shown;
}

// ---- Excel ----------------------------------------------------------------

struct SharedStrings : XmlHandler {
    std::vector<std::string> strings;
    std::string current;
    bool inText = false;
    int phonetic = 0; // inside <rPh>, the reading of Japanese text: not shown

    void Open(const XmlElement& element) override
    {
        if (element.name == "si")
            current.clear();
        phonetic += element.name == "rPh";
        inText = element.name == "t";
    }
    void Text(const std::string& text) override
    {
        if (inText && phonetic == 0)
            current += text;
    }
    void Close(const std::string& name) override
    {
        inText = false;
        phonetic -= name == "rPh";
        if (name == "si")
            strings.push_back(current);
    }
};

struct SheetList : XmlHandler {
    std::vector<std::pair<std::string, std::string>> sheets; // name, relation
    void Open(const XmlElement& element) override
    {
        if (element.name != "sheet")
            return;
        const std::string* name = element.Attribute("name");
        const std::string* relation = element.Attribute("r:id");
        sheets.emplace_back(name ? *name : "", relation ? *relation : "");
    }
    void Text(const std::string&) override {}
    void Close(const std::string&) override {}
};

struct Relations : XmlHandler {
    std::vector<std::pair<std::string, std::string>> targets; // id, target
    void Open(const XmlElement& element) override
    {
        const std::string* id = element.Attribute("Id");
        const std::string* target = element.Attribute("Target");
        if (element.name == "Relationship" && id && target)
            targets.emplace_back(*id, *target);
    }
    void Text(const std::string&) override {}
    void Close(const std::string&) override {}
};

struct ExcelSheet : XmlHandler {
    RowCollector& rows;
    const std::vector<std::string>& shared;
    long line = 0;
    size_t column = 0;
    std::string type, value;
    bool inValue = false, inInline = false;
    int phonetic = 0;

    ExcelSheet(RowCollector& rows, const std::vector<std::string>& shared)
        : rows(rows), shared(shared)
    {
    }

    void Open(const XmlElement& element) override
    {
        const std::string& name = element.name;
        const std::string* reference = element.Attribute("r");
        if (name == "row") {
            const long row = reference ? strtol(reference->c_str(), nullptr, 10) : 0;
            line = row > line ? row : line + 1;
            column = 0;
        } else if (name == "c") {
            long row = 0;
            size_t at = 0;
            if (reference && CellReference(*reference, at, row))
                column = at;
            const std::string* t = element.Attribute("t");
            type = t ? *t : "n";
            value.clear();
        } else if (name == "mergeCell") {
            const std::string* ref = element.Attribute("ref");
            const size_t colon = ref ? ref->find(':') : std::string::npos;
            size_t first = 0, last = 0;
            long top = 0, bottom = 0;
            if (colon != std::string::npos && CellReference(ref->substr(0, colon), first, top) &&
                CellReference(ref->substr(colon + 1), last, bottom) && first < last &&
                top <= MAX_LINE)
                rows.merges.push_back({static_cast<int>(top), first, last});
        }
        inValue = name == "v";
        inInline = name == "t";
        phonetic += name == "rPh";
    }

    void Text(const std::string& text) override
    {
        if (inValue || (inInline && phonetic == 0))
            value += text;
    }

    void Close(const std::string& name) override
    {
        inValue = inInline = false;
        phonetic -= name == "rPh";
        if (name == "c") {
            std::string text = value;
            if (type == "s") {
                char* end = nullptr;
                const unsigned long index = strtoul(value.c_str(), &end, 10);
                text = !value.empty() && *end == '\0' && index < shared.size() ? shared[index] : "";
            } else if (type == "b") {
                text = value == "1" ? "VRAI" : value == "0" ? "FAUX" : value;
            } else if (type == "n") {
                text = NumberText(value);
            }
            rows.Put(column, text);
            ++column;
        } else if (name == "row") {
            rows.End(line, 1);
        }
    }
};

// ---- LibreOffice --------------------------------------------------------

// The sheet read, and the names of all, for the messages.
struct OdsContent : XmlHandler {
    RowCollector& rows;
    const std::string& wanted;
    std::vector<std::string> sheets;
    std::string chosen;
    bool active = false, done = false;
    long line = 0, rowRepeat = 1, cellRepeat = 1, span = 1;
    size_t column = 0;
    std::string text;
    int paragraphs = 0, inParagraph = 0, annotation = 0;

    OdsContent(RowCollector& rows, const std::string& wanted) : rows(rows), wanted(wanted) {}

    void Open(const XmlElement& element) override
    {
        const std::string& name = element.name;
        if (name == "table:table") {
            const std::string* sheet = element.Attribute("table:name");
            sheets.push_back(sheet ? *sheet : "");
            active = !done && (wanted.empty() || sheets.back() == wanted);
            if (active)
                chosen = sheets.back();
            line = 0;
            return;
        }
        if (!active)
            return;
        if (name == "office:annotation") {
            ++annotation;
        } else if (annotation > 0) {
            return;
        } else if (name == "table:table-row") {
            rowRepeat = Count(element, "table:number-rows-repeated", MAX_LINE);
            column = 0;
        } else if (name == "table:table-cell" || name == "table:covered-table-cell") {
            cellRepeat = Count(element, "table:number-columns-repeated", LONG_MAX);
            span = Count(element, "table:number-columns-spanned", MAX_WORKBOOK_COLUMNS);
            text.clear();
            paragraphs = 0;
        } else if (name == "text:p" || name == "text:h") {
            if (paragraphs++ > 0)
                text += '\n';
            ++inParagraph;
        } else if (name == "text:s" && inParagraph) {
            text.append(static_cast<size_t>(Count(element, "text:c", MAX_SPACES)), ' ');
        } else if (name == "text:tab" && inParagraph) {
            text += '\t';
        } else if (name == "text:line-break" && inParagraph) {
            text += '\n';
        }
    }

    void Text(const std::string& piece) override
    {
        if (active && inParagraph && annotation == 0)
            text += piece;
    }

    void Close(const std::string& name) override
    {
        if (!active)
            return;
        if (name == "office:annotation") {
            --annotation;
        } else if (annotation > 0) {
            return;
        } else if (name == "text:p" || name == "text:h") {
            --inParagraph;
        } else if (name == "table:table-cell" || name == "table:covered-table-cell") {
            const long here = line + 1;
            if (!text.empty()) {
                for (size_t i = 0;
                     i < static_cast<size_t>(cellRepeat) && column + i < MAX_WORKBOOK_COLUMNS; ++i)
                    rows.Put(column + i, text);
                if (span > 1 && here <= MAX_LINE)
                    rows.merges.push_back(
                        {static_cast<int>(here), column, column + static_cast<size_t>(span) - 1});
            }
            column = static_cast<size_t>(cellRepeat) >= MAX_WORKBOOK_COLUMNS - column
                         ? MAX_WORKBOOK_COLUMNS
                         : column + static_cast<size_t>(cellRepeat);
        } else if (name == "table:table-row") {
            rows.End(line + 1, rowRepeat);
            line = rowRepeat > MAX_LINE - line ? MAX_LINE : line + rowRepeat;
        } else if (name == "table:table") {
            active = false;
            done = true;
        }
    }
};

const char* const NOT_A_WORKBOOK =
    u8"ce fichier zip n'est pas un classeur Excel (.xlsx) ni LibreOffice (.ods) : ouvrez-le "
    u8"dans son tableur et enregistrez-le au format .xlsx, .ods ou CSV";

bool Member(const ZipArchive& zip, const std::string& name, size_t maxBytes, std::string& content,
            std::string& error)
{
    const ZipMember* member = zip.Find(name);
    if (!member) {
        error = u8"le classeur est abîmé (il y manque " + name +
                u8") : ouvrez-le dans le tableur et enregistrez-le de nouveau";
        return false;
    }
    return ReadZipMember(zip, *member, maxBytes, content, error);
}

bool Xml(const std::string& xml, const std::string& part, XmlHandler& handler, std::string& error)
{
    if (ReadXml(xml, handler, error))
        return true;
    error = u8"le classeur est abîmé (" + part + ", " + error +
            u8") : ouvrez-le dans le tableur et enregistrez-le de nouveau";
    return false;
}

std::string NoSheet(const std::string& wanted, const std::vector<std::string>& sheets)
{
    std::string list;
    for (size_t i = 0; i < sheets.size(); ++i)
        list += (i ? ", " : "") + Quoted(sheets[i]);
    return u8"le classeur n'a pas de feuille " + Quoted(wanted) + " : " +
           (sheets.empty() ? std::string(u8"il n'en a aucune") : u8"ses feuilles sont " + list) +
           u8" ; nommez-en une avec --feuille";
}

bool ReadExcel(const ZipArchive& zip, const std::string& wanted, size_t maxBytes,
               RowCollector& rows, Workbook& workbook, std::string& error)
{
    workbook.kind = u8"classeur Excel (.xlsx)";
    std::string xml;
    SheetList list;
    Relations relations;
    if (!Member(zip, "xl/workbook.xml", maxBytes, xml, error) ||
        !Xml(xml, "xl/workbook.xml", list, error) ||
        !Member(zip, "xl/_rels/workbook.xml.rels", maxBytes, xml, error) ||
        !Xml(xml, "xl/_rels/workbook.xml.rels", relations, error))
        return false;
    std::string relation;
    for (const auto& sheet : list.sheets) {
        workbook.sheets.push_back(sheet.first);
        if (workbook.sheet.empty() && (wanted.empty() || sheet.first == wanted)) {
            workbook.sheet = sheet.first;
            relation = sheet.second;
        }
    }
    if (workbook.sheet.empty() && !wanted.empty()) {
        error = NoSheet(wanted, workbook.sheets);
        return false;
    }
    std::string part;
    for (const auto& target : relations.targets)
        if (target.first == relation)
            part = target.second[0] == '/' ? target.second.substr(1) : "xl/" + target.second;
    if (part.empty()) {
        error = u8"le classeur est abîmé (sa feuille " + Quoted(workbook.sheet) +
                u8" est introuvable) : ouvrez-le dans le tableur et enregistrez-le de nouveau";
        return false;
    }
    SharedStrings shared;
    if (zip.Find("xl/sharedStrings.xml") &&
        (!Member(zip, "xl/sharedStrings.xml", maxBytes, xml, error) ||
         !Xml(xml, "xl/sharedStrings.xml", shared, error)))
        return false;
    ExcelSheet sheet(rows, shared.strings);
    return Member(zip, part, maxBytes, xml, error) && Xml(xml, part, sheet, error);
}

bool ReadCalc(const ZipArchive& zip, const std::string& wanted, size_t maxBytes, RowCollector& rows,
              Workbook& workbook, std::string& error)
{
    workbook.kind = u8"classeur LibreOffice (.ods)";
    std::string xml;
    if (zip.Find("META-INF/manifest.xml")) {
        if (!Member(zip, "META-INF/manifest.xml", maxBytes, xml, error))
            return false;
        if (xml.find("encryption-data") != std::string::npos) {
            error = u8"le classeur est protégé par un mot de passe : dans LibreOffice, "
                    u8"« Enregistrer sous » sans cocher « Enregistrer avec mot de passe », puis "
                    u8"importez-le";
            return false;
        }
    }
    OdsContent content(rows, wanted);
    if (!Member(zip, "content.xml", maxBytes, xml, error) ||
        !Xml(xml, "content.xml", content, error))
        return false;
    workbook.sheets = content.sheets;
    if (!content.done) {
        error = NoSheet(wanted, content.sheets);
        return false;
    }
    workbook.sheet = content.chosen;
    return true;
}

} // namespace

bool IsZip(const std::string& bytes)
{
    return bytes.compare(0, 4, "PK\x03\x04") == 0 || bytes.compare(0, 4, "PK\x05\x06") == 0;
}

bool ReadWorkbook(const std::string& bytes, const std::string& sheetName, size_t maxRows,
                  size_t maxBytes, Workbook& workbook, std::string& error)
{
    workbook = Workbook();
    ZipArchive zip;
    if (!OpenZip(bytes, zip, error))
        return false;
    RowCollector rows{workbook.table, maxRows, {}, {}};
    bool read = false;
    if (zip.Find("xl/workbook.xml"))
        read = ReadExcel(zip, sheetName, maxBytes, rows, workbook, error);
    else if (zip.Find("content.xml"))
        read = ReadCalc(zip, sheetName, maxBytes, rows, workbook, error);
    else
        error = NOT_A_WORKBOOK;
    if (read)
        rows.SpreadHeader();
    return read;
}
