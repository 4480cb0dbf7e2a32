// Runs one operation of the file installation in a process of its own, for the
// tests that need a fresh process: one that Wine starts as another Windows
// version, or one that starts from another directory.
//
//   install_probe copy <source> <destination> <flags>
//       exit code: 1 copied, 2 restart needed, 4 source still needed,
//       8 the system is 95/98/ME, 16 the system is NT (added together);
//       255 when the version could not be read
//   install_probe register <path>
//       self-registers the file; exit code 0
#include "setup/config/SetupContext.h"
#include "setup/config/WindowsVersion.h"
#include "setup/install/files/LockedFileCopier.h"
#include "setup/install/base/SharedDll.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    try {
        if (argc == 5 && std::strcmp(argv[1], "copy") == 0) {
            SetupContext context;
            LockedFileCopier copier(context, nullptr);
            const bool copied = copier.copy(argv[2], argv[3], std::atoi(argv[4]));
            const WindowsVersion version;
            return (copied ? 1 : 0) | (copier.restartNeeded() ? 2 : 0) |
                   (copier.sourceStillNeeded() ? 4 : 0) | (version.is9x() ? 8 : 0) |
                   (version.isNT() ? 16 : 0);
        }
        if (argc == 3 && std::strcmp(argv[1], "register") == 0) {
            selfRegister(argv[2]);
            return 0;
        }
    } catch (...) {
        return 255;
    }
    return 254;
}
