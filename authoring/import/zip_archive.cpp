#include "authoring/import/zip_archive.h"

#include "authoring/media/little_endian.h"

#include <zlib.h>

namespace {

constexpr uint32_t END_SIGNATURE = 0x06054b50;
constexpr uint32_t CENTRAL_SIGNATURE = 0x02014b50;
constexpr uint32_t LOCAL_SIGNATURE = 0x04034b50;
constexpr size_t END_SIZE = 22, CENTRAL_SIZE = 46, LOCAL_SIZE = 30;
constexpr size_t MAX_COMMENT = 0xFFFF;
// A workbook holds a few dozen members; a directory of more is no workbook.
constexpr size_t MAX_MEMBERS = 10000;

const unsigned char* At(const std::string& bytes, size_t offset)
{
    return reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
}

bool Fits(const std::string& bytes, size_t offset, size_t size)
{
    return offset <= bytes.size() && size <= bytes.size() - offset;
}

const char* const DAMAGED = u8"le classeur est abîmé (son enveloppe zip est incomplète ou "
                            u8"altérée) : ouvrez-le dans le tableur et enregistrez-le de nouveau";

} // namespace

const ZipMember* ZipArchive::Find(const std::string& name) const
{
    for (const ZipMember& member : members)
        if (member.name == name)
            return &member;
    return nullptr;
}

bool OpenZip(const std::string& bytes, ZipArchive& zip, std::string& error)
{
    zip = ZipArchive();
    zip.bytes = &bytes;
    if (bytes.size() < END_SIZE) {
        error = DAMAGED;
        return false;
    }
    // The end record is last, after a comment of 64 KB at most.
    size_t end = bytes.size() - END_SIZE;
    const size_t lowest = end > MAX_COMMENT ? end - MAX_COMMENT : 0;
    while (LittleEndian32(At(bytes, end)) != END_SIGNATURE) {
        if (end == lowest) {
            error = DAMAGED;
            return false;
        }
        --end;
    }
    const unsigned char* record = At(bytes, end);
    const size_t count = LittleEndian16(record + 10);
    const size_t directorySize = LittleEndian32(record + 12);
    size_t at = LittleEndian32(record + 16);
    if (count > MAX_MEMBERS || !Fits(bytes, at, directorySize)) {
        error = DAMAGED;
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        if (!Fits(bytes, at, CENTRAL_SIZE) || LittleEndian32(At(bytes, at)) != CENTRAL_SIGNATURE) {
            error = DAMAGED;
            return false;
        }
        const unsigned char* entry = At(bytes, at);
        const size_t nameSize = LittleEndian16(entry + 28);
        const size_t extraSize = LittleEndian16(entry + 30);
        const size_t commentSize = LittleEndian16(entry + 32);
        if (!Fits(bytes, at + CENTRAL_SIZE, nameSize + extraSize + commentSize)) {
            error = DAMAGED;
            return false;
        }
        ZipMember member;
        member.encrypted = (LittleEndian16(entry + 8) & 1) != 0;
        member.method = LittleEndian16(entry + 10);
        member.packedSize = LittleEndian32(entry + 20);
        member.localHeader = LittleEndian32(entry + 42);
        member.name = bytes.substr(at + CENTRAL_SIZE, nameSize);
        zip.members.push_back(member);
        at += CENTRAL_SIZE + nameSize + extraSize + commentSize;
    }
    return true;
}

bool ReadZipMember(const ZipArchive& zip, const ZipMember& member, size_t maxBytes,
                   std::string& content, std::string& error)
{
    content.clear();
    const std::string& bytes = *zip.bytes;
    if (member.encrypted) {
        error = u8"le classeur est protégé par un mot de passe : dans le tableur, retirez la "
                u8"protection (Fichier, Propriétés ou Informations), enregistrez-le, puis "
                u8"importez-le";
        return false;
    }
    size_t at = member.localHeader;
    if (!Fits(bytes, at, LOCAL_SIZE) || LittleEndian32(At(bytes, at)) != LOCAL_SIGNATURE) {
        error = DAMAGED;
        return false;
    }
    at += LOCAL_SIZE + LittleEndian16(At(bytes, at + 26)) + LittleEndian16(At(bytes, at + 28));
    if (!Fits(bytes, at, member.packedSize)) {
        error = DAMAGED;
        return false;
    }
    const std::string tooLarge = u8"le classeur est trop gros une fois décompressé (plus de " +
                                 std::to_string(maxBytes >> 20) +
                                 u8" Mo) : gardez-y la feuille des questions seule";
    if (member.method == 0) {
        if (member.packedSize > maxBytes) {
            error = tooLarge;
            return false;
        }
        content = bytes.substr(at, member.packedSize);
        return true;
    }
    if (member.method != 8) {
        error = u8"le classeur est compressé d'une façon que Quizz ne lit pas : enregistrez-le "
                u8"de nouveau depuis le tableur, au format .xlsx ou .ods";
        return false;
    }
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        error = DAMAGED;
        return false;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + at));
    stream.avail_in = member.packedSize;
    char buffer[64 * 1024];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        result = inflate(&stream, Z_NO_FLUSH);
        const size_t made = sizeof buffer - stream.avail_out;
        if (made > maxBytes - content.size()) {
            inflateEnd(&stream);
            content.clear();
            error = tooLarge;
            return false;
        }
        content.append(buffer, made);
        if (result == Z_OK && made == 0 && stream.avail_in == 0)
            break; // the data stops before its end
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END) {
        content.clear();
        error = DAMAGED;
        return false;
    }
    return true;
}
