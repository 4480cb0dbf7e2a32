#pragma once

#include "setup/install/files/ZipReader.h"

#include <windows.h>

// The package's archive, showing the bytes of the member being extracted on a
// progress bar: before the first chunk the range becomes 0..member size, the
// step one chunk and the position 0; then the position follows the bytes
// written, up to the member's size at its end.
//
// The bar belongs to the progress page and every message is a synchronous
// round trip to the interface thread, dearer than inflating a chunk. A bar is
// a few hundred pixels wide, so the position is sent only when it has moved by
// at least 1/kUpdatesPerMember of the member: members up to that many chunks
// get one update per chunk, larger ones kUpdatesPerMember in all.
//
// With no bar (null) nothing is shown.
class SetupArchive : public ZipReader {
public:
    static constexpr std::uint32_t kUpdatesPerMember = 256;

    explicit SetupArchive(HWND progressBar) : progressBar_(progressBar) {}

protected:
    void onProgress() override;

private:
    HWND progressBar_;
    // The position last sent to the bar.
    std::uint32_t shownBytes_ = 0;
};
