#include "quiz/base64.h"

namespace {

constexpr char ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Sextet(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    return c == '+' ? 62 : c == '/' ? 63 : -1;
}

} // namespace

bool DecodeBase64(const std::string& text, std::string& bytes, size_t maxBytes)
{
    bytes.clear();
    unsigned buffer = 0;
    int bits = 0;
    size_t padding = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        const int sextet = Sextet(c);
        if (sextet < 0 || padding > 0)
            return false;
        buffer = (buffer << 6 | static_cast<unsigned>(sextet)) & 0xFFFFFF;
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            if (bytes.size() == maxBytes)
                return false;
            bytes += static_cast<char>(buffer >> bits & 0xFF);
        }
    }
    // A last group of one sextet holds no whole byte: the text is cut.
    return bits != 6 && padding <= 2;
}

std::string EncodeBase64(const unsigned char* bytes, size_t size)
{
    std::string text;
    for (size_t i = 0; i < size; i += 3) {
        const size_t left = size - i;
        const unsigned group =
            bytes[i] << 16 | (left > 1 ? bytes[i + 1] << 8 : 0) | (left > 2 ? bytes[i + 2] : 0);
        text += ALPHABET[group >> 18 & 63];
        text += ALPHABET[group >> 12 & 63];
        text += left > 1 ? ALPHABET[group >> 6 & 63] : '=';
        text += left > 2 ? ALPHABET[group & 63] : '=';
    }
    return text;
}
