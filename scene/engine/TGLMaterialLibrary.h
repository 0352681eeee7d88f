#pragma once
// A named set of materials that objects refer to by name (MaterialLibrary + LibMaterialName).
//
// Ownership: the library owns its TGLLibMaterial entries; pointers returned stay valid until the
// entry is removed or the library destroyed. The library itself is owned by the caller and must
// outlive every object that names it. Names are case-sensitive; adding an existing name returns the
// existing entry.

#include "scene/engine/TGLMaterial.h"

#include <QImage>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vtx {

class TGLLibMaterial {
public:
    explicit TGLLibMaterial(std::string name) : Name(std::move(name)) {}
    const std::string Name;
    TGLMaterial Material;
};

class TGLMaterialLibrary {
public:
    TGLLibMaterial* addMaterial(const std::string& name);
    // A library material textured with an in-memory picture (tmReplace, opaque unless changed).
    TGLLibMaterial* addMaterialFromImage(const std::string& name, const QImage& image,
                                         TGLBlendingMode blending = bmOpaque);
    // nullptr when absent.
    TGLLibMaterial* materialByName(const std::string& name) const;
    int Count() const { return static_cast<int>(m_order.size()); }
    TGLLibMaterial* Materials(int index) const { return m_order.at(static_cast<size_t>(index)); }

private:
    std::unordered_map<std::string, std::unique_ptr<TGLLibMaterial>> m_byName;
    std::vector<TGLLibMaterial*> m_order;
};

} // namespace vtx
