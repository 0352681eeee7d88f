#include "scene/engine/TGLMaterialLibrary.h"

namespace vtx {

TGLLibMaterial* TGLMaterialLibrary::addMaterial(const std::string& name) {
    auto found = m_byName.find(name);
    if (found != m_byName.end()) return found->second.get();
    auto entry = std::make_unique<TGLLibMaterial>(name);
    TGLLibMaterial* raw = entry.get();
    m_byName.emplace(name, std::move(entry));
    m_order.push_back(raw);
    return raw;
}

TGLLibMaterial* TGLMaterialLibrary::addMaterialFromImage(const std::string& name, const QImage& image,
                                                         TGLBlendingMode blending) {
    TGLLibMaterial* entry = addMaterial(name);
    entry->Material.Texture.Image.assign(image);
    entry->Material.Texture.Disabled = false;
    entry->Material.BlendingMode = blending;
    return entry;
}

TGLLibMaterial* TGLMaterialLibrary::materialByName(const std::string& name) const {
    auto found = m_byName.find(name);
    return found == m_byName.end() ? nullptr : found->second.get();
}

} // namespace vtx
