#pragma once

namespace Tessera {

// The Pango language tag of the current text language (SetTextLanguage), so shaping
// picks the right regional glyphs (simplified Chinese for 2052).
const char* TextLanguageTag();

}  // namespace Tessera
