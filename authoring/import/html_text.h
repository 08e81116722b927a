// The plain text of the little HTML that Moodle keeps question texts in:
// tags taken out (a <br>, a paragraph or a list item becomes a line break),
// character references decoded (&eacute; &#233; &#xE9; &nbsp; and the like).
// A "<" that opens no tag, and a reference it does not know, stay as text.
#pragma once

#include <string>

struct PlainText {
    std::string text;
    bool hadTags = false;
    bool hadPicture = false; // an <img>, which the text cannot carry
};

PlainText PlainTextOfHtml(const std::string& html);

// The code point of the reference "&...;" at text[i] (XML's five names, the
// HTML letters' and numbers), its length in length; 0 if none.
char32_t CharacterReference(const std::string& text, size_t i, size_t& length);

// Text (UTF-8) as HTML shows it, in an element or a quoted attribute, never
// as markup.
std::string HtmlText(const std::string& utf8);
