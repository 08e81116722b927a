#include "authoring/packing/windows_platform.h"
#include "win32/wide_text.h"

#include "authoring/media/quiz_icon.h"
#include "authoring/media/wic_picture_decoder.h"

#include <windows.h>

#include <algorithm>

namespace {

using Bytes = std::vector<unsigned char>;

struct ModuleHandle {
    HMODULE module;
    explicit ModuleHandle(const std::wstring& path)
        : module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
    }
    ~ModuleHandle()
    {
        if (module)
            FreeLibrary(module);
    }
    ModuleHandle(const ModuleHandle&) = delete;
    ModuleHandle& operator=(const ModuleHandle&) = delete;
};

// A type or name as the enumeration gives it: an integer, or a string that
// must be copied before the callback returns.
struct ResourceKey {
    WORD id = 0;
    std::wstring name;
    explicit ResourceKey(LPCWSTR key)
    {
        if (IS_INTRESOURCE(key))
            id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(key));
        else
            name = key;
    }
    LPCWSTR Get() const { return name.empty() ? MAKEINTRESOURCEW(id) : name.c_str(); }
    bool operator<(const ResourceKey& other) const
    {
        return name != other.name ? name < other.name : id < other.id;
    }
    bool operator==(const ResourceKey& other) const { return name == other.name && id == other.id; }
};

struct AnyResource {
    ResourceKey type;
    ResourceKey name;
    WORD language;
    Bytes data;
    bool operator<(const AnyResource& other) const
    {
        if (!(type == other.type))
            return type < other.type;
        if (!(name == other.name))
            return name < other.name;
        return language < other.language;
    }
    bool operator==(const AnyResource& other) const
    {
        return type == other.type && name == other.name && language == other.language &&
               data == other.data;
    }
};

struct Enumeration {
    HMODULE module;
    std::vector<AnyResource> resources;
    bool readable = true;
};

BOOL CALLBACK OnLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language,
                         LONG_PTR context)
{
    auto* all = reinterpret_cast<Enumeration*>(context);
    HRSRC found = FindResourceExW(module, type, name, language);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!bytes && size) {
        all->readable = false;
        return TRUE;
    }
    all->resources.push_back(
        {ResourceKey(type), ResourceKey(name), language, Bytes(bytes, bytes + size)});
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR context)
{
    EnumResourceLanguagesW(module, type, name, OnLanguage, context);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR context)
{
    EnumResourceNamesW(module, type, OnName, context);
    return TRUE;
}

// Every resource of a module, in a stable order.
bool ReadAllResources(const std::wstring& path, std::vector<AnyResource>& resources)
{
    ModuleHandle module(path);
    if (!module.module)
        return false;
    Enumeration all = {module.module, {}, true};
    EnumResourceTypesW(module.module, OnType, reinterpret_cast<LONG_PTR>(&all));
    std::sort(all.resources.begin(), all.resources.end());
    resources = std::move(all.resources);
    return all.readable;
}

// The quiz's own resources: integer names of the types "PATCH" and "IMG"
// (resource compilers store type names in upper case).
bool IsQuizResource(const AnyResource& resource)
{
    return resource.name.name.empty() &&
           (resource.type.name == L"PATCH" || resource.type.name == L"IMG");
}

ResourceKey IntegerKey(WORD id)
{
    return ResourceKey(MAKEINTRESOURCEW(id));
}

// The types of icon groups and of their images.
const ResourceKey ICON_GROUP_TYPE = IntegerKey(14); // RT_GROUP_ICON
const ResourceKey ICON_IMAGE_TYPE = IntegerKey(3);  // RT_ICON
const ResourceKey APPLICATION_ICON_NAME = IntegerKey(APPLICATION_ICON);

bool IsApplicationIconGroup(const AnyResource& resource)
{
    return resource.type == ICON_GROUP_TYPE && resource.name == APPLICATION_ICON_NAME;
}

