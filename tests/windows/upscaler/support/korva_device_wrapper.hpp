// A thin wrapper of a real Direct3D 11 device whose DXGI adapter reports other
// PCI vendor and device IDs, keeping the real adapter LUID: it lets a test
// present Wine's device as a Korva GPU (Wine only reports GPUs of its own
// table). Everything else is passed to the real objects.
#pragma once

#include <d3d11.h>
#include <wrl/client.h>

namespace upscaler_test {

Microsoft::WRL::ComPtr<ID3D11Device> WrapWithAdapterIds(ID3D11Device* real, UINT vendorId, UINT deviceId);

// A device that does not answer for its DXGI side at all.
Microsoft::WRL::ComPtr<ID3D11Device> WrapWithoutDxgi(ID3D11Device* real);

} // namespace upscaler_test
