// Base64 (RFC 4648, with "+" and "/"), as Moodle's banks carry their
// pictures, the quiz page its resources and a pupil's results pasted as text.
#pragma once

#include <cstddef>
#include <string>

// The bytes of base64 text (spaces and line breaks skipped); false when it
// holds another character or its end is cut, or when the bytes would pass
// maxBytes.
bool DecodeBase64(const std::string& text, std::string& bytes, size_t maxBytes);

// The text of bytes, padded with "=", on one line.
std::string EncodeBase64(const unsigned char* bytes, size_t size);
