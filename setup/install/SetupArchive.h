#pragma once

#include "setup/install/ZipReader.h"

#include <windows.h>

// The package's archive, showing the bytes of the member being extracted on a
// progress bar: range 0..member size and a step of one chunk, set before the
// first chunk, then one step per chunk. The bar belongs to the progress page
// and is driven with synchronous messages from the installation thread; with
// no bar (null) nothing is shown.
class SetupArchive : public ZipReader {
public:
    explicit SetupArchive(HWND progressBar) : progressBar_(progressBar) {}

protected:
    void onProgress() override;

private:
    HWND progressBar_;
};
