// quizzpack.exe itself, started as a teacher starts it, imports a table that
// Excel saved in Windows-1252 under a name that only the wide command line
// carries; the source it writes builds a quiz whose loader reads back the
// table's questions.
//   quizzpack_import_tests QUIZZPACK.exe [GoogleTest flags]
#include "authoring/packing/windows_platform.h"
#include "player/loader.h"
#include "quizzpack/commands.h"
#include "tests/support/message_box_recorder.h"
#include "tests/unit/authoring/source_fixture.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>

namespace {

std::string g_quizzpack;

std::string Self()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Narrow(path);
}

// Runs quizzpack.exe with arguments, what it prints kept in a file; its exit
// code, or -1 when it has not ended within 30 s.
int RunProgram(const std::wstring& arguments, const std::string& printed)
{
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE output = CreateFileW(Widen(printed).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::wstring line = L"\"" + Widen(g_quizzpack) + L"\" " + arguments;
    PROCESS_INFORMATION process = {};
    DWORD code = static_cast<DWORD>(-1);
    if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &code);
        else
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(output);
    return static_cast<int>(code);
}

} // namespace

TEST(QuizzpackImporter, ImportsAnExcelTableNamedOutsideTheCodePage)
{
    TempFolder folder;
    // "ą" has no byte in Windows-1252: an ANSI call anywhere would lose it.
    const std::string name = folder.path + u8"\\Géographie ą – capitales";
    SaveFile(name + ".csv", "Question;R\xE9ponse;Image\r\n"
                            "Capitale de la France ?;Paris;images\\france.jpg\r\n"
                            "La ville \xE9ternelle ?;Rome;images\\rome.jpg\r\n");
    ASSERT_TRUE(CreateDirectoryW(Widen(folder / "images").c_str(), nullptr));
    SaveFile(folder / "images/france.jpg", Jpeg());
    SaveFile(folder / "images/rome.jpg", DiscBitmap(16, 0x0000FF));

    const std::string printed = folder / "sortie.txt";
    ASSERT_EQ(RunProgram(L"importer \"" + Widen(name + ".csv") + L"\"", printed), EXIT_DONE)
        << LoadFile(printed);
    EXPECT_NE(LoadFile(printed).find(u8".toml » écrit : 2 questions de « " + name + ".csv"),
              std::string::npos)
        << LoadFile(printed);

    CommandOutput output;
    const std::string packed = folder / "capitales.exe";
    ASSERT_EQ(RunQuizzpack({"build", name + ".toml", "--player", Self(), "-o", packed},
                           WindowsPlatform(), output),
              EXIT_DONE)
        << output.err;
    HMODULE module = LoadLibraryExW(Widen(packed).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    RecordedMessages().clear();
    auto quiz = std::make_unique<QuizRecord>();
    LoadQuizFrom(module, *quiz);
    FreeLibrary(module);
    EXPECT_TRUE(RecordedMessages().empty());
    EXPECT_EQ(quiz->layoutKind, LAYOUT_PICTURE);
    EXPECT_STREQ(quiz->title, "Titre \xE0 compl\xE9ter");
    ASSERT_EQ(quiz->questionCount, 2);
    EXPECT_STREQ(QuestionAt(*quiz, 1)->answer, "Rome");
    EXPECT_STREQ(QuestionAt(*quiz, 1)->questionText, "La ville \xE9ternelle ?");
}

// The 32-bit quizzpack.exe reads a workbook and a Moodle bank itself: zlib
// and the XML reader are in it.
TEST(QuizzpackImporter, ReadsWorkbooksAndMoodleBanks)
{
    TempFolder folder;
    const struct {
        const char* file;
        std::string told;
    } cases[] = {
        {"classeur.xlsx", u8"(classeur Excel (.xlsx), feuille « Capitales »)"},
        {"classeur.ods", u8"(classeur LibreOffice (.ods), feuille « Questions »)"},
        {"banque_moodle.xml", u8"1 image jointe écrite à côté : « images/sommet_alpes.png »."},
    };
    for (const auto& c : cases) {
        const std::string copy = folder / c.file;
        SaveFile(copy, LoadFile("Z:" IMPORT_CORPUS_DIR "/" + std::string(c.file)));
        const std::string printed = folder / "sortie.txt";
        RunProgram(L"importer \"" + Widen(copy) + L"\" -o \"" + Widen(copy) + L".toml\"", printed);
        EXPECT_NE(LoadFile(printed).find(c.told), std::string::npos) << LoadFile(printed);
    }
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: quizzpack_import_tests QUIZZPACK.exe\n");
        return 2;
    }
    // A Linux path is Wine's Z: drive.
    std::string path = argv[1];
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            c = c == '/' ? '\\' : c;
        path = "Z:" + path;
    }
    g_quizzpack = path;
    return RUN_ALL_TESTS();
}
