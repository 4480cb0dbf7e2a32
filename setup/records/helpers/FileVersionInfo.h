#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The fixed version record of an executable file (a program or a DLL), read
// once by the constructor. It never reports an error: a file that cannot be
// loaded as a module (a text file, a 16-bit program, a missing file) or that
// carries no version block gives valid() false and an all-zero record, and the
// callers fall back to their time-based rules.
//
// Reading loads the file as a module into this process for a moment, so the
// initialisation code of a DLL runs; the module is released again before the
// constructor returns.
class FileVersionInfo {
public:
    explicit FileVersionInfo(const std::string& path);

    // The 13 words of the fixed record in the platform's layout. A file version
    // is (dwFileVersionMS, dwFileVersionLS) = (major * 65536 + minor,
    // build * 65536 + revision).
    const VS_FIXEDFILEINFO& fixed() const { return fixed_; }

    // The first entry of the translation table; language 0 and code page 1252
    // when the file has none.
    WORD language() const { return language_; }
    WORD codePage() const { return codePage_; }

    // The raw version block as the platform returned it; empty when there is none.
    const std::vector<unsigned char>& data() const { return data_; }

    // True only when the record was read and carries the signature 0xFEEF04BD.
    bool valid() const { return valid_; }

private:
    void read(const std::string& path);

    VS_FIXEDFILEINFO fixed_ = {};
    WORD language_ = 0;
    WORD codePage_ = 1252;
    std::vector<unsigned char> data_;
    bool valid_ = false;
};
