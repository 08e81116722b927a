#include "tests/support/resource_module.h"

#include "player/loader.h"
#include "quiz/lzw.h"
#include "quiz/payload.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <fstream>

namespace {

// Wine drops resources of size 0 when it writes a module, so an empty
// resource is written with one byte, and the size in its data entry is set
// to 0 afterwards. A module loaded as a data file is the file mapped as it
// is, so the entry's place in the mapping is its place in the file.
bool MakeResourceEmpty(const std::string& path, const ResourceEntry& entry)
{
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return false;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(entry.id), entry.type.c_str());
    // The handle of a data file is its mapping's address with flags in the low bits.
    const auto* base =
        reinterpret_cast<const char*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3});
    const std::streamoff offset = found ? reinterpret_cast<const char*>(found) +
                                              offsetof(IMAGE_RESOURCE_DATA_ENTRY, Size) - base
                                        : 0;
    FreeLibrary(module);
    if (!offset)
        return false;
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    const DWORD zero = 0;
    out.seekp(offset);
    out.write(reinterpret_cast<const char*>(&zero), sizeof zero);
    return static_cast<bool>(out);
}

} // namespace

std::string TemporaryPath(const char* name)
{
    static std::atomic<int> serial(0); // the end-to-end tests start players from threads
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    return directory + std::string("quizz-test-") + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++serial) + "-" + name;
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string WindowText(HWND window)
{
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

bool WriteModuleCopy(const std::string& templatePath, const std::string& path,
                     const std::vector<ResourceEntry>& resources)
{
    HANDLE update = CopyFileA(templatePath.c_str(), path.c_str(), FALSE)
                        ? BeginUpdateResourceA(path.c_str(), FALSE)
                        : nullptr;
    if (!update)
        return false;
    static unsigned char placeholder[1];
    for (const ResourceEntry& entry : resources) {
        const bool empty = entry.data.empty();
        UpdateResourceA(update, entry.type.c_str(), MAKEINTRESOURCEA(entry.id),
                        MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                        empty ? placeholder : const_cast<unsigned char*>(entry.data.data()),
                        empty ? 1 : static_cast<DWORD>(entry.data.size()));
    }
    if (!EndUpdateResourceA(update, FALSE))
        return false;
    for (const ResourceEntry& entry : resources)
        if (entry.data.empty() && !MakeResourceEmpty(path, entry))
            return false;
    return true;
}

std::unique_ptr<QuizRecord> MakeQuiz(int layout, int questions, int answers, int reveal)
{
    auto quiz = std::make_unique<QuizRecord>();
    CopyText(quiz->title, "Les capitales");
    CopyText(quiz->author, "Léa");
    CopyText(quiz->explanations, "Trouvez la capitale de chaque pays.");
    quiz->layoutKind = layout;
    quiz->questionCount = questions;
    quiz->answersPerQuestion = answers;
    quiz->revealMode = reveal;
    for (int i = 0; i < questions && i < MAX_QUESTIONS; ++i) {
        AppendQuestion(*quiz, "Paris", "France", "Quelle ville ?");
        wsprintfA(quiz->codes[i], "CODE%d", i + 1);
    }
    return quiz;
}

std::vector<unsigned char> LzwCoded(const std::vector<unsigned char>& plain)
{
    unsigned char* out = nullptr;
    uint32_t length = 0;
    std::vector<unsigned char> coded;
    if (LzwEncode(plain.data(), static_cast<uint32_t>(plain.size()), &out, &length) == LZW_OK)
        coded.assign(out, out + length);
    free(out);
    return coded;
}

std::vector<ResourceEntry> QuizResources(const QuizRecord& quiz)
{
    std::vector<unsigned char> payload, codes;
    BuildQuizPayload(quiz, payload);
    BuildCodesPayload(quiz, codes);
    return {{PAYLOAD_RESOURCE_TYPE, QUIZ_RESOURCE, LzwCoded(payload)},
            {PAYLOAD_RESOURCE_TYPE, CODES_RESOURCE, LzwCoded(codes)}};
}
