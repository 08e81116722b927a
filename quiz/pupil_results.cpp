#include "quiz/pupil_results.h"

#include "quiz/base64.h"
#include "quiz/lzw.h"
#include "quiz/sha256.h"
#include "quiz/text_encoding.h"

#include <cstdlib>
#include <cstring>

namespace {

// "Quizz : résultats 1", é in UTF-8 whatever the compiler's character set.
constexpr const char* HEADER = "Quizz : r\xC3\xA9sultats 1";
constexpr const char* LINE_END = "\r\n";

std::string Hex(const uint8_t* bytes, size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 15];
    }
    return hex;
}

std::string Check(const std::string& lines, const std::vector<unsigned char>& key)
{
    const Sha256Digest mac = HmacSha256(
        key.data(), key.size(), reinterpret_cast<const uint8_t*>(lines.data()), lines.size());
    return Hex(mac.data(), mac.size());
}

// A value that stays on its line: line breaks and other control characters
// become spaces.
std::string OneLine(const std::string& value)
{
    std::string line = value;
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return line;
}

bool IsHex(const std::string& text, size_t digits)
{
    if (text.size() != digits)
        return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

} // namespace

std::vector<unsigned char> WorkKey(const std::string& title)
{
    const std::string seed = "Quizz : travail rendu\n" + title;
    const Sha256Digest digest = Sha256(reinterpret_cast<const uint8_t*>(seed.data()), seed.size());
    return {digest.begin(), digest.begin() + WORK_KEY_SIZE};
}

std::string QuizIdentity(const std::vector<unsigned char>& key)
{
    const Sha256Digest digest = Sha256(key.data(), key.size());
    return Hex(digest.data(), 16);
}

namespace {

// A part of a file name: see ResultsFileName.
std::string NamePart(const std::string& utf8, const char* fallback)
{
    // Indexes into the text rather than erasing and popping: each string
    // operation is code of its own in the web page's JavaScript.
    auto trimmed = [](char c) { return c == ' ' || c == '.'; };
    size_t start = 0;
    size_t end = utf8.size();
    while (start < end && trimmed(utf8[start]))
        ++start;
    if (end - start > 60) {
        // Cut before the first byte of a letter.
        end = start + 60;
        while (end > start && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
    }
    while (end > start && trimmed(utf8[end - 1]))
        --end;
    std::string part;
    for (size_t i = start; i < end; ++i) {
        const unsigned char byte = static_cast<unsigned char>(utf8[i]);
        part += byte < 0x20 || byte == 0x7F || memchr("\\/:*?\"<>|", byte, 9) ? '-' : utf8[i];
    }
    return part.empty() || FindInvalidUtf8(part) != std::string::npos ? fallback : part;
}

} // namespace

std::string ResultsFileName(const std::string& title, const std::string& name)
{
    return NamePart(Windows1252ToUtf8(title), "quiz") + " - " + NamePart(name, "eleve") + ".txt";
}

namespace {

// A box's number as the file writes it; std::to_string would bring the web
// page a general number formatter for three digits.
std::string BoxNumber(size_t box)
{
    char digits[20];
    char* const end = digits + sizeof digits;
    char* start = end;
    do {
        *--start = static_cast<char>('0' + box % 10);
        box /= 10;
    } while (box > 0);
    return std::string(start, end);
}

// Appends "name = value" and the line end, the value kept on its line.
void AddLine(std::string& text, const std::string& name, const std::string& value)
{
    text += name;
    text += " = ";
    text += OneLine(value);
    text += LINE_END;
}

} // namespace

std::string WriteResults(const PupilResults& results, const std::vector<unsigned char>& key)
{
    std::string name = OneLine(results.name);
    if (name.size() > MAX_PUPIL_NAME) {
        name.resize(MAX_PUPIL_NAME);
        // Not in the middle of a letter.
        while (!name.empty() && FindInvalidUtf8(name) != std::string::npos)
            name.pop_back();
    }
    std::string text = HEADER;
    text += LINE_END;
    AddLine(text, "quiz", results.quiz);
    AddLine(text, "eleve", name);
    AddLine(text, "date", results.date);
    for (size_t box = 0; box < results.answers.size() && box < MAX_RESULT_BOXES; ++box)
        AddLine(text, BoxNumber(box + 1), Windows1252ToUtf8(results.answers[box]));
    AddLine(text, "controle", Check(text, key));
    return text;
}

namespace {

// The file a block holds, or "" when text holds no whole block.
std::string FileOfBlock(const std::string& text)
{
    const size_t start = text.find(RESULTS_BLOCK_START);
    const size_t end = start == std::string::npos ? start : text.find(RESULTS_BLOCK_END, start);
    if (end == std::string::npos)
        return "";
    // What mail programs add between the lines: quoting marks, spaces, no-
    // break spaces; only base64's own characters are kept.
    std::string base64;
    for (size_t i = start + std::string(RESULTS_BLOCK_START).size(); i < end; ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '+' || c == '/' || c == '=')
            base64 += c;
    }
    std::string coded;
    if (!DecodeBase64(base64, coded, LZW_MAX_INPUT))
        return "";
    unsigned char* plain = nullptr;
    uint32_t length = 0;
    std::string file;
    if (LzwDecode(reinterpret_cast<const unsigned char*>(coded.data()),
                  static_cast<uint32_t>(coded.size()), &plain, &length) == LZW_OK)
        file.assign(reinterpret_cast<const char*>(plain), length);
    free(plain);
    return file;
}

ResultsRead ReadResultsFile(const std::string& text, const std::vector<unsigned char>& key,
                            PupilResults& results);

} // namespace

