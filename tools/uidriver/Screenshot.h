#pragma once
// Saving what a window looks like on the screen as a PNG file.

#include "platform/Win32.h"

// Copies the window's rectangle from the screen (so windows lying over it are in the picture
// too) and writes it to path as an 8-bit RGB PNG. True when the file was written.
bool SaveWindowPng(HWND window, const char* path);
