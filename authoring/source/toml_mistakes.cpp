#include "authoring/source/toml_mistakes.h"

#include "authoring/source/name_suggestion.h"
#include "authoring/source/source_writer.h"
#include "authoring/source/toml_scan.h"
#include "quiz/text_encoding.h"

#include <cctype>

namespace {

// What a word processor makes of straight quotes: “ ” „ « » ‘ ’.
bool IsTypographicQuote(char32_t c)
{
    return c == 0x201C || c == 0x201D || c == 0x201E || c == 0xAB || c == 0xBB || c == 0x2018 ||
           c == 0x2019;
}

char32_t CodePointAt(const std::string& text, size_t offset)
{
    char32_t c = 0;
    return NextCodePoint(text, offset, c) ? c : 0;
}

bool IsBareKey(const std::string& key)
{
    if (key.empty())
        return false;
    for (char c : key)
        if (!(isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-'))
            return false;
    return true;
}

std::string Unquoted(const std::string& key)
{
    if (key.size() >= 2 && (key[0] == '"' || key[0] == '\'') && key.back() == key[0])
        return key.substr(1, key.size() - 2);
    return key;
}

// A key-value line as written: the key, where its value starts, where the
// value's text ends (before a comment).
struct ValueLine {
    TextLine line;
    std::string key; // as written, quotes included
    size_t equals = std::string::npos;
    size_t value = 0;    // first character of the value, or the line's end
    size_t valueEnd = 0; // before a comment and trailing spaces
};

bool ReadValueLine(const std::string& text, const std::vector<TomlToken>& tokens, size_t offset,
                   ValueLine& out)
{
    out.line = LineAround(text, offset);
    size_t from = out.line.begin;
    while (from < out.line.end && (text[from] == ' ' || text[from] == '\t'))
        ++from;
    if (from < out.line.end && (text[from] == '"' || text[from] == '\''))
        if (const TomlToken* key = TokenAt(tokens, from))
            from = key->end;
    out.equals = text.find('=', from);
    if (out.equals == std::string::npos || out.equals >= out.line.end)
        return false;
    out.key = Trimmed(text.substr(out.line.begin, out.equals - out.line.begin));
    out.value = out.equals + 1;
    while (out.value < out.line.end && (text[out.value] == ' ' || text[out.value] == '\t'))
        ++out.value;
    out.valueEnd = out.line.end;
    if (out.value < out.line.end && text[out.value] != '#')
        for (const TomlToken* token = TokenFrom(tokens, out.value);
             token && token != tokens.data() + tokens.size() && token->begin < out.line.end;
             ++token)
            if (token->kind == TokenKind::Comment) {
                out.valueEnd = token->begin;
                break;
            }
    while (out.valueEnd > out.value &&
           (text[out.valueEnd - 1] == ' ' || text[out.valueEnd - 1] == '\t'))
        --out.valueEnd;
    return true;
}

// The value without the curly quotes and spaces around it.
std::string WithoutTypographicQuotes(const std::string& value)
{
    std::vector<size_t> starts; // of each character, then the end
    std::vector<char32_t> characters;
    size_t position = 0;
    while (position < value.size()) {
        starts.push_back(position);
        char32_t c = 0;
        if (!NextCodePoint(value, position, c))
            ++position;
        characters.push_back(c);
    }
    starts.push_back(value.size());
    auto around = [](char32_t c) { return IsTypographicQuote(c) || c == ' ' || c == '\t'; };
    size_t first = 0;
    size_t last = characters.size();
    while (first < last && around(characters[first]))
        ++first;
    while (last > first && around(characters[last - 1]))
        --last;
    return value.substr(starts[first], starts[last] - starts[first]);
}

std::string Fix(const ValueLine& line, const std::string& value)
{
    return line.key + " = " + TomlString(value);
}

std::string MissingQuotes(const std::string& text, const ValueLine& line)
{
    const std::string raw = text.substr(line.value, line.valueEnd - line.value);
    return u8"il manque des guillemets autour de la valeur" +
           std::string(raw[0] == '#' ? u8" (# y commencerait un commentaire)" : "") + " : " +
           Fix(line, raw);
}

// The value of a key-value line, when its form explains the error.
bool ExplainValue(const std::string& text, const std::vector<TomlToken>& tokens,
                  const ValueLine& line, std::string& message)
{
    if (line.value >= line.valueEnd) {
        message = u8"valeur manquante après = : écrivez " + Fix(line, "...");
        return true;
    }
    const char first = text[line.value];
    if (first == '[' || first == '{')
        return false;
    if (IsTypographicQuote(CodePointAt(text, line.value))) {
        size_t end = line.value;
        char32_t c;
        NextCodePoint(text, end, c);
        message =
            u8"guillemets typographiques " + Quoted(text.substr(line.value, end - line.value)) +
            u8" : un texte s'écrit entre guillemets droits \" (touche 3 du clavier, "
            u8"dans le Bloc-notes) : " +
            Fix(line,
                WithoutTypographicQuotes(text.substr(line.value, line.valueEnd - line.value)));
        return true;
    }
    if (first != '"' && first != '\'') {
        message = MissingQuotes(text, line);
        return true;
    }
    const TomlToken* token = TokenAt(tokens, line.value);
    if (!token)
        return false;
    if (!token->closed) {
        message = std::string(first == '"' ? u8"il manque le guillemet fermant"
                                           : u8"il manque l'apostrophe fermante") +
                  " : " +
                  Fix(line, Trimmed(text.substr(line.value + 1, token->end - line.value - 1)));
        return true;
    }
    if (token->end >= line.valueEnd)
        return false;
    const std::string rest = text.substr(token->end, line.valueEnd - token->end);
    const size_t lastQuote = text.rfind(first, line.valueEnd - 1);
    if (rest.find(first) != std::string::npos && lastQuote > token->end) {
        const std::string inner = text.substr(line.value + 1, lastQuote - line.value - 1);
        message = first == '"' ? u8"les guillemets dans un texte s'écrivent \\\" ou le texte "
                                 u8"entre apostrophes '…' : " +
                                     Fix(line, inner)
                               : u8"une apostrophe dans un texte entre apostrophes le coupe : "
                                 u8"écrivez-le entre guillemets : " +
                                     Fix(line, inner);
        return true;
    }
    message = u8"après le texte, rien d'autre qu'un commentaire (# ...) sur la ligne : retirez " +
              Quoted(Trimmed(rest));
    return true;
}

int LineNumber(const std::string& text, size_t offset)
{
    return PlaceOfOffset(text, offset).line;
}

bool InsideMultilineString(const std::vector<TomlToken>& tokens, size_t offset)
{
    const TomlToken* token = TokenAround(tokens, offset);
    return token &&
           (token->kind == TokenKind::MultilineBasic || token->kind == TokenKind::MultilineLiteral);
}

// The earlier line of the same table that sets key, and whether that table
// is a [[question]] block; 0 when none is found.
int EarlierLine(const std::string& text, const std::vector<TomlToken>& tokens,
                const TextLine& errorLine, const std::string& key, bool& inQuestion)
{
    inQuestion = false;
    int found = 0;
    size_t end = errorLine.begin;
    while (end > 0) {
        const TextLine line = LineAround(text, end - 1);
        end = line.begin;
        if (InsideMultilineString(tokens, line.begin))
            continue;
        const std::string content = Trimmed(LineText(text, line));
        if (content.compare(0, 1, "[") == 0) {
            inQuestion = content.compare(0, 12, "[[question]]") == 0;
            break;
        }
        ValueLine value;
        if (ReadValueLine(text, tokens, line.begin, value) && Unquoted(value.key) == key)
            found = LineNumber(text, line.begin);
    }
    return found;
}

std::string QuotedName(const std::string& description)
{
    const size_t open = description.find('\'');
    const size_t close = open == std::string::npos ? open : description.find('\'', open + 1);
    if (close == std::string::npos)
        return "";
    return description.substr(open + 1, close - open - 1);
}

bool Has(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

std::string Shown(const std::string& line)
{
    std::string shown = Trimmed(line);
    if (shown.size() > 60) {
        size_t cut = 57;
        while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80)
            --cut;
        shown = shown.substr(0, cut) + u8"…";
    }
    return shown;
}

std::string Generic(const std::string& text, const TextLine& line)
{
    return u8"la ligne " + std::to_string(LineNumber(text, line.begin)) + u8" ne se lit pas : " +
           Quoted(Shown(LineText(text, line))) +
           u8" ; chaque ligne s'écrit clé = \"texte\", [[question]] ou # commentaire";
}

// "la clé « seconde reponse » s'écrit sans espaces : seconde_reponse", or ""
// when folding it makes no key.
std::string BadKey(const std::string& key)
{
    const std::string fixed = FoldedName(key);
    if (fixed == key || !IsBareKey(fixed))
        return "";
    const bool spaces = key.find(' ') != std::string::npos;
    bool accents = false;
    for (char c : key)
        accents = accents || static_cast<unsigned char>(c) >= 0x80;
    const char* how = spaces && accents ? u8"sans accents ni espaces"
                      : spaces          ? u8"sans espaces"
                      : accents         ? u8"sans accents"
                                        : u8"en minuscules";
    return u8"la clé " + Quoted(key) + u8" s'écrit " + how + " : " + fixed;
}

} // namespace

bool FindStrayCharacter(const std::string& text, Problem& problem)
{
    const std::vector<TomlToken> tokens = ScanToml(text);
    size_t stray = std::string::npos;
    size_t i = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    size_t next = 0;
    while (i < text.size()) {
        while (next < tokens.size() && tokens[next].end <= i)
            ++next;
        if (next < tokens.size() && tokens[next].begin <= i) {
            i = tokens[next].end;
            continue;
        }
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            stray = i;
            break;
        }
        ++i;
    }
    if (stray == std::string::npos)
        return false;

    problem = {PlaceOfOffset(text, stray), "", ""};
    ValueLine line;
    if (ReadValueLine(text, tokens, stray, line) && stray > line.equals) {
        if (ExplainValue(text, tokens, line, problem.message))
            return true;
    }
    size_t end = stray;
    char32_t c;
    NextCodePoint(text, end, c);
    const std::string character = text.substr(stray, end - stray);
    if (IsTypographicQuote(c)) {
        problem.message = u8"guillemets typographiques " + Quoted(character) +
                          u8" : écrivez des guillemets droits \" (touche 3 du clavier, dans le "
                          u8"Bloc-notes)";
        return true;
    }
    const TextLine whole = LineAround(text, stray);
    if (line.equals == std::string::npos) {
        problem.message = Generic(text, whole);
        return true;
    }
    problem.message = BadKey(Unquoted(line.key));
    if (problem.message.empty())
        problem.message = u8"caractère " + Quoted(character) +
                          u8" hors des guillemets : les clés s'écrivent en lettres sans accents, "
                          u8"chiffres et _ (revelation, reponse), les textes entre guillemets";
    return true;
}

Problem ExplainTomlError(const std::string& text, const std::string& description, SourcePlace place)
{
    const std::vector<TomlToken> tokens = ScanToml(text);
    size_t offset = OffsetOfPlace(text, place);
    if (offset == std::string::npos)
        offset = text.size();
    const TextLine errorLine = LineAround(text, offset);
    Problem problem = {place, "", ""};
    std::string& message = problem.message;
    ValueLine line;
    const bool valueLine = ReadValueLine(text, tokens, offset, line);
    const std::string name = QuotedName(description);

    if (Has(description, "cannot redefine existing")) {
        if (Has(description, "existing table") || Has(description, " as table") ||
            Has(description, " as array")) {
            message = name == "question"
                          ? u8"chaque question s'écrit dans un bloc [[question]], avec deux "
                            u8"crochets de chaque côté"
                          : u8"la table " + Quoted(name) + u8" est écrite deux fois";
            return problem;
        }
        // The key as the line writes it: toml++ garbles quoted ones.
        const std::string key = valueLine ? Unquoted(line.key) : name;
        bool inQuestion = false;
        const int earlier = EarlierLine(text, tokens, errorLine, key, inQuestion);
        message = u8"clé écrite deux fois : " + Quoted(key);
        if (earlier > 0)
            message += u8" (déjà à la ligne " + std::to_string(earlier) + ")";
        message += inQuestion ? u8" ; une nouvelle question commence par [[question]]"
                              : u8" ; gardez-en une";
        return problem;
    }
    if (Has(description, "escape sequence") || Has(description, "unicode scalar")) {
        message = u8"barre \\ dans un texte : entre guillemets, \\ annonce un caractère spécial "
                  u8"(\\\" pour un guillemet) ; pour une barre, doublez-la (\\\\) ou écrivez le "
                  u8"texte entre apostrophes '…'";
        return problem;
    }
    if (Has(description, "table header")) {
        message = u8"en-tête mal écrit : " + Quoted(Shown(LineText(text, errorLine))) +
                  u8" ; une question commence par [[question]], avec deux crochets de chaque "
                  u8"côté";
        return problem;
    }
    if (Has(description, "expected '='")) {
        const std::string before = Trimmed(text.substr(errorLine.begin, offset - errorLine.begin));
        const std::string key = valueLine ? Unquoted(line.key) : before;
        // Words without "=" and without quotes are no key-value line at all.
        const bool words = text.find('=', errorLine.begin) >= errorLine.end &&
                           offset < errorLine.end && text[offset] != '"' && text[offset] != '\'' &&
                           text[offset] != ':';
        if (offset < text.size() && text[offset] == ':')
            message = u8"entre la clé et sa valeur, écrivez = : " + before + " = " +
                      Trimmed(text.substr(offset + 1, errorLine.end - offset - 1));
        else if (words)
            message = Generic(text, errorLine);
        else if (valueLine)
            message = BadKey(key);
        if (message.empty())
            message = u8"il manque = entre la clé et sa valeur : " + before + " = " +
                      Trimmed(text.substr(offset, errorLine.end - offset));
        return problem;
    }
    if (Has(description, "Error while parsing string") &&
        (Has(description, "control characters") || Has(description, "end-of-file")) &&
        !(offset < text.size() && text[offset] != '\n' && text[offset] != '\r')) {
        if (valueLine && ExplainValue(text, tokens, line, message))
            return problem;
        message = u8"il manque le guillemet fermant du texte";
        return problem;
    }
    if (Has(description, "parsing array") || Has(description, "inline table")) {
        message = u8"liste mal écrite : ses textes se séparent par des virgules et elle finit "
                  u8"par ] : codes = [\"UN\", \"DEUX\"]";
        return problem;
    }
    if (valueLine && offset >= line.equals && ExplainValue(text, tokens, line, message))
        return problem;
    message = Generic(text, errorLine);
    return problem;
}
