#include "scene/engine/AnimatedModel.h"

#include "scene/engine/FilePath.h"
#include "scene/engine/formats/FileBytes.h"
#include "scene/engine/formats/Md2Model.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <unordered_map>

namespace vtx {

namespace {
std::uint64_t nextMeshId() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}
} // namespace

void AnimatedModel::loadFromFile(const std::string& path) {
    // The twenty ships of the game come from four files: while any actor still holds a file's model
    // and the file is unchanged, the others share its parsed mesh, and with its mesh id its one GPU copy.
    struct Cached {
        std::weak_ptr<const Md2Mesh> mesh;
        std::uint64_t meshId = 0;
        std::vector<AnimationRange> animations;
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
    };
    static std::unordered_map<std::string, Cached> cache;
    std::error_code timeError, sizeError;
    const std::filesystem::path native(nativeFilePath(path));
    const auto modified = std::filesystem::last_write_time(native, timeError);
    const auto size = std::filesystem::file_size(native, sizeError);
    const bool known = !timeError && !sizeError;
    auto found = cache.find(path);
    if (known && found != cache.end() && found->second.modified == modified && found->second.size == size)
        if (auto shared = found->second.mesh.lock()) {
            adopt(std::move(shared), found->second.meshId, found->second.animations);
            return;
        }
    loadFromBytes(readWholeFile(path));
    if (known) cache[path] = Cached{m_mesh, m_meshId, m_animations, modified, size};
}

void AnimatedModel::loadFromBytes(std::span<const unsigned char> bytes) {
    Md2Model model;
    std::string error;
    if (!parseMd2(bytes, model, error)) throw std::runtime_error(error);
    auto mesh = std::make_shared<Md2Mesh>(buildMd2Mesh(model));
    std::vector<std::string> names;
    names.reserve(model.frames.size());
    for (const Md2Frame& frame : model.frames)
        names.push_back(frame.name);
    adopt(std::move(mesh), nextMeshId(), animationsFromFrameNames(names));
}

void AnimatedModel::adopt(std::shared_ptr<const Md2Mesh> mesh, std::uint64_t meshId,
                          std::vector<AnimationRange> animations) {
    m_mesh = std::move(mesh);
    m_meshId = meshId;
    m_animations = std::move(animations);
    m_animation.clear();
    m_start = 0;
    m_end = std::max(0, frameCount() - 1);
    m_current = 0;
    m_next = successor(0);
    m_blend = 0.0f;
}

int AnimatedModel::frameCount() const {
    return m_mesh ? static_cast<int>(m_mesh->positions.size()) : 0;
}

int AnimatedModel::successor(int frame) const {
    if (frame < m_start || frame > m_end) return m_start;
    if (frame < m_end) return frame + 1;
    return animationMode == AnimationMode::Loop ? m_start : frame;
}

void AnimatedModel::setCurrentFrame(int frame) {
    const int count = frameCount();
    m_current = count > 0 ? std::clamp(frame, 0, count - 1) : 0;
    m_next = count > 0 ? successor(m_current) : 0;
    m_blend = 0.0f;
}

void AnimatedModel::switchAnimation(const std::string& name, bool smooth) {
    const auto found = std::find_if(m_animations.begin(), m_animations.end(),
                                    [&](const AnimationRange& a) { return a.name == name; });
    if (found == m_animations.end()) return;
    const int count = frameCount();
    m_animation = found->name;
    m_start = std::clamp(found->first, 0, std::max(0, count - 1));
    m_end = std::clamp(found->last, m_start, std::max(0, count - 1));
    if (smooth) {
        m_next = m_start;
    } else {
        m_current = m_start;
        m_next = successor(m_current);
        m_blend = 0.0f;
    }
}

void AnimatedModel::doProgress(double deltaSeconds) {
    if (animationMode == AnimationMode::None || frameCount() < 2 || interval <= 0 || deltaSeconds <= 0.0)
        return;
    double blend = m_blend + deltaSeconds * 1000.0 / interval;
    // Skip whole cycles of a long stall instead of stepping through them one by one.
    const int span = m_end - m_start + 1;
    if (blend > 2.0 * span + 2.0) blend = std::fmod(blend, double(span)) + span;
    while (blend >= 1.0) {
        blend -= 1.0;
        m_current = m_next;
        m_next = successor(m_current);
        if (animationMode == AnimationMode::PlayOnce && m_current == m_end) {
            blend = 0.0;
            break;
        }
    }
    m_blend = static_cast<float>(blend);
}

} // namespace vtx
