// The Direct3D 11 device, its immediate context and the swap chain of the window.
#pragma once

#include <d3d11.h>
#include <windows.h>

// Creates device, context, swap chain and the back buffer's render-target view;
// false when Direct3D 11 is not available at all, not even as the WARP rasteriser.
bool create_device(HWND window);

ID3D11Device* graphics_device();
ID3D11DeviceContext* graphics_context();

// Backend new-frame calls, in the order the GUI needs them (then ImGui::NewFrame).
void begin_gui_frame();

// Binds, clears, draws the GUI's draw data and presents with vertical sync.
void draw_and_present();
