#pragma once
// The background bitmap of the process: loaded from the archive's settings or from a ".BMP"
// file, saved for the uninstaller, drawn by the background window.

#include "ui/portable/Bitmap.h"

struct HDC__;
struct tagRECT;

// The bitmap of this process (not loaded until one of the loads below succeeds).
Bitmap& backgroundBitmap();

// Reads a ".BMP" file: the 14-byte file header ("BM"), then file size - 14 bytes. True when
// a usable bitmap was read; otherwise the bitmap is left cleared (also when the file is
// missing, short or its memory cannot be had).
bool LoadBitmapFile(const char* path);
// The same from bytes in memory: the image of a ".BMP" file, or the bitmap without its
// file header. True when usable; otherwise the bitmap is cleared.
bool LoadBitmapBytes(const char* bytes, int n);
// Writes the bitmap as a ".BMP" file (replacing the file). False when no bitmap is loaded or
// the file cannot be written completely.
bool SaveBitmapFile(const char* path);
// Stretches the whole bitmap into rect (destination width right - left + 1, height
// bottom - top + 1) with the raster operation; nothing when no bitmap is loaded.
void DrawBitmap(HDC__* dc, const tagRECT& rect, unsigned long rasterOperation);
