#include "authoring/import/xml_reader.h"

#include "authoring/import/html_text.h"
#include "quiz/text_encoding.h"

#include <cstring>

const std::string* XmlElement::Attribute(const std::string& wanted) const
{
    for (const auto& attribute : attributes)
        if (attribute.first == wanted)
            return &attribute.second;
    return nullptr;
}

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameEnd(char c)
{
    return IsSpace(c) || c == '>' || c == '/' || c == '=';
}

// Text with its references decoded; one that is not known stays as written.
std::string Decoded(const std::string& xml, size_t begin, size_t end)
{
    std::string text;
    size_t i = begin;
    while (i < end) {
        const size_t amp = xml.find('&', i);
        const size_t stop = amp < end ? amp : end;
        text.append(xml, i, stop - i);
        i = stop;
        if (i == end)
            break;
        size_t length = 0;
        const char32_t c = CharacterReference(xml, i, length);
        if (c && i + length <= end) {
            AppendUtf8(text, c);
            i += length;
        } else {
            text += xml[i++];
        }
    }
    return text;
}

struct Reader {
    const std::string& xml;
    XmlHandler& handler;
    size_t maxDepth;
    std::vector<std::string> open;
    std::string error;

    std::string Line(size_t position) const
    {
        size_t line = 1;
        for (size_t i = 0; i < position && i < xml.size(); ++i)
            line += xml[i] == '\n';
        return "ligne " + std::to_string(line);
    }

    bool Fail(size_t position, const std::string& what)
    {
        error = Line(position) + " : " + what;
        return false;
    }

    // Skips from at to past the first end marker, or fails.
    bool SkipPast(size_t& at, const char* end, const char* what)
    {
        const size_t found = xml.find(end, at);
        if (found == std::string::npos)
            return Fail(at, what);
        at = found + strlen(end);
        return true;
    }

    bool Tag(size_t& at)
    {
        const size_t start = at;
        const bool closing = xml[at + 1] == '/';
        size_t i = at + (closing ? 2 : 1);
        const size_t nameStart = i;
        while (i < xml.size() && !IsNameEnd(xml[i]))
            ++i;
        XmlElement element;
        element.name = xml.substr(nameStart, i - nameStart);
        if (element.name.empty())
            return Fail(start, u8"« < » sans nom de balise");
        bool empty = false;
        for (;;) {
            while (i < xml.size() && IsSpace(xml[i]))
                ++i;
            if (i >= xml.size())
                return Fail(start, u8"balise " + element.name + u8" jamais refermée par >");
            if (xml[i] == '>') {
                ++i;
                break;
            }
            if (xml[i] == '/' && i + 1 < xml.size() && xml[i + 1] == '>') {
                empty = true;
                i += 2;
                break;
            }
            if (closing)
                return Fail(start, u8"balise fermante </" + element.name + u8"> mal écrite");
            const size_t keyStart = i;
            while (i < xml.size() && !IsNameEnd(xml[i]))
                ++i;
            const std::string key = xml.substr(keyStart, i - keyStart);
            while (i < xml.size() && IsSpace(xml[i]))
                ++i;
            if (key.empty() || i + 1 >= xml.size() || xml[i] != '=')
                return Fail(start, u8"attribut sans valeur dans la balise " + element.name);
            ++i;
            while (i < xml.size() && IsSpace(xml[i]))
                ++i;
            const char quote = i < xml.size() ? xml[i] : 0;
            const size_t valueEnd =
                quote == '"' || quote == '\'' ? xml.find(quote, i + 1) : std::string::npos;
            if (valueEnd == std::string::npos)
                return Fail(start,
                            u8"valeur d'attribut sans guillemets dans la balise " + element.name);
            element.attributes.emplace_back(key, Decoded(xml, i + 1, valueEnd));
            i = valueEnd + 1;
        }
        at = i;
        if (closing) {
            if (open.empty() || open.back() != element.name)
                return Fail(start, u8"</" + element.name + u8"> ferme " +
                                       (open.empty() ? u8"une balise jamais ouverte"
                                                     : u8"la balise <" + open.back() + ">"));
            open.pop_back();
            handler.Close(element.name);
            return true;
        }
        if (open.size() >= maxDepth)
            return Fail(start, u8"balises imbriquées sur plus de " + std::to_string(maxDepth) +
                                   u8" niveaux");
        handler.Open(element);
        if (empty)
            handler.Close(element.name);
        else
            open.push_back(element.name);
        return true;
    }

    bool Read()
    {
        size_t at = 0;
        while (at < xml.size() && handler.More()) {
            const size_t lt = xml.find('<', at);
            const size_t stop = lt == std::string::npos ? xml.size() : lt;
            if (stop > at && !open.empty())
                handler.Text(Decoded(xml, at, stop));
            at = stop;
            if (at == xml.size())
                break;
            if (xml.compare(at, 4, "<!--") == 0) {
                if (!SkipPast(at, "-->", u8"commentaire <!-- jamais refermé"))
                    return false;
            } else if (xml.compare(at, 9, "<![CDATA[") == 0) {
                const size_t end = xml.find("]]>", at + 9);
                if (end == std::string::npos)
                    return Fail(at, u8"section <![CDATA[ jamais refermée");
                if (!open.empty())
                    handler.Text(xml.substr(at + 9, end - at - 9));
                at = end + 3;
            } else if (xml.compare(at, 2, "<?") == 0) {
                if (!SkipPast(at, "?>", u8"instruction <? jamais refermée"))
                    return false;
            } else if (xml.compare(at, 2, "<!") == 0) {
                if (!SkipPast(at, ">", u8"déclaration <! jamais refermée"))
                    return false;
            } else if (at + 1 >= xml.size()) {
                return Fail(at, u8"« < » à la fin du fichier");
            } else if (!Tag(at)) {
                return false;
            }
        }
        if (handler.More() && !open.empty())
            return Fail(xml.size(), u8"la balise <" + open.back() + u8"> n'est jamais refermée");
        return true;
    }
};

} // namespace

bool ReadXml(const std::string& xml, XmlHandler& handler, std::string& error, size_t maxDepth)
{
    Reader reader{xml, handler, maxDepth, {}, {}};
    const bool read = reader.Read();
    error = reader.error;
    return read;
}
