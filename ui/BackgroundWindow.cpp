#include "ui/BackgroundWindow.h"

#include "app/InstallerState.h"
#include "archive/portable/ProductSettings.h"
#include "core/Fatal.h"
#include "core/String.h"
#include "platform/Win32.h"
#include "ui/BackgroundBitmap.h"
#include "ui/BackgroundSettings.h"
#include "ui/portable/BackgroundGeometry.h"

namespace {

const char kClassName[] = "QSX Window Class";
const char kWindowFailedText[] =
    "Failed to create the installer's window.  Please reboot your machine and try again.";
const char kTitleFont[] = "Times New Roman";

typedef BOOL(WINAPI* GradientFillFunction)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

GradientFillFunction gradientFunction()
{
    static bool looked = false;
    static GradientFillFunction function = nullptr;
    if (!looked) {
        looked = true;
        if (HMODULE module = LoadLibraryA("msimg32.dll"))
            function = reinterpret_cast<GradientFillFunction>(
                reinterpret_cast<void*>(GetProcAddress(module, "GradientFill")));
    }
    return function;
}

void fillSolid(HDC dc, const RECT& rect, uint32_t colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void eraseBackground(HWND window, HDC dc)
{
    const BackgroundSettings& s = backgroundSettings();
    const Bitmap& bitmap = backgroundBitmap();
    RECT client;
    GetClientRect(window, &client);
    if (!(bitmap.loaded() && s.bitmapSize >= 100)) {
        if (s.monoColor)
            fillSolid(dc, client, s.topColor);
        else
            FillGradient(dc, s.topColor, client.left, client.top, client.right, client.bottom, s.bottomColor);
    }
    if (bitmap.loaded() && s.bitmapSize > 0) {
        const PixelRect from{client.left, client.top, client.right, client.bottom};
        PixelRect to;
        if (bitmapRectangle(from, s.bitmapSize, bitmap.width(),
                            bitmap.height() < 0 ? -bitmap.height() : bitmap.height(), to)) {
            const RECT rect{to.left, to.top, to.right, to.bottom};
            DrawBitmap(dc, rect, SRCCOPY);
        }
    }
}

bool isBlank(const String& text)
{
    return text.FindNotOf(" \t\r\n") < 0;
}

// Draws the title line by line from (x, y), lineHeight pixels apart.
void drawTitle(HDC dc, const String& title, int x, int y, int lineHeight)
{
    int pos = 0;
    while (pos < title.Length()) {
        const int end = title.FindLineEnd(pos, kLineEndAtBreak | kLineEndOrLength);
        String line;
        title.Mid(line, pos, end - pos);
        line.TrimRight();
        if (!line.IsEmpty())
            TextOutA(dc, x, y, line.CStr(), line.Length());
        y += lineHeight;
        const int next = title.FindLineEnd(pos, 0);
        if (next < 0)
            break;
        pos = next;
    }
}

// The title font: 26 points, one point smaller while the title is too wide, down to 6.
HFONT titleFont(HDC dc, const String& title, int clientWidth, int& pixelHeight)
{
    const int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    for (double size = 26.0;; size -= 1.0) {
        pixelHeight = static_cast<int>(pixelsPerInch * size / 72);
        HFONT font = CreateFontA(pixelHeight, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, kTitleFont);
        if (size <= 6.0)
            return font;
        HGDIOBJ old = SelectObject(dc, font);
        SIZE extent{0, 0};
        GetTextExtentPoint32A(dc, title.CStr(), title.Length(), &extent);
        SelectObject(dc, old);
        if (extent.cx + 2 < clientWidth)
            return font;
        DeleteObject(font);
    }
}

void paintTitle(HWND window, HDC dc)
{
    const String& title = installerState().windowTitle;
    if (isBlank(title))
        return;
    const BackgroundSettings& s = backgroundSettings();
    RECT client;
    GetClientRect(window, &client);
    int lineHeight = 0;
    HFONT font = titleFont(dc, title, client.right - client.left, lineHeight);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    if (s.titleShadow > 0) {
        SetTextColor(dc, RGB(0, 0, 0));
        drawTitle(dc, title, s.titleShadow + 2, s.titleShadow, lineHeight);
    }
    SetTextColor(dc, s.titleColor);
    drawTitle(dc, title, 2, 0, lineHeight);
    SelectObject(dc, old);
    DeleteObject(font);
}

LRESULT CALLBACK backgroundProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        eraseBackground(window, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        paintTitle(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void registerClassOnce(HINSTANCE instance)
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = backgroundProcedure;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc))
        fatalError(kWindowFailedText);
    registered = true;
}

TRIVERTEX vertex(int x, int y, uint32_t colour)
{
    TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>((colour & 0xff) << 8);
    v.Green = static_cast<COLOR16>(((colour >> 8) & 0xff) << 8);
    v.Blue = static_cast<COLOR16>(((colour >> 16) & 0xff) << 8);
    v.Alpha = 0;
    return v;
}

} // namespace

BackgroundSettings& backgroundSettings()
{
    static bool initialised = false;
    static BackgroundSettings settings;
    if (!initialised) {
        initialised = true;
        settings.titleColor = GetSysColor(COLOR_WINDOWTEXT);
        settings.topColor = GetSysColor(COLOR_WINDOW);
    }
    return settings;
}

void applyBackgroundSettings(const ProductSettings& p)
{
    BackgroundSettings& s = backgroundSettings();
    s.titleColor = p.titleColor;
    s.titleShadow = p.titleShadow;
    s.topColor = p.topColor;
    s.bottomColor = p.bottomColor;
    s.monoColor = p.monoColor;
    s.bitmapSize = static_cast<int>(p.bitmapSize);
    if (p.backgroundBitmap.IsEmpty())
        backgroundBitmap().clear();
    else
        LoadBitmapBytes(p.backgroundBitmap.CStr(), p.backgroundBitmap.Length());
}

void FillGradientBands(HDC dc, uint32_t topColour, int left, int top, int right, int bottom,
                       uint32_t bottomColour)
{
    GradientBands bands(top, bottom, topColour, bottomColour);
    int y0, y1;
    uint32_t colour;
    while (bands.next(y0, y1, colour)) {
        const RECT band{left, y0, right + 1, y1};
        fillSolid(dc, band, colour);
    }
}

void FillGradient(HDC dc, uint32_t topColour, int left, int top, int right, int bottom, uint32_t bottomColour)
{
    if (GradientFillFunction fill = gradientFunction()) {
        TRIVERTEX vertices[2] = {vertex(left, top, topColour), vertex(right, bottom, bottomColour)};
        GRADIENT_RECT rect = {0, 1};
        fill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
        return;
    }
    FillGradientBands(dc, topColour, left, top, right, bottom, bottomColour);
}

HWND CreateBackgroundWindow(HINSTANCE instance)
{
    registerClassOnce(instance);
    InstallerState& state = installerState();
    RECT area = {0, 0, 0, 0};
    if (!state.maximizedBackground && !SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        area = RECT{0, 0, 0, 0};
        state.maximizedBackground = true;
    }
    HWND window = CreateWindowExA(0, kClassName, "", WS_POPUP, area.left, area.top, area.right - area.left,
                                  area.bottom - area.top, nullptr, nullptr, instance, nullptr);
    if (!window)
        fatalError(kWindowFailedText);
    ShowWindow(window, SW_HIDE);
    ShowWindow(window, state.maximizedBackground ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    InvalidateRect(window, nullptr, TRUE);
    return window;
}

void RepaintBackground()
{
    if (HWND window = installerState().mainWindow)
        InvalidateRect(window, nullptr, TRUE);
}
