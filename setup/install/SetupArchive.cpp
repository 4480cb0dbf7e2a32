#include "setup/install/SetupArchive.h"

#include <commctrl.h>

void SetupArchive::onProgress() {
    if (progressBar_ == nullptr)
        return;
    if (bytesWritten() == 0) {
        SendMessageA(progressBar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(memberSize()));
        SendMessageA(progressBar_, PBM_SETSTEP, kChunkSize, 0);
    } else {
        SendMessageA(progressBar_, PBM_STEPIT, 0, 0);
    }
}
