// Figures for LAN play over a bad network: two copies' match logic and links
// back to back (tests/game/LanSim.h) in simulated time. Prints, for the plain
// protocol and the extended one, how many matches finish at each loss rate,
// the time from a click to its mark on the other screen, the time from Join
// to both boards ready, and the time until a vanished opponent is reported;
// then, with chat lines mixed in (each side a line a second, and a burst of
// eight now and then, beyond the five a second a side may send), the same
// figures, the time a line takes, the drops by reason, and the time from
// both players choosing Play again to both boards of the next match ready.
//
//   lan_bench [--matches N]   (default 40 per setting)

#include "LanSim.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using vtx::test::Sim;

struct Network {
    const char* name;
    double loss, duplicate, reorder;
    std::int64_t jitterMs;
};

struct Result {
    int finished = 0;
    std::vector<std::int64_t> latencies, ready;
    vtx::NetDrops drops; // both sides' together
};

std::int64_t percentile(std::vector<std::int64_t> v, double p) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))];
}

Result play(const Network& net, bool extended, int matches) {
    Result r;
    for (int i = 0; i < matches; ++i) {
        Sim sim(unsigned(1000 + i), extended, extended);
        sim.net.loss = net.loss;
        sim.net.duplicate = net.duplicate;
        sim.net.reorder = net.reorder;
        sim.net.jitterMs = net.jitterMs;
        sim.join(extended);
        // Ten simulated minutes: a match that needs longer is stuck.
        const bool over = sim.runUntil([&] { return sim.over(); }, 600000);
        r.drops += sim.creator.rx.drops();
        r.drops += sim.joiner.rx.drops();
        if (!over) continue;
        ++r.finished;
        r.latencies.insert(r.latencies.end(), sim.shotLatencies.begin(), sim.shotLatencies.end());
        if (sim.readyAt >= 0) r.ready.push_back(sim.readyAt - sim.joinedAt);
    }
    return r;
}

struct ChatResult {
    int finished = 0, rematched = 0;
    std::size_t sent = 0, refused = 0, shown = 0;
    std::vector<std::int64_t> latencies, lineLatencies, rematchReady;
    vtx::NetDrops drops;
};

// A line carries its sending time, so the other side's copy tells how long it took.
ChatResult playWithChat(const Network& net, int matches) {
    ChatResult r;
    for (int i = 0; i < matches; ++i) {
        Sim sim(unsigned(3000 + i), true, true);
        sim.net.loss = net.loss;
        sim.net.duplicate = net.duplicate;
        sim.net.reorder = net.reorder;
        sim.net.jitterMs = net.jitterMs;
        sim.join(true);
        std::size_t seen[2] = {0, 0};
        std::int64_t nextLine = 0;
        const auto chatting = [&] {
            for (int k = 0; k < 2; ++k) {
                auto& side = sim.side(k);
                for (; seen[k] < side.chatShown.size(); ++seen[k]) {
                    const std::string& line = side.chatShown[seen[k]];
                    r.lineLatencies.push_back(sim.net.now - std::atoll(line.c_str() + line.find('@') + 1));
                    ++r.shown;
                }
            }
            if (sim.net.now < nextLine) return;
            const bool burst = sim.net.now % 10000 < 1000;
            for (int k = 0; k < 2; ++k)
                for (int n = 0; n < (burst ? 8 : 1); ++n) {
                    ++r.sent;
                    const std::string text = "line @" + std::to_string(sim.net.now);
                    if (!sim.side(k).chat.send(k == 0 ? "Alice" : "Борис", text)) ++r.refused;
                }
            nextLine = sim.net.now + 1000;
        };
        bool over = sim.runUntil([&] { return chatting(), sim.over(); }, 600000);
        if (over) {
            ++r.finished;
            r.latencies.insert(r.latencies.end(), sim.shotLatencies.begin(), sim.shotLatencies.end());
            // Both choose Play again; the next match's boards, ready.
            bool between = sim.runUntil(
                [&] { return chatting(), sim.creator.rematch.possible() && sim.joiner.rematch.possible(); },
                60000);
            if (between) {
                sim.creator.rematch.want();
                sim.joiner.rematch.want();
                const std::int64_t chosen = sim.net.now;
                if (sim.runUntil(
                        [&] {
                            return chatting(), sim.creator.rematch.matchNumber() == 2 &&
                                                   sim.creator.s().fightStarted &&
                                                   sim.joiner.s().fightStarted;
                        },
                        60000)) {
                    ++r.rematched;
                    r.rematchReady.push_back(sim.net.now - chosen);
                }
            }
        }
        r.drops += sim.creator.rx.drops();
        r.drops += sim.joiner.rx.drops();
    }
    return r;
}

