#include "korva_device_wrapper.hpp"

#include <dxgi.h>

#include <atomic>

namespace upscaler_test {
namespace {

using Microsoft::WRL::ComPtr;

template <typename Interface>
class RefCounted : public Interface {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    virtual ~RefCounted() = default;

private:
    std::atomic<ULONG> refs_{1};
};

class WrappedAdapter final : public RefCounted<IDXGIAdapter1> {
public:
    WrappedAdapter(ComPtr<IDXGIAdapter1> real, UINT vendorId, UINT deviceId)
        : real_(std::move(real)), vendorId_(vendorId), deviceId_(deviceId)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDXGIObject) || riid == __uuidof(IDXGIAdapter) ||
            riid == __uuidof(IDXGIAdapter1)) {
            AddRef();
            *out = static_cast<IDXGIAdapter1*>(this);
            return S_OK;
        }
        return real_->QueryInterface(riid, out);
    }
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID guid, UINT size, const void* data) override
    {
        return real_->SetPrivateData(guid, size, data);
    }
    HRESULT STDMETHODCALLTYPE SetPrivateDataInterface(REFGUID guid, const IUnknown* object) override
    {
        return real_->SetPrivateDataInterface(guid, object);
    }
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID guid, UINT* size, void* data) override
    {
        return real_->GetPrivateData(guid, size, data);
    }
    HRESULT STDMETHODCALLTYPE GetParent(REFIID riid, void** parent) override { return real_->GetParent(riid, parent); }
    HRESULT STDMETHODCALLTYPE EnumOutputs(UINT output, IDXGIOutput** out) override
    {
        return real_->EnumOutputs(output, out);
    }
    HRESULT STDMETHODCALLTYPE GetDesc(DXGI_ADAPTER_DESC* desc) override
    {
        const HRESULT hr = real_->GetDesc(desc);
        if (SUCCEEDED(hr)) {
            desc->VendorId = vendorId_;
            desc->DeviceId = deviceId_;
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE CheckInterfaceSupport(REFGUID guid, LARGE_INTEGER* version) override
    {
        return real_->CheckInterfaceSupport(guid, version);
    }
    HRESULT STDMETHODCALLTYPE GetDesc1(DXGI_ADAPTER_DESC1* desc) override
    {
        const HRESULT hr = real_->GetDesc1(desc);
        if (SUCCEEDED(hr)) {
            desc->VendorId = vendorId_;
            desc->DeviceId = deviceId_;
        }
        return hr;
    }

private:
    ComPtr<IDXGIAdapter1> real_;
    UINT vendorId_;
    UINT deviceId_;
};

class WrappedDevice;

// The DXGI side of a wrapped device; like the real one it keeps the device alive.
class WrappedDxgiDevice final : public RefCounted<IDXGIDevice> {
public:
    WrappedDxgiDevice(ID3D11Device* owner, ComPtr<IDXGIDevice> real, UINT vendorId, UINT deviceId)
        : owner_(owner), real_(std::move(real)), vendorId_(vendorId), deviceId_(deviceId)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (riid == __uuidof(IDXGIObject) || riid == __uuidof(IDXGIDevice)) {
            AddRef();
            *out = static_cast<IDXGIDevice*>(this);
            return S_OK;
        }
        return owner_->QueryInterface(riid, out);
    }
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID guid, UINT size, const void* data) override
    {
        return real_->SetPrivateData(guid, size, data);
    }
    HRESULT STDMETHODCALLTYPE SetPrivateDataInterface(REFGUID guid, const IUnknown* object) override
    {
        return real_->SetPrivateDataInterface(guid, object);
    }
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID guid, UINT* size, void* data) override
    {
        return real_->GetPrivateData(guid, size, data);
    }
    HRESULT STDMETHODCALLTYPE GetParent(REFIID riid, void** parent) override
    {
        ComPtr<IDXGIAdapter> adapter;
        const HRESULT hr = GetAdapter(&adapter);
        if (FAILED(hr)) return hr;
        return adapter->QueryInterface(riid, parent);
    }
    HRESULT STDMETHODCALLTYPE GetAdapter(IDXGIAdapter** adapter) override
    {
        ComPtr<IDXGIAdapter> real;
        HRESULT hr = real_->GetAdapter(&real);
        if (FAILED(hr)) return hr;
        ComPtr<IDXGIAdapter1> real1;
        hr = real.As(&real1);
        if (FAILED(hr)) return hr;
        *adapter = new WrappedAdapter(real1, vendorId_, deviceId_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateSurface(const DXGI_SURFACE_DESC* desc, UINT count, DXGI_USAGE usage,
                                            const DXGI_SHARED_RESOURCE* shared, IDXGISurface** surface) override
    {
        return real_->CreateSurface(desc, count, usage, shared, surface);
    }
    HRESULT STDMETHODCALLTYPE QueryResourceResidency(IUnknown* const* resources, DXGI_RESIDENCY* status,
                                                     UINT count) override
    {
        return real_->QueryResourceResidency(resources, status, count);
    }
    HRESULT STDMETHODCALLTYPE SetGPUThreadPriority(INT priority) override
    {
        return real_->SetGPUThreadPriority(priority);
    }
    HRESULT STDMETHODCALLTYPE GetGPUThreadPriority(INT* priority) override
    {
        return real_->GetGPUThreadPriority(priority);
    }

private:
    ComPtr<ID3D11Device> owner_;
    ComPtr<IDXGIDevice> real_;
    UINT vendorId_;
    UINT deviceId_;
};

class WrappedDevice final : public RefCounted<ID3D11Device> {
public:
    WrappedDevice(ID3D11Device* real, UINT vendorId, UINT deviceId, bool dxgi = true)
        : real_(real), vendorId_(vendorId), deviceId_(deviceId), dxgi_(dxgi)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (riid == __uuidof(IUnknown) || riid == __uuidof(ID3D11Device)) {
            AddRef();
            *out = static_cast<ID3D11Device*>(this);
            return S_OK;
        }
        if (riid == __uuidof(IDXGIDevice) || riid == __uuidof(IDXGIObject) || riid == __uuidof(IDXGIDevice1)) {
            if (!dxgi_ || riid == __uuidof(IDXGIDevice1)) {
                *out = nullptr;
                return E_NOINTERFACE;
            }
            ComPtr<IDXGIDevice> dxgi;
            const HRESULT hr = real_.As(&dxgi);
            if (FAILED(hr)) return hr;
            *out = static_cast<IDXGIDevice*>(new WrappedDxgiDevice(this, dxgi, vendorId_, deviceId_));
            return S_OK;
        }
        return real_->QueryInterface(riid, out);
    }

    HRESULT STDMETHODCALLTYPE CreateBuffer(const D3D11_BUFFER_DESC *pDesc, const D3D11_SUBRESOURCE_DATA *pInitialData, ID3D11Buffer **ppBuffer) override
    {
        return real_->CreateBuffer(pDesc, pInitialData, ppBuffer);
    }
    HRESULT STDMETHODCALLTYPE CreateTexture1D(const D3D11_TEXTURE1D_DESC *pDesc, const D3D11_SUBRESOURCE_DATA *pInitialData, ID3D11Texture1D **ppTexture1D) override
    {
        return real_->CreateTexture1D(pDesc, pInitialData, ppTexture1D);
    }
    HRESULT STDMETHODCALLTYPE CreateTexture2D(const D3D11_TEXTURE2D_DESC *pDesc, const D3D11_SUBRESOURCE_DATA *pInitialData, ID3D11Texture2D **ppTexture2D) override
    {
        return real_->CreateTexture2D(pDesc, pInitialData, ppTexture2D);
    }
    HRESULT STDMETHODCALLTYPE CreateTexture3D(const D3D11_TEXTURE3D_DESC *pDesc, const D3D11_SUBRESOURCE_DATA *pInitialData, ID3D11Texture3D **ppTexture3D) override
    {
        return real_->CreateTexture3D(pDesc, pInitialData, ppTexture3D);
    }
    HRESULT STDMETHODCALLTYPE CreateShaderResourceView(ID3D11Resource *pResource, const D3D11_SHADER_RESOURCE_VIEW_DESC *pDesc, ID3D11ShaderResourceView **ppSRView) override
    {
        return real_->CreateShaderResourceView(pResource, pDesc, ppSRView);
    }
    HRESULT STDMETHODCALLTYPE CreateUnorderedAccessView(ID3D11Resource *pResource, const D3D11_UNORDERED_ACCESS_VIEW_DESC *pDesc, ID3D11UnorderedAccessView **ppUAView) override
    {
        return real_->CreateUnorderedAccessView(pResource, pDesc, ppUAView);
    }
    HRESULT STDMETHODCALLTYPE CreateRenderTargetView(ID3D11Resource *pResource, const D3D11_RENDER_TARGET_VIEW_DESC *pDesc, ID3D11RenderTargetView **ppRTView) override
    {
        return real_->CreateRenderTargetView(pResource, pDesc, ppRTView);
    }
    HRESULT STDMETHODCALLTYPE CreateDepthStencilView(ID3D11Resource *pResource, const D3D11_DEPTH_STENCIL_VIEW_DESC *pDesc, ID3D11DepthStencilView **ppDepthStencilView) override
    {
        return real_->CreateDepthStencilView(pResource, pDesc, ppDepthStencilView);
    }
    HRESULT STDMETHODCALLTYPE CreateInputLayout(const D3D11_INPUT_ELEMENT_DESC *pInputElementDescs, UINT NumElements, const void *pShaderBytecodeWithInputSignature, SIZE_T BytecodeLength, ID3D11InputLayout **ppInputLayout) override
    {
        return real_->CreateInputLayout(pInputElementDescs, NumElements, pShaderBytecodeWithInputSignature, BytecodeLength, ppInputLayout);
    }
    HRESULT STDMETHODCALLTYPE CreateVertexShader(const void *pShaderBytecode, SIZE_T BytecodeLength, ID3D11ClassLinkage *pClassLinkage, ID3D11VertexShader **ppVertexShader) override
    {
        return real_->CreateVertexShader(pShaderBytecode, BytecodeLength, pClassLinkage, ppVertexShader);
    }
    HRESULT STDMETHODCALLTYPE CreateGeometryShader(const void *pShaderBytecode, SIZE_T BytecodeLength, ID3D11ClassLinkage *pClassLinkage, ID3D11GeometryShader **ppGeometryShader) override
    {
        return real_->CreateGeometryShader(pShaderBytecode, BytecodeLength, pClassLinkage, ppGeometryShader);
    }
    HRESULT STDMETHODCALLTYPE CreateGeometryShaderWithStreamOutput(const void *pShaderBytecode, SIZE_T BytecodeLength, const D3D11_SO_DECLARATION_ENTRY *pSODeclaration, UINT NumEntries, const UINT *pBufferStrides, UINT NumStrides, UINT RasterizedStream, ID3D11ClassLinkage *pClassLinkage, ID3D11GeometryShader **ppGeometryShader) override
    {
        return real_->CreateGeometryShaderWithStreamOutput(pShaderBytecode, BytecodeLength, pSODeclaration, NumEntries, pBufferStrides, NumStrides, RasterizedStream, pClassLinkage, ppGeometryShader);
    }
    HRESULT STDMETHODCALLTYPE CreatePixelShader(const void *pShaderBytecode, SIZE_T BytecodeLength, ID3D11ClassLinkage *pClassLinkage, ID3D11PixelShader **ppPixelShader) override
    {
        return real_->CreatePixelShader(pShaderBytecode, BytecodeLength, pClassLinkage, ppPixelShader);
    }
    HRESULT STDMETHODCALLTYPE CreateHullShader(const void *pShaderBytecode, SIZE_T BytecodeLength, ID3D11ClassLinkage *pClassLinkage, ID3D11HullShader **ppHullShader) override
    {
        return real_->CreateHullShader(pShaderBytecode, BytecodeLength, pClassLinkage, ppHullShader);
    }
    HRESULT STDMETHODCALLTYPE CreateDomainShader(const void *pShaderBytecode, SIZE_T BytecodeLength, ID3D11ClassLinkage *pClassLinkage, ID3D11DomainShader **ppDomainShader) override
    {
        return real_->CreateDomainShader(pShaderBytecode, BytecodeLength, pClassLinkage, ppDomainShader);
    }
    HRESULT STDMETHODCALLTYPE CreateComputeShader(const void *pShaderBytecode, SIZE_T BytecodeLength, ID3D11ClassLinkage *pClassLinkage, ID3D11ComputeShader **ppComputeShader) override
    {
        return real_->CreateComputeShader(pShaderBytecode, BytecodeLength, pClassLinkage, ppComputeShader);
    }
    HRESULT STDMETHODCALLTYPE CreateClassLinkage(ID3D11ClassLinkage **ppLinkage) override
    {
        return real_->CreateClassLinkage(ppLinkage);
    }
    HRESULT STDMETHODCALLTYPE CreateBlendState(const D3D11_BLEND_DESC *pBlendStateDesc, ID3D11BlendState **ppBlendState) override
    {
        return real_->CreateBlendState(pBlendStateDesc, ppBlendState);
    }
    HRESULT STDMETHODCALLTYPE CreateDepthStencilState(const D3D11_DEPTH_STENCIL_DESC *pDepthStencilDesc, ID3D11DepthStencilState **ppDepthStencilState) override
    {
        return real_->CreateDepthStencilState(pDepthStencilDesc, ppDepthStencilState);
    }
    HRESULT STDMETHODCALLTYPE CreateRasterizerState(const D3D11_RASTERIZER_DESC *pRasterizerDesc, ID3D11RasterizerState **ppRasterizerState) override
    {
        return real_->CreateRasterizerState(pRasterizerDesc, ppRasterizerState);
    }
    HRESULT STDMETHODCALLTYPE CreateSamplerState(const D3D11_SAMPLER_DESC *pSamplerDesc, ID3D11SamplerState **ppSamplerState) override
    {
        return real_->CreateSamplerState(pSamplerDesc, ppSamplerState);
    }
    HRESULT STDMETHODCALLTYPE CreateQuery(const D3D11_QUERY_DESC *pQueryDesc, ID3D11Query **ppQuery) override
    {
        return real_->CreateQuery(pQueryDesc, ppQuery);
    }
    HRESULT STDMETHODCALLTYPE CreatePredicate(const D3D11_QUERY_DESC *pPredicateDesc, ID3D11Predicate **ppPredicate) override
    {
        return real_->CreatePredicate(pPredicateDesc, ppPredicate);
    }
    HRESULT STDMETHODCALLTYPE CreateCounter(const D3D11_COUNTER_DESC *pCounterDesc, ID3D11Counter **ppCounter) override
    {
        return real_->CreateCounter(pCounterDesc, ppCounter);
    }
    HRESULT STDMETHODCALLTYPE CreateDeferredContext(UINT ContextFlags, ID3D11DeviceContext **ppDeferredContext) override
    {
        return real_->CreateDeferredContext(ContextFlags, ppDeferredContext);
    }
    HRESULT STDMETHODCALLTYPE OpenSharedResource(HANDLE hResource, REFIID ReturnedInterface, void **ppResource) override
    {
        return real_->OpenSharedResource(hResource, ReturnedInterface, ppResource);
    }
    HRESULT STDMETHODCALLTYPE CheckFormatSupport(DXGI_FORMAT Format, UINT *pFormatSupport) override
    {
        return real_->CheckFormatSupport(Format, pFormatSupport);
    }
    HRESULT STDMETHODCALLTYPE CheckMultisampleQualityLevels(DXGI_FORMAT Format, UINT SampleCount, UINT *pNumQualityLevels) override
    {
        return real_->CheckMultisampleQualityLevels(Format, SampleCount, pNumQualityLevels);
    }
    void STDMETHODCALLTYPE CheckCounterInfo(D3D11_COUNTER_INFO *pCounterInfo) override
    {
        real_->CheckCounterInfo(pCounterInfo);
    }
    HRESULT STDMETHODCALLTYPE CheckCounter(const D3D11_COUNTER_DESC *pDesc, D3D11_COUNTER_TYPE *pType, UINT *pActiveCounters, LPSTR szName, UINT *pNameLength, LPSTR szUnits, UINT *pUnitsLength, LPSTR szDescription, UINT *pDescriptionLength) override
    {
        return real_->CheckCounter(pDesc, pType, pActiveCounters, szName, pNameLength, szUnits, pUnitsLength, szDescription, pDescriptionLength);
    }
    HRESULT STDMETHODCALLTYPE CheckFeatureSupport(D3D11_FEATURE Feature, void *pFeatureSupportData, UINT FeatureSupportDataSize) override
    {
        return real_->CheckFeatureSupport(Feature, pFeatureSupportData, FeatureSupportDataSize);
    }
    HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID guid, UINT *pDataSize, void *pData) override
    {
        return real_->GetPrivateData(guid, pDataSize, pData);
    }
    HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID guid, UINT DataSize, const void *pData) override
    {
        return real_->SetPrivateData(guid, DataSize, pData);
    }
    HRESULT STDMETHODCALLTYPE SetPrivateDataInterface(REFGUID guid, const IUnknown *pData) override
    {
        return real_->SetPrivateDataInterface(guid, pData);
    }
    D3D_FEATURE_LEVEL STDMETHODCALLTYPE GetFeatureLevel() override
    {
        return real_->GetFeatureLevel();
    }
    UINT STDMETHODCALLTYPE GetCreationFlags() override
    {
        return real_->GetCreationFlags();
    }
    HRESULT STDMETHODCALLTYPE GetDeviceRemovedReason() override
    {
        return real_->GetDeviceRemovedReason();
    }
    void STDMETHODCALLTYPE GetImmediateContext(ID3D11DeviceContext **ppImmediateContext) override
    {
        real_->GetImmediateContext(ppImmediateContext);
    }
    HRESULT STDMETHODCALLTYPE SetExceptionMode(UINT RaiseFlags) override
    {
        return real_->SetExceptionMode(RaiseFlags);
    }
    UINT STDMETHODCALLTYPE GetExceptionMode() override
    {
        return real_->GetExceptionMode();
    }

private:
    ComPtr<ID3D11Device> real_;
    UINT vendorId_;
    UINT deviceId_;
    bool dxgi_;
};

} // namespace

ComPtr<ID3D11Device> WrapWithoutDxgi(ID3D11Device* real)
{
    ComPtr<ID3D11Device> wrapped;
    wrapped.Attach(new WrappedDevice(real, 0, 0, false));
    return wrapped;
}

ComPtr<ID3D11Device> WrapWithAdapterIds(ID3D11Device* real, UINT vendorId, UINT deviceId)
{
    ComPtr<ID3D11Device> wrapped;
    wrapped.Attach(new WrappedDevice(real, vendorId, deviceId));
    return wrapped;
}

} // namespace upscaler_test
