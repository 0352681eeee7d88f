#pragma once

// The program's own command line: "--version" and "--help" print one short
// text and end the program before any window or display connection is made;
// anything else that is not an option of the window toolkit itself (such as
// "-platform offscreen" or "-display :1", left for Qt) is refused with a clear
// message. Pure: the caller prints and exits.

#include <string>
#include <vector>

namespace vtx {

struct CommandLine {
    enum class Action { Run, PrintVersion, PrintHelp, Refuse };
    Action action = Action::Run;
    std::string text; // what to print (to stdout, or to stderr for Refuse)
    int exitCode = 0;
};

// args are argv[1..]; program is the name to show in the texts.
CommandLine parseCommandLine(const std::vector<std::string>& args, const std::string& program = "vortalix3d");

} // namespace vtx
