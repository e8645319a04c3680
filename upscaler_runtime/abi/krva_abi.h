/*
 * The contract between libvorx_dx11.dll and the Korva driver's extensions
 * library kvgext64.dll: records passed across, entry-point signatures, and
 * the lower-level KRVA_* exports of libvorx_dx11.dll that forward to them.
 *
 * Both sides are built from this one header so that a change of a signature
 * breaks the build instead of the stack.
 */
#ifndef KRVA_ABI_H
#define KRVA_ABI_H

#include <stdint.h>

#include "vorx_d3d11.h"

#ifdef _WIN32
#include <winerror.h>
typedef long KRVA_HRESULT;
#else
typedef int32_t KRVA_HRESULT;
#endif

#ifdef __cplusplus
extern "C" {
#endif

/*
 * PCI vendor ID of Korva GPUs as reported by DXGI. 0x4B56 ("KV") is assigned
 * to no vendor in the PCI ID registry, so no player's NVIDIA, AMD, Intel,
 * Qualcomm, ARM, Microsoft (WARP) or virtual adapter can be mistaken for one.
 * Wine reports an NVIDIA adapter (0x10de) by default.
 */
#define KORVA_VENDOR_ID 0x4B56u

/* Interface version of the extensions library. */
typedef struct KrvaExtensionVersion {
    uint32_t major;
    uint32_t minor;
    uint32_t revision;
} KrvaExtensionVersion;

/* In: the requested version. Out: what the driver tells about itself. */
typedef struct KrvaExtensionInfo {
    KrvaExtensionVersion requestedExtensionVersion;
    uint32_t vendorId;
    uint32_t deviceId;
    uint32_t driverBuildNumber;
    uint32_t reserved0;
    uint16_t driverDescription[64];
    uint8_t reserved[36];
} KrvaExtensionInfo;

typedef struct KrvaExtensionAppInfo {
    const uint16_t* pApplicationName;
    uint32_t applicationVersion;
    const uint16_t* pEngineName;
    uint32_t engineVersion;
} KrvaExtensionAppInfo;

/* Opaque driver objects. */
typedef struct KrvaExtensionContext KrvaExtensionContext;
typedef struct KrvaVorxDriverContext* krva_vorx_handle_t;

/* Application information known to the driver's crash-dump hooks. */
typedef struct KrvaApplicationInfo {
    uint32_t size;
    uint32_t liveCommandLists;
    uint64_t devicesDestroyed;
    const void* registeredCallbacks;
    const void* lastCommandList;
} KrvaApplicationInfo;

typedef struct KrvaCrashDumpBufferInfo {
    void* buffer;
    uint64_t size;
} KrvaCrashDumpBufferInfo;

/* Entry points of kvgext64.dll that the runtime calls. */
typedef KRVA_HRESULT (*PFN_KRVA_D3D11_GetSupportedVersions)(ID3D11Device* device,
                                                             KrvaExtensionVersion* pSupportedExtVersions,
                                                             uint32_t* pSupportedExtVersionsCount);
typedef KRVA_HRESULT (*PFN_KRVA_D3D11_CreateDeviceExtensionContext)(ID3D11Device* device,
                                                                     KrvaExtensionContext** ppExtensionContext,
                                                                     KrvaExtensionInfo* pExtensionInfo,
                                                                     KrvaExtensionAppInfo* pExtensionAppInfo);
typedef KRVA_HRESULT (*PFN_KRVA_DestroyDeviceExtensionContext)(KrvaExtensionContext** ppExtensionContext);

typedef vorx_result_t (*PFN_KRVA_D3D11_VorxCreateContext)(KrvaExtensionContext*, krva_vorx_handle_t*);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxDestroyContext)(KrvaExtensionContext*, krva_vorx_handle_t);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxInit)(KrvaExtensionContext*, krva_vorx_handle_t,
                                                 const vorx_d3d11_init_params_t*);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxGetInitParams)(KrvaExtensionContext*, krva_vorx_handle_t,
                                                          vorx_d3d11_init_params_t*);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxExecute)(KrvaExtensionContext*, krva_vorx_handle_t,
                                                    const vorx_d3d11_execute_params_t*);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxGetVersion)(KrvaExtensionContext*, vorx_version_t*);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxGetKorvaLuFXVersion)(KrvaExtensionContext*, krva_vorx_handle_t,
                                                                vorx_version_t*);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxGetInputResolution)(KrvaExtensionContext*, krva_vorx_handle_t,
                                                               const vorx_2d_t*, uint32_t, vorx_2d_t*);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxGetOptimalInputResolution)(KrvaExtensionContext*, krva_vorx_handle_t,
                                                                      const vorx_2d_t*, uint32_t, vorx_2d_t*,
                                                                      vorx_2d_t*, vorx_2d_t*);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxGetScale)(KrvaExtensionContext*, krva_vorx_handle_t, float*, float*);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxSetScale)(KrvaExtensionContext*, krva_vorx_handle_t, float, float);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxSetExposureMultiplier)(KrvaExtensionContext*, krva_vorx_handle_t, float);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxGetExposureMultiplier)(KrvaExtensionContext*, krva_vorx_handle_t,
                                                                  float*);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxSetLoggingCallback)(KrvaExtensionContext*, krva_vorx_handle_t, int32_t,
                                                               vorx_app_log_callback_t);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxIsOptimalDriver)(KrvaExtensionContext*, krva_vorx_handle_t);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxSelectNetworkModel)(KrvaExtensionContext*, krva_vorx_handle_t, uint32_t);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxGetProfilingData)(KrvaExtensionContext*, krva_vorx_handle_t,
                                                             vorx_profiling_data_t**);
