#pragma once

// How a rule waits: it leaves the rest of its work as a continuation due at a
// time and returns, as a game module's "think" function does. Whoever drives
// the program calls runDue() when the earliest one is due (the main window
// from a timer, a test from its clock), never from inside a rule, so no click
// or datagram can run one rule in the middle of another.
//
// Times are IClock::tickMs() milliseconds. Continuations due at the same
// time run in the order they were made. A continuation may make new ones;
// they run at a later runDue() even when already due, so one call always
// ends. UI thread only.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace vtx {

class Scheduler {
public:
    using Task = std::function<void()>;

    void at(std::int64_t dueMs, Task task);
    // Forgets every continuation not yet run (the match they belong to ended).
    void cancelAll() { m_tasks.clear(); }
    // Runs, in order, every continuation due at or before nowMs that was made
    // before this call.
    void runDue(std::int64_t nowMs);
    std::optional<std::int64_t> nextDueMs() const;
    bool empty() const { return m_tasks.empty(); }

private:
    // Keyed by (due time, order made).
    std::map<std::pair<std::int64_t, std::uint64_t>, Task> m_tasks;
    std::uint64_t m_made = 0;
};

} // namespace vtx
