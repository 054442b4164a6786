#pragma once

namespace Tessera {

// The Pango language tag of the current text language (SetTextLanguage), so shaping
// picks the right regional glyphs (simplified Chinese for 2052).
const char* TextLanguageTag();

// Loads the font configuration on the calling thread, once, before Pango first runs:
// Pango otherwise loads it on a helper thread of its own, racing the first lookups.
void EnsureFontConfiguration();

}  // namespace Tessera
