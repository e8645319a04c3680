// Entry points of kvgext64.dll, the Korva driver's extensions library: the
// extension context on a Direct3D 11 device, the Vorx upscaler on it, and the
// crash-dump hooks.
//
// Test builds (compile definitions) change what the library offers:
//   KVGEXT_OFFER_OLD_VERSIONS          only interface versions 5.0.0 and 4.13.9
//   KVGEXT_OFFER_MIXED_VERSIONS        5.0.0, 4.15.0, 7.20.3 in that order
//   KVGEXT_FALLBACK_NAMES              the version query and the destroy call under their older names
//   KVGEXT_OMIT_SELECT_NETWORK_MODEL   no _KRVA_D3D11_VorxSelectNetworkModel
//   KVGEXT_OMIT_DESTROY_CONTEXT        no _KRVA_D3D11_VorxDestroyContext
#include <d3d11.h>
#include <dxgi.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bilinear_upscaler_win32.hpp"
#include "krva_abi.h"
#include "scale_factors.hpp"

#define KVGEXT_EXPORT extern "C" __declspec(dllexport)

namespace {

#if defined(KVGEXT_OFFER_OLD_VERSIONS)
constexpr KrvaExtensionVersion kOfferedVersions[] = {{5, 0, 0}, {4, 13, 9}};
#elif defined(KVGEXT_OFFER_MIXED_VERSIONS)
constexpr KrvaExtensionVersion kOfferedVersions[] = {{5, 0, 0}, {4, 15, 0}, {7, 20, 3}};
#else
// Newest first: the runtime takes the first one it can use.
constexpr KrvaExtensionVersion kOfferedVersions[] = {{4, 16, 0}, {4, 14, 0}, {1, 0, 0}};
#endif

constexpr std::uint32_t kDriverBuildNumber = 6553;
constexpr char16_t kDriverDescription[] = u"Korva Graphics extensions (kvgext64)";
constexpr vorx_version_t kVorxImplementationVersion = {2, 0, 2, 0};
constexpr vorx_version_t kLuFXVersion = {1, 2, 0, 0};

constexpr std::uint32_t kExtensionMagic = 0x4B564745; // "EGVK"
constexpr std::uint32_t kVorxMagic = 0x4B56584F;      // "OXVK"

bool Offered(const KrvaExtensionVersion& v)
{
    return std::any_of(std::begin(kOfferedVersions), std::end(kOfferedVersions), [&](const KrvaExtensionVersion& o) {
        return o.major == v.major && o.minor == v.minor && o.revision == v.revision;
    });
}

} // namespace

struct KrvaVorxDriverContext {
    std::uint32_t magic = kVorxMagic;
    KrvaExtensionContext* owner = nullptr;
    bool initialized = false;
    vorx_d3d11_init_params_t init{};
    float jitterScale[2] = {1.0f, 1.0f};
    float velocityScale[2] = {1.0f, 1.0f};
    float exposureMultiplier = 1.0f;
    vorx_app_log_callback_t callback = nullptr;
    std::int32_t logLevel = VORX_LOGGING_LEVEL_ERROR;
    bool legacyScaleFactors = false;
    std::uint32_t networkModel = VORX_NETWORK_MODEL_DEFAULT;
    vorx_profiling_data_t profiling{};
    std::unique_ptr<kvgext::BilinearUpscaler> upscaler;
};

struct KrvaExtensionContext {
    std::uint32_t magic = kExtensionMagic;
    ID3D11Device* device = nullptr; // one reference
    KrvaExtensionVersion version{};
    // Vorx contexts still alive go with the extension context.
    std::vector<std::unique_ptr<KrvaVorxDriverContext>> vorxContexts;
};

namespace {

KrvaVorxDriverContext* Resolve(KrvaExtensionContext* ext, krva_vorx_handle_t handle)
{
    if (ext == nullptr || ext->magic != kExtensionMagic || handle == nullptr) return nullptr;
    for (const auto& owned : ext->vorxContexts) {
        if (owned.get() == handle && handle->magic == kVorxMagic) return handle;
    }
    return nullptr;
}

void Log(const KrvaVorxDriverContext& ctx, std::int32_t level, const char* format, ...)
{
    if (ctx.callback == nullptr || level < ctx.logLevel) return;
    char text[512];
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    ctx.callback(text, level);
}

// The crash-dump hooks' record of the application.
struct CrashDumpState {
    const void* callbacks = nullptr;
    std::uint64_t devicesDestroyed = 0;
    std::uint32_t liveCommandLists = 0;
    const void* lastCommandList = nullptr;
    unsigned char buffer[4096] = {};
};

CrashDumpState& CrashDumps()
{
    static CrashDumpState state;
    return state;
}

} // namespace

