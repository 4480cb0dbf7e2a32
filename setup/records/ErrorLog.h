#pragma once

#include <string>
#include <vector>

class UninstallLog;

// The problems the record handlers met during one installation, written
// to error.log in the application directory for the user to read. Each
// message is a fixed text directly followed by its detail.
class ErrorLog {
public:
    // The file is error.log in `appDir`; once written, its path is recorded in
    // `uninstallLog` (not owned) as an application file.
    ErrorLog(const std::string& appDir, UninstallLog& uninstallLog);
    // Writes the messages still held. The installation may be ending through an
    // exception, so a file that cannot be written is dropped here quietly and
    // the first failure stands.
    ~ErrorLog();
    ErrorLog(const ErrorLog&) = delete;
    ErrorLog& operator=(const ErrorLog&) = delete;

    // Appends one message; the same text added twice is held twice.
    void add(const std::string& message);

    // With no message held, does nothing and creates no file. Otherwise
    // creates or truncates the file, writes each message in order followed by
    // CR LF, clears the messages, and records the file's path in the uninstall
    // log as a file under the application class (which stays the log's
    // current class). Throws FileException(path, 5) when the file cannot be
    // created or written; the messages are then kept.
    void write();

    const std::string& path() const { return path_; }
    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::string path_;
    UninstallLog& uninstallLog_;
    std::vector<std::string> messages_;
};
