#include "exchange/profile_file.h"

#include <pugixml.hpp>

#include "exchange/xml_writer.h"
#include "store/config_database.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

void WriteItems(XmlWriter& xml, const std::vector<KeyAssignment>& rows) {
    for (const KeyAssignment& row : rows) {
        xml.Open("item");
        xml.Attribute("fn_layer", row.fn_layer);
        xml.Attribute("key_code", row.key_code);
        xml.Attribute("layout_value", row.layout_value);
        xml.Attribute("layout_desc", WideToUtf8(row.layout_desc));
        xml.Attribute("macro_type", row.macro_type);
        xml.Attribute("macro_value", row.macro_value);
        xml.Attribute("macro_value2", row.macro_value2);
        xml.Attribute("macro_value3", row.macro_value3);
        xml.Attribute("macro_desc", WideToUtf8(row.macro_desc));
        xml.Close();
    }
}

}  // namespace

std::string BuildProfileXml(const std::wstring& shown_name,
                            const std::vector<KeyAssignment>& standard_layer,
                            const std::vector<KeyAssignment>& fn_layer) {
    XmlWriter xml;
    xml.Open("profile");
    xml.Open("profileinfo");
    xml.Attribute("name", WideToUtf8(shown_name));
    xml.Close();
    xml.Open("keyitems");
    WriteItems(xml, standard_layer);
    WriteItems(xml, fn_layer);
    xml.Close();
    return xml.Finish();
}

ParsedProfile ParseProfileXml(const LoadedXml& loaded) {
    ParsedProfile parsed;
    if (!loaded.ok()) {
        return parsed;
    }
    const pugi::xml_node root = loaded.document->document_element();
    parsed.name = ReadTextAttribute(root.child("profileinfo"), "name");
    for (const pugi::xml_node item : root.child("keyitems").children("item")) {
        KeyAssignment row;
        row.fn_layer = ReadDecimalAttribute(item, "fn_layer");
        row.key_code = ReadDecimalAttribute(item, "key_code");
        row.layout_value = ReadDecimalAttribute(item, "layout_value");
        row.layout_desc = ReadTextAttribute(item, "layout_desc");
        row.macro_type = ReadDecimalAttribute(item, "macro_type");
        row.macro_value = ReadDecimalAttribute(item, "macro_value");
        row.macro_value2 = ReadDecimalAttribute(item, "macro_value2");
        row.macro_value3 = ReadDecimalAttribute(item, "macro_value3");
        row.macro_desc = ReadTextAttribute(item, "macro_desc");
        parsed.items.push_back(std::move(row));
    }
    return parsed;
}

ExportOutcome ExportProfile(ConfigDatabase& database, int profile, const std::wstring& shown_name,
                            const std::wstring& folder, std::uint32_t tick_count) {
    std::vector<KeyAssignment> standard_layer;
    std::vector<KeyAssignment> fn_layer;
    database.ListKeyAssignments(profile, 0, standard_layer);
    database.ListKeyAssignments(profile, 1, fn_layer);
    ExportOutcome outcome;
    outcome.path = ExportFileName(folder, shown_name, tick_count);
    outcome.saved = SaveFile(outcome.path, BuildProfileXml(shown_name, standard_layer, fn_layer));
    return outcome;
}

ImportOutcome ImportProfile(ConfigDatabase& database, const std::wstring& file) {
    ImportOutcome outcome;
    const LoadedXml loaded = LoadXmlFile(file, "profile");
    if (!loaded.ok()) {
        outcome.error = loaded.error;
        return outcome;
    }
    const pugi::xml_node items = loaded.document->document_element().child("keyitems");
    if (CountChildElements(items, "item") > kMaxImportItems) {
        outcome.error = XmlLoadError::kTooManyItems;
        return outcome;
    }
    ParsedProfile parsed = ParseProfileXml(loaded);
    outcome.name = parsed.name;
    outcome.items_read = static_cast<int>(parsed.items.size());
    ProfileInfo info;
    info.name = parsed.name;
    outcome.id = database.AddProfile(info);
    if (outcome.id <= 0) {
        return outcome;
    }
    for (KeyAssignment& row : parsed.items) {
        row.profile = outcome.id;
        // The store skips rows without a key or a value and replaces a key's earlier row.
        if (database.SaveKeyAssignment(row) > 0) {
            ++outcome.items_stored;
        }
    }
    return outcome;
}

}  // namespace keyloom
