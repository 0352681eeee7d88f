#pragma once
// File names as the game writes them ("DATA\ship2.jpg") opened on any system: backslashes become
// forward slashes. Error messages keep the name as given.

#include <string>

namespace vtx {

inline std::string nativeFilePath(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

} // namespace vtx
