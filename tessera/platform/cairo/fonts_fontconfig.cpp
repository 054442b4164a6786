// Font lookup through fontconfig. The framework's own face names resolve to installed
// faces standing in for them; every family list ends in the framework's fallbacks so
// Latin, CJK and Thai text always find glyphs.

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <atomic>
#include <map>
#include <mutex>

#include "tessera/platform/cairo/text_language.h"
#include "tessera/platform/fonts.h"
#include "text/utf_convert.h"

namespace Tessera {

namespace {

// Installed faces that stand in for the framework's face names, and the fallbacks that
// follow every face: the Latin face, the CJK face, the Thai face, then whatever the
// system calls sans-serif.
constexpr const char* kLatinStandIn = "Open Sans Semibold";
constexpr const char* kCjkStandIn = "WenQuanYi Micro Hei";
constexpr const char* kFallbacks = "Open Sans, WenQuanYi Micro Hei, Loma, sans-serif";

std::mutex& FontMutex() {
    static std::mutex mutex;
    return mutex;
}
std::map<std::string, bool>& AvailabilityCache() {
    static std::map<std::string, bool> cache;
    return cache;
}
std::atomic<unsigned> g_language{1033};

bool FamilyInstalled(const std::string& family) {
    EnsureFontConfiguration();
    std::lock_guard lock(FontMutex());
    auto& cache = AvailabilityCache();
    if (auto it = cache.find(family); it != cache.end()) {
        return it->second;
    }
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, objects);
    const bool found = set != nullptr && set->nfont > 0;
    if (set != nullptr) {
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    cache[family] = found;
    return found;
}

// The installed family for a requested face, empty when neither it nor a stand-in exists.
std::string PrimaryFamily(const std::string& face) {
    if (face.empty()) {
        return {};
    }
    if (FamilyInstalled(face)) {
        return face;
    }
    const std::string framework = keyloom::WideToUtf8(kFrameworkFaceName);
    const std::string latin = keyloom::WideToUtf8(kLatinFaceName);
    if (face == framework && FamilyInstalled(kCjkStandIn)) {
        return kCjkStandIn;
    }
    if (face == latin && FamilyInstalled(kLatinStandIn)) {
        return kLatinStandIn;
    }
    return {};
}

}  // namespace

void EnsureFontConfiguration() {
    static std::once_flag once;
    std::call_once(once, [] {
        FcInit();
        // Creating the font map now starts Pango's own loader after ours is done.
        pango_cairo_font_map_get_default();
    });
}

bool AddPrivateFontFile(const std::wstring& path) {
    EnsureFontConfiguration();
    const std::string utf8 = keyloom::WideToUtf8(path);
    bool added = false;
    {
        std::lock_guard lock(FontMutex());
        added = FcConfigAppFontAddFile(FcConfigGetCurrent(),
                                       reinterpret_cast<const FcChar8*>(utf8.c_str())) != 0;
        if (added) {
            AvailabilityCache().clear();
        }
    }
    if (added) {
        PangoFontMap* map = pango_cairo_font_map_get_default();
        if (PANGO_IS_FC_FONT_MAP(map)) {
            pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
        }
    }
    return added;
}

bool IsFontFaceAvailable(const std::wstring& face) {
    return !PrimaryFamily(keyloom::WideToUtf8(face)).empty();
}

std::wstring ResolveFontFamilies(const std::wstring& face) {
    const std::string primary = PrimaryFamily(keyloom::WideToUtf8(face));
    if (primary.empty()) {
        return keyloom::Utf8ToWide(kFallbacks);
    }
    return keyloom::Utf8ToWide(primary + ", " + kFallbacks);
}

std::wstring FindFontFile(const std::wstring& face) {
    const std::string primary = PrimaryFamily(keyloom::WideToUtf8(face));
    if (primary.empty()) {
        return {};
    }
    std::lock_guard lock(FontMutex());
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(primary.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::wstring file;
    FcChar8* name = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch) {
        file = keyloom::Utf8ToWide(reinterpret_cast<const char*>(name));
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

void SetTextLanguage(unsigned lcid) {
    g_language = lcid;
}
unsigned GetTextLanguage() {
    return g_language;
}

// Used by the canvas: the Pango language tag for the current interface language.
const char* TextLanguageTag() {
    switch (g_language.load()) {
        case 2052:
            return "zh-cn";
        case 1036:
            return "fr";
        case 1049:
            return "ru";
        case 1054:
            return "th";
        default:
            return "en";
    }
}

}  // namespace Tessera
