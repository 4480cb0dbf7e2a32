#include "setup/thread/Sleep.h"

namespace thread {

bool sleep(DWORD milliseconds) {
    Sleep(milliseconds);
    return true;
}

} // namespace thread
