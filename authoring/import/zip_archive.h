// The zip container that .xlsx and .ods workbooks are: its central
// directory read by bounded code of ours (a few fixed records), the members
// inflated by zlib. Nothing in it is trusted: every offset and size is
// checked against the file, and what a member inflates to is capped
// whatever its header declares, so that a zip bomb stops at the cap.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ZipMember {
    std::string name;
    uint32_t method = 0; // 0 stored, 8 deflated
    bool encrypted = false;
    uint32_t packedSize = 0;
    uint32_t localHeader = 0; // offset of its local header
};

struct ZipArchive {
    const std::string* bytes = nullptr;
    std::vector<ZipMember> members;
    const ZipMember* Find(const std::string& name) const;
};

// False with a French error when bytes are no zip, or a damaged one.
bool OpenZip(const std::string& bytes, ZipArchive& zip, std::string& error);

// The member's bytes; false with a French error when it is encrypted, packed
// otherwise than by deflate, damaged, or would pass maxBytes once inflated.
bool ReadZipMember(const ZipArchive& zip, const ZipMember& member, size_t maxBytes,
                   std::string& content, std::string& error);
