#include "bilinear_upscaler_win32.hpp"

#include <d3dcompiler.h>

#include <cstring>

using Microsoft::WRL::ComPtr;

namespace kvgext {
namespace {

// Shader model 4 and plain statements only: the compiler that ships with Wine
// takes neither compute-shader semantics nor calls of user functions, and the
// library must work wherever the game runs.
constexpr char kShaderSource[] = R"(
cbuffer Region : register(b0)
{
    float2 scale;
    float2 offset;
    int2 inputBase;
    int2 inputSize;
    uint2 outputBase;
    uint2 outputSize;
};
Texture2D<float4> colorTex : register(t0);

#define UPSCALE(o, result) \
    { \
        float2 p = (float2(o) + 0.5) * scale + offset; \
        float2 f = floor(p); \
        float2 t = p - f; \
        int2 i0 = clamp(int2(f), int2(0, 0), inputSize - 1); \
        int2 i1 = clamp(int2(f) + 1, int2(0, 0), inputSize - 1); \
        float4 c00 = colorTex.Load(int3(inputBase + i0, 0)); \
        float4 c10 = colorTex.Load(int3(inputBase + int2(i1.x, i0.y), 0)); \
        float4 c01 = colorTex.Load(int3(inputBase + int2(i0.x, i1.y), 0)); \
        float4 c11 = colorTex.Load(int3(inputBase + i1, 0)); \
        result = lerp(lerp(c00, c10, t.x), lerp(c01, c11, t.x), t.y); \
    }

float4 VSMain(uint id : SV_VertexID) : SV_Position
{
    float2 uv = float2((id << 1) & 2, id & 2);
    return float4(uv * float2(2, -2) + float2(-1, 1), 0, 1);
}

float4 PSMain(float4 pos : SV_Position) : SV_Target
{
    float4 color;
    UPSCALE(uint2(pos.xy) - outputBase, color)
    return color;
}
)";

struct RegionConstants {
    float scale[2];
    float offset[2];
    std::int32_t inputBase[2];
    std::int32_t inputSize[2];
    std::uint32_t outputBase[2];
    std::uint32_t outputSize[2];
};
static_assert(sizeof(RegionConstants) % 16 == 0);

// Views need a typed format; the common typeless ones read as their usual type.
DXGI_FORMAT TypedFormat(DXGI_FORMAT format)
{
    switch (format) {
    case DXGI_FORMAT_R8G8B8A8_TYPELESS: return DXGI_FORMAT_R8G8B8A8_UNORM;
    case DXGI_FORMAT_B8G8R8A8_TYPELESS: return DXGI_FORMAT_B8G8R8A8_UNORM;
    case DXGI_FORMAT_B8G8R8X8_TYPELESS: return DXGI_FORMAT_B8G8R8X8_UNORM;
    case DXGI_FORMAT_R10G10B10A2_TYPELESS: return DXGI_FORMAT_R10G10B10A2_UNORM;
    case DXGI_FORMAT_R16G16B16A16_TYPELESS: return DXGI_FORMAT_R16G16B16A16_FLOAT;
    case DXGI_FORMAT_R32G32B32A32_TYPELESS: return DXGI_FORMAT_R32G32B32A32_FLOAT;
    case DXGI_FORMAT_R11G11B10_FLOAT: return DXGI_FORMAT_R11G11B10_FLOAT;
    default: return format;
    }
}

bool Compile(const char* entry, const char* target, ComPtr<ID3DBlob>& code, std::string& error)
{
    static pD3DCompile compile = [] {
        HMODULE compiler = LoadLibraryW(L"d3dcompiler_47.dll");
        return compiler ? reinterpret_cast<pD3DCompile>(reinterpret_cast<void*>(GetProcAddress(compiler, "D3DCompile")))
                        : nullptr;
    }();
    if (compile == nullptr) {
        error = "the shader compiler d3dcompiler_47.dll is not available";
        return false;
    }
    ComPtr<ID3DBlob> messages;
    if (FAILED(compile(kShaderSource, sizeof(kShaderSource) - 1, "kvgext_bilinear", nullptr, nullptr, entry, target,
                       D3DCOMPILE_OPTIMIZATION_LEVEL3, 0, &code, &messages))) {
        error = std::string("shader ") + entry + " does not compile";
        if (messages) {
            error += ": " + std::string(static_cast<const char*>(messages->GetBufferPointer()),
                                        strnlen(static_cast<const char*>(messages->GetBufferPointer()),
                                                messages->GetBufferSize()));
        }
        return false;
    }
    return true;
}

ComPtr<ID3D11Texture2D> AsTexture2D(ID3D11Resource* resource)
{
    ComPtr<ID3D11Texture2D> texture;
    resource->QueryInterface(__uuidof(ID3D11Texture2D), reinterpret_cast<void**>(texture.GetAddressOf()));
    return texture;
}

bool SameShape(ID3D11Texture2D* texture, const D3D11_TEXTURE2D_DESC& want)
{
    if (texture == nullptr) return false;
    D3D11_TEXTURE2D_DESC have{};
    texture->GetDesc(&have);
    return have.Width == want.Width && have.Height == want.Height && have.Format == want.Format &&
           have.BindFlags == want.BindFlags;
}

// The pipeline state this library touches, taken before and put back after.
struct DrawState {
    D3D11_PRIMITIVE_TOPOLOGY topology{};
    ComPtr<ID3D11InputLayout> layout;
    ComPtr<ID3D11VertexShader> vs;
    ComPtr<ID3D11PixelShader> ps;
    ComPtr<ID3D11GeometryShader> gs;
    ComPtr<ID3D11ShaderResourceView> psSrv;
    ComPtr<ID3D11Buffer> psConstants;
    ComPtr<ID3D11RasterizerState> rasterizer;
    ComPtr<ID3D11BlendState> blend;
    float blendFactor[4]{};
    UINT sampleMask = 0;
    ComPtr<ID3D11DepthStencilState> depth;
    UINT stencilRef = 0;
    ComPtr<ID3D11RenderTargetView> targets[D3D11_SIMULTANEOUS_RENDER_TARGET_COUNT];
    ComPtr<ID3D11DepthStencilView> depthView;
    UINT viewportCount = D3D11_VIEWPORT_AND_SCISSORRECT_OBJECT_COUNT_PER_PIPELINE;
    D3D11_VIEWPORT viewports[D3D11_VIEWPORT_AND_SCISSORRECT_OBJECT_COUNT_PER_PIPELINE]{};

