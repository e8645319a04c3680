#include "context_win32.hpp"

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "../core/errors.hpp"
#include "../core/log_line.hpp"
#include "forwarders_win32.hpp"
#include "loader_win32.hpp"
#include "version_gate_win32.hpp"

namespace vorx {
namespace {

// Each field is compared by itself, so 5.0.0 does not satisfy 4.14.0.
bool Satisfies(const KrvaExtensionVersion& offered, const ExtensionVersion& minimum)
{
    return offered.major >= minimum.major && offered.minor >= minimum.minor && offered.revision >= minimum.revision;
}

} // namespace

bool GetAdapterDescription(ID3D11Device* device, DXGI_ADAPTER_DESC1& desc)
{
    IDXGIDevice* dxgiDevice = nullptr;
    if (FAILED(device->QueryInterface(__uuidof(IDXGIDevice), reinterpret_cast<void**>(&dxgiDevice)))) return false;
    IDXGIAdapter* adapter = nullptr;
    HRESULT hr = dxgiDevice->GetAdapter(&adapter);
    dxgiDevice->Release();
    if (FAILED(hr)) return false;
    IDXGIAdapter1* adapter1 = nullptr;
    hr = adapter->QueryInterface(__uuidof(IDXGIAdapter1), reinterpret_cast<void**>(&adapter1));
    adapter->Release();
    if (FAILED(hr)) return false;
    hr = adapter1->GetDesc1(&desc);
    adapter1->Release();
    return SUCCEEDED(hr);
}

D3D11Context::D3D11Context(ID3D11Device* device) : device_(device)
{
    device_->AddRef();
    try {
        // A device that cannot describe its adapter is treated as another vendor's.
        DXGI_ADAPTER_DESC1 desc{};
        if (!GetAdapterDescription(device, desc) || desc.VendorId != KORVA_VENDOR_ID) return;
        korvaAdapter_ = true;
        if (!IsDriverSupported(desc.AdapterLuid)) {
            throw vorxBaseException("Unsupported driver version", VORX_RESULT_ERROR_UNSUPPORTED_DRIVER_VERSION);
        }
        CreateExtensionContext(desc.VendorId, desc.DeviceId);
    } catch (...) {
        Release();
        throw;
    }
}

D3D11Context::~D3D11Context() { Release(); }

void D3D11Context::Release()
{
    if (device_ != nullptr) {
        ID3D11Device* device = device_;
        device_ = nullptr;
        device->Release();
    }
    if (extensionContext_ != nullptr) {
        forward::DestroyDeviceExtensionContext(&extensionContext_);
        extensionContext_ = nullptr;
    }
    extensionReady_ = false;
}

bool D3D11Context::CreateExtensionContext(std::uint32_t vendorId, std::uint32_t deviceId)
{
    if (extensionReady_) return true;
    if (FAILED(loader::OpenDriverExtension(true, vendorId, deviceId))) return false;

    std::uint32_t count = 0;
    if (FAILED(forward::D3D11GetSupportedVersions(device_, nullptr, &count))) return false;
    std::vector<KrvaExtensionVersion> versions(count, KrvaExtensionVersion{});
    if (FAILED(forward::D3D11GetSupportedVersions(device_, versions.data(), &count))) return false;
    if (count < versions.size()) versions.resize(count);

    // With no offered version new enough there is nothing sensible to request.
    const KrvaExtensionVersion* chosen = nullptr;
    for (const KrvaExtensionVersion& offered : versions) {
        if (Satisfies(offered, MIN_EXTENSION_VERSION)) {
            chosen = &offered;
            break;
        }
    }
    if (chosen == nullptr) return false;

    KrvaExtensionInfo info{};
    info.requestedExtensionVersion = *chosen;
    if (FAILED(forward::D3D11CreateDeviceExtensionContext(device_, &extensionContext_, &info, nullptr)) ||
        extensionContext_ == nullptr) {
        extensionContext_ = nullptr;
        return false;
    }
    extensionReady_ = true;
    return true;
}

vorx_result_t D3D11Context::CreateDriverContext()
{
    if (!korvaAdapter_) return VORX_RESULT_ERROR_UNSUPPORTED_ADAPTER;
    if (!extensionReady_) return VORX_RESULT_ERROR_EXTENSION_UNAVAILABLE;
    return KRVA_D3D11_VorxCreateContext(extensionContext_, &driverHandle_);
}

#define VORX_FORWARD(call)                                                       \
    if (!extensionReady_) return VORX_RESULT_ERROR_EXTENSION_UNAVAILABLE;        \
    return call

vorx_result_t D3D11Context::Destroy() { VORX_FORWARD(KRVA_D3D11_VorxDestroyContext(extensionContext_, driverHandle_)); }

vorx_result_t D3D11Context::Init(const vorx_d3d11_init_params_t* params)
{
    VORX_FORWARD(KRVA_D3D11_VorxInit(extensionContext_, driverHandle_, params));
}

vorx_result_t D3D11Context::GetInitParams(vorx_d3d11_init_params_t* params)
{
    VORX_FORWARD(KRVA_D3D11_VorxGetInitParams(extensionContext_, driverHandle_, params));
}

vorx_result_t D3D11Context::Execute(const vorx_d3d11_execute_params_t* params)
{
    VORX_FORWARD(KRVA_D3D11_VorxExecute(extensionContext_, driverHandle_, params));
}

vorx_result_t D3D11Context::GetInputResolution(const vorx_2d_t* output, std::uint32_t quality, vorx_2d_t* input)
{
    VORX_FORWARD(KRVA_D3D11_VorxGetInputResolution(extensionContext_, driverHandle_, output, quality, input));
}

vorx_result_t D3D11Context::GetOptimalInputResolution(const vorx_2d_t* output, std::uint32_t quality,
                                                      vorx_2d_t* optimal, vorx_2d_t* minimum, vorx_2d_t* maximum)
{
    VORX_FORWARD(KRVA_D3D11_VorxGetOptimalInputResolution(extensionContext_, driverHandle_, output, quality, optimal,
                                                          minimum, maximum));
}

vorx_result_t D3D11Context::GetJitterScale(float* x, float* y)
{
    VORX_FORWARD(KRVA_D3D11_VorxGetJitterScale(extensionContext_, driverHandle_, x, y));
}

vorx_result_t D3D11Context::GetVelocityScale(float* x, float* y)
{
    VORX_FORWARD(KRVA_D3D11_VorxGetVelocityScale(extensionContext_, driverHandle_, x, y));
}

vorx_result_t D3D11Context::SetJitterScale(float x, float y)
{
    VORX_FORWARD(KRVA_D3D11_VorxSetJitterScale(extensionContext_, driverHandle_, x, y));
}

vorx_result_t D3D11Context::SetVelocityScale(float x, float y)
{
    VORX_FORWARD(KRVA_D3D11_VorxSetVelocityScale(extensionContext_, driverHandle_, x, y));
}

vorx_result_t D3D11Context::SetExposureMultiplier(float scale)
{
    VORX_FORWARD(KRVA_D3D11_VorxSetExposureMultiplier(extensionContext_, driverHandle_, scale));
}

vorx_result_t D3D11Context::GetExposureMultiplier(float* scale)
{
    VORX_FORWARD(KRVA_D3D11_VorxGetExposureMultiplier(extensionContext_, driverHandle_, scale));
}

vorx_result_t D3D11Context::SetLoggingCallback(std::int32_t level, vorx_app_log_callback_t callback)
{
    // Kept here too, so the runtime's own messages reach the game as well.
    logCallback_ = callback;
    minimumLogLevel_ = level;
    VORX_FORWARD(KRVA_D3D11_VorxSetLoggingCallback(extensionContext_, driverHandle_, level, callback));
}

vorx_result_t D3D11Context::IsOptimalDriver()
{
    DXGI_ADAPTER_DESC1 desc{};
    if (!GetAdapterDescription(device_, desc) || !IsDriverOptimal(desc.AdapterLuid)) {
        return VORX_RESULT_WARNING_DRIVER_NOT_OPTIMAL;
    }
    VORX_FORWARD(KRVA_D3D11_VorxIsOptimalDriver(extensionContext_, driverHandle_));
}

vorx_result_t D3D11Context::SelectNetworkModel(std::uint32_t network)
{
    VORX_FORWARD(KRVA_D3D11_VorxSelectNetworkModel(extensionContext_, driverHandle_, network));
}

vorx_result_t D3D11Context::GetProfilingData(vorx_profiling_data_t** data)
{
    VORX_FORWARD(KRVA_D3D11_VorxGetProfilingData(extensionContext_, driverHandle_, data));
}

vorx_result_t D3D11Context::ForceLegacyScaleFactors(std::uint8_t force)
{
    VORX_FORWARD(KRVA_D3D11_VorxForceLegacyScaleFactors(extensionContext_, driverHandle_, force));
}

#undef VORX_FORWARD

D3D11Context& ResolveContext(vorx_context_handle_t handle)
{
    auto* record = reinterpret_cast<ContextHandle*>(handle);
    if (record->contextId != CONTEXT_ID_D3D11) throw ErrorInvalidContext(CONTEXT_ID_D3D11, record->contextId);
    return *record->context;
}

vorx_result_t CreateContext(ID3D11Device* device, vorx_context_handle_t* handle)
{
    auto record = std::make_unique<ContextHandle>();
    auto context = std::make_unique<D3D11Context>(device);
    const vorx_result_t result = context->CreateDriverContext();
    if (result != VORX_RESULT_SUCCESS) return result; // both records freed, device reference given back
    record->context = context.release();
    *handle = reinterpret_cast<vorx_context_handle_t>(record.release());
    return result;
}

vorx_result_t DestroyContext(vorx_context_handle_t handle)
{
    D3D11Context& context = ResolveContext(handle);
    const vorx_result_t result = context.Destroy();
    delete &context;
    delete reinterpret_cast<ContextHandle*>(handle);
    return result;
}

void LogMessage(vorx_context_handle_t handle, const char* message, std::int32_t level)
{
    try {
        if (handle != nullptr) {
            const D3D11Context& context = ResolveContext(handle);
            if (context.LogCallback() != nullptr && level >= context.MinimumLogLevel()) {
                context.LogCallback()(message, level);
            }
            return;
        }
        if (level == VORX_LOGGING_LEVEL_INFO) OutputDebugStringA(BuildLogLine(level, message).c_str());
    } catch (...) {
        // Logging never turns into a failure of the call that logs.
    }
}

} // namespace vorx
