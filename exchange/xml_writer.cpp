#include "exchange/xml_writer.h"

namespace keyloom {

std::string EscapeXmlAttribute(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            // Line breaks and tabs would be folded to blanks by any reader: keep them.
            case '\n':
                out += "&#10;";
                break;
            case '\r':
                out += "&#13;";
                break;
            case '\t':
                out += "&#9;";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    break;  // not representable in XML 1.0: dropped
                }
                out.push_back(c);
        }
    }
    return out;
}

XmlWriter::XmlWriter() : out_("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n") {}

void XmlWriter::EndStartTag(bool empty) {
    if (start_tag_pending_) {
        out_ += empty ? "/>\r\n" : ">\r\n";
        start_tag_pending_ = false;
    }
}

void XmlWriter::Open(std::string_view name) {
    EndStartTag(false);
    out_.append(open_.size(), '\t');
    out_ += '<';
    out_ += name;
    open_.emplace_back(name);
    start_tag_pending_ = true;
}

void XmlWriter::Attribute(std::string_view name, std::string_view utf8_value) {
    if (!start_tag_pending_) {
        return;
    }
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    out_ += EscapeXmlAttribute(utf8_value);
    out_ += '"';
}

void XmlWriter::Attribute(std::string_view name, int value) {
    Attribute(name, std::to_string(value));
}

void XmlWriter::Close() {
    if (open_.empty()) {
        return;
    }
    if (start_tag_pending_) {
        EndStartTag(true);
    } else {
        out_.append(open_.size() - 1, '\t');
        out_ += "</";
        out_ += open_.back();
        out_ += ">\r\n";
    }
    open_.pop_back();
}

const std::string& XmlWriter::Finish() {
    while (!open_.empty()) {
        Close();
    }
    return out_;
}

}  // namespace keyloom
