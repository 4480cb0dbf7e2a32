#include "tests/support/Bitmaps.h"

#include "tests/support/TestFiles.h"

namespace testing_support {

namespace {

int rowBytes(int width) {
    return (width * 3 + 3) & ~3;
}

BITMAPINFOHEADER bitmapInfo(int width, int height) {
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(rowBytes(width) * height);
    return info;
}

// A 24-bit bitmap file of the bottom-up rows.
bool writeBitmap(const std::string& path, const BITMAPINFOHEADER& info, const std::string& rows) {
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes += rows;
    return writeFile(path, bytes);
}

} // namespace

void writeBitmapFile(const std::string& path, int width, int height, BYTE r, BYTE g, BYTE b) {
    std::string row(static_cast<std::size_t>(rowBytes(width)), '\0');
    for (int x = 0; x < width; ++x) {
        row[static_cast<std::size_t>(x * 3)] = static_cast<char>(b);
        row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>(g);
        row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>(r);
    }
    std::string rows;
    for (int y = 0; y < height; ++y)
        rows += row;
    writeBitmap(path, bitmapInfo(width, height), rows);
}

bool saveScreenshot(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);

    BITMAPINFOHEADER info = bitmapInfo(width, height);
    std::string pixels(info.biSizeImage, '\0');
    const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), &pixels[0],
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return rows == height && writeBitmap(path, bitmapInfo(width, height), pixels);
}

} // namespace testing_support
