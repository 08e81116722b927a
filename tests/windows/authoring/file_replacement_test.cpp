// Replacing a file by the rules of Windows' file system: MinGW's
// std::filesystem::rename moves with MoveFileExW and MOVEFILE_REPLACE_EXISTING
// (checked in libstdc++ 12), which this proves.
#include "authoring/packing/file_set.h"
#include "authoring/packing/windows_platform.h"
#include "tests/unit/authoring/source_fixture.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <windows.h>

// A file that exists takes the new bytes; one that another program holds
// open keeps its old ones whole, with no temporary file left beside it.
// (Windows refuses to replace a read-only file too, but Wine replaces it.)
TEST(FileSet, ReplacesAnExistingFileUnlessItIsHeld)
{
    const struct {
        const char* what;
        bool held; // open elsewhere, sharing no deletion, as a program holds it
        bool replaced;
    } rows[] = {
        {"an ordinary file", false, true},
        {"a file held open", true, false},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        const std::string path = folder / u8"quiz é.toml";
        SaveFile(path, "old");
        HANDLE held = row.held ? CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                             nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE;
        std::string error;
        const bool replaced = ReplaceWholeFile(path, {'n', 'e', 'w'}, error);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_EQ(replaced, row.replaced) << row.what << ": " << error;
        EXPECT_EQ(LoadFile(path), row.replaced ? "new" : "old") << row.what;
        EXPECT_EQ(Listing(folder.path).size(), 1u) << row.what;
        if (!row.replaced) {
            EXPECT_NE(error.find(u8"impossible de remplacer"), std::string::npos) << error;
        }
    }
}
