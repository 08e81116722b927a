#include "tests/unit/authoring/source_fixture.h"

#include "authoring/file_set.h"

#include <gtest/gtest.h>

TEST(FileSet, WritesAllNewFilesOrNone)
{
    const struct {
        const char* name;
        std::vector<std::string> before; // files there already
        std::vector<std::string> written;
        bool done;
        std::string error; // {} for the folder
    } cases[] = {
        {"new files in new folders", {}, {"q.toml", "medias/a/1.bmp", "medias/2.bmp"}, true, ""},
        {"one exists",
         {"medias/2.bmp"},
         {"q.toml", "medias/2.bmp"},
         false,
         u8"« {}/medias/2.bmp » existe déjà, et quizzpack n'écrase rien"},
        {"a file where a folder must go",
         {"medias"},
         {"q.toml", "medias/1.bmp"},
         false,
         u8"« {}/medias » n'est pas un dossier"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        for (const std::string& name : c.before) {
            std::filesystem::create_directories(std::filesystem::path(folder / name).parent_path());
            SaveFile(folder / name, "old");
        }
        const auto listing = Listing(folder.path);
        std::vector<NewFile> files;
        for (const std::string& name : c.written)
            files.push_back({folder / name, Bytes(name.begin(), name.end())});
        std::string error;
        EXPECT_EQ(WriteNewFiles(files, error), c.done) << c.name;
        if (c.done) {
            for (const std::string& name : c.written)
                EXPECT_EQ(Listing(folder.path)[name], name.size()) << c.name << name;
            EXPECT_EQ(Listing(folder.path).size(), c.written.size() + 2) << c.name; // + folders
        } else {
            std::string expected = c.error;
            expected.replace(expected.find("{}"), 2, folder.path);
            EXPECT_EQ(error, expected) << c.name;
            EXPECT_EQ(Listing(folder.path), listing) << c.name;
        }
    }
}
