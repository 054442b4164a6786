#include "tessera/core/object.h"

#include <cwchar>

namespace Tessera {

int MObject::IsClass(const wchar_t* name) {
    const wchar_t* own = GetClassNameW();
    return name != nullptr && own != nullptr && std::wcscmp(own, name) == 0 ? 1 : 0;
}

long MObject::OnBaseMessage(unsigned, unsigned, unsigned, long) {
    return 0;
}

long MObject::OnControlUpdate(CRect, int, MControl*) {
    return 0;
}

}  // namespace Tessera
