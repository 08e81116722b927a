#include "authoring/import/html_text.h"

#include "quiz/text_encoding.h"

#include <cstdlib>

namespace {

const struct {
    const char* name;
    char32_t codePoint;
} ENTITIES[] = {
    {"amp", '&'},       {"lt", '<'},       {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
    {"nbsp", ' '},      {"agrave", 0xE0},  {"acirc", 0xE2},   {"auml", 0xE4},    {"ccedil", 0xE7},
    {"egrave", 0xE8},   {"eacute", 0xE9},  {"ecirc", 0xEA},   {"euml", 0xEB},    {"icirc", 0xEE},
    {"iuml", 0xEF},     {"ocirc", 0xF4},   {"ouml", 0xF6},    {"ugrave", 0xF9},  {"ucirc", 0xFB},
    {"uuml", 0xFC},     {"Agrave", 0xC0},  {"Acirc", 0xC2},   {"Ccedil", 0xC7},  {"Egrave", 0xC8},
    {"Eacute", 0xC9},   {"Ecirc", 0xCA},   {"Icirc", 0xCE},   {"Ocirc", 0xD4},   {"Ugrave", 0xD9},
    {"Ucirc", 0xDB},    {"oelig", 0x153},  {"OElig", 0x152},  {"laquo", 0xAB},   {"raquo", 0xBB},
    {"deg", 0xB0},      {"rsquo", 0x2019}, {"lsquo", 0x2018}, {"ldquo", 0x201C}, {"rdquo", 0x201D},
    {"hellip", 0x2026}, {"ndash", 0x2013}, {"mdash", 0x2014}, {"euro", 0x20AC},
};

// Tags whose place is a line break in the text.
const char* const BREAKS[] = {"br", "p", "/p", "div", "/div", "li", "tr", "/tr", "h1", "h2", "h3"};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string TagName(const std::string& tag)
{
    std::string name;
    for (size_t i = 0; i < tag.size() && (IsLetter(tag[i]) || (i == 0 && tag[i] == '/') ||
                                          (i > 0 && tag[i] >= '0' && tag[i] <= '9'));
         ++i)
        name += tag[i] >= 'A' && tag[i] <= 'Z' ? static_cast<char>(tag[i] - 'A' + 'a') : tag[i];
    return name;
}

} // namespace

char32_t CharacterReference(const std::string& html, size_t i, size_t& length)
{
    // Names are short: looking further would make a text of "&" quadratic.
    const size_t end = html.substr(i, 12).find(';');
    if (end == std::string::npos)
        return 0;
    const std::string name = html.substr(i + 1, end - 1);
    length = end + 1;
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF"
                                                           : "0123456789") != std::string::npos)
            return 0;
        const unsigned long value = strtoul(digits.c_str(), nullptr, hex ? 16 : 10);
        const bool valid = value > 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
        return valid ? static_cast<char32_t>(value) : 0;
    }
    for (const auto& entity : ENTITIES)
        if (name == entity.name)
            return entity.codePoint;
    return 0;
}

PlainText PlainTextOfHtml(const std::string& html)
{
    PlainText plain;
    size_t close = html.find('>'); // the next ">" at or after i, found again once passed
    for (size_t i = 0; i < html.size();) {
        const char next = i + 1 < html.size() ? html[i + 1] : '\0';
        if (close != std::string::npos && close < i)
            close = html.find('>', i);
        if (html[i] == '<' && close != std::string::npos &&
            (IsLetter(next) || next == '/' || next == '!')) {
            const std::string name = TagName(html.substr(i + 1, close - i - 1));
            for (const char* tag : BREAKS)
                if (name == tag)
                    plain.text += '\n';
            plain.hadPicture = plain.hadPicture || name == "img";
            plain.hadTags = true;
            i = close + 1;
            continue;
        }
        size_t length = 0;
        const char32_t c = html[i] == '&' ? CharacterReference(html, i, length) : 0;
        if (c) {
            AppendUtf8(plain.text, c);
            i += length;
        } else {
            plain.text += html[i++];
        }
    }
    return plain;
}

std::string HtmlText(const std::string& utf8)
{
    std::string text;
    for (char c : utf8) {
        switch (c) {
        case '&':
            text += "&amp;";
            break;
        case '<':
            text += "&lt;";
            break;
        case '>':
            text += "&gt;";
            break;
        case '"':
            text += "&quot;";
            break;
        default:
            text += c;
        }
    }
    return text;
}
