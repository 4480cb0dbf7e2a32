#pragma once

#include <string>
#include <vector>

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

    std::string member;      // name of the member in the archive
    std::string destination; // full path of the installed file
    int flags = 0;
    int mode = 0;       // overwrite mode; only used when the destination exists
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

// The directories a walk down `path` (already without a trailing '\') tries to
// create, in order: the prefix before every '\' after the walk's start, then
// the whole path. The walk starts after the first '\' of an ordinary path and,
// for a UNC path (\\server\share\...), after the '\' that ends the share, so
// that neither the server nor the share is ever tried. Empty when there is no
// place to start: no '\' at all, or a UNC path without a share or without
// anything below it.
std::vector<std::string> directoryWalk(const std::string& path);
