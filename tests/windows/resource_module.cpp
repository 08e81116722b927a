#include "tests/windows/resource_module.h"

#include "quiz/loader.h"
#include "quiz/lzw.h"
#include "quiz/payload.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

using Bytes = std::vector<unsigned char>;

template <typename T> const T* At(const Bytes& file, size_t offset)
{
    return offset + sizeof(T) <= file.size() ? reinterpret_cast<const T*>(file.data() + offset)
                                             : nullptr;
}

// Whether the resource name stored at offset (a length, then UTF-16 units,
// upper case as resource compilers store them) is name.
bool NameIs(const Bytes& file, size_t offset, const char* name)
{
    auto* length = At<WORD>(file, offset);
    if (!length || *length != strlen(name))
        return false;
    for (size_t c = 0; c < *length; ++c) {
        auto* unit = At<WCHAR>(file, offset + sizeof(WORD) + c * sizeof(WCHAR));
        if (!unit || *unit != static_cast<WCHAR>(toupper(name[c])))
            return false;
    }
    return true;
}

// Finds the entry of a resource directory with this integer id, or this
// name when name is set.
const IMAGE_RESOURCE_DIRECTORY_ENTRY* FindEntry(const Bytes& file, size_t base, size_t directory,
                                                const char* name, int id)
{
    auto* header = At<IMAGE_RESOURCE_DIRECTORY>(file, base + directory);
    if (!header)
        return nullptr;
    const int count = header->NumberOfNamedEntries + header->NumberOfIdEntries;
    for (int i = 0; i < count; ++i) {
        auto* entry = At<IMAGE_RESOURCE_DIRECTORY_ENTRY>(
            file, base + directory + sizeof(IMAGE_RESOURCE_DIRECTORY) +
                      i * sizeof(IMAGE_RESOURCE_DIRECTORY_ENTRY));
        if (!entry)
            return nullptr;
        const bool found = name
                               ? entry->NameIsString && NameIs(file, base + entry->NameOffset, name)
                               : !entry->NameIsString && entry->Id == id;
        if (found)
            return entry;
    }
    return nullptr;
}

// Wine drops resources of size 0 when it writes a module, so an empty
// resource is written with one byte and its size is set to 0 here, in the
// resource's data entry.
bool MakeResourceEmpty(const std::string& path, const std::string& type, int id)
{
    Bytes file;
    {
        std::ifstream in(path, std::ios::binary);
        file.assign(std::istreambuf_iterator<char>(in), {});
    }
    auto* dos = At<IMAGE_DOS_HEADER>(file, 0);
    auto* nt = dos ? At<IMAGE_NT_HEADERS>(file, dos->e_lfanew) : nullptr;
    if (!nt)
        return false;
    const DWORD rva =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress;
    size_t base = 0;
    const size_t sections = dos->e_lfanew + offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
                            nt->FileHeader.SizeOfOptionalHeader;
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
        auto* section = At<IMAGE_SECTION_HEADER>(file, sections + i * sizeof(IMAGE_SECTION_HEADER));
        if (section && rva >= section->VirtualAddress &&
            rva < section->VirtualAddress + section->SizeOfRawData)
            base = section->PointerToRawData + (rva - section->VirtualAddress);
    }
    if (!base)
        return false;

    auto* byType = FindEntry(file, base, 0, type.c_str(), 0);
    auto* byId = byType ? FindEntry(file, base, byType->OffsetToDirectory, nullptr, id) : nullptr;
    auto* languages =
        byId ? At<IMAGE_RESOURCE_DIRECTORY_ENTRY>(file, base + byId->OffsetToDirectory +
                                                            sizeof(IMAGE_RESOURCE_DIRECTORY))
             : nullptr;
    auto* data =
        languages ? At<IMAGE_RESOURCE_DATA_ENTRY>(file, base + languages->OffsetToData) : nullptr;
    if (!data)
        return false;
    const size_t sizeOffset = reinterpret_cast<const unsigned char*>(&data->Size) - file.data();
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    const DWORD zero = 0;
    out.seekp(static_cast<std::streamoff>(sizeOffset));
    out.write(reinterpret_cast<const char*>(&zero), sizeof zero);
    return static_cast<bool>(out);
}

} // namespace

std::string TemporaryPath(const char* name)
{
    static int serial = 0;
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    char path[MAX_PATH];
    wsprintfA(path, "%squizz-test-%lu-%d-%s", directory, GetCurrentProcessId(), ++serial, name);
    return path;
}

bool WriteModuleCopy(const std::string& templatePath, const std::string& path,
                     const std::vector<ResourceEntry>& resources)
{
    if (!CopyFileA(templatePath.c_str(), path.c_str(), FALSE))
        return false;
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
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
        if (entry.data.empty() && !MakeResourceEmpty(path, entry.type, entry.id))
            return false;
    return true;
}

ResourceModule::ResourceModule(const std::vector<ResourceEntry>& resources)
    : path_(TemporaryPath("module.dll"))
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (WriteModuleCopy(self, path_, resources))
        module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

ResourceModule::~ResourceModule()
{
    if (module_)
        FreeLibrary(module_);
    DeleteFileA(path_.c_str());
}

std::vector<unsigned char> LzwCoded(const std::vector<unsigned char>& plain)
{
    unsigned char* out = nullptr;
    uint32_t length = 0;
    int32_t result = LzwEncode(plain.data(), static_cast<uint32_t>(plain.size()), &out, &length);
    std::vector<unsigned char> coded;
    if (result == LZW_OK)
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
