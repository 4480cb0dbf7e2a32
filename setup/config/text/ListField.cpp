#include "setup/config/text/ListField.h"

bool listField(const std::string& list, int index, char separator, std::string& field) {
    if (index < 0)
        return false;
    std::string::size_type offset = 0;
    for (int counter = 0;; ++counter) {
        const std::string::size_type next = list.find(separator, offset);
        if (next == std::string::npos) {
            if (counter != index)
                return false;
            field = list.substr(offset);
            return true;
        }
        if (counter == index) {
            field = list.substr(offset, next - offset);
            return true;
        }
        offset = next + 1;
        if (offset >= list.size())
            return false;
    }
}
