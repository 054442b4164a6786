#pragma once

// Creation of controls by class name: the one table of every class name the framework
// knows, where it may be created (window, panel or both) and how it is built. A new
// control class joins by filling in its row in control_registry.cpp.

#include <memory>
#include <span>
#include <string>

#include "tessera/core/control.h"

namespace Tessera {

enum class ControlHost { kWindow, kPanel };

// Which creators know a class name.
enum class ControlScope { kWindowAndPanel, kWindowOnly, kPanelOnly };

using ControlFactory = std::unique_ptr<MControl> (*)(MObject* parent, unsigned id, CRect rect,
                                                     const std::wstring& title, int visible,
                                                     int enabled);

struct ControlClass {
    const wchar_t* name;
    ControlScope scope;
    ControlFactory factory;  // null while the class is not built yet
};

std::span<const ControlClass> ControlClasses();

// The row for `name` (exact, case-sensitive) when a creator of kind `host` knows it.
const ControlClass* FindControlClass(const std::wstring& name, ControlHost host);

// Builds the control; null for an empty or unknown name, a name the host does not know,
// or a class that cannot be built.
std::unique_ptr<MControl> CreateControlByClassName(const std::wstring& name, ControlHost host,
                                                   MObject* parent, unsigned id, CRect rect,
                                                   const std::wstring& title, int visible,
                                                   int enabled);

}  // namespace Tessera
