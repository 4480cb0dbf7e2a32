#pragma once

#include "setup/records/helpers/ComPointer.h"

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <string>

// Picture files (bitmaps, icons, metafiles, GIF and JPEG images) through the
// platform's picture loader.

// Loads the file into `picture`. The result is the loader's: S_OK, or the
// failure (a missing or unreadable file gives the HRESULT of its error). The
// file is opened with read sharing, so a picture that another program has
// open for reading still loads.
HRESULT loadPictureFile(const std::string& path, ComPointer<IPicture>& picture);

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The picture's size in screen pixels; 0 x 0 without a picture.
PixelSize pictureSizeInPixels(IPicture* picture);

// Draws the picture upright, scaled to `bounds`.
void drawPicture(IPicture* picture, HDC dc, const RECT& bounds);