void printDrops(const vtx::NetDrops& drops) {
    if (drops.total() == 0) return;
    std::printf("%-44s dropped:", "");
    for (int k = 0; k < int(vtx::DropReason::Count); ++k)
        if (const auto n = drops[vtx::DropReason(k)])
            std::printf(" %s %llu;", vtx::NetDrops::name(vtx::DropReason(k)).data(), (unsigned long long)n);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    int matches = 40;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--matches") == 0) matches = std::max(1, std::atoi(argv[i + 1]));

    std::printf(
        "Simulated network, delay 20 ms; %d matches per line; a player fires 20 ms after the turn comes.\n",
        matches);
    std::printf("%-44s %-9s %9s %12s %12s %13s\n", "network", "protocol", "finished", "shot median",
                "shot p95", "join->ready");
    const Network networks[] = {
        {"0% loss, in order", 0.00, 0, 0, 0},
        {"5% loss, in order", 0.05, 0, 0, 0},
        {"20% loss, in order", 0.20, 0, 0, 0},
        {"40% loss, in order", 0.40, 0, 0, 0},
        {"0% loss, +-10 ms jitter, 25% reordered", 0.00, 0, 0.25, 10},
        {"20% loss, 5% doubled, +-10 ms, 25% reordered", 0.20, 0.05, 0.25, 10},
        {"40% loss, 5% doubled, +-10 ms, 25% reordered", 0.40, 0.05, 0.25, 10},
    };
    for (const Network& net : networks)
        for (const bool extended : {false, true}) {
            const Result r = play(net, extended, matches);
            std::printf("%-44s %-9s %6d/%-3d %9lld ms %9lld ms %10lld ms\n", net.name,
                        extended ? "extended" : "plain", r.finished, matches,
                        (long long)percentile(r.latencies, 0.5), (long long)percentile(r.latencies, 0.95),
                        (long long)percentile(r.ready, 0.5));
            if (extended) printDrops(r.drops);
        }

    std::printf("\nWith chat, extended: %-23s %9s %12s %12s %12s %12s %12s\n", "", "finished", "shot median",
                "shot p95", "line median", "line p95", "again->ready");
    for (const Network& net : {networks[2], networks[3], networks[5], networks[6]}) {
        const ChatResult r = playWithChat(net, matches);
        std::printf("%-44s %6d/%-3d %9lld ms %9lld ms %9lld ms %9lld ms %9lld ms\n", net.name, r.finished,
                    matches, (long long)percentile(r.latencies, 0.5),
                    (long long)percentile(r.latencies, 0.95), (long long)percentile(r.lineLatencies, 0.5),
                    (long long)percentile(r.lineLatencies, 0.95), (long long)percentile(r.rematchReady, 0.5));
        std::printf(
            "%-44s lines: %zu typed, %zu refused by the sender's limit, %zu shown; %d of %d played again\n",
            "", r.sent, r.refused, r.shown, r.rematched, r.finished);
        printDrops(r.drops);
    }

    // A vanished opponent: the joiner's computer disappears in the battle.
    std::vector<std::int64_t> reported;
    for (int i = 0; i < matches; ++i) {
        Sim sim(unsigned(5000 + i), true, true);
        sim.join(true);
        if (!sim.runUntil([&] { return sim.creator.s().fightStarted && sim.joiner.s().fightStarted; }, 60000))
            continue;
        sim.net.cut = true;
        const std::int64_t cutAt = sim.net.now;
        sim.runUntil([&] { return sim.creator.gone > 0; }, 60000);
        if (sim.creator.gone) reported.push_back(sim.creator.goneAt - cutAt);
    }
    std::printf("vanished opponent reported after: median %lld ms, max %lld ms (%zu of %d)\n",
                (long long)percentile(reported, 0.5), (long long)percentile(reported, 1.0), reported.size(),
                matches);
    return 0;
}
