#include "authoring/packing/stored_source.h"

#include "quiz/quiz_record.h"
#include "quiz/resource_names.h"
#include "quiz/text_encoding.h"

#include <cstring>

namespace {

const unsigned char MAGIC[6] = {'Q', 'Z', 'S', 'R', 'C', 1};
constexpr size_t MAX_NAME = 255;
constexpr size_t MAX_MEDIA = 2 * MAX_QUESTIONS;

bool IsMediumId(int id)
{
    return id == KEPT_ICON_ID ||
           (id > MEDIA_RESOURCE_BASE && id <= MEDIA_RESOURCE_BASE + MAX_QUESTIONS) ||
           (id > REVEAL_PICTURE_RESOURCE_BASE &&
            id <= REVEAL_PICTURE_RESOURCE_BASE + MAX_QUESTIONS);
}

void Put(std::vector<unsigned char>& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

struct Input {
    const unsigned char* data;
    size_t size;
    size_t at = 0;

    bool Take(size_t count, const unsigned char*& start)
    {
        if (count > size - at)
            return false;
        start = data + at;
        at += count;
        return true;
    }

    bool Number(int size, uint32_t& value)
    {
        const unsigned char* bytes = nullptr;
        if (!Take(static_cast<size_t>(size), bytes))
            return false;
        value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | bytes[i];
        return true;
    }

    bool Text(size_t length, std::string& text)
    {
        const unsigned char* bytes = nullptr;
        if (!Take(length, bytes))
            return false;
        text.assign(reinterpret_cast<const char*>(bytes), length);
        return true;
    }
};

bool IsDeviceName(std::string part)
{
    // Windows looks at the name before its extension, spaces at its end left
    // out: "nul .jpg" is the device too.
    const size_t dot = part.find('.');
    if (dot != std::string::npos)
        part.erase(dot);
    part.erase(part.find_last_not_of(' ') + 1);
    for (char& c : part)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    static const char* const DEVICES[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (const char* device : DEVICES)
        if (part == device)
            return true;
    if (part.compare(0, 3, "com") != 0 && part.compare(0, 3, "lpt") != 0)
        return false;
    // Windows takes the superscript digits (UTF-8 here) for ports too.
    const std::string number = part.substr(3);
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == u8"¹" ||
           number == u8"²" || number == u8"³";
}

bool IsSafePart(const std::string& part)
{
    if (part.empty() || part == "." || part == ".." || part.back() == '.' || part.back() == ' ')
        return false;
    for (char c : part) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || strchr("\\:*?\"<>|", c))
            return false;
    }
    return !IsDeviceName(part);
}

} // namespace

bool IsSafeMediaName(const std::string& name)
{
    if (name.empty() || name.size() > MAX_NAME || FindInvalidUtf8(name) != std::string::npos)
        return false;
    size_t start = 0;
    while (true) {
        const size_t slash = name.find('/', start);
        if (!IsSafePart(name.substr(start, slash - start)))
            return false;
        if (slash == std::string::npos)
            return true;
        start = slash + 1;
    }
}

bool EncodeStoredSource(const StoredSource& stored, std::vector<unsigned char>& bytes)
{
    bytes.clear();
    if (stored.text.size() > MAX_STORED_TEXT || stored.media.size() > MAX_MEDIA)
        return false;
    bytes.assign(MAGIC, MAGIC + sizeof MAGIC);
    Put(bytes, static_cast<uint32_t>(stored.text.size()), 4);
    bytes.insert(bytes.end(), stored.text.begin(), stored.text.end());
    Put(bytes, static_cast<uint32_t>(stored.media.size()), 2);
    for (const StoredMedium& medium : stored.media) {
        if (!IsMediumId(medium.id) || !IsSafeMediaName(medium.name)) {
            bytes.clear();
            return false;
        }
        Put(bytes, static_cast<uint32_t>(medium.id), 2);
        Put(bytes, static_cast<uint32_t>(medium.name.size()), 1);
        bytes.insert(bytes.end(), medium.name.begin(), medium.name.end());
    }
    return true;
}

bool DecodeStoredSource(const unsigned char* data, size_t size, StoredSource& stored)
{
    stored = StoredSource();
    Input input = {data, size};
    const unsigned char* magic = nullptr;
    uint32_t length = 0;
    uint32_t count = 0;
    if (!data || !input.Take(sizeof MAGIC, magic) || memcmp(magic, MAGIC, sizeof MAGIC) != 0 ||
        !input.Number(4, length) || length > MAX_STORED_TEXT || !input.Text(length, stored.text) ||
        !input.Number(2, count) || count > MAX_MEDIA)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        StoredMedium medium;
        uint32_t id = 0;
        uint32_t nameLength = 0;
        if (!input.Number(2, id) || !input.Number(1, nameLength) ||
            !input.Text(nameLength, medium.name))
            return false;
        medium.id = static_cast<int>(id);
        if (!IsMediumId(medium.id) || !IsSafeMediaName(medium.name))
            return false;
        for (const StoredMedium& other : stored.media)
            if (other.id == medium.id)
                return false;
        stored.media.push_back(medium);
    }
    return input.at == size;
}