#define KVGEXT_RESOLVE(ctx)                                                  \
    KrvaVorxDriverContext* ctx = Resolve(ext, handle);                       \
    if (ctx == nullptr) return VORX_RESULT_ERROR_INVALID_CONTEXT

// --- extension context ---

static HRESULT GetSupportedVersions(ID3D11Device* device, KrvaExtensionVersion* versions, uint32_t* count)
{
    constexpr auto offered = static_cast<uint32_t>(std::size(kOfferedVersions));
    if (device == nullptr || count == nullptr) return E_INVALIDARG;
    if (versions == nullptr) {
        *count = offered;
        return S_OK;
    }
    const uint32_t written = std::min(*count, offered);
    std::copy_n(kOfferedVersions, written, versions);
    *count = written;
    return S_OK;
}

static HRESULT DestroyExtensionContext(KrvaExtensionContext** ppExtensionContext)
{
    if (ppExtensionContext == nullptr || *ppExtensionContext == nullptr ||
        (*ppExtensionContext)->magic != kExtensionMagic) {
        return E_INVALIDARG;
    }
    KrvaExtensionContext* ext = *ppExtensionContext;
    ext->magic = 0;
    ext->vorxContexts.clear();
    ext->device->Release();
    delete ext;
    *ppExtensionContext = nullptr;
    return S_OK;
}

#if defined(KVGEXT_FALLBACK_NAMES)
KVGEXT_EXPORT HRESULT D3D11GetSupportedVersions2(ID3D11Device* device, KrvaExtensionVersion* versions, uint32_t* count)
{
    return GetSupportedVersions(device, versions, count);
}
KVGEXT_EXPORT HRESULT D3D11D3D12DestroyDeviceExtensionContext2(KrvaExtensionContext** ppExtensionContext)
{
    return DestroyExtensionContext(ppExtensionContext);
}
#else
KVGEXT_EXPORT HRESULT _KRVA_D3D11_GetSupportedVersions(ID3D11Device* device, KrvaExtensionVersion* versions,
                                                        uint32_t* count)
{
    return GetSupportedVersions(device, versions, count);
}
KVGEXT_EXPORT HRESULT _KRVA_DestroyDeviceExtensionContext(KrvaExtensionContext** ppExtensionContext)
{
    return DestroyExtensionContext(ppExtensionContext);
}
#endif

KVGEXT_EXPORT HRESULT _KRVA_D3D11_CreateDeviceExtensionContext(ID3D11Device* device,
                                                                KrvaExtensionContext** ppExtensionContext,
                                                                KrvaExtensionInfo* pExtensionInfo,
                                                                KrvaExtensionAppInfo* /*pExtensionAppInfo*/)
{
    if (device == nullptr || ppExtensionContext == nullptr || pExtensionInfo == nullptr) return E_INVALIDARG;
    if (!Offered(pExtensionInfo->requestedExtensionVersion)) return E_INVALIDARG;

    auto ext = std::make_unique<KrvaExtensionContext>();
    ext->device = device;
    ext->version = pExtensionInfo->requestedExtensionVersion;
    device->AddRef();

    IDXGIDevice* dxgiDevice = nullptr;
    if (SUCCEEDED(device->QueryInterface(__uuidof(IDXGIDevice), reinterpret_cast<void**>(&dxgiDevice)))) {
        IDXGIAdapter* adapter = nullptr;
        DXGI_ADAPTER_DESC desc{};
        if (SUCCEEDED(dxgiDevice->GetAdapter(&adapter))) {
            if (SUCCEEDED(adapter->GetDesc(&desc))) {
                pExtensionInfo->vendorId = desc.VendorId;
                pExtensionInfo->deviceId = desc.DeviceId;
            }
            adapter->Release();
        }
        dxgiDevice->Release();
    }
    pExtensionInfo->driverBuildNumber = kDriverBuildNumber;
    std::fill(std::begin(pExtensionInfo->driverDescription), std::end(pExtensionInfo->driverDescription), 0);
    std::copy(std::begin(kDriverDescription), std::end(kDriverDescription), pExtensionInfo->driverDescription);
    *ppExtensionContext = ext.release();
    return S_OK;
}

