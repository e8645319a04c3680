// Pass-through to the driver's entry points: no test, no logging, the same
// arguments in the same order. A missing entry point has a fixed answer.
#include "forwarders_win32.hpp"

#include "../core/extension_slots.hpp"
#include "loader_win32.hpp"

namespace {

using namespace vorx::loader::slot;

template <typename Fn>
Fn Entry(std::size_t slot)
{
    return reinterpret_cast<Fn>(vorx::loader::ExtensionEntry(slot));
}

constexpr vorx_result_t kMissing = VORX_RESULT_ERROR_INVALID_CONTEXT;

} // namespace

namespace vorx::forward {

HRESULT D3D11GetSupportedVersions(ID3D11Device* device, KrvaExtensionVersion* versions, uint32_t* count)
{
    auto fn = Entry<PFN_KRVA_D3D11_GetSupportedVersions>(vorx::loader::slot::kD3D11GetSupportedVersions);
    return fn ? fn(device, versions, count) : E_NOINTERFACE;
}

HRESULT D3D11CreateDeviceExtensionContext(ID3D11Device* device, KrvaExtensionContext** extensionContext,
                                          KrvaExtensionInfo* info, KrvaExtensionAppInfo* appInfo)
{
    auto fn = Entry<PFN_KRVA_D3D11_CreateDeviceExtensionContext>(
        vorx::loader::slot::kD3D11CreateDeviceExtensionContext);
    return fn ? fn(device, extensionContext, info, appInfo) : E_NOINTERFACE;
}

HRESULT DestroyDeviceExtensionContext(KrvaExtensionContext** extensionContext)
{
    auto fn = Entry<PFN_KRVA_DestroyDeviceExtensionContext>(vorx::loader::slot::kDestroyDeviceExtensionContext);
    return fn ? fn(extensionContext) : E_NOINTERFACE;
}

} // namespace vorx::forward

