// A table that a spreadsheet saved as delimited text (CSV or TSV), already
// decoded to UTF-8 (text_decoding.h).
//
// The separator is the one of tab, ";" and "," that splits the first row
// into several cells and the most rows into as many cells as the first;
// ties go to tab, then ";" (Excel in French), then ","; or the one that a
// first line "sep=;" names, as some tools write for Excel. Cells follow the
// spreadsheets' quoting: a cell that starts with " runs to the next lone ",
// a doubled "" inside standing for one, and may hold separators and line
// breaks (kept as "\n"). Rows end at CRLF, LF or CR. Cells are as written,
// spaces included. Blank rows (nothing but spaces) are left out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CsvRow {
    int line = 0; // of the file, where the row starts
    std::vector<std::string> cells;
};

struct CsvTable {
    char separator = ';';
    std::vector<CsvRow> rows;
    int rowsLeftOut = 0;      // rows past maxRows, counted, not kept
    int firstLeftOutLine = 0; // where the first of them starts
};

// False, with a French error, when a quoted cell is never closed: the rest
// of the file would be taken into it. Keeps maxRows rows at most (a "sep="
// line not counted), so that a huge table is read in bounded memory.
bool ReadCsvTable(const std::string& utf8, CsvTable& table, std::string& error,
                  size_t maxRows = SIZE_MAX);

// "points-virgules", "virgules", "tabulations", for messages.
const char* SeparatorName(char separator);
