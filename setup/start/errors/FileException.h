#pragma once

#include <string>

// A failure concerning a named file that ends the run. The code is one of the
// file error codes below; the name is the file as the thrower chose to give it
// (bare name or full path).
class FileException {
public:
    enum Code {
        NoError = 0,
        NotFound = 1,
        CannotOpen = 2,
        ReadError = 3,
        SeekError = 4,
        DiskFull = 5,
        EndOfFile = 6,
    };

    FileException(std::string fileName, int code) : fileName_(std::move(fileName)), code_(code) {}

    const std::string& fileName() const { return fileName_; }
    int code() const { return code_; }
    // The user-facing text of the code; "Unknown error" for a code outside 0..6.
    const char* description() const { return describeCode(code_); }

    static const char* describeCode(int code);

private:
    std::string fileName_;
    int code_;
};