std::string ResultsBlock(const std::string& file)
{
    unsigned char* coded = nullptr;
    uint32_t length = 0;
    std::string block;
    if (file.size() <= LZW_MAX_INPUT &&
        LzwEncode(reinterpret_cast<const unsigned char*>(file.data()),
                  static_cast<uint32_t>(file.size()), &coded, &length) == LZW_OK) {
        const std::string base64 = EncodeBase64(coded, length);
        block = RESULTS_BLOCK_START;
        block += LINE_END;
        for (size_t at = 0; at < base64.size(); at += 60) {
            block.append(base64, at, 60);
            block += LINE_END;
        }
        block += RESULTS_BLOCK_END;
        block += LINE_END;
    }
    free(coded);
    return block;
}

ResultsRead ReadResults(const std::string& text, const std::vector<unsigned char>& key,
                        PupilResults& results)
{
    if (text.find(RESULTS_BLOCK_START) != std::string::npos) {
        const std::string file = FileOfBlock(text);
        return file.empty() ? ResultsRead::Unreadable : ReadResultsFile(file, key, results);
    }
    return ReadResultsFile(text, key, results);
}

namespace {

ResultsRead ReadResultsFile(const std::string& text, const std::vector<unsigned char>& key,
                            PupilResults& results)
{
    PupilResults read;
    size_t at = 0;
    size_t checkedUpTo = 0;
    std::string check;
    for (int line = 0; at < text.size(); ++line) {
        size_t end = text.find('\n', at);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        std::string content = text.substr(at, end - at);
        if (!content.empty() && content.back() == '\r')
            content.pop_back();
        if (line == 0) {
            if (content != HEADER)
                return ResultsRead::Unreadable;
        } else {
            const size_t equals = content.find(" = ");
            if (equals == std::string::npos)
                return ResultsRead::Unreadable;
            const std::string name = content.substr(0, equals);
            const std::string value = content.substr(equals + 3);
            // The writer puts no control character in a value.
            if (FindInvalidUtf8(value) != std::string::npos || OneLine(value) != value)
                return ResultsRead::Unreadable;
            const size_t box = read.answers.size() + 1;
            if (name == "quiz" && line == 1 && IsHex(value, 32)) {
                read.quiz = value;
            } else if (name == "eleve" && line == 2 && value.size() <= MAX_PUPIL_NAME) {
                read.name = value;
            } else if (name == "date" && line == 3) {
                read.date = value;
            } else if (line > 3 && name == BoxNumber(box) && box <= MAX_RESULT_BOXES) {
                read.answers.push_back(Utf8ToWindows1252(value, '?'));
            } else if (line > 3 && name == "controle" && IsHex(value, 64)) {
                check = value;
                checkedUpTo = at;
                at = next;
                break;
            } else {
                return ResultsRead::Unreadable;
            }
        }
        at = next;
    }
    // Only blank lines may follow the check (a mail program adds them).
    if (check.empty() || text.find_first_not_of(" \t\r\n", at) != std::string::npos)
        return ResultsRead::Unreadable;
    // A file written on another system may have lost its CRs: the check is
    // over the lines as written, CR LF.
    std::string lines;
    for (size_t start = 0; start < checkedUpTo;) {
        size_t end = text.find('\n', start);
        std::string content = text.substr(start, end - start);
        if (!content.empty() && content.back() == '\r')
            content.pop_back();
        lines += content + LINE_END;
        start = end + 1;
    }
    results = read;
    return Check(lines, key) == check ? ResultsRead::Read : ResultsRead::Altered;
}

} // namespace
