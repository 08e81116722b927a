#include "tests/unit/authoring/source_fixture.h"

#include "authoring/packing/file_set.h"

#include <gtest/gtest.h>

#include <thread>

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

// Two saves of one file at once, as two ateliers make them: each writes a
// temporary of its own, so every save succeeds, the file is always one of
// them whole, and no temporary is left.
TEST(FileSet, TwoWritersOfOneFileNeverMixTheirBytes)
{
    TempFolder folder;
    const std::string path = folder / "q.toml";
    auto save = [&path](unsigned char fill, int& failures) {
        const Bytes data(64 * 1024, fill);
        for (int i = 0; i < 200; ++i) {
            std::string error;
            failures += !ReplaceWholeFile(path, data, error);
        }
    };
    int failuresA = 0, failuresB = 0;
    std::thread a(save, 'a', std::ref(failuresA));
    std::thread b(save, 'b', std::ref(failuresB));
    a.join();
    b.join();
    EXPECT_EQ(failuresA + failuresB, 0);
    const std::string saved = LoadFile(path);
    ASSERT_EQ(saved.size(), 64u * 1024);
    EXPECT_TRUE(saved == std::string(saved.size(), 'a') || saved == std::string(saved.size(), 'b'));
    EXPECT_EQ(Listing(folder.path).size(), 1u);
}

// A file larger than its reader allows is refused by its size, before any
// of it is read: a sparse file of 1.2 GB costs nothing on the disk.
TEST(FileSet, RefusesAFileLargerThanAllowedBeforeReadingIt)
{
    const struct {
        const char* what;
        uintmax_t size;
        uintmax_t maxBytes;
        const char* reason; // "" when it is read
    } rows[] = {
        {"within the limit", 10, 10, ""},
        {"a byte over", 11, 10, u8"le fichier pèse 1 Ko"},
        {"a film of 1.2 GB", 1288490189, 64 << 20, u8"le fichier pèse 1,2 Go"},
        {"no limit", 3 << 20, UINTMAX_MAX, ""},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        const std::string path = folder / "f.avi";
        SaveFile(path, "");
        std::filesystem::resize_file(std::filesystem::u8path(path), row.size);
        Bytes bytes;
        std::string reason;
        EXPECT_EQ(ReadWholeFile(path, bytes, reason, row.maxBytes), !*row.reason) << row.what;
        EXPECT_EQ(reason, row.reason) << row.what;
        EXPECT_EQ(bytes.size(), *row.reason ? 0 : row.size) << row.what;
    }
}

TEST(FileSet, TellsSizesInFrench)
{
    const struct {
        uintmax_t bytes;
        const char* text;
    } rows[] = {
        {0, "0 Ko"},         {1, "1 Ko"},           {1024 * 1024 - 1, "1024 Ko"},
        {6396314, "6,1 Mo"}, {64 << 20, "64,0 Mo"}, {1288490189, "1,2 Go"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FrenchSize(row.bytes), row.text) << row.bytes;
}

// Copies and comparisons go a piece at a time (a megabyte), so files of a
// piece and more are what they must get right.
TEST(FileSet, CopiesAndComparesFilesAPieceAtATime)
{
    TempFolder folder;
    std::string large(3 * 1024 * 1024 + 3, 'x');
    large.back() = 'y';
    std::string changedAtEnd = large;
    changedAtEnd.back() = 'z';
    SaveFile(folder / "large", large);
    SaveFile(folder / "same", large);
    SaveFile(folder / "end", changedAtEnd);
    SaveFile(folder / "short", large.substr(1));
    SaveFile(folder / "empty", "");
    SaveFile(folder / "empty too", "");
    const struct {
        const char* first;
        const char* second;
        bool same;
    } comparisons[] = {
        {"large", "same", true},      {"large", "end", false},    {"large", "short", false},
        {"empty", "empty too", true}, {"large", "absent", false},
    };
    for (const auto& row : comparisons)
        EXPECT_EQ(SameContents(folder / row.first, folder / row.second), row.same)
            << row.first << " " << row.second;

    std::string error;
    ASSERT_TRUE(WriteNewFiles({{folder / "copies/large", {}, folder / "large"},
                               {folder / "copies/empty", {}, folder / "empty"}},
                              error))
        << error;
    EXPECT_EQ(LoadFile(folder / "copies/large"), large);
    EXPECT_EQ(LoadFile(folder / "copies/empty"), "");
    // A copy of a file that is gone fails, and nothing of it stays.
    const auto before = Listing(folder.path);
    EXPECT_FALSE(WriteNewFiles(
        {{folder / "more/a", {'a'}}, {folder / "more/b", {}, folder / "gone"}}, error));
    EXPECT_EQ(error, u8"impossible d'écrire « " + (folder / "more/b") + u8" »");
    EXPECT_EQ(Listing(folder.path), before);
}
