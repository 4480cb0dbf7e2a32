#pragma once

// Folders and files for the tests, on the real file system of the prefix,
// and names that tests running side by side do not share.

#include <string>

namespace testing_support {

// A fresh folder under the temporary directory, named after the running test,
// `label` and the process, so that tests running side by side never share
// one. It is removed with everything in it, read-only files included, when
// the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& label = "");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    // The path of `name` inside the folder.
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    std::string operator/(const std::string& name) const { return file(name); }
    // Writes `bytes` as the whole file `name` of the folder; returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

// Removes a file or a directory tree, read-only files included.
void removeTree(const std::string& path);

// Writes `bytes` as the whole file; false on failure.
bool writeFile(const std::string& path, const std::string& bytes);
// Writes `text` with every "\n" turned into CR LF, as package files have it.
bool writeTextFile(const std::string& path, const std::string& text);
// The whole file; "<missing>" when it cannot be opened.
std::string readFile(const std::string& path);
// A file (not a directory) of that path exists.
bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
// The folder of the running test program, where its fixtures lie.
std::string programDirectory();

// A name no other test process uses at the same time: `prefix`, the running
// test's name and the process id. Named kernel objects, registry keys and
// files of the prefix are shared by every test process.
std::string uniqueName(const std::string& prefix);

} // namespace testing_support