extern "C" {

vorx_result_t KRVA_D3D11_VorxCreateContext(KrvaExtensionContext* ext, krva_vorx_handle_t* phDriver)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxCreateContext>(kD3D11VorxCreateContext);
    return fn ? fn(ext, phDriver) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxDestroyContext(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxDestroyContext>(kD3D11VorxDestroyContext);
    return fn ? fn(ext, hDriver) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxInit(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                  const vorx_d3d11_init_params_t* pInitParams)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxInit>(kD3D11VorxInit);
    return fn ? fn(ext, hDriver, pInitParams) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxGetInitParams(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                           vorx_d3d11_init_params_t* pInitParams)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxGetInitParams>(kD3D11VorxGetInitParams);
    return fn ? fn(ext, hDriver, pInitParams) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxExecute(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                     const vorx_d3d11_execute_params_t* pExecParams)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxExecute>(kD3D11VorxExecute);
    return fn ? fn(ext, hDriver, pExecParams) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxGetVersion(KrvaExtensionContext* ext, vorx_version_t* pVersion)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxGetVersion>(kD3D11VorxGetVersion);
    return fn ? fn(ext, pVersion) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxGetKorvaLuFXVersion(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                 vorx_version_t* pVersion)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxGetKorvaLuFXVersion>(kD3D11VorxGetKorvaLuFXVersion);
    return fn ? fn(ext, hDriver, pVersion) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxGetInputResolution(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                const vorx_2d_t* pOutputResolution, uint32_t qualitySettings,
                                                vorx_2d_t* pInputResolution)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxGetInputResolution>(kD3D11VorxGetInputResolution);
    return fn ? fn(ext, hDriver, pOutputResolution, qualitySettings, pInputResolution) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxGetOptimalInputResolution(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                       const vorx_2d_t* pOutputResolution, uint32_t qualitySettings,
                                                       vorx_2d_t* pInputResolutionOptimal,
                                                       vorx_2d_t* pInputResolutionMin, vorx_2d_t* pInputResolutionMax)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxGetOptimalInputResolution>(kD3D11VorxGetOptimalInputResolution);
    return fn ? fn(ext, hDriver, pOutputResolution, qualitySettings, pInputResolutionOptimal, pInputResolutionMin,
                   pInputResolutionMax)
              : kMissing;
}

vorx_result_t KRVA_D3D11_VorxGetJitterScale(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver, float* pX,
                                            float* pY)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxGetScale>(kD3D11VorxGetJitterScale);
    return fn ? fn(ext, hDriver, pX, pY) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxGetVelocityScale(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver, float* pX,
                                              float* pY)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxGetScale>(kD3D11VorxGetVelocityScale);
    return fn ? fn(ext, hDriver, pX, pY) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxSetJitterScale(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver, float x, float y)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxSetScale>(kD3D11VorxSetJitterScale);
    return fn ? fn(ext, hDriver, x, y) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxSetVelocityScale(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver, float x, float y)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxSetScale>(kD3D11VorxSetVelocityScale);
    return fn ? fn(ext, hDriver, x, y) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxSetExposureMultiplier(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver, float scale)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxSetExposureMultiplier>(kD3D11VorxSetExposureMultiplier);
    return fn ? fn(ext, hDriver, scale) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxGetExposureMultiplier(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                   float* pScale)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxGetExposureMultiplier>(kD3D11VorxGetExposureMultiplier);
    return fn ? fn(ext, hDriver, pScale) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxSetLoggingCallback(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                int32_t loggingLevel, vorx_app_log_callback_t callback)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxSetLoggingCallback>(kD3D11VorxSetLoggingCallback);
    return fn ? fn(ext, hDriver, loggingLevel, callback) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxIsOptimalDriver(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxIsOptimalDriver>(kD3D11VorxIsOptimalDriver);
    return fn ? fn(ext, hDriver) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxSelectNetworkModel(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                uint32_t network)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxSelectNetworkModel>(kD3D11VorxSelectNetworkModel);
    return fn ? fn(ext, hDriver, network) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxGetProfilingData(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                              vorx_profiling_data_t** pProfilingData)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxGetProfilingData>(kD3D11VorxGetProfilingData);
    return fn ? fn(ext, hDriver, pProfilingData) : kMissing;
}

vorx_result_t KRVA_D3D11_VorxForceLegacyScaleFactors(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                     uint32_t force)
{
    auto fn = Entry<PFN_KRVA_D3D11_VorxForceLegacyScaleFactors>(kD3D11VorxForceLegacyScaleFactors);
    return fn ? fn(ext, hDriver, force) : kMissing;
}

void KRVA_D3D12_RegisterDriverCallbacks(const void* pCallbacks)
{
    if (auto fn = Entry<PFN_KRVA_D3D12_RegisterDriverCallbacks>(kD3D12RegisterDriverCallbacks)) fn(pCallbacks);
}

void KRVA_D3D12_GpuCrashDumpOnDeviceDestroy(void* pDevice)
{
    if (auto fn = Entry<PFN_KRVA_D3D12_GpuCrashDumpOnDeviceDestroy>(kD3D12GpuCrashDumpOnDeviceDestroy)) fn(pDevice);
}

KRVA_HRESULT KRVA_D3D12_GetApplicationInfo(KrvaApplicationInfo* pInfo)
{
    auto fn = Entry<PFN_KRVA_D3D12_GetApplicationInfo>(kD3D12GetApplicationInfo);
    return fn ? fn(pInfo) : E_NOINTERFACE;
}

void KRVA_D3D12_GetGpuCrashDumpBufferInfo(KrvaCrashDumpBufferInfo* pInfo)
{
    if (auto fn = Entry<PFN_KRVA_D3D12_GetGpuCrashDumpBufferInfo>(kD3D12GetGpuCrashDumpBufferInfo)) fn(pInfo);
}

void KRVA_D3D12_GpuCrashDumpOnCommandListCreate(void* pCommandList)
{
    if (auto fn = Entry<PFN_KRVA_D3D12_GpuCrashDumpOnCommandListCreate>(kD3D12GpuCrashDumpOnCommandListCreate)) {
        fn(pCommandList);
    }
}

void KRVA_D3D12_GpuCrashDumpOnCommandListDestroy(void* pCommandList)
{
    if (auto fn = Entry<PFN_KRVA_D3D12_GpuCrashDumpOnCommandListDestroy>(kD3D12GpuCrashDumpOnCommandListDestroy)) {
        fn(pCommandList);
    }
}

} // extern "C"