// The application's icon of a module as an .ico file; false when it has
// none, or none whole.
bool ReadApplicationIcon(const std::vector<AnyResource>& resources, Bytes& file)
{
    const auto group = std::find_if(resources.begin(), resources.end(), IsApplicationIconGroup);
    if (group == resources.end())
        return false;
    // An image of the group's language, else of any.
    auto imageOf = [&](int id) -> const Bytes* {
        const Bytes* found = nullptr;
        for (const AnyResource& resource : resources)
            if (resource.type == ICON_IMAGE_TYPE && resource.name == IntegerKey(id) &&
                (!found || resource.language == group->language))
                found = &resource.data;
        return found;
    };
    return IconFileOfGroup(group->data, imageOf, file);
}

// Replaces the application's icon group among a module's resources, and the
// images it names, with an icon file's images: under the same identifiers
// and language, so that the player's other icons stay as they are.
bool PutApplicationIcon(std::vector<AnyResource>& resources, const Bytes& file)
{
    std::vector<IconImage> images;
    if (!ReadIconFile(file, images))
        return false;
    WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    std::vector<int> previous;
    for (const AnyResource& resource : resources) {
        std::vector<IconImage> entries;
        std::vector<int> ids;
        if (IsApplicationIconGroup(resource) && ReadIconGroup(resource.data, entries, ids)) {
            language = resource.language;
            previous.insert(previous.end(), ids.begin(), ids.end());
        }
    }
    auto replaced = [&](const AnyResource& resource) {
        return IsApplicationIconGroup(resource) ||
               (resource.type == ICON_IMAGE_TYPE && resource.name.name.empty() &&
                std::find(previous.begin(), previous.end(), resource.name.id) != previous.end());
    };
    resources.erase(std::remove_if(resources.begin(), resources.end(), replaced), resources.end());
    std::vector<int> taken;
    for (const AnyResource& resource : resources)
        if (resource.type == ICON_IMAGE_TYPE && resource.name.name.empty())
            taken.push_back(resource.name.id);
    const std::vector<int> ids = IconImageIds(previous, taken, images.size());
    if (ids.empty())
        return false;
    for (size_t i = 0; i < images.size(); ++i)
        resources.push_back(
            {ICON_IMAGE_TYPE, IntegerKey(static_cast<WORD>(ids[i])), language, images[i].data});
    resources.push_back(
        {ICON_GROUP_TYPE, APPLICATION_ICON_NAME, language, WriteIconGroup(images, ids)});
    return true;
}

std::wstring FolderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return L".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

bool Fail(std::string& error, const std::string& message, const std::wstring& temporary = L"")
{
    if (!temporary.empty())
        DeleteFileW(temporary.c_str());
    error = message;
    return false;
}

} // namespace

bool ReadModuleResources(const std::string& path, std::vector<QuizResource>& resources,
                         std::string& error)
{
    resources.clear();
    std::vector<AnyResource> all;
    if (!ReadAllResources(Widen(path), all))
        return Fail(error, u8"ce n'est pas un programme Windows lisible");
    for (const AnyResource& resource : all)
        if (IsQuizResource(resource))
            resources.push_back({Narrow(resource.type.name), resource.name.id, resource.data});
    Bytes icon;
    if (ReadApplicationIcon(all, icon))
        resources.push_back({ICON_RESOURCE_TYPE, APPLICATION_ICON, icon});
    return true;
}

