#include "tests/unit/authoring/source_fixture.h"

#include "authoring/packing/file_set.h"

#include <gtest/gtest.h>

// What is there already comes after files and folders that writing in order
// would have made, so that they must be removed again or never made.
TEST(FileSet, WritesAllNewFilesOrNone)
{
    const std::vector<std::string> names = {"q.toml", "medias/a/1.bmp", "z.toml", "y/2.bmp"};
    const struct {
        const char* before; // a file there already, "" for none
        const char* error;  // after its quoted path
    } cases[] = {
        {"", ""},
        {"z.toml", u8" » existe déjà, et rien n'est écrasé"},
        {"y", u8" » n'est pas un dossier"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        if (*c.before)
            SaveFile(folder / c.before, "old");
        const auto listing = Listing(folder.path);
        std::vector<NewFile> files;
        files.reserve(names.size());
        for (const std::string& name : names)
            files.push_back({folder / name, Bytes(name.begin(), name.end())});
        std::string error;
        EXPECT_EQ(WriteNewFiles(files, error), !*c.before) << c.before;
        if (*c.before) {
            EXPECT_EQ(error, u8"« " + (folder / c.before) + c.error);
            EXPECT_EQ(Listing(folder.path), listing) << c.before;
            continue;
        }
        for (const std::string& name : names)
            EXPECT_EQ(LoadFile(folder / name), name);
        EXPECT_EQ(Listing(folder.path).size(), names.size() + 3); // the folders, no temporary
    }
}

// A file is made or replaced whole; whatever stops the write leaves what was
// there, and no temporary file.
TEST(FileSet, ReplacesAFileWholeOrLeavesItAsItWas)
{
    const struct {
        const char* what;
        const char* path;
        const char* file;   // there before, holding "old"; "" for none
        const char* folder; // there before; "" for none
        const char* error;  // after the quoted path, "" when it is written
    } rows[] = {
        {"made", "q.exe", "", "", ""},
        {"replaced", "q.exe", "q.exe", "", ""},
        {"a folder of that name", "q.exe", "", "q.exe",
         u8" » est un dossier : choisissez un nom de fichier"},
        {"no such folder", "absent/q.exe", "", "", u8" » : vérifiez que son dossier existe"},
        {"a folder where the temporary goes", "q.exe", "q.exe", "q.exe.quizz-tmp",
         u8" » : vérifiez que son dossier existe"},
    };
    const Bytes data = {'n', 'e', 'w'};
    for (const auto& row : rows) {
        TempFolder folder;
        if (*row.file)
            SaveFile(folder / row.file, "old");
        if (*row.folder)
            std::filesystem::create_directory(std::filesystem::u8path(folder / row.folder));
        auto expected = Listing(folder.path);
        std::string error;
        EXPECT_EQ(ReplaceWholeFile(folder / row.path, data, error), !*row.error) << row.what;
        if (*row.error) {
            EXPECT_NE(error.find(u8"« " + (folder / row.path) + row.error), std::string::npos)
                << row.what << ": " << error;
        } else {
            expected[row.path] = data.size();
            EXPECT_EQ(LoadFile(folder / row.path), "new") << row.what;
        }
        EXPECT_EQ(Listing(folder.path), expected) << row.what;
        if (*row.file && *row.error) {
            EXPECT_EQ(LoadFile(folder / row.file), "old") << row.what;
        }
    }
}
