#include "setup/install/files/SetupArchive.h"

#include <commctrl.h>

void SetupArchive::onProgress() {
    if (progressBar_ == nullptr)
        return;
    if (bytesWritten() == 0) {
        SendMessageA(progressBar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(memberSize()));
        SendMessageA(progressBar_, PBM_SETSTEP, kChunkSize, 0);
        SendMessageA(progressBar_, PBM_SETPOS, 0, 0);
        shownBytes_ = 0;
        return;
    }
    const std::uint32_t stride = memberSize() / kUpdatesPerMember;
    if (bytesWritten() - shownBytes_ < stride && bytesWritten() < memberSize())
        return;
    SendMessageA(progressBar_, PBM_SETPOS, static_cast<WPARAM>(bytesWritten()), 0);
    shownBytes_ = bytesWritten();
}
