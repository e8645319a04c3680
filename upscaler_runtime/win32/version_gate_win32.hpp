// The installed driver's version, as Windows records it per display adapter.
#pragma once

#include <windows.h>

#include <cstdint>

namespace vorx {

// The DriverVersion of the first subkey of HKLM\SOFTWARE\Microsoft\DirectX whose
// AdapterLuid matches and that has one; 0 when none is found.
std::uint64_t ReadAdapterDriverVersion(LUID adapterLuid);

bool IsDriverSupported(LUID adapterLuid);
bool IsDriverOptimal(LUID adapterLuid);

} // namespace vorx
