#pragma once

#include "setup/thread/Thread.h"

#include <windows.h>

#include <string>

class InUseQuestion;
class RecordHandler;
class SetupContext;

// The installation driver: the one routine that changes the machine. It runs
// on its own thread, walks the installation sections of the configuration in
// a fixed order, hands every record to the handler of its section, drives the
// progress page's two bars and status line, registers the product for
// uninstallation, writes error.log and setup.log, runs the after-install
// program and finally posts WZ_INSTALL_DONE or WZ_INSTALL_ABORTED (as
// WM_COMMAND, lParam 0) to the page window.
//
// With the variable Imitation set the run goes through every motion of the
// progress display, 50 ms per record, and changes nothing.
//
// No exception leaves the thread: a failure skips the rest of the run, still
// writes the uninstall log and ends as a normal run (WZ_INSTALL_DONE).
//
// The controls belong to the page; the driver only sends them messages, so
// each update waits for the interface thread. Any of the windows may be null.
class InstallEngine : public thread::Thread {
public:
    // Nothing is owned. `question` is asked about files in use (null: files
    // in use are replaced at restart without asking). The archive is looked
    // for under `archiveName`, relative to the current directory by default.
    InstallEngine(HWND pageWindow, SetupContext& context, HWND overallBar, HWND itemBar,
                  HWND statusText, InUseQuestion* question = nullptr,
                  const std::string& archiveName = "setup.zip");
    // Stops a started run first (see stop), so that the worker never outlives
    // the objects it uses.
    ~InstallEngine() override;

    // Lets the worker run, once (Thread::start).
    void start();

    // Asks a started run to end at the next record through the context's
    // abortRequested flag and waits until the worker has ended. While it
    // waits, it handles the messages sent to the calling thread, so that the
    // worker's updates of controls owned by that thread cannot block it. A
    // run that is answering a file-in-use question ends once it is answered.
    // Does nothing when the run was never started.
    void stop();

    // The text of the failure that ended the run early ("<message>, Error
    // <code>" or "<description>: \"<file>\"", as the outer handler shows
    // them); empty when the run did not fail. Read it once the run's
    // completion has arrived.
    const std::string& failure() const { return failure_; }

protected:
    void run() override;

private:
    // The whole installation: the progress ranges, the folder and file
    // sections, the restart flag, the registry, file type, shortcut and INI
    // file sections, the uninstall registration, error.log and setup.log, and
    // the after-install program. False when it was aborted; throws what the
    // handlers and the logs throw.
    bool install();
    // Runs the records of one section through `handler`; false when an abort
    // was requested, which leaves the section at once.
    bool runSection(const char* section, RecordHandler& handler);
    // Whether a record of the shortcut sections is left out because the user
    // wants no desktop or quick-launch icon.
    bool skipped(const char* section, const std::string& record);
    // Registers the product under the platform's Uninstall key through the
    // registry handler.
    void registerUninstaller(RecordHandler& registry);
    void step();
    void post(int command);
    // Keeps the failure's text and writes what the uninstall log holds.
    void failed(std::string text);

    HWND pageWindow_;
    SetupContext& context_;
    HWND overallBar_;
    HWND itemBar_;
    HWND statusText_;
    InUseQuestion* question_;
    std::string archiveName_;
    // Read at the start of the run.
    bool imitation_ = false;
    bool createDesktopIcon_ = true;
    bool createQuickLaunchIcon_ = true;
    bool started_ = false;
    std::string failure_;
};
