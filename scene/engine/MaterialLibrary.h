#pragma once
// A named set of materials that objects refer to by name (MaterialLibrary + libMaterialName).
//
// Ownership: the library owns its LibraryMaterial entries; pointers returned stay valid until the
// entry is removed or the library destroyed. The library itself is owned by the caller and must
// outlive every object that names it. Names are case-sensitive; adding an existing name returns the
// existing entry.

#include "scene/engine/Material.h"

#include <QImage>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vtx {

class LibraryMaterial {
public:
    explicit LibraryMaterial(std::string name) : name(std::move(name)) {}
    const std::string name;
    Material material;
};

class MaterialLibrary {
public:
    LibraryMaterial* addMaterial(const std::string& name);
    // A library material textured with an in-memory picture (TextureMode::Replace, opaque unless changed).
    LibraryMaterial* addMaterialFromImage(const std::string& name, const QImage& image,
                                          BlendMode blending = BlendMode::Opaque);
    // nullptr when absent.
    LibraryMaterial* materialByName(const std::string& name) const;
    int count() const { return static_cast<int>(m_order.size()); }
    LibraryMaterial* materials(int index) const { return m_order.at(static_cast<size_t>(index)); }

private:
    std::unordered_map<std::string, std::unique_ptr<LibraryMaterial>> m_byName;
    std::vector<LibraryMaterial*> m_order;
};

} // namespace vtx
