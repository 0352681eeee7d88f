// libFuzzer target: the MD2 reader and everything the engine does with a model it accepted.

#include "scene/engine/formats/AnimationNames.h"
#include "scene/engine/formats/Md2Mesh.h"
#include "scene/engine/formats/Md2Model.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vtx::Md2Model model;
    std::string error;
    if (!vtx::parseMd2(std::span<const unsigned char>(data, size), model, error)) {
        if (error.empty()) std::abort(); // a refusal must say why
        return 0;
    }
    const vtx::Md2Mesh mesh = vtx::buildMd2Mesh(model);
    if (mesh.indices.size() != model.triangles.size() * 3 || mesh.positions.size() != model.frames.size())
        std::abort();
    for (const std::uint32_t index : mesh.indices)
        if (index >= mesh.texCoords.size()) std::abort();
    std::vector<std::string> names;
    for (const vtx::Md2Frame& frame : model.frames)
        names.push_back(frame.name);
    const std::vector<vtx::AnimationRange> ranges = vtx::animationsFromFrameNames(names);
    for (const vtx::AnimationRange& r : ranges)
        if (r.first < 0 || r.last < r.first || r.last >= static_cast<int>(names.size())) std::abort();
    return 0;
}
