#include "game/Scheduler.h"

namespace vtx {

void Scheduler::at(std::int64_t dueMs, Task task) {
    m_tasks.emplace(std::pair{dueMs, m_made++}, std::move(task));
}

void Scheduler::runDue(std::int64_t nowMs) {
    const std::uint64_t madeBefore = m_made;
    for (;;) {
        auto first = m_tasks.begin();
        while (first != m_tasks.end() && first->first.second >= madeBefore)
            ++first;
        if (first == m_tasks.end() || first->first.first > nowMs) return;
        // Out of the table before it runs: it may cancel or add others.
        Task task = std::move(first->second);
        m_tasks.erase(first);
        task();
    }
}

std::optional<std::int64_t> Scheduler::nextDueMs() const {
    if (m_tasks.empty()) return std::nullopt;
    return m_tasks.begin()->first.first;
}

} // namespace vtx
