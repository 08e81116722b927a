#include "authoring/source/toml_scan.h"

#include <algorithm>
#include <cctype>

namespace {

bool StartsWith(const std::string& text, size_t at, const char* prefix)
{
    return text.compare(at, std::char_traits<char>::length(prefix), prefix) == 0;
}

// toml++ gives a byte order mark no column.
size_t FirstCharacter(const std::string& text)
{
    return StartsWith(text, 0, "\xEF\xBB\xBF") ? 3 : 0;
}

bool IsContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Past the closing delimiter of the string opened just before i.
TomlToken StringFrom(const std::string& text, size_t begin, TokenKind kind)
{
    const bool multiline = kind == TokenKind::MultilineBasic || kind == TokenKind::MultilineLiteral;
    const bool escapes = kind == TokenKind::BasicString || kind == TokenKind::MultilineBasic;
    const char quote = escapes ? '"' : '\'';
    const size_t size = text.size();
    size_t i = begin + (multiline ? 3 : 1);
    while (i < size) {
        if (!multiline && text[i] == '\n') {
            const size_t end = i > begin && text[i - 1] == '\r' ? i - 1 : i;
            return {kind, begin, end, false};
        }
        if (escapes && text[i] == '\\') {
            // A backslash at a line's end does not carry a single-line string on.
            i += !multiline && i + 1 < size && text[i + 1] == '\n' ? 1 : 2;
            continue;
        }
        if (text[i] == quote && (!multiline || StartsWith(text, i, escapes ? "\"\"\"" : "'''"))) {
            i += multiline ? 3 : 1;
            // A multi-line string may end with one or two quotes of its own.
            for (int extra = 0; multiline && extra < 2 && i < size && text[i] == quote; ++extra)
                ++i;
            return {kind, begin, i, true};
        }
        ++i;
    }
    return {kind, begin, size, false};
}

} // namespace

std::vector<TomlToken> ScanToml(const std::string& text)
{
    std::vector<TomlToken> tokens;
    const size_t size = text.size();
    size_t i = FirstCharacter(text);
    while (i < size) {
        TokenKind kind;
        if (text[i] == '#') {
            size_t end = i;
            while (end < size && text[end] != '\n')
                ++end;
            if (end > i && text[end - 1] == '\r')
                --end;
            tokens.push_back({TokenKind::Comment, i, end, true});
            i = end;
            continue;
        }
        if (StartsWith(text, i, "\"\"\""))
            kind = TokenKind::MultilineBasic;
        else if (StartsWith(text, i, "'''"))
            kind = TokenKind::MultilineLiteral;
        else if (text[i] == '"')
            kind = TokenKind::BasicString;
        else if (text[i] == '\'')
            kind = TokenKind::LiteralString;
        else {
            ++i;
            continue;
        }
        tokens.push_back(StringFrom(text, i, kind));
        i = tokens.back().end > i ? tokens.back().end : i + 1;
    }
    return tokens;
}

const TomlToken* TokenAround(const std::vector<TomlToken>& tokens, size_t offset)
{
    // In order and apart: the last token that begins at or before offset.
    const auto after =
        std::upper_bound(tokens.begin(), tokens.end(), offset,
                         [](size_t at, const TomlToken& token) { return at < token.begin; });
    if (after == tokens.begin())
        return nullptr;
    const TomlToken& token = *(after - 1);
    return offset < token.end ? &token : nullptr;
}

const TomlToken* TokenAt(const std::vector<TomlToken>& tokens, size_t offset)
{
    const TomlToken* token = TokenAround(tokens, offset);
    return token && token->begin == offset ? token : nullptr;
}

const TomlToken* TokenFrom(const std::vector<TomlToken>& tokens, size_t offset)
{
    const auto first =
        std::lower_bound(tokens.begin(), tokens.end(), offset,
                         [](const TomlToken& token, size_t at) { return token.begin < at; });
    return first == tokens.end() ? nullptr : &*first;
}

SourcePlace PlaceOfOffset(const std::string& text, size_t offset)
{
    PlaceCursor cursor;
    return PlaceOfOffset(text, offset, cursor);
}

SourcePlace PlaceOfOffset(const std::string& text, size_t offset, PlaceCursor& cursor)
{
    if (offset < cursor.offset || cursor.offset == 0)
        cursor = {FirstCharacter(text), {1, 1}};
    for (; cursor.offset < offset && cursor.offset < text.size(); ++cursor.offset) {
        if (text[cursor.offset] == '\n')
            cursor.place.line++, cursor.place.column = 1;
        else if (!IsContinuation(text[cursor.offset]))
            cursor.place.column++;
    }
    return cursor.place;
}

size_t OffsetOfPlace(const std::string& text, SourcePlace place)
{
    int line = 1;
    size_t i = FirstCharacter(text);
    while (line < place.line) {
        i = text.find('\n', i);
        if (i == std::string::npos)
            return std::string::npos;
        ++i, ++line;
    }
    for (int column = 1; column < place.column; ++column) {
        if (i >= text.size() || text[i] == '\n')
            return std::string::npos;
        ++i;
        while (i < text.size() && IsContinuation(text[i]))
            ++i;
    }
    return i;
}

TextLine LineAround(const std::string& text, size_t offset)
{
    if (offset > text.size())
        offset = text.size();
    TextLine line;
    const size_t before = offset == 0 ? std::string::npos : text.rfind('\n', offset - 1);
    line.begin = before == std::string::npos ? std::min(FirstCharacter(text), offset) : before + 1;
    const size_t after = text.find('\n', offset);
    line.end = after == std::string::npos ? text.size() : after;
    if (line.end > line.begin && text[line.end - 1] == '\r')
        --line.end;
    return line;
}

std::string LineText(const std::string& text, const TextLine& line)
{
    return text.substr(line.begin, line.end - line.begin);
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string KeyBefore(const std::string& text, size_t offset)
{
    // Read backwards from offset, each step stopping at the first byte that
    // cannot belong there: going to the line's start for every string made
    // a long line of strings cost its length squared.
    auto blanksBefore = [&text](size_t at) {
        while (at > 0 && (text[at - 1] == ' ' || text[at - 1] == '\t'))
            --at;
        return at;
    };
    auto startsLine = [&text](size_t at) {
        return at == 0 || at == FirstCharacter(text) || text[at - 1] == '\n';
    };
    const size_t equals = blanksBefore(std::min(offset, text.size()));
    if (equals == 0 || text[equals - 1] != '=')
        return "";
    const size_t end = blanksBefore(equals - 1);
    if (end == 0)
        return "";
    const char last = text[end - 1];
    if (last == '"' || last == '\'') {
        // Back to the opening quote; "\"" inside a basic key is its own.
        size_t open = end - 1;
        do {
            if (open == 0)
                return "";
            --open;
        } while (text[open] != '\n' &&
                 (text[open] != last || (last == '"' && open > 0 && text[open - 1] == '\\')));
        if (text[open] != last || !startsLine(blanksBefore(open)))
            return "";
        return text.substr(open + 1, end - 1 - open - 1);
    }
    size_t begin = end;
    while (begin > 0 && (isalnum(static_cast<unsigned char>(text[begin - 1])) ||
                         text[begin - 1] == '_' || text[begin - 1] == '-'))
        --begin;
    if (begin == end || !startsLine(blanksBefore(begin)))
        return "";
    return text.substr(begin, end - begin);
}
