#pragma once

#include <d3d11.h>

// The device the game renders with. Kept apart so that a build for another
// machine (or a test rig) can provide its own.
ID3D11Device* CreateSampleDevice();