    void Save(ID3D11DeviceContext* c)
    {
        c->IAGetPrimitiveTopology(&topology);
        c->IAGetInputLayout(&layout);
        c->VSGetShader(&vs, nullptr, nullptr);
        c->PSGetShader(&ps, nullptr, nullptr);
        c->GSGetShader(&gs, nullptr, nullptr);
        c->PSGetShaderResources(0, 1, &psSrv);
        c->PSGetConstantBuffers(0, 1, &psConstants);
        c->RSGetState(&rasterizer);
        c->OMGetBlendState(&blend, blendFactor, &sampleMask);
        c->OMGetDepthStencilState(&depth, &stencilRef);
        ID3D11RenderTargetView* rtvs[D3D11_SIMULTANEOUS_RENDER_TARGET_COUNT] = {};
        c->OMGetRenderTargets(D3D11_SIMULTANEOUS_RENDER_TARGET_COUNT, rtvs, &depthView);
        for (UINT i = 0; i < D3D11_SIMULTANEOUS_RENDER_TARGET_COUNT; ++i) targets[i].Attach(rtvs[i]);
        c->RSGetViewports(&viewportCount, viewports);
    }
    void Restore(ID3D11DeviceContext* c)
    {
        c->IASetPrimitiveTopology(topology);
        c->IASetInputLayout(layout.Get());
        c->VSSetShader(vs.Get(), nullptr, 0);
        c->PSSetShader(ps.Get(), nullptr, 0);
        c->GSSetShader(gs.Get(), nullptr, 0);
        ID3D11ShaderResourceView* srvs[] = {psSrv.Get()};
        c->PSSetShaderResources(0, 1, srvs);
        ID3D11Buffer* buffers[] = {psConstants.Get()};
        c->PSSetConstantBuffers(0, 1, buffers);
        c->RSSetState(rasterizer.Get());
        c->OMSetBlendState(blend.Get(), blendFactor, sampleMask);
        c->OMSetDepthStencilState(depth.Get(), stencilRef);
        ID3D11RenderTargetView* rtvs[D3D11_SIMULTANEOUS_RENDER_TARGET_COUNT] = {};
        for (UINT i = 0; i < D3D11_SIMULTANEOUS_RENDER_TARGET_COUNT; ++i) rtvs[i] = targets[i].Get();
        c->OMSetRenderTargets(D3D11_SIMULTANEOUS_RENDER_TARGET_COUNT, rtvs, depthView.Get());
        c->RSSetViewports(viewportCount, viewports);
    }
};

} // namespace

