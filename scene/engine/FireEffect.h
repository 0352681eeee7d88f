#pragma once
// Fire effects attached to scene objects. EffectList is a value type: assigning it copies the list,
// and the copies refer to the same shared FireSystem, so every burning object shows the same
// flames. An empty list means the object does not burn.

#include <memory>
#include <vector>

namespace vtx {

class FireSystem;

struct FireEffect {
    std::shared_ptr<FireSystem> manager;
};

class EffectList {
public:
    // Appends a fire effect driven by `manager` (ignored when null) and returns it.
    FireEffect& addFire(std::shared_ptr<FireSystem> manager) {
        if (manager)
            m_items.push_back(FireEffect{std::move(manager)});
        else
            m_items.emplace_back();
        return m_items.back();
    }
    void clear() { m_items.clear(); }
    int count() const { return static_cast<int>(m_items.size()); }
    bool empty() const { return m_items.empty(); }
    const std::vector<FireEffect>& items() const { return m_items; }

private:
    std::vector<FireEffect> m_items;
};

} // namespace vtx
