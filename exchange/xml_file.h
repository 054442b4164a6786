#pragma once

// Loading and saving the exchange files: bounded reads, parsing through pugixml, and the rules
// shared by the profile and macro files (numbers in attributes, export file names).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

namespace keyloom {

// Files larger than this are refused before they are read: no exchange file comes near it, and
// it keeps a hostile file from taking unbounded memory.
inline constexpr std::uintmax_t kMaxExchangeFileBytes = 16u * 1024u * 1024u;

enum class XmlLoadError {
    kNone,
    kFileMissing,
    kFileUnreadable,
    kFileTooLarge,
    kNotXml,        // not well-formed, truncated, or not UTF-8 text
    kWrongRoot,     // well-formed, but not the kind of file asked for
    kTooManyItems,  // more items than any real profile or macro holds: refused whole
};

// No profile holds more than two layers of 256 keys and no macro fits more steps than this in the
// keyboard's memory; a file beyond it is refused rather than stored in part.
inline constexpr size_t kMaxImportItems = 4096;

// A loaded document whose root element has the expected name.
struct LoadedXml {
    XmlLoadError error = XmlLoadError::kNone;
    std::shared_ptr<pugi::xml_document> document;
    bool ok() const { return error == XmlLoadError::kNone; }
};

// Parses UTF-8 text (with or without byte-order mark) and checks the root element's name.
LoadedXml ParseXml(std::string_view bytes, std::string_view root_name);
// Reads the file (at most kMaxExchangeFileBytes) and parses it as above.
LoadedXml LoadXmlFile(const std::wstring& path, std::string_view root_name);

// Writes the bytes to the file, replacing an existing file of that name only once the whole
// content has been written. False when the file could not be written.
bool SaveFile(const std::wstring& path, std::string_view bytes);

// A decimal attribute: leading blanks, an optional sign and the leading digits; 0 when there
// are no digits or the attribute is missing. Values beyond the 32-bit range saturate.
int ReadDecimalAttribute(const pugi::xml_node& node, const char* name);
// How many child elements named `name` the node has.
size_t CountChildElements(const pugi::xml_node& node, const char* name);
// A text attribute as a wide string; empty when missing.
std::wstring ReadTextAttribute(const pugi::xml_node& node, const char* name);

// "<folder>/<name>-<ticks>.xml". The shown name is user text: characters that cannot stand in a
// file name, path separators among them, are replaced so the file always lands in `folder`.
std::wstring ExportFileName(const std::wstring& folder, const std::wstring& shown_name,
                            std::uint32_t tick_count);

}  // namespace keyloom
