#pragma once

#include <unzip.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

// Reads members of a zip archive into files, through minizip. One transfer
// buffer per open archive serves every chunk of every member, so extraction
// allocates nothing per chunk. Derived classes watch the bytes go by through
// onProgress.
//
// Failures are reported by result and lastError only: a minizip result code,
// -1 for a failed open or a failed write, or one of the refusals below.
class ZipReader {
public:
    // Bytes read from the member and written to the file at a time.
    static constexpr std::uint32_t kChunkSize = 16384;

    // lastError of a member compressed by a method other than stored (0) or
    // deflated (8), which minizip cannot inflate here.
    static constexpr int kUnsupportedMethod = -2;
    // lastError of an encrypted member (general-purpose flag bit 0): there is
    // no password to decrypt it with.
    static constexpr int kEncryptedMember = -3;

    ZipReader() = default;
    // Closes the archive if one is open.
    virtual ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    // Closes any archive already open, then opens `fileName`. False (and
    // lastError -1) when minizip cannot open it: missing, unreadable, or
    // without an end-of-central-directory record.
    bool open(const std::string& fileName);
    // Harmless when nothing is open.
    void close();
    bool isOpen() const { return archive_ != nullptr; }

    // Makes the named member current, compared as minizip compares names by
    // default here: ASCII letters match in either case, every other byte must
    // be equal ('/' and '\' differ), and of several matches the first in the
    // archive wins. Names of 256 bytes or more are refused.
    //
    // `memberName` is in the system's ANSI code page, while zip tools store a
    // non-ASCII name as UTF-8 bytes (some without saying so): when no member
    // has the name's own bytes, the name converted to UTF-8 is looked for too.
    bool locate(const std::string& memberName);

    // Writes the current member to `destination`, truncating an existing file,
    // and stamps it with the member's time. The destination's directory must
    // exist. True only when the whole member was written and its CRC matched.
    // On failure the destination stays on disk as far as it was written.
    //
    // A member that is encrypted or compressed by a method other than stored
    // or deflated is refused before the destination is opened: false,
    // lastError kEncryptedMember or kUnsupportedMethod, nothing written.
    bool extractCurrent(const std::string& destination);

    // locate, then extractCurrent.
    bool extract(const std::string& memberName, const std::string& destination);

    // Creates a new empty file named tmpXXXX.tmp in the temporary directory
    // and returns its path; empty when the system gives none. Whoever makes
    // one deletes it when it is no longer needed.
    static std::string makeTempFile();

    int lastError() const { return lastError_; }
    std::uint32_t bytesWritten() const { return bytesWritten_; }
    std::uint32_t memberSize() const { return memberSize_; }

protected:
    // Called once before the first chunk of a member is written (bytesWritten
    // is then 0) and once after every chunk. Does nothing here.
    virtual void onProgress() {}

private:
    // Orders names by their bytes with the ASCII letters a to z taken as upper
    // case, so that equivalent names are exactly minizip's equal names.
    struct NameOrder {
        using is_transparent = void;
        bool operator()(const std::string& a, const std::string& b) const {
            return less(a.c_str(), b.c_str());
        }
        bool operator()(const std::string& a, const char* b) const { return less(a.c_str(), b); }
        bool operator()(const char* a, const std::string& b) const { return less(a, b.c_str()); }
        static bool less(const char* a, const char* b);
    };

    void indexMembers();
    // The index entry of a name of fewer than kMaxNameLength bytes; null
    // when there is none.
    const unz_file_pos* findMember(const std::string& name) const;

    unzFile archive_ = nullptr;
    // Where each member's directory entry is, found once when the archive
    // opens: minizip's own search walks the whole directory on every call.
    std::map<std::string, unz_file_pos, NameOrder> members_;
    std::unique_ptr<char[]> buffer_;
    int lastError_ = 0;
    std::uint32_t bytesWritten_ = 0;
    std::uint32_t memberSize_ = 0;
};
