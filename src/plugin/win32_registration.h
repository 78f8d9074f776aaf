#pragma once
#include <windows.h>

namespace sq {

enum class RegistrationScope { Machine, User };

// Writes, or removes, exactly the component's own keys: both ProgIDs and classes, the type
// library and its two dual interfaces. The host's interfaces are never touched.
HRESULT RegisterServer(RegistrationScope scope);
HRESULT UnregisterServer(RegistrationScope scope);

}  // namespace sq
