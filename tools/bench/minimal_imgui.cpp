// The yardstick for the launcher's benchmark: the smallest Dear ImGui Win32 + Direct3D 11
// program with the launcher's window size, swap chain and presentation (sync interval 1),
// drawing one full-window GUI window with a line of text.
#include <d3d11.h>
#include <windows.h>

#include "imgui.h"
#include "imgui_impl_dx11.h"
#include "imgui_impl_win32.h"

extern IMGUI_IMPL_API LRESULT ImGui_ImplWin32_WndProcHandler(HWND, UINT, WPARAM, LPARAM);

static LRESULT CALLBACK window_proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (ImGui_ImplWin32_WndProcHandler(w, m, wp, lp)) return 1;
    if (m == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"MinimalImGui";
    RegisterClassExW(&wc);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r = {0, 0, 1180, 740};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Minimal ImGui", style, 100, 100, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, instance, nullptr);

    DXGI_SWAP_CHAIN_DESC desc = {};
    desc.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    desc.SampleDesc.Count = 1;
    desc.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    desc.BufferCount = 2;
    desc.OutputWindow = window;
    desc.Windowed = TRUE;
    desc.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;
    const D3D_FEATURE_LEVEL levels[] = {D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_0};
    IDXGISwapChain* swap_chain = nullptr;
    ID3D11Device* device = nullptr;
    ID3D11DeviceContext* context = nullptr;
    if (FAILED(D3D11CreateDeviceAndSwapChain(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, 0, levels, 2,
                                             D3D11_SDK_VERSION, &desc, &swap_chain, &device, nullptr, &context)))
        return 1;
    ID3D11Texture2D* back_buffer = nullptr;
    ID3D11RenderTargetView* target = nullptr;
    swap_chain->GetBuffer(0, IID_PPV_ARGS(&back_buffer));
    device->CreateRenderTargetView(back_buffer, nullptr, &target);
    back_buffer->Release();
    ShowWindow(window, show);
    UpdateWindow(window);

    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    ImGui_ImplWin32_Init(window);
    ImGui_ImplDX11_Init(device, context);

    for (bool quit = false; !quit;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            quit |= msg.message == WM_QUIT;
        }
        if (quit) break;
        if (IsIconic(window)) {
            Sleep(50);
            continue;
        }
        ImGui_ImplDX11_NewFrame();
        ImGui_ImplWin32_NewFrame();
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
        ImGui::Begin("##minimal", nullptr, ImGuiWindowFlags_NoDecoration);
        ImGui::Text("Minimal ImGui window");
        ImGui::End();
        ImGui::Render();
        const float clear[4] = {0.063f, 0.051f, 0.051f, 1.0f};
        context->OMSetRenderTargets(1, &target, nullptr);
        context->ClearRenderTargetView(target, clear);
        ImGui_ImplDX11_RenderDrawData(ImGui::GetDrawData());
        swap_chain->Present(1, 0);
    }
    ImGui_ImplDX11_Shutdown();
    ImGui_ImplWin32_Shutdown();
    ImGui::DestroyContext();
    return 0;
}
