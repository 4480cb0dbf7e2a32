#pragma once

#include <string>

// Makes `bytes` the whole content of the file `path`, creating the file when
// it is missing. An existing file is written over from its start and then cut
// to the new length, so a file rewritten at its own size needs no new room on
// the disk. Throws FileException(path, DiskFull) when the file cannot be
// opened for writing or not every byte reaches it (a full disk, most often);
// the file may then hold part of the new bytes.
void writeWholeFile(const std::string& path, const std::string& bytes);
