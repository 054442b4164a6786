#pragma once

// The gallery's controls page: one cell for every class name the framework can create,
// each made through CreateControl with the skin's images where the class takes them, so
// the page shows every control that is built (and says which are not built yet).

#include <string>
#include <vector>

#include "tessera/core/dialog.h"
#include "tools/gallery/standard_controls_dialog.h"

namespace gallery {

class ControlsDialog : public Tessera::MDialog {
public:
    enum : unsigned { kCloseId = 900, kGridId = 901, kStandardId = 902, kFirstCellId = 1000 };

    struct Cell {
        std::wstring className;
        bool hasFactory;          // the registry can build it
        Tessera::MControl* made;  // what CreateControl returned
    };

    static Tessera::CSize Size() { return {1104, 800}; }
    static Tessera::CRect CloseRect() { return {1104 - 24 - 167, 20, 1104 - 24, 56}; }
    // Opens the standard-controls page (StandardControlsDialog) modally.
    static Tessera::CRect StandardRect() {
        return {1104 - 24 - 167 - 187, 20, 1104 - 24 - 187, 56};
    }

    void InitUI(Tessera::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

    const std::vector<Cell>& Cells() const { return cells_; }
    // The standard-controls page while it runs, else null; its last modal result.
    StandardControlsDialog* OpenStandardPage() { return standardPage_; }
    int StandardResult() const { return standardResult_; }

private:
    void RunStandardPage();

    std::vector<Cell> cells_;
    StandardControlsDialog* standardPage_ = nullptr;
    int standardResult_ = -1;
};

}  // namespace gallery
