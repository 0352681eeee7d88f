#pragma once
// Fire effects attached to scene objects. TGLEffects is a value type: assigning it copies the list,
// and the copies refer to the same shared TGLFireFXManager, so every burning object shows the same
// flames. An empty list means the object does not burn.

#include <memory>
#include <vector>

namespace vtx {

class TGLFireFXManager;

struct TGLBFireFX {
    std::shared_ptr<TGLFireFXManager> Manager;
};

class TGLEffects {
public:
    // Appends a fire effect driven by `manager` (ignored when null) and returns it.
    TGLBFireFX& addFire(std::shared_ptr<TGLFireFXManager> manager) {
        if (manager)
            m_items.push_back(TGLBFireFX{std::move(manager)});
        else
            m_items.emplace_back();
        return m_items.back();
    }
    void clear() { m_items.clear(); }
    int Count() const { return static_cast<int>(m_items.size()); }
    bool empty() const { return m_items.empty(); }
    const std::vector<TGLBFireFX>& items() const { return m_items; }

private:
    std::vector<TGLBFireFX> m_items;
};

} // namespace vtx
