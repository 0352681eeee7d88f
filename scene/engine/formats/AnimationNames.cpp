#include "scene/engine/formats/AnimationNames.h"

#include <cctype>

namespace vtx {

std::string animationNameOfFrame(const std::string& frameName) {
    const std::size_t n = frameName.size();
    if (n >= 2 && std::isdigit(static_cast<unsigned char>(frameName[n - 2])))
        return frameName.substr(0, n - 2);
    if (n >= 1) return frameName.substr(0, n - 1);
    return {};
}

std::vector<AnimationRange> animationsFromFrameNames(const std::vector<std::string>& frameNames) {
    std::vector<AnimationRange> ranges;
    for (std::size_t i = 0; i < frameNames.size(); ++i) {
        std::string name = animationNameOfFrame(frameNames[i]);
        bool known = false;
        for (const AnimationRange& r : ranges)
            known = known || r.name == name;
        if (known) continue;
        if (!ranges.empty()) ranges.back().last = static_cast<int>(i) - 1;
        ranges.push_back({std::move(name), static_cast<int>(i), static_cast<int>(i)});
    }
    if (!ranges.empty()) ranges.back().last = static_cast<int>(frameNames.size()) - 1;
    return ranges;
}

} // namespace vtx