bool WritePackedPlayer(const std::string& player, const std::string& output,
                       const std::vector<QuizResource>& resources, std::string& error)
{
    const std::wstring playerPath = Widen(player);
    const std::wstring outputPath = Widen(output);
    wchar_t temporary[MAX_PATH + 1];
    if (!GetTempFileNameW(FolderOf(outputPath).c_str(), L"qzp", 0, temporary))
        return Fail(error, u8"son dossier est introuvable ou interdit en écriture");
    const std::wstring temp = temporary;
    if (!CopyFileW(playerPath.c_str(), temp.c_str(), FALSE))
        return Fail(error, u8"la copie du lecteur a échoué", temp);
    SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);

    // The copy is rebuilt with the player's own resources and the quiz's: a
    // template that carried a quiz already loses all of it (deleting single
    // resources is not reliable under Wine).
    std::vector<AnyResource> expected;
    if (!ReadAllResources(playerPath, expected))
        return Fail(error, u8"le lecteur n'est pas un programme Windows lisible", temp);
    expected.erase(std::remove_if(expected.begin(), expected.end(), IsQuizResource),
                   expected.end());
    for (const QuizResource& resource : resources) {
        if (resource.type == ICON_RESOURCE_TYPE) {
            if (!PutApplicationIcon(expected, resource.data))
                return Fail(error, u8"l'icône du quiz est illisible (erreur interne)", temp);
            continue;
        }
        const std::wstring type = Widen(resource.type);
        expected.push_back({ResourceKey(type.c_str()), ResourceKey(MAKEINTRESOURCEW(resource.id)),
                            MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), resource.data});
    }
    std::sort(expected.begin(), expected.end());

    HANDLE update = BeginUpdateResourceW(temp.c_str(), TRUE);
    if (!update)
        return Fail(error, u8"le lecteur n'est pas un programme Windows modifiable", temp);
    bool written = true;
    for (const AnyResource& resource : expected)
        written =
            UpdateResourceW(update, resource.type.Get(), resource.name.Get(), resource.language,
                            const_cast<unsigned char*>(resource.data.data()),
                            static_cast<DWORD>(resource.data.size())) &&
            written;
    if (!EndUpdateResourceW(update, !written) || !written)
        return Fail(error, u8"l'écriture des ressources a échoué", temp);

    std::vector<AnyResource> check;
    if (!ReadAllResources(temp, check) || check != expected)
        return Fail(error, u8"les ressources relues ne sont pas celles écrites", temp);

    if (!MoveFileExW(temp.c_str(), outputPath.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Fail(error, u8"impossible de remplacer le fichier (ouvert ailleurs ?)", temp);
    return true;
}

bool SameFile(const std::string& a, const std::string& b)
{
    BY_HANDLE_FILE_INFORMATION info[2] = {};
    const std::string* paths[2] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        HANDLE file = CreateFileW(Widen(*paths[i]).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        const BOOL ok = GetFileInformationByHandle(file, &info[i]);
        CloseHandle(file);
        if (!ok)
            return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
           info[0].nFileIndexLow == info[1].nFileIndexLow;
}

bool InputIsConsole()
{
    DWORD mode;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

bool ReadInputLine(std::string& line)
{
    line.clear();
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD count = 0;
    if (InputIsConsole()) {
        // A console reads a whole line at once and gives it in UTF-16,
        // whatever code page it shows.
        std::wstring wide;
        wchar_t c;
        while (ReadConsoleW(input, &c, 1, &count, nullptr) && count == 1 && c != L'\n')
            wide += c;
        if (wide.empty() && count == 0)
            return false;
        if (!wide.empty() && wide.back() == L'\r')
            wide.pop_back();
        if (wide.size() == 1 && wide[0] == 0x1A) // Ctrl+Z then Enter
            return false;
        line = Narrow(wide);
        return true;
    }
    // A file or a pipe: its bytes, read a block at a time.
    static char buffer[4096];
    static DWORD size = 0;
    static DWORD next = 0;
    bool any = false;
    for (;;) {
        if (next == size) {
            next = 0;
            if (!ReadFile(input, buffer, sizeof buffer, &size, nullptr) || size == 0) {
                size = 0;
                return any;
            }
        }
        const char c = buffer[next++];
        any = true;
        if (c == '\n')
            return true;
        line += c;
    }
}

PackerPlatform WindowsPlatform()
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    PackerPlatform platform;
    platform.toolDirectory = Narrow(FolderOf(std::wstring(self, length)));
    platform.writePlayer = WritePackedPlayer;
    platform.readResources = ReadModuleResources;
    platform.sameFile = SameFile;
    platform.decodePicture = DecodePictureWithWic;
    platform.readInputLine = ReadInputLine;
    platform.consoleInput = InputIsConsole();
    return platform;
}

void WriteText(bool toError, const std::string& utf8)
{
    if (utf8.empty())
        return;
    HANDLE handle = GetStdHandle(toError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode;
    DWORD written;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Widen(utf8);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
}