// --- Vorx ---

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxCreateContext(KrvaExtensionContext* ext, krva_vorx_handle_t* phDriver)
{
    if (ext == nullptr || ext->magic != kExtensionMagic) return VORX_RESULT_ERROR_INVALID_CONTEXT;
    if (phDriver == nullptr) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    auto ctx = std::make_unique<KrvaVorxDriverContext>();
    ctx->owner = ext;
    ctx->upscaler = std::make_unique<kvgext::BilinearUpscaler>(ext->device);
    *phDriver = ctx.get();
    ext->vorxContexts.push_back(std::move(ctx));
    return VORX_RESULT_SUCCESS;
}

#if !defined(KVGEXT_OMIT_DESTROY_CONTEXT)
KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxDestroyContext(KrvaExtensionContext* ext, krva_vorx_handle_t handle)
{
    KVGEXT_RESOLVE(ctx);
    ctx->magic = 0;
    auto& owned = ext->vorxContexts;
    owned.erase(std::remove_if(owned.begin(), owned.end(), [&](const auto& p) { return p.get() == ctx; }),
                owned.end());
    return VORX_RESULT_SUCCESS;
}
#endif

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxInit(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                 const vorx_d3d11_init_params_t* pInitParams)
{
    KVGEXT_RESOLVE(ctx);
    if (pInitParams == nullptr || !kvgext::ScaleFactorMilli(pInitParams->qualitySetings, false) ||
        pInitParams->outputResolution.x == 0 || pInitParams->outputResolution.y == 0 ||
        (pInitParams->initFlags & VORX_INIT_FLAG_EXTERNAL_DESCRIPTOR_HEAP) != 0) {
        return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    }
    ctx->init = *pInitParams;
    ctx->initialized = true;
    Log(*ctx, VORX_LOGGING_LEVEL_DEBUG, "kvgext64: init output %ux%u quality %u flags 0x%x",
        pInitParams->outputResolution.x, pInitParams->outputResolution.y, pInitParams->qualitySetings,
        pInitParams->initFlags);
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxGetInitParams(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                          vorx_d3d11_init_params_t* pInitParams)
{
    KVGEXT_RESOLVE(ctx);
    if (pInitParams == nullptr) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    if (!ctx->initialized) return VORX_RESULT_ERROR_UNINITIALIZED_CONTEXT;
    *pInitParams = ctx->init;
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxExecute(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                    const vorx_d3d11_execute_params_t* p)
{
    KVGEXT_RESOLVE(ctx);
    if (!ctx->initialized) return VORX_RESULT_ERROR_UNINITIALIZED_CONTEXT;
    if (p == nullptr || p->pColorTexture == nullptr || p->pVelocityTexture == nullptr || p->pOutputTexture == nullptr ||
        (p->pDepthTexture == nullptr && (ctx->init.initFlags & VORX_INIT_FLAG_HIGH_RES_MV) == 0)) {
        return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    }
    ID3D11Texture2D* color = nullptr;
    ID3D11Texture2D* output = nullptr;
    D3D11_TEXTURE2D_DESC colorDesc{}, outputDesc{};
    if (SUCCEEDED(p->pColorTexture->QueryInterface(__uuidof(ID3D11Texture2D), reinterpret_cast<void**>(&color)))) {
        color->GetDesc(&colorDesc);
        color->Release();
    }
    if (SUCCEEDED(p->pOutputTexture->QueryInterface(__uuidof(ID3D11Texture2D), reinterpret_cast<void**>(&output)))) {
        output->GetDesc(&outputDesc);
        output->Release();
    }
    if (color == nullptr || output == nullptr) {
        Log(*ctx, VORX_LOGGING_LEVEL_ERROR, "kvgext64: colour and output must be 2D textures");
        return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    }

    kvgext::UpscaleRegion region{};
    region.inputX = p->inputColorBase.x;
    region.inputY = p->inputColorBase.y;
    const std::uint32_t colorRoomX = colorDesc.Width > region.inputX ? colorDesc.Width - region.inputX : 0;
    const std::uint32_t colorRoomY = colorDesc.Height > region.inputY ? colorDesc.Height - region.inputY : 0;
    region.inputWidth = std::min(p->inputWidth != 0 ? p->inputWidth : colorRoomX, colorRoomX);
    region.inputHeight = std::min(p->inputHeight != 0 ? p->inputHeight : colorRoomY, colorRoomY);
    region.outputX = p->outputColorBase.x;
    region.outputY = p->outputColorBase.y;
    const std::uint32_t outRoomX = outputDesc.Width > region.outputX ? outputDesc.Width - region.outputX : 0;
    const std::uint32_t outRoomY = outputDesc.Height > region.outputY ? outputDesc.Height - region.outputY : 0;
    region.outputWidth = std::min(ctx->init.outputResolution.x, outRoomX);
    region.outputHeight = std::min(ctx->init.outputResolution.y, outRoomY);
    if (region.inputWidth == 0 || region.inputHeight == 0 || region.outputWidth == 0 || region.outputHeight == 0) {
        Log(*ctx, VORX_LOGGING_LEVEL_ERROR, "kvgext64: the input or output area lies outside its texture");
        return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    }
    // A NaN jitter (which the runtime lets through) counts as none.
    const float jx = std::isnan(p->jitterOffsetX) ? 0.0f : p->jitterOffsetX;
    const float jy = std::isnan(p->jitterOffsetY) ? 0.0f : p->jitterOffsetY;
    region.offsetX = jx * ctx->jitterScale[0];
    region.offsetY = jy * ctx->jitterScale[1];

    std::string error;
    if (!ctx->upscaler->Run(p->pColorTexture, p->pOutputTexture, region, error)) {
        Log(*ctx, VORX_LOGGING_LEVEL_ERROR, "kvgext64: %s", error.c_str());
        return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    }
    ++ctx->profiling.frameCount;
    Log(*ctx, VORX_LOGGING_LEVEL_DEBUG, "kvgext64: upscaled %ux%u to %ux%u", region.inputWidth, region.inputHeight,
        region.outputWidth, region.outputHeight);
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxGetVersion(KrvaExtensionContext* ext, vorx_version_t* pVersion)
{
    // The interface version this extension context was created with, then our implementation's.
    if (pVersion == nullptr) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    if (ext != nullptr && ext->magic == kExtensionMagic) {
        *pVersion = {static_cast<uint16_t>(ext->version.major), static_cast<uint16_t>(ext->version.minor),
                     static_cast<uint16_t>(ext->version.revision), 0};
    } else {
        *pVersion = kVorxImplementationVersion;
    }
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxGetKorvaLuFXVersion(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                                vorx_version_t* pVersion)
{
    KVGEXT_RESOLVE(ctx);
    if (pVersion == nullptr) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    *pVersion = kLuFXVersion;
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxGetInputResolution(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                               const vorx_2d_t* pOutputResolution,
                                                               uint32_t qualitySettings, vorx_2d_t* pInputResolution)
{
    KVGEXT_RESOLVE(ctx);
    if (pOutputResolution == nullptr || pInputResolution == nullptr) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    const auto input = kvgext::InputResolution({pOutputResolution->x, pOutputResolution->y}, qualitySettings,
                                               ctx->legacyScaleFactors);
    if (!input) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    *pInputResolution = {input->x, input->y};
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxGetOptimalInputResolution(
    KrvaExtensionContext* ext, krva_vorx_handle_t handle, const vorx_2d_t* pOutputResolution, uint32_t qualitySettings,
    vorx_2d_t* pInputResolutionOptimal, vorx_2d_t* pInputResolutionMin, vorx_2d_t* pInputResolutionMax)
{
    KVGEXT_RESOLVE(ctx);
    if (pOutputResolution == nullptr || pInputResolutionOptimal == nullptr || pInputResolutionMin == nullptr ||
        pInputResolutionMax == nullptr) {
        return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    }
    const auto range = kvgext::OptimalInputResolution({pOutputResolution->x, pOutputResolution->y}, qualitySettings,
                                                      ctx->legacyScaleFactors);
    if (!range) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    *pInputResolutionOptimal = {range->optimal.x, range->optimal.y};
    *pInputResolutionMin = {range->minimum.x, range->minimum.y};
    *pInputResolutionMax = {range->maximum.x, range->maximum.y};
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxGetJitterScale(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                           float* pX, float* pY)
{
    KVGEXT_RESOLVE(ctx);
    if (pX == nullptr || pY == nullptr) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    *pX = ctx->jitterScale[0];
    *pY = ctx->jitterScale[1];
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxGetVelocityScale(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                             float* pX, float* pY)
{
    KVGEXT_RESOLVE(ctx);
    if (pX == nullptr || pY == nullptr) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    *pX = ctx->velocityScale[0];
    *pY = ctx->velocityScale[1];
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxSetJitterScale(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                           float x, float y)
{
    KVGEXT_RESOLVE(ctx);
    ctx->jitterScale[0] = x;
    ctx->jitterScale[1] = y;
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxSetVelocityScale(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                             float x, float y)
{
    KVGEXT_RESOLVE(ctx);
    ctx->velocityScale[0] = x;
    ctx->velocityScale[1] = y;
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxSetExposureMultiplier(KrvaExtensionContext* ext,
                                                                  krva_vorx_handle_t handle, float scale)
{
    KVGEXT_RESOLVE(ctx);
    if (!(scale > 0.0f)) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    ctx->exposureMultiplier = scale;
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxGetExposureMultiplier(KrvaExtensionContext* ext,
                                                                  krva_vorx_handle_t handle, float* pScale)
{
    KVGEXT_RESOLVE(ctx);
    if (pScale == nullptr) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    *pScale = ctx->exposureMultiplier;
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxSetLoggingCallback(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                               int32_t loggingLevel, vorx_app_log_callback_t callback)
{
    KVGEXT_RESOLVE(ctx);
    ctx->logLevel = loggingLevel;
    ctx->callback = callback;
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxIsOptimalDriver(KrvaExtensionContext* ext, krva_vorx_handle_t handle)
{
    KVGEXT_RESOLVE(ctx);
    (void)ctx;
    return VORX_RESULT_SUCCESS;
}

#if !defined(KVGEXT_OMIT_SELECT_NETWORK_MODEL)
KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxSelectNetworkModel(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                               uint32_t network)
{
    KVGEXT_RESOLVE(ctx);
    if (network > VORX_NETWORK_MODEL_SMOOTH) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    ctx->networkModel = network;
    return VORX_RESULT_SUCCESS;
}
#endif

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxGetProfilingData(KrvaExtensionContext* ext, krva_vorx_handle_t handle,
                                                             vorx_profiling_data_t** pProfilingData)
{
    KVGEXT_RESOLVE(ctx);
    if (pProfilingData == nullptr) return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    *pProfilingData = &ctx->profiling;
    return VORX_RESULT_SUCCESS;
}

KVGEXT_EXPORT vorx_result_t _KRVA_D3D11_VorxForceLegacyScaleFactors(KrvaExtensionContext* ext,
                                                                    krva_vorx_handle_t handle, uint32_t force)
{
    KVGEXT_RESOLVE(ctx);
    ctx->legacyScaleFactors = force != 0;
    return VORX_RESULT_SUCCESS;
}

// --- crash-dump and application-information hooks ---

KVGEXT_EXPORT void _KRVA_D3D12_RegisterDriverCallbacks(const void* pCallbacks) { CrashDumps().callbacks = pCallbacks; }

KVGEXT_EXPORT void _KRVA_D3D12_GpuCrashDumpOnDeviceDestroy(void* /*pDevice*/) { ++CrashDumps().devicesDestroyed; }

KVGEXT_EXPORT HRESULT _KRVA_D3D12_GetApplicationInfo(KrvaApplicationInfo* pInfo)
{
    if (pInfo == nullptr || pInfo->size < sizeof(KrvaApplicationInfo)) return E_INVALIDARG;
    const CrashDumpState& state = CrashDumps();
    pInfo->liveCommandLists = state.liveCommandLists;
    pInfo->devicesDestroyed = state.devicesDestroyed;
    pInfo->registeredCallbacks = state.callbacks;
    pInfo->lastCommandList = state.lastCommandList;
    return S_OK;
}

KVGEXT_EXPORT void _KRVA_D3D12_GetGpuCrashDumpBufferInfo(KrvaCrashDumpBufferInfo* pInfo)
{
    if (pInfo == nullptr) return;
    pInfo->buffer = CrashDumps().buffer;
    pInfo->size = sizeof(CrashDumps().buffer);
}

KVGEXT_EXPORT void _KRVA_D3D12_GpuCrashDumpOnCommandListCreate(void* pCommandList)
{
    CrashDumpState& state = CrashDumps();
    ++state.liveCommandLists;
    state.lastCommandList = pCommandList;
}

KVGEXT_EXPORT void _KRVA_D3D12_GpuCrashDumpOnCommandListDestroy(void* pCommandList)
{
    CrashDumpState& state = CrashDumps();
    if (state.liveCommandLists > 0) --state.liveCommandLists;
    state.lastCommandList = pCommandList;
}