bool BilinearUpscaler::EnsureShaders(std::string& error)
{
    if (pixelShader_) return true;
    ComPtr<ID3DBlob> vs, ps;
    if (!Compile("VSMain", "vs_4_0", vs, error) ||
        !Compile("PSMain", "ps_4_0", ps, error)) {
        return false;
    }
    D3D11_BUFFER_DESC cb{};
    cb.ByteWidth = sizeof(RegionConstants);
    cb.Usage = D3D11_USAGE_DYNAMIC;
    cb.BindFlags = D3D11_BIND_CONSTANT_BUFFER;
    cb.CPUAccessFlags = D3D11_CPU_ACCESS_WRITE;
    D3D11_RASTERIZER_DESC rs{};
    rs.FillMode = D3D11_FILL_SOLID;
    rs.CullMode = D3D11_CULL_NONE;
    rs.DepthClipEnable = TRUE;
    if (FAILED(device_->CreateVertexShader(vs->GetBufferPointer(), vs->GetBufferSize(), nullptr, &vertexShader_)) ||
        FAILED(device_->CreatePixelShader(ps->GetBufferPointer(), ps->GetBufferSize(), nullptr, &pixelShader_)) ||
        FAILED(device_->CreateBuffer(&cb, nullptr, &constants_)) ||
        FAILED(device_->CreateRasterizerState(&rs, &rasterizer_))) {
        pixelShader_.Reset();
        error = "the upscaling shaders cannot be created on this device";
        return false;
    }
    return true;
}

bool BilinearUpscaler::ColorView(ID3D11Resource* color, ComPtr<ID3D11ShaderResourceView>& view, std::string& error)
{
    ComPtr<ID3D11Texture2D> texture = AsTexture2D(color);
    if (!texture) {
        error = "the colour texture is not a 2D texture";
        return false;
    }
    D3D11_TEXTURE2D_DESC desc{};
    texture->GetDesc(&desc);
    if ((desc.BindFlags & D3D11_BIND_SHADER_RESOURCE) == 0 || desc.SampleDesc.Count > 1) {
        D3D11_TEXTURE2D_DESC copy{};
        copy.Width = desc.Width;
        copy.Height = desc.Height;
        copy.MipLevels = 1;
        copy.ArraySize = 1;
        copy.Format = desc.Format;
        copy.SampleDesc.Count = 1;
        copy.Usage = D3D11_USAGE_DEFAULT;
        copy.BindFlags = D3D11_BIND_SHADER_RESOURCE;
        if (!SameShape(colorCopy_.Get(), copy)) {
            colorCopy_.Reset();
            if (FAILED(device_->CreateTexture2D(&copy, nullptr, &colorCopy_))) {
                error = "the colour texture cannot be read by a shader";
                return false;
            }
        }
        ComPtr<ID3D11DeviceContext> context;
        device_->GetImmediateContext(&context);
        if (desc.SampleDesc.Count > 1) {
            context->ResolveSubresource(colorCopy_.Get(), 0, texture.Get(), 0, TypedFormat(desc.Format));
        } else {
            context->CopySubresourceRegion(colorCopy_.Get(), 0, 0, 0, 0, texture.Get(), 0, nullptr);
        }
        texture = colorCopy_;
        desc.MipLevels = 1;
    }
    D3D11_SHADER_RESOURCE_VIEW_DESC srv{};
    srv.Format = TypedFormat(desc.Format);
    srv.ViewDimension = D3D11_SRV_DIMENSION_TEXTURE2D;
    srv.Texture2D.MipLevels = 1;
    if (FAILED(device_->CreateShaderResourceView(texture.Get(), &srv, &view))) {
        error = "the colour texture's format cannot be read by a shader";
        return false;
    }
    return true;
}

void BilinearUpscaler::UpdateConstants(ID3D11DeviceContext* context, const UpscaleRegion& r)
{
    RegionConstants constants{};
    constants.scale[0] = static_cast<float>(r.inputWidth) / static_cast<float>(r.outputWidth);
    constants.scale[1] = static_cast<float>(r.inputHeight) / static_cast<float>(r.outputHeight);
    constants.offset[0] = -0.5f - r.offsetX;
    constants.offset[1] = -0.5f - r.offsetY;
    constants.inputBase[0] = static_cast<std::int32_t>(r.inputX);
    constants.inputBase[1] = static_cast<std::int32_t>(r.inputY);
    constants.inputSize[0] = static_cast<std::int32_t>(r.inputWidth);
    constants.inputSize[1] = static_cast<std::int32_t>(r.inputHeight);
    constants.outputBase[0] = r.outputX;
    constants.outputBase[1] = r.outputY;
    constants.outputSize[0] = r.outputWidth;
    constants.outputSize[1] = r.outputHeight;
    D3D11_MAPPED_SUBRESOURCE mapped{};
    if (SUCCEEDED(context->Map(constants_.Get(), 0, D3D11_MAP_WRITE_DISCARD, 0, &mapped))) {
        std::memcpy(mapped.pData, &constants, sizeof(constants));
        context->Unmap(constants_.Get(), 0);
    }
}

