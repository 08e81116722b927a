#include "authoring/source/source_escapes.h"

#include "authoring/source/name_suggestion.h"
#include "authoring/source/source_reader.h"
#include "authoring/source/toml_scan.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsHex(const std::string& text, size_t from, size_t count)
{
    if (from + count > text.size())
        return false;
    for (size_t i = from; i < from + count; ++i)
        if (!isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

const char* ControlName(char escape)
{
    switch (escape) {
    case 'n':
        return u8"un retour à la ligne";
    case 't':
        return "une tabulation";
    case 'r':
        return "un retour chariot";
    case 'b':
        return u8"un retour arrière";
    case 'f':
        return "un saut de page";
    default:
        return nullptr;
    }
}

// "\\" and "\"" are what a text means; "\u00E9" too, but it makes the
// characters it codes, which the later checks judge.
bool IsPlainEscape(const std::string& text, size_t backslash)
{
    const char next = text[backslash + 1];
    return next == '\\' || next == '"' || (next == 'u' && IsHex(text, backslash + 2, 4)) ||
           (next == 'U' && IsHex(text, backslash + 2, 8));
}

std::string EscapeProblem(const std::string& text, size_t backslash, bool apostrophes)
{
    const char next = text[backslash + 1];
    const std::string escape = text.substr(backslash, 2);
    std::string message;
    if (next == '\'')
        return u8"« \\' » : entre guillemets, une apostrophe s'écrit telle quelle, sans \\";
    if (const char* control = ControlName(next))
        message = Quoted(escape) + " fait " + control + u8", interdit dans un texte";
    else if (next == 'u' || next == 'U')
        message = Quoted(escape) + u8" attend un code de caractère en hexadécimal (\\u00E9 pour é)";
    else
        message = Quoted(escape) + u8" inconnu : entre guillemets, \\ annonce un caractère "
                                   u8"spécial (\\\" pour un guillemet)";
    message += u8" ; pour une barre \\, doublez-la (\\" + escape + ")";
    if (apostrophes)
        message += u8" ou écrivez le texte entre apostrophes '…'";
    return message;
}

// A path between quotes: up to the next quote of its line, every run of
// backslashes one separator. False when the path holds an escaped quote,
// which no Windows name holds: its backslashes are then TOML's escapes.
bool MendPath(std::string& mended, const std::string& text, const TomlToken& token,
              PlaceCursor& cursor, std::vector<EscapeFinding>& findings)
{
    const size_t open = token.begin;
    const size_t close = token.kind == TokenKind::BasicString
                             ? text.find_first_of("\"\n", open + 1)
                             : (token.closed ? token.end - 1 : std::string::npos);
    if (token.kind == TokenKind::BasicString && token.closed && close != token.end - 1 &&
        std::find(text.begin() + open, text.begin() + token.end, '\n') == text.begin() + token.end)
        return false;
    if (close == std::string::npos || text[close] != text[open])
        return true; // not closed: toml++ tells
    const std::string raw = text.substr(open + 1, close - open - 1);
    if (raw.find('\\') == std::string::npos)
        return true;
    std::string meant;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\')
            meant += raw[i];
        else if (i == 0 || raw[i - 1] != '\\')
            meant += '/';
    }
    for (size_t i = open + 1; i < close; ++i)
        if (mended[i] == '\\')
            mended[i] = '/';
    EscapeFinding finding;
    finding.value = PlaceOfOffset(text, open, cursor);
    finding.problem = {finding.value, "",
                       u8"les \\ du chemin sont lus comme des séparateurs de dossier ; écrivez \"" +
                           meant + "\"",
                       Severity::Notice};
    finding.meantPath = true;
    finding.path = meant;
    findings.push_back(finding);
    return true;
}

void CheckEscapes(std::string& mended, const std::string& text, const TomlToken& token,
                  PlaceCursor& cursor, std::vector<EscapeFinding>& findings)
{
    const SourcePlace value = PlaceOfOffset(text, token.begin, cursor);
    const size_t last = token.end - 1; // the closing quote
    const bool apostrophes =
        text.substr(token.begin + 1, last - token.begin - 1).find('\'') == std::string::npos;
    for (size_t i = token.begin + 1; i < last; ++i) {
        if (text[i] != '\\')
            continue;
        if (IsPlainEscape(text, i)) {
            ++i;
            continue;
        }
        EscapeFinding finding;
        finding.value = value;
        finding.problem = {PlaceOfOffset(text, i, cursor), "", EscapeProblem(text, i, apostrophes)};
        findings.push_back(finding);
        mended[i] = '/'; // the error is told; toml++ reads on
    }
}

} // namespace

bool IsPathKey(const std::string& key)
{
    return key == KEY_PICTURE || key == KEY_SOUND || key == KEY_FILM || key == KEY_REVEAL_PICTURE;
}

namespace {

// A path key, or one misspelt ("imgae"): its backslashes are a path's all
// the same, so that what is told is the misspelling, not a form feed.
bool MeansPathKey(const std::string& key)
{
    static const std::vector<std::string> PATH_KEYS = {KEY_PICTURE, KEY_SOUND, KEY_FILM,
                                                       KEY_REVEAL_PICTURE};
    return IsPathKey(key) || IsPathKey(NearestName(key, PATH_KEYS));
}

} // namespace

std::string MendBackslashes(const std::string& text, std::vector<EscapeFinding>& findings)
{
    std::string mended = text;
    PlaceCursor cursor;
    for (const TomlToken& token : ScanToml(text)) {
        if (token.kind != TokenKind::BasicString && token.kind != TokenKind::LiteralString)
            continue;
        if (MeansPathKey(KeyBefore(text, token.begin)) &&
            MendPath(mended, text, token, cursor, findings))
            continue;
        if (token.kind == TokenKind::BasicString && token.closed)
            CheckEscapes(mended, text, token, cursor, findings);
    }
    return mended;
}
