// Reading whole files, and writing new ones or replacing one without ever
// leaving half a file: paths are UTF-8 in every build (std::filesystem turns
// them into the wide names Windows wants).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads a whole file; on failure reason says why, in French. A file larger
// than maxBytes is refused before it is read: reason is then "le fichier
// pèse 1,2 Go", and " ; " with tooLarge (the limit and how to keep within it).
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes, std::string& reason,
                   uintmax_t maxBytes = UINTMAX_MAX, const std::string& tooLarge = "");

// Whether two files hold the same bytes, compared a piece at a time.
bool SameContents(const std::string& first, const std::string& second);

// "210 Ko", "6,1 Mo", "1,2 Go": sizes as a French reader writes them.
std::string FrenchSize(uintmax_t bytes);

// Whether path is an existing file (not a folder).
bool IsFile(const std::string& path);

// Whether path is an existing folder.
bool IsFolder(const std::string& path);

// The files directly in folder (not those of its folders), UTF-8 paths in
// the order of their names; empty when it cannot be read.
std::vector<std::string> FilesInFolder(const std::string& folder);

// Whether anything stands at path: a file, a folder, even a broken link.
bool PathExists(const std::string& path);

struct NewFile {
    std::string path;
    std::vector<unsigned char> data;
    std::string copyOf = {}; // when set, the file whose bytes it takes, in place of data
};

// Writes files that must not exist yet. Nothing is written when one of them
// exists; each is written to a temporary file of its own beside it (a copy a
// piece at a time, never whole in memory), flushed to the disk, and renamed
// into place once all are written; after any failure the files, the
// temporary files and the folders made for them are removed again.
bool WriteNewFiles(const std::vector<NewFile>& files, std::string& error);

// Writes data at path, made or replaced, never leaving half a file: all of
// it goes to a temporary file of its own beside path, flushed to the disk,
// which then takes the old one's place (so a failed write or a power cut
// keeps the old file whole). The folder must exist.
// False with a French error.
bool ReplaceWholeFile(const std::string& path, const std::vector<unsigned char>& data,
                      std::string& error);

// The path of name relative to the folder of file ("a/b.toml", "c.jpg" gives
// "a/c.jpg"); an absolute name stays as it is.
std::string BesideFile(const std::string& file, const std::string& name);

// file with its extension replaced ("a/quiz.toml", ".exe" gives "a/quiz.exe").
std::string WithExtension(const std::string& file, const std::string& extension);

// The file name without folder and extension ("a/quiz.exe" gives "quiz").
std::string FileStem(const std::string& file);
std::string FileName(const std::string& file);
// The extension in lower case (".exe" for "Quiz.EXE"), "" for none.
std::string LowerExtension(const std::string& file);
