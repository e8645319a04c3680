// Forwarders that the context code uses for the extension context itself;
// each answers E_NOINTERFACE when the driver lacks the entry point.
#pragma once

#include <windows.h>

#include "krva_abi.h"

namespace vorx::forward {

HRESULT D3D11GetSupportedVersions(ID3D11Device* device, KrvaExtensionVersion* versions, uint32_t* count);
HRESULT D3D11CreateDeviceExtensionContext(ID3D11Device* device, KrvaExtensionContext** extensionContext,
                                          KrvaExtensionInfo* info, KrvaExtensionAppInfo* appInfo);
HRESULT DestroyDeviceExtensionContext(KrvaExtensionContext** extensionContext);

} // namespace vorx::forward
