#pragma once

// Font lookup for the framework's text. Faces are found by family name through the
// system's font configuration; private font files can be added for this process. A face
// that is not available falls back cleanly: first to the framework's own faces (the
// Latin face, the CJK face, the Thai face), then to the system's sans-serif face, so
// every script still gets glyphs.

#include <string>

namespace Tessera {

// Font style bits (as the controls store them): 1 bold, 2 italic, 4 underline.
inline constexpr int kFontStyleRegular = 0;
inline constexpr int kFontStyleBold = 1;
inline constexpr int kFontStyleItalic = 2;
inline constexpr int kFontStyleUnderline = 4;

struct FontSpec {
    std::wstring face;  // family name as the caller names it
    int pixelSize = 12;
    int style = kFontStyleRegular;
};

// The framework's two face names: the Latin face and the face used for all control text
// (which carries the CJK glyphs).
inline constexpr const wchar_t* kLatinFaceName = L"Open Sans Semibold";
inline constexpr const wchar_t* kFrameworkFaceName = L"HarmonyOS Sans SC";

// Makes a font file available to this process; true when it was added.
bool AddPrivateFontFile(const std::wstring& path);
// True when `face` names a family this process can draw with (installed, private, or one
// of the framework's own face names resolved to the face standing in for it).
bool IsFontFaceAvailable(const std::wstring& face);
// The concrete family list text is drawn with for `face`: the face itself (or the
// installed face standing in for a framework face), then the fallbacks.
std::wstring ResolveFontFamilies(const std::wstring& face);
// The file the face resolves to, empty when none (diagnostics, the gallery).
std::wstring FindFontFile(const std::wstring& face);

// Language of shaped text as a Windows language id (2052 selects simplified Chinese
// glyphs, 1054 Thai ...). The program passes its interface language here.
void SetTextLanguage(unsigned lcid);
unsigned GetTextLanguage();

}  // namespace Tessera
