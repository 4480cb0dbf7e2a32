#pragma once

#include <string>

// The field with the zero-based `index` of a list separated by `separator`.
// Nothing is trimmed. An empty list has one empty field; an empty field after
// a trailing separator does not count ("a,b," has two fields). False, with
// `field` untouched, when there is no such field.
bool listField(const std::string& list, int index, char separator, std::string& field);
