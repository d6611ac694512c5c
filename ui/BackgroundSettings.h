#pragma once
// BackgroundSettings: the look of the background window, read from the archive's settings
// (or the uninstall entry) before the window is created. Every repaint uses the values as
// they are then. The title itself is InstallerState::windowTitle.

#include <cstdint>

struct ProductSettings;

struct BackgroundSettings {
    uint32_t titleColor = 0;   // 0x00BBGGRR; the system's window-text colour until set
    int titleShadow = 1;       // shadow offset in pixels; 0: no shadow
    uint32_t topColor = 0;     // gradient start, and the fill colour in mono mode; the
                               // system's window colour until set
    uint32_t bottomColor = 0;  // gradient end
    bool monoColor = true;     // fill with topColor only
    int bitmapSize = 0;        // percent of the window given to the bitmap; 0: none
};

// The settings of this process; the system colours fill the colour defaults on first use.
BackgroundSettings& backgroundSettings();

// Takes the colours, shadow, mono flag and bitmap share from the archive's settings, and
// loads the background bitmap they carry (none when it is empty or unusable).
void applyBackgroundSettings(const ProductSettings& settings);
