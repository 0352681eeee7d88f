#include "scene/engine/MaterialLibrary.h"

namespace vtx {

LibraryMaterial* MaterialLibrary::addMaterial(const std::string& name) {
    auto found = m_byName.find(name);
    if (found != m_byName.end()) return found->second.get();
    auto entry = std::make_unique<LibraryMaterial>(name);
    LibraryMaterial* raw = entry.get();
    m_byName.emplace(name, std::move(entry));
    m_order.push_back(raw);
    return raw;
}

LibraryMaterial* MaterialLibrary::addMaterialFromImage(const std::string& name, const QImage& image,
                                                       BlendMode blending) {
    LibraryMaterial* entry = addMaterial(name);
    entry->material.texture.image.assign(image);
    entry->material.texture.disabled = false;
    entry->material.blendingMode = blending;
    return entry;
}

LibraryMaterial* MaterialLibrary::materialByName(const std::string& name) const {
    auto found = m_byName.find(name);
    return found == m_byName.end() ? nullptr : found->second.get();
}

} // namespace vtx
