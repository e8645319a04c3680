# Third-party code, all taken from the machine (installed by scripts/setup.sh),
# none of it copied into the repository.

set(VANDRELS_CACHE_DIR ${PROJECT_SOURCE_DIR}/.cache)

# Dear ImGui 1.90.1, unpacked from Debian's source package. The windows tree also
# gets the Win32 and Direct3D 11 backends; the native tree only the core, which is
# enough to run the screens headless in tests.
set(IMGUI_DIR ${VANDRELS_CACHE_DIR}/imgui-1.90.1 CACHE PATH "Dear ImGui source folder")
if(NOT EXISTS ${IMGUI_DIR}/imgui.h)
  message(FATAL_ERROR "Dear ImGui source not found in ${IMGUI_DIR}: run scripts/setup.sh")
endif()
add_library(imgui STATIC
  ${IMGUI_DIR}/imgui.cpp ${IMGUI_DIR}/imgui_draw.cpp
  ${IMGUI_DIR}/imgui_tables.cpp ${IMGUI_DIR}/imgui_widgets.cpp)
target_include_directories(imgui SYSTEM PUBLIC ${IMGUI_DIR})
# Only the current API: keeps our code clear of names that later versions drop.
target_compile_definitions(imgui PUBLIC IMGUI_DISABLE_OBSOLETE_FUNCTIONS IMGUI_DISABLE_OBSOLETE_KEYIO)
if(VANDRELS_WINDOWS)
  target_sources(imgui PRIVATE
    ${IMGUI_DIR}/backends/imgui_impl_win32.cpp ${IMGUI_DIR}/backends/imgui_impl_dx11.cpp)
  target_include_directories(imgui SYSTEM PUBLIC ${IMGUI_DIR}/backends)
  target_link_libraries(imgui PUBLIC d3d11 dxgi d3dcompiler dwmapi imm32)
endif()

# toml++ 3 is header-only when included directly. The MinGW compiler must not see the
# host's /usr/include, so it gets a folder holding nothing but a link to toml++.
set(TOMLPP_HOST_DIR /usr/include/toml++)
if(NOT EXISTS ${TOMLPP_HOST_DIR}/toml.h)
  message(FATAL_ERROR "toml++ headers not found in ${TOMLPP_HOST_DIR}: run scripts/setup.sh")
endif()
set(TOMLPP_SHIM ${CMAKE_BINARY_DIR}/include-shims/tomlplusplus)
file(MAKE_DIRECTORY ${TOMLPP_SHIM})
file(CREATE_LINK ${TOMLPP_HOST_DIR} ${TOMLPP_SHIM}/toml++ SYMBOLIC)
add_library(tomlplusplus INTERFACE)
target_include_directories(tomlplusplus SYSTEM INTERFACE ${TOMLPP_SHIM})
target_compile_definitions(tomlplusplus INTERFACE TOML_HEADER_ONLY=1 TOML_EXCEPTIONS=0)

# GoogleTest from Debian's source copy, built by each tree with its own compiler
# (it defines the GTest:: targets itself).
if(NOT VANDRELS_FUZZ)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