typedef vorx_result_t (*PFN_KRVA_D3D11_VorxForceLegacyScaleFactors)(KrvaExtensionContext*, krva_vorx_handle_t,
                                                                    uint32_t);

typedef void (*PFN_KRVA_D3D12_RegisterDriverCallbacks)(const void* pCallbacks);
typedef void (*PFN_KRVA_D3D12_GpuCrashDumpOnDeviceDestroy)(void* pDevice);
typedef KRVA_HRESULT (*PFN_KRVA_D3D12_GetApplicationInfo)(KrvaApplicationInfo* pInfo);
typedef void (*PFN_KRVA_D3D12_GetGpuCrashDumpBufferInfo)(KrvaCrashDumpBufferInfo* pInfo);
typedef void (*PFN_KRVA_D3D12_GpuCrashDumpOnCommandListCreate)(void* pCommandList);
typedef void (*PFN_KRVA_D3D12_GpuCrashDumpOnCommandListDestroy)(void* pCommandList);

/*
 * Lower-level exports of libvorx_dx11.dll. They take the driver's own handles,
 * test nothing, and answer VORX_RESULT_ERROR_INVALID_CONTEXT (-8) when the
 * driver lacks the entry point (or before any driver was loaded).
 */
vorx_result_t KRVA_D3D11_VorxCreateContext(KrvaExtensionContext* ext, krva_vorx_handle_t* phDriver);
vorx_result_t KRVA_D3D11_VorxDestroyContext(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver);
vorx_result_t KRVA_D3D11_VorxInit(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                  const vorx_d3d11_init_params_t* pInitParams);
vorx_result_t KRVA_D3D11_VorxGetInitParams(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                           vorx_d3d11_init_params_t* pInitParams);
vorx_result_t KRVA_D3D11_VorxExecute(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                     const vorx_d3d11_execute_params_t* pExecParams);
vorx_result_t KRVA_D3D11_VorxGetVersion(KrvaExtensionContext* ext, vorx_version_t* pVersion);
vorx_result_t KRVA_D3D11_VorxGetKorvaLuFXVersion(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                 vorx_version_t* pVersion);
vorx_result_t KRVA_D3D11_VorxGetInputResolution(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                const vorx_2d_t* pOutputResolution, uint32_t qualitySettings,
                                                vorx_2d_t* pInputResolution);
vorx_result_t KRVA_D3D11_VorxGetOptimalInputResolution(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                       const vorx_2d_t* pOutputResolution, uint32_t qualitySettings,
                                                       vorx_2d_t* pInputResolutionOptimal,
                                                       vorx_2d_t* pInputResolutionMin,
                                                       vorx_2d_t* pInputResolutionMax);
vorx_result_t KRVA_D3D11_VorxGetJitterScale(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver, float* pX,
                                            float* pY);
vorx_result_t KRVA_D3D11_VorxGetVelocityScale(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver, float* pX,
                                              float* pY);
vorx_result_t KRVA_D3D11_VorxSetJitterScale(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver, float x, float y);
vorx_result_t KRVA_D3D11_VorxSetVelocityScale(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver, float x,
                                              float y);
vorx_result_t KRVA_D3D11_VorxSetExposureMultiplier(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                   float scale);
vorx_result_t KRVA_D3D11_VorxGetExposureMultiplier(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                   float* pScale);
vorx_result_t KRVA_D3D11_VorxSetLoggingCallback(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                int32_t loggingLevel, vorx_app_log_callback_t callback);
vorx_result_t KRVA_D3D11_VorxIsOptimalDriver(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver);
vorx_result_t KRVA_D3D11_VorxSelectNetworkModel(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                uint32_t network);
vorx_result_t KRVA_D3D11_VorxGetProfilingData(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                              vorx_profiling_data_t** pProfilingData);
vorx_result_t KRVA_D3D11_VorxForceLegacyScaleFactors(KrvaExtensionContext* ext, krva_vorx_handle_t hDriver,
                                                     uint32_t force);

void KRVA_D3D12_RegisterDriverCallbacks(const void* pCallbacks);
void KRVA_D3D12_GpuCrashDumpOnDeviceDestroy(void* pDevice);
KRVA_HRESULT KRVA_D3D12_GetApplicationInfo(KrvaApplicationInfo* pInfo);
void KRVA_D3D12_GetGpuCrashDumpBufferInfo(KrvaCrashDumpBufferInfo* pInfo);
void KRVA_D3D12_GpuCrashDumpOnCommandListCreate(void* pCommandList);
void KRVA_D3D12_GpuCrashDumpOnCommandListDestroy(void* pCommandList);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
static_assert(sizeof(KrvaExtensionVersion) == 12, "the driver fills arrays of 12-byte records");
static_assert(sizeof(KrvaExtensionInfo) == 192, "the driver fills a 192-byte record");
#endif

#endif /* KRVA_ABI_H */
