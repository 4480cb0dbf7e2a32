#pragma once

#include <string>

// The `&comma;` decoding as first written: replace in place, search again
// from the comma just written. Quadratic, but plainly right: the reference
// the record field tests and the fuzzer compare the linear decoder with.
inline std::string decodeInPlace(std::string field) {
    static const std::string escape = "&comma;";
    std::string::size_type position = field.find(escape);
    while (position != std::string::npos) {
        field.replace(position, escape.size(), 1, ',');
        position = field.find(escape, position);
    }
    return field;
}