void BilinearUpscaler::RunDraw(ID3D11DeviceContext* context, ID3D11ShaderResourceView* color,
                               ID3D11RenderTargetView* output, const UpscaleRegion& region)
{
    DrawState saved;
    saved.Save(context);
    D3D11_VIEWPORT viewport{static_cast<float>(region.outputX), static_cast<float>(region.outputY),
                            static_cast<float>(region.outputWidth), static_cast<float>(region.outputHeight), 0.0f,
                            1.0f};
    context->OMSetRenderTargets(1, &output, nullptr);
    context->OMSetBlendState(nullptr, nullptr, 0xFFFFFFFFu);
    context->OMSetDepthStencilState(nullptr, 0);
    context->RSSetState(rasterizer_.Get());
    context->RSSetViewports(1, &viewport);
    context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    context->IASetInputLayout(nullptr);
    context->VSSetShader(vertexShader_.Get(), nullptr, 0);
    context->GSSetShader(nullptr, nullptr, 0);
    context->PSSetShader(pixelShader_.Get(), nullptr, 0);
    context->PSSetConstantBuffers(0, 1, constants_.GetAddressOf());
    context->PSSetShaderResources(0, 1, &color);
    context->Draw(3, 0);
    ID3D11ShaderResourceView* noSrv = nullptr;
    context->PSSetShaderResources(0, 1, &noSrv);
    saved.Restore(context);
}

bool BilinearUpscaler::Run(ID3D11Resource* color, ID3D11Resource* output, const UpscaleRegion& region,
                           std::string& error)
{
    if (!EnsureShaders(error)) return false;
    ComPtr<ID3D11Texture2D> outputTexture = AsTexture2D(output);
    if (!outputTexture) {
        error = "the output texture is not a 2D texture";
        return false;
    }
    D3D11_TEXTURE2D_DESC outDesc{};
    outputTexture->GetDesc(&outDesc);
    ComPtr<ID3D11ShaderResourceView> colorView;
    if (!ColorView(color, colorView, error)) return false;

    ComPtr<ID3D11DeviceContext> context;
    device_->GetImmediateContext(&context);
    UpdateConstants(context.Get(), region);
    const DXGI_FORMAT outFormat = TypedFormat(outDesc.Format);

    if (outDesc.BindFlags & D3D11_BIND_RENDER_TARGET) {
        D3D11_RENDER_TARGET_VIEW_DESC rtv{};
        rtv.Format = outFormat;
        rtv.ViewDimension = D3D11_RTV_DIMENSION_TEXTURE2D;
        ComPtr<ID3D11RenderTargetView> view;
        if (SUCCEEDED(device_->CreateRenderTargetView(outputTexture.Get(), &rtv, &view))) {
            RunDraw(context.Get(), colorView.Get(), view.Get(), region);
            return true;
        }
    }
    // Not a render target (an unordered-access or plain texture): draw into a
    // texture of our own and copy the area over.
    D3D11_TEXTURE2D_DESC staging{};
    staging.Width = outDesc.Width;
    staging.Height = outDesc.Height;
    staging.MipLevels = 1;
    staging.ArraySize = 1;
    staging.Format = outDesc.Format;
    staging.SampleDesc.Count = 1;
    staging.Usage = D3D11_USAGE_DEFAULT;
    staging.BindFlags = D3D11_BIND_RENDER_TARGET;
    if (!SameShape(outputStaging_.Get(), staging)) {
        outputStaging_.Reset();
        if (FAILED(device_->CreateTexture2D(&staging, nullptr, &outputStaging_))) {
            error = "the output texture's format cannot be written by the GPU";
            return false;
        }
    }
    D3D11_RENDER_TARGET_VIEW_DESC rtv{};
    rtv.Format = outFormat;
    rtv.ViewDimension = D3D11_RTV_DIMENSION_TEXTURE2D;
    ComPtr<ID3D11RenderTargetView> view;
    if (FAILED(device_->CreateRenderTargetView(outputStaging_.Get(), &rtv, &view))) {
        error = "the output texture's format cannot be written by the GPU";
        return false;
    }
    RunDraw(context.Get(), colorView.Get(), view.Get(), region);
    D3D11_BOX box{region.outputX, region.outputY, 0, region.outputX + region.outputWidth,
                  region.outputY + region.outputHeight, 1};
    context->CopySubresourceRegion(outputTexture.Get(), 0, region.outputX, region.outputY, 0, outputStaging_.Get(), 0,
                                   &box);
    return true;
}

} // namespace kvgext
