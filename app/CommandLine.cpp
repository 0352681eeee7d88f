#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

#ifndef VTX_VERSION
#define VTX_VERSION "0"
#endif

namespace vtx {

namespace {

// The toolkit's own options (QGuiApplication, QApplication, the X11
// platform), which Qt takes out of the argument list itself.
constexpr std::array<std::string_view, 13> kQtWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "geometry",      "title",  "display",
    "style",       "stylesheet",         "session"};
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <std::size_t N> bool contains(const std::array<std::string_view, N>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

std::string helpText(const std::string& program) {
    return "Usage: " + program +
           " [--help | --version]\n"
           "Vortalix 3D, a sea battle in 3D. Started without options, it opens the game.\n"
           "Its options, high scores and LAN clients are kept in the current folder when\n"
           "that folder holds the game's data, and otherwise in $XDG_DATA_HOME/vortalix3d\n"
           "(~/.local/share/vortalix3d).\n"
           "  --help     show this text and exit\n"
           "  --version  show the version and exit\n";
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args, const std::string& program) {
    CommandLine result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--version" || arg == "-v") {
            return {CommandLine::Action::PrintVersion, "Vortalix 3D " VTX_VERSION "\n", 0};
        }
        if (arg == "--help" || arg == "-h" || arg == "-?") {
            return {CommandLine::Action::PrintHelp, helpText(program), 0};
        }
        // Qt accepts its options with one dash or two, the value after "=" or
        // as the next argument.
        std::string_view name = arg;
        if (name.starts_with("--"))
            name.remove_prefix(2);
        else if (name.starts_with("-"))
            name.remove_prefix(1);
        else
            name = {};
        const std::size_t equals = name.find('=');
        const std::string_view bare = name.substr(0, equals);
        if (!bare.empty() && contains(kQtWithValue, bare)) {
            if (equals == std::string_view::npos) {
                if (i + 1 >= args.size()) {
                    return {CommandLine::Action::Refuse,
                            program + ": the option \"" + arg + "\" needs a value\nTry \"" + program +
                                " --help\".\n",
                            2};
                }
                ++i;
            }
            continue;
        }
        if (!bare.empty() && equals == std::string_view::npos && contains(kQtFlags, bare)) continue;
        if (!bare.empty() && bare == "qmljsdebugger" && equals != std::string_view::npos) continue;
        return {CommandLine::Action::Refuse,
                program + ": unknown option \"" + arg + "\"\nTry \"" + program + " --help\".\n", 2};
    }
    return result;
}

} // namespace vtx
