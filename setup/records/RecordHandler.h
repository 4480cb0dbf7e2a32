#pragma once

#include <string>

// A handler of one record section of the installation. The installation
// driver expands the variables of each record line and passes the text to
// process(). A record the handler cannot carry out never stops the
// installation: the handler reports it (or passes over it) and returns.
class RecordHandler {
public:
    // Carries out one record. True when the whole record was carried out; the
    // driver does not look at the result.
    virtual bool process(const std::string& record) = 0;
    virtual ~RecordHandler() = default;
};
