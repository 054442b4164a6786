#pragma once

// Writes the small attribute-only XML documents of the profile and macro files. Reading goes
// through pugixml; writing is done here because the files must escape the apostrophe as well,
// which pugixml leaves bare in double-quoted attributes.

#include <string>
#include <string_view>
#include <vector>

namespace keyloom {

class XmlWriter {
public:
    XmlWriter();

    // Adds an element at the current level and descends into it.
    void Open(std::string_view name);
    // Sets an attribute on the element opened last; only valid before anything is added to it.
    void Attribute(std::string_view name, std::string_view utf8_value);
    void Attribute(std::string_view name, int value);
    // Steps out of the current element.
    void Close();

    // The document: the declaration line ended by CR LF, then the elements; every open element
    // is closed first.
    const std::string& Finish();

private:
    void EndStartTag(bool empty);

    std::string out_;
    std::vector<std::string> open_;
    bool start_tag_pending_ = false;
};

// Escapes & < > " ' as entity references.
std::string EscapeXmlAttribute(std::string_view utf8);

}  // namespace keyloom
