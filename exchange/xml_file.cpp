#include "exchange/xml_file.h"

#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <system_error>

#include "platform/folders.h"
#include "text/leading_number.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

std::filesystem::path ToPath(const std::wstring& path) {
    return std::filesystem::path(WideToUtf8(path));
}

}  // namespace

LoadedXml ParseXml(std::string_view bytes, std::string_view root_name) {
    LoadedXml result;
    auto document = std::make_shared<pugi::xml_document>();
    // encoding_utf8 with the BOM skipped by pugixml; other encodings are not exchange files.
    const pugi::xml_parse_result parsed =
        document->load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        result.error = XmlLoadError::kNotXml;
        return result;
    }
    const pugi::xml_node root = document->document_element();
    if (!root || root_name != root.name()) {
        result.error = XmlLoadError::kWrongRoot;
        return result;
    }
    result.document = std::move(document);
    return result;
}

LoadedXml LoadXmlFile(const std::wstring& path, std::string_view root_name) {
    LoadedXml result;
    const std::filesystem::path file = ToPath(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        result.error = XmlLoadError::kFileMissing;
        return result;
    }
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) {
        result.error = XmlLoadError::kFileUnreadable;
        return result;
    }
    if (size > kMaxExchangeFileBytes) {
        result.error = XmlLoadError::kFileTooLarge;
        return result;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        result.error = XmlLoadError::kFileUnreadable;
        return result;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return ParseXml(bytes, root_name);
}

bool SaveFile(const std::wstring& path, std::string_view bytes) {
    const std::filesystem::path file = ToPath(path);
    std::filesystem::path temp = file;
    temp += ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return false;
    }
    return true;
}

int ReadDecimalAttribute(const pugi::xml_node& node, const char* name) {
    return ParseLeadingInt(node.attribute(name).value());
}

size_t CountChildElements(const pugi::xml_node& node, const char* name) {
    size_t count = 0;
    for (auto it = node.children(name).begin(); it != node.children(name).end(); ++it) {
        ++count;
    }
    return count;
}

std::wstring ReadTextAttribute(const pugi::xml_node& node, const char* name) {
    return Utf8ToWide(node.attribute(name).value());
}

std::wstring ExportFileName(const std::wstring& folder, const std::wstring& shown_name,
                            std::uint32_t tick_count) {
    std::wstring name;
    name.reserve(shown_name.size());
    for (wchar_t c : shown_name) {
        const bool forbidden = c < 0x20 || c == L'/' || c == L'\\' || c == L':' || c == L'*' ||
                               c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|';
        name.push_back(forbidden ? L'_' : c);
    }
    std::wstring result = folder;
    if (!result.empty() && result.back() != L'/' && result.back() != L'\\') {
        result.push_back(kPathSeparator);
    }
    result += name;
    result += L'-';
    result += std::to_wstring(tick_count);
    result += L".xml";
    return result;
}

}  // namespace keyloom
