#pragma once

#include "setup/install/text/RunAppCommand.h"

#include <string>

// A program to run around the installation, parsed from an expanded command
// text. run() starts it as a process when its path names a program (".exe" or
// ".bat" in it) and otherwise hands it to the shell's default action; then it
// waits for the end unless the command says not to. Nothing is reported: a
// program that cannot be started is simply not run.
class RunAppRecord {
public:
    explicit RunAppRecord(const std::string& command) : command_(RunAppCommand::parse(command)) {}

    const RunAppCommand& command() const { return command_; }

    void run() const;

private:
    void runAsProcess() const;
    void runThroughShell() const;

    RunAppCommand command_;
};
