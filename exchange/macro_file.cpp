#include "exchange/macro_file.h"

#include <pugixml.hpp>

#include "exchange/xml_writer.h"
#include "store/config_database.h"
#include "text/utf_convert.h"

namespace keyloom {

std::string BuildMacroXml(const MacroInfo& info, const std::vector<MacroEvent>& steps) {
    XmlWriter xml;
    xml.Open("macro");
    xml.Open("macroinfo");
    xml.Attribute("name", WideToUtf8(info.name));
    xml.Attribute("times", info.play_times);
    xml.Attribute("type", info.delay_type);
    xml.Attribute("delaytime", info.delay_time);
    xml.Close();
    xml.Open("macroitems");
    for (const MacroEvent& step : steps) {
        xml.Open("item");
        xml.Attribute("desc", WideToUtf8(step.desc));
        xml.Attribute("type", step.type);
        xml.Attribute("value", step.value);
        xml.Attribute("delay_time", step.delay_time);
        xml.Close();
    }
    xml.Close();
    return xml.Finish();
}

ParsedMacro ParseMacroXml(const LoadedXml& loaded) {
    ParsedMacro parsed;
    if (!loaded.ok()) {
        return parsed;
    }
    const pugi::xml_node root = loaded.document->document_element();
    const pugi::xml_node header = root.child("macroinfo");
    parsed.info.name = ReadTextAttribute(header, "name");
    parsed.info.play_times = ReadDecimalAttribute(header, "times");
    parsed.info.delay_type = ReadDecimalAttribute(header, "type");
    parsed.info.delay_time = ReadDecimalAttribute(header, "delaytime");
    int index = 0;
    for (const pugi::xml_node item : root.child("macroitems").children("item")) {
        MacroEvent step;
        step.type = ReadDecimalAttribute(item, "type");
        step.value = ReadDecimalAttribute(item, "value");
        step.delay_time = ReadDecimalAttribute(item, "delay_time");
        step.desc = ReadTextAttribute(item, "desc");
        step.record_index = index++;
        parsed.steps.push_back(std::move(step));
    }
    return parsed;
}

ExportOutcome ExportMacro(ConfigDatabase& database, int macro_id, const std::wstring& shown_name,
                          const std::wstring& folder, std::uint32_t tick_count) {
    MacroInfo info;
    database.GetMacro(macro_id, info);
    std::vector<MacroEvent> steps;
    database.ListMacroEvents(macro_id, steps);
    ExportOutcome outcome;
    outcome.path = ExportFileName(folder, shown_name, tick_count);
    outcome.saved = SaveFile(outcome.path, BuildMacroXml(info, steps));
    return outcome;
}

ImportOutcome ImportMacro(ConfigDatabase& database, const std::wstring& file) {
    ImportOutcome outcome;
    const LoadedXml loaded = LoadXmlFile(file, "macro");
    if (!loaded.ok()) {
        outcome.error = loaded.error;
        return outcome;
    }
    const pugi::xml_node items = loaded.document->document_element().child("macroitems");
    if (CountChildElements(items, "item") > kMaxImportItems) {
        outcome.error = XmlLoadError::kTooManyItems;
        return outcome;
    }
    ParsedMacro parsed = ParseMacroXml(loaded);
    outcome.name = parsed.info.name;
    outcome.items_read = static_cast<int>(parsed.steps.size());
    outcome.id = database.InsertMacro(parsed.info);
    if (outcome.id <= 0) {
        return outcome;
    }
    for (MacroEvent& step : parsed.steps) {
        step.macro_id = outcome.id;
    }
    database.AddMacroEvents(std::move(parsed.steps));
    // The bulk insert skips failed rows without saying so: count what actually landed.
    std::vector<MacroEvent> stored;
    outcome.items_stored = database.ListMacroEvents(outcome.id, stored);
    return outcome;
}

}  // namespace keyloom
