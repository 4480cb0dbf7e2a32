#pragma once

#include <string>

// A command line that starts a program, taken apart as the platform's process
// start would read it, and put together again safely.
//
// The program is the text between the quotes when the line starts with a
// double quote; otherwise it runs up to and including the first ".exe" (in any
// case) that ends the line or is followed by a blank. A line without either
// has no recognisable program and is left alone.
struct ProgramCommandLine {
    std::string program;   // without quotes; empty when none was recognised
    std::string arguments; // everything after the program, as written

    static ProgramCommandLine parse(const std::string& line);

    // The line to hand to the process start: the program in double quotes, so
    // that the platform cannot take a shorter path for one that holds a blank
    // (a planted "C:\Program.exe" for "C:\Program Files\..."); the arguments
    // follow as written. Without a recognised program, `original`.
    std::string safeLine(const std::string& original) const;

    // The folder to start the program in: the program's folder (its text
    // before the last '\'); without a recognised program, the folder of
    // `original` as a whole. Empty when there is none.
    std::string directory(const std::string& original) const;
};
