#include "shell/device_win32.hpp"

#include "imgui.h"
#include "imgui_impl_dx11.h"
#include "imgui_impl_win32.h"

namespace {
ID3D11Device* device = nullptr;
ID3D11DeviceContext* context = nullptr;
IDXGISwapChain* swap_chain = nullptr;
ID3D11RenderTargetView* render_target = nullptr;

template <typename T>
void release(T*& object)
{
    if (object) object->Release();
    object = nullptr;
}

void release_all()
{
    release(render_target);
    release(swap_chain);
    release(context);
    release(device);
}

bool create_with(D3D_DRIVER_TYPE driver, HWND window)
{
    DXGI_SWAP_CHAIN_DESC desc = {};
    desc.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;  // size 0 x 0: taken from the client area
    desc.SampleDesc.Count = 1;
    desc.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    desc.BufferCount = 2;
    desc.OutputWindow = window;
    desc.Windowed = TRUE;
    desc.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;

    const D3D_FEATURE_LEVEL levels[] = {D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_0};
    D3D_FEATURE_LEVEL reached = {};
    const HRESULT hr = D3D11CreateDeviceAndSwapChain(nullptr, driver, nullptr, 0, levels, 2, D3D11_SDK_VERSION,
                                                     &desc, &swap_chain, &device, &reached, &context);
    if (FAILED(hr)) {
        release_all();
        return false;
    }
    return true;
}
}  // namespace

bool create_device(HWND window)
{
    release_all();
    // WARP keeps the launcher usable on machines whose GPU driver lacks Direct3D 11.
    if (!create_with(D3D_DRIVER_TYPE_HARDWARE, window) && !create_with(D3D_DRIVER_TYPE_WARP, window)) return false;

    ID3D11Texture2D* back_buffer = nullptr;
    if (FAILED(swap_chain->GetBuffer(0, IID_PPV_ARGS(&back_buffer)))) {
        release_all();
        return false;
    }
    const HRESULT hr = device->CreateRenderTargetView(back_buffer, nullptr, &render_target);
    back_buffer->Release();
    if (FAILED(hr)) {
        release_all();
        return false;
    }
    return true;
}

ID3D11Device* graphics_device() { return device; }
ID3D11DeviceContext* graphics_context() { return context; }

void begin_gui_frame()
{
    ImGui_ImplDX11_NewFrame();
    ImGui_ImplWin32_NewFrame();
}

void draw_and_present()
{
    static const float clear_colour[4] = {0.063f, 0.051f, 0.051f, 1.0f};
    context->OMSetRenderTargets(1, &render_target, nullptr);
    context->ClearRenderTargetView(render_target, clear_colour);
    ImGui_ImplDX11_RenderDrawData(ImGui::GetDrawData());
    swap_chain->Present(1, 0);
}
