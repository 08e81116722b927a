// A spreadsheet's own file, read straight into the rows of a table: an
// Excel workbook (.xlsx) or a LibreOffice one (.ods), both zips of XML
// (zip_archive.h, xml_reader.h). One sheet is read, the first or the one
// named; its cells as the teacher sees them: shared and inline strings,
// numbers as text (with a decimal comma), empty cells between. A header
// cell merged over several columns names each of them. Rows and columns
// repeated by count (.ods) are never laid out past what is kept, so a row
// repeated a million times costs nothing.
#pragma once

#include "authoring/import/csv_table.h"

#include <string>
#include <vector>

// The columns read in a row: a question table needs a dozen.
constexpr size_t MAX_WORKBOOK_COLUMNS = 256;

struct Workbook {
    std::string kind; // "classeur Excel (.xlsx)"
    std::vector<std::string> sheets;
    std::string sheet; // the one read
    CsvTable table;    // rows with their numbers in the sheet, blank rows left out
};

// Whether bytes are a zip: a workbook to read with ReadWorkbook.
bool IsZip(const std::string& bytes);

// False with a French error that says what to do: a damaged or encrypted
// workbook, one of another kind, a sheet that is not there, a part that
// would inflate past maxBytes. Keeps maxRows rows at most; the others are
// counted.
bool ReadWorkbook(const std::string& bytes, const std::string& sheetName, size_t maxRows,
                  size_t maxBytes, Workbook& workbook, std::string& error);
