// The XML that spreadsheets (.xlsx, .ods) and Moodle's question banks are
// saved in, read as a stream of elements and texts: a sheet of a million
// rows goes by in the memory of one. Enough XML for files that programs
// write: elements, attributes, character and entity references, CDATA;
// comments, processing instructions and the DOCTYPE are skipped. Names keep
// their prefix ("table:table-row"), as the files use fixed ones.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes; // values decoded
    const std::string* Attribute(const std::string& name) const;
};

struct XmlHandler {
    virtual ~XmlHandler() = default;
    virtual void Open(const XmlElement& element) = 0;
    // Text between tags, decoded; may come in several pieces.
    virtual void Text(const std::string& text) = 0;
    virtual void Close(const std::string& name) = 0;
    // False stops the reading: the handler has what it needs.
    virtual bool More() const { return true; }
};

// False with a French error on text that is no well-formed XML (an element
// never closed, or closed by another name); the handler has then seen what
// came before. Nesting past maxDepth is refused, so that no input makes the
// reader's own memory grow beyond the text's size.
bool ReadXml(const std::string& xml, XmlHandler& handler, std::string& error,
             size_t maxDepth = 256);
