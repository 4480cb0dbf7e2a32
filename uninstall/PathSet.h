#pragma once

#include <set>
#include <string>

// Paths compared as the file system compares them: without regard to case.
struct PathLess {
    bool operator()(const std::string& a, const std::string& b) const;
};
using PathSet = std::set<std::string, PathLess>;

// Whether two paths name the same file as the file system compares names.
bool samePath(const std::string& a, const std::string& b);
