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
        {"z.toml", u8" » existe déjà, et quizzpack n'écrase rien"},
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
