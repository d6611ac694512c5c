#pragma once
// The full-screen background window: gradient or solid colour, the background bitmap, and
// the title (InstallerState::windowTitle) in large bold italic type with a drop shadow.

#include <cstdint>

struct HINSTANCE__;
struct HWND__;
struct HDC__;

// Registers the class "QSX Window Class" (once per process) and creates, shows and activates
// the window: over the work area, or maximised when InstallerState::maximizedBackground is
// set (also when the work area cannot be had, which sets it). Returns the window; a class
// or window that cannot be made is the fatal "Failed to create the installer's window" error.
// The caller stores the window as InstallerState::mainWindow.
HWND__* CreateBackgroundWindow(HINSTANCE__* instance);

// Fills left..right, top..bottom with a vertical gradient from topColour to bottomColour:
// through the platform's GradientFill (msimg32.dll, looked up once) when it has one,
// otherwise in bands of 1 to 3 pixels.
void FillGradient(HDC__* dc, uint32_t topColour, int left, int top, int right, int bottom,
                  uint32_t bottomColour);

// The band fallback of FillGradient on its own.
void FillGradientBands(HDC__* dc, uint32_t topColour, int left, int top, int right, int bottom,
                       uint32_t bottomColour);

// Repaints the whole window (after a change of title or settings); nothing without a window.
void RepaintBackground();
