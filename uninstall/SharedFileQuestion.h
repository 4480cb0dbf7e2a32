#pragma once

#include <string>

// Asks whether to remove a shared file that no program counts any more. The
// counts are kept by every installer on the machine and are not always
// right, so keeping the file is the safe answer.
class SharedFileQuestion {
public:
    virtual ~SharedFileQuestion() = default;
    // True: remove the file.
    virtual bool removeUnusedSharedFile(const std::string& path) = 0;
};
