#pragma once

#include <string>

// The text rules of file and folder records. Plain C++, no platform calls.

// What a file record asks for: "unused,member,destination,flags,mode,attributes".
struct FileRecord {
    // Flags of field 4; other bits have no effect.
    enum Flag {
        SelfRegister = 2,
        CountSharedDll = 4,
        NotLogged = 8,
        SetAttributes = 16,
        AskWhenInUse = 32,
    };

    // Overwrite modes of field 5: when an existing destination is replaced.
    // Any other number keeps the existing file, which counts as installed.
    enum OverwriteMode {
        Always = 0,
        VersionNotOlder = 1, // the member's version is the same or newer
        VersionNewer = 2,
        TimeNotOlder = 3, // the member's time stamp is the same or newer
        TimeNewer = 4,
        VersionOrTimeNotOlder = 5, // as VersionNotOlder, or else as TimeNotOlder
        VersionOrTimeNewer = 6,    // as VersionNewer, or else as TimeNewer
    };

    std::string member;      // name of the member in the archive
    std::string destination; // full path of the installed file
    int flags = 0;
    // An OverwriteMode or any other number; looked at only when the
    // destination exists.
    int mode = Always;
    int attributes = 0; // used with SetAttributes only
};

// Splits at every ',' and decodes "&comma;" in the fields after splitting.
// The numbers read like atoi; missing ones read 0. False when the record has
// fewer than three fields.
bool parseFileRecord(const std::string& record, FileRecord& file);

// The directory named by a folder record: its first field, "&comma;" decoded
// and one trailing '\' removed. Further fields are ignored.
std::string folderRecordPath(const std::string& record);

// The path without one trailing '\'.
std::string withoutTrailingBackslash(const std::string& path);
