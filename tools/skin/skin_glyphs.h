#pragma once

#include "tools/skin/skin_canvas.h"

// Line icons of the skin, drawn centred at (cx, cy) inside a square of side `size`.
namespace keyloom::skin {

enum class Glyph {
    kPlus,
    kMinus,
    kPencil,
    kTrash,
    kImport,
    kExport,
    kKeyboard,
    kFolder,
    kSave,
    kClear,
    kClose,
    kMinimize,
    kGear,
    kArrowLeft,
    kArrowRight,
    kArrowUp,
    kArrowDown,
    kCheck,
};

void DrawGlyph(cairo_t* cr, Glyph glyph, double cx, double cy, double size, Rgba color);

}  // namespace keyloom::skin
