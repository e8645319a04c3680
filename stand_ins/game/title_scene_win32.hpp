// The stand-in game's title screen: a dark scene with a red logo and a red prompt,
// drawn with GDI so that the launcher's logo search has real pictures to work on.
#pragma once

#include <windows.h>

#include <filesystem>

void draw_title_scene(HDC dc, int width, int height, unsigned frame);

// Writes frames\00000.jpg ... and then info.txt ("frames=N") into `title`. COM must be
// initialised on the calling thread.
bool record_title(const std::filesystem::path& title, unsigned frames, int width, int height);
