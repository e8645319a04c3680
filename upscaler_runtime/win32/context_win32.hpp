// One Vorx context per Direct3D 11 device: the handle the game holds, the
// context behind it, and the runtime's logger.
#pragma once

#include <d3d11.h>
#include <dxgi.h>

#include <cstdint>

#include "krva_abi.h"

namespace vorx {

// "DX11" in memory.
inline constexpr std::uint32_t CONTEXT_ID_D3D11 = 0x31315844u;

struct ExtensionVersion {
    std::uint32_t major;
    std::uint32_t minor;
    std::uint32_t revision;
};

class D3D11Context {
public:
    // Throws vorxBaseException (-2) on a Korva adapter whose driver is unsupported;
    // nothing is held then.
    explicit D3D11Context(ID3D11Device* device);
    ~D3D11Context();
    D3D11Context(const D3D11Context&) = delete;
    D3D11Context& operator=(const D3D11Context&) = delete;

    bool IsKorvaAdapter() const { return korvaAdapter_; }
    bool IsExtensionReady() const { return extensionReady_; }
    ID3D11Device* Device() const { return device_; }
    // The driver's objects, for the lower-level KRVA_* exports.
    KrvaExtensionContext* ExtensionContext() const { return extensionContext_; }
    krva_vorx_handle_t DriverHandle() const { return driverHandle_; }

    // Creates the driver's own context; only on a Korva adapter with an extension.
    vorx_result_t CreateDriverContext();

    vorx_result_t Destroy();
    vorx_result_t Init(const vorx_d3d11_init_params_t* params);
    vorx_result_t GetInitParams(vorx_d3d11_init_params_t* params);
    vorx_result_t Execute(const vorx_d3d11_execute_params_t* params);
    vorx_result_t GetInputResolution(const vorx_2d_t* output, std::uint32_t quality, vorx_2d_t* input);
    vorx_result_t GetOptimalInputResolution(const vorx_2d_t* output, std::uint32_t quality, vorx_2d_t* optimal,
                                            vorx_2d_t* minimum, vorx_2d_t* maximum);
    vorx_result_t GetJitterScale(float* x, float* y);
    vorx_result_t GetVelocityScale(float* x, float* y);
    vorx_result_t SetJitterScale(float x, float y);
    vorx_result_t SetVelocityScale(float x, float y);
    vorx_result_t SetExposureMultiplier(float scale);
    vorx_result_t GetExposureMultiplier(float* scale);
    vorx_result_t SetLoggingCallback(std::int32_t level, vorx_app_log_callback_t callback);
    vorx_result_t IsOptimalDriver();
    vorx_result_t SelectNetworkModel(std::uint32_t network);
    vorx_result_t GetProfilingData(vorx_profiling_data_t** data);
    vorx_result_t ForceLegacyScaleFactors(std::uint8_t force);

    // The game's callback and the level from which it wants messages.
    vorx_app_log_callback_t LogCallback() const { return logCallback_; }
    std::int32_t MinimumLogLevel() const { return minimumLogLevel_; }

private:
    bool CreateExtensionContext(std::uint32_t vendorId, std::uint32_t deviceId);
    void Release();

    KrvaExtensionContext* extensionContext_ = nullptr;
    ExtensionVersion MIN_EXTENSION_VERSION{4, 14, 0};
    bool extensionReady_ = false;
    ID3D11Device* device_ = nullptr;
    krva_vorx_handle_t driverHandle_ = nullptr;
    vorx_app_log_callback_t logCallback_ = nullptr;
    std::int32_t minimumLogLevel_ = 0;
    bool korvaAdapter_ = false;
};

struct ContextHandle {
    std::uint32_t contextId = CONTEXT_ID_D3D11;
    D3D11Context* context = nullptr;
};

// The adapter's description; false when the device does not answer the queries.
bool GetAdapterDescription(ID3D11Device* device, DXGI_ADAPTER_DESC1& desc);

// Throws ErrorInvalidContext for a handle whose ID is not ours.
D3D11Context& ResolveContext(vorx_context_handle_t handle);

// On 0, *handle receives the new context; otherwise nothing is left behind.
vorx_result_t CreateContext(ID3D11Device* device, vorx_context_handle_t* handle);

// Frees the context whatever the driver answers.
vorx_result_t DestroyContext(vorx_context_handle_t handle);

// With a handle: to the context's callback from its minimum level on.
// Without: the INFO lines go to the debugger, others are dropped.
void LogMessage(vorx_context_handle_t handle, const char* message, std::int32_t level);

} // namespace vorx
