// How many shots the computer needs to sink the player's fleet, by player and
// by fleet, and how long the Admiral thinks per shot. A program that prints
// figures; nothing here passes or fails.
//
//   computer_bench [--games N] [--threads N] [--players a,b] [--fleets a,b]
//                  [--fleets-per-shot N] [--habit-prior X] [--habit-strength X]
//
// Players:
//   easy, normal, hard  the game's own levels: a real Match whose computer
//                       fires at every turn-timer tick, with a clock that
//                       moves on by itself;
//   admiral             the Admiral, fed with its own shots' results;
//   baseline            the textbook hunter: at random among open cells (of
//                       one checkerboard colour once no ship of one deck is
//                       left), then the neighbours of a hit, then along the
//                       line of two hits or more, skipping the water the game
//                       marks around a sunk ship.
// Fleets:
//   random   the game's own random arrangement (Match::arrangeFleet on a clock
//            that moves as the real one does), a fresh Admiral for every game;
//   border   ships largest first, each place weighed 1 + 8 x its cells on the
//            border: series of 20 matches against one such player whose
//            habit the Admiral learns as it would from hand-arranged fleets,
//            counted over matches 11 to 20 of each series (games = counted
//            matches; the other players play the same counted fleets);
//   classic  ships of 5, 4, 3, 3 and 2 decks that may touch, each sinking
//            announced with its decks (Admiral and baseline only).
// Every player meets the same fleets for the same game number, and a game's
// fleet and random numbers depend only on its number, not on the threads.
//
// Output, one line each:
//   player=<p> fleet=<f> games=<n> mean=<x> median=<x> p95=<x> max=<x>
//   admiral move_ms mean=<x> p99=<x>
// The move time is the wall time of one Admiral choice; run with --threads 1
// on a quiet machine for the figure the game's single thread sees.

#include "game/GameTypes.h"
#include "game/Match.h"
#include "game/admiral/Admiral.h"
#include "game/admiral/HabitWeights.h"
#include "game/admiral/PlayerHabit.h"
#include "game/admiral/SeaChart.h"
#include "tests/support/MatchSetup.h"
#include "tests/support/NullMatchHost.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <time.h>
#include <vector>

namespace vtx {
namespace {

// Time of day moves on by a millisecond at every reading, so every random
// re-seed of the match sees a new one, as GameBench's clock does.
class AdvancingClock final : public IClock {
public:
    explicit AdvancingClock(std::int64_t start) : m_now(start) {}
    std::int64_t timeOfDayMs() override { return ++m_now % 86400000; }
    std::int64_t tickMs() override { return m_now; }
    void advanceTo(std::int64_t ms) { m_now = std::max(m_now, ms); }

private:
    std::int64_t m_now;
};

// The game's clock as the random arrangement sees it: the arrangement retries
// hundreds of times within one millisecond, so the time of day moves on only
// every few hundred readings (a varying number, as on a real machine). A clock
// that moved on at every reading would turn the orientation at every new cell,
// which the game on its real clock never does.
class GameSpeedClock final : public IClock {
public:
    explicit GameSpeedClock(std::uint64_t seed) : m_random(seed), m_now(std::int64_t(seed % 80000000)) {}
    std::int64_t timeOfDayMs() override {
        if (--m_readingsLeft <= 0) {
            ++m_now;
            m_readingsLeft = 200 + m_random.random(1600);
        }
        return m_now % 86400000;
    }
    std::int64_t tickMs() override { return m_now; }

private:
    GameRandom m_random;
    std::int64_t m_now;
    int m_readingsLeft = 0;
};

class SilentHost final : public NullMatchHost {
public:
    explicit SilentHost(std::int32_t level) { difficulty = level; }
};

struct Options {
    int games = 2000;
    int threads = 2;
    std::vector<std::string> players = {"easy", "normal", "hard", "admiral", "baseline"};
    std::vector<std::string> fleets = {"random", "border", "classic"};
    int fleetsPerShot = Admiral::DefaultFleets;
    HabitModel habit;
};

constexpr int SeriesLength = 20;
constexpr int SeriesLearning = 10; // matches of a series the Admiral only learns from

std::uint64_t mix(std::uint64_t a, std::uint64_t b) {
    GameRandom r(a * 0x9E3779B97F4A7C15ull + b);
    return (std::uint64_t(std::uint32_t(r.random(1 << 30))) << 30) ^ std::uint64_t(r.random(1 << 30));
}

// ------------------------------------------------------------------ fleets

struct HiddenFleet {
    std::vector<CellSet> ships;
    Fleet records{}; // the game's ship records (random and border fleets)
};

HiddenFleet fromRecords(const Fleet& fleet) {
    HiddenFleet hidden;
    hidden.records = fleet;
    for (const Ship& ship : fleet) {
        CellSet decks;
        for (int k = 1; k <= deckSlots(ship); ++k)
            if (const auto d = deckAt(ship, k)) decks.add(gridIndex(d->row, d->column));
        hidden.ships.push_back(decks);
    }
    return hidden;
}

HiddenFleet randomFleet(int game) {
    SilentHost host(0);
    GameSpeedClock clock(mix(1, std::uint64_t(game)));
    Match m(host, clock);
    m.arrangeFleet();
    return fromRecords(m.state().workFleet);
}

// Ships in order, each on a place where it fits drawn with weight(place).
HiddenFleet weightedFleet(const SeaRules& rules, const ShipPlacements& placements, GameRandom& random,
                          const std::function<double(const ShipPlacement&)>& weight) {
    HiddenFleet hidden;
    CellSet taken;
    for (std::size_t n = 0; n < rules.shipSizes.size(); ++n) {
        const int size = rules.shipSizes[n];
        const auto list = placements.ofSize(size);
        std::vector<double> cumulative;
        std::vector<std::size_t> index;
        double sum = 0;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].cells.intersects(taken)) continue;
            sum += weight(list[i]);
            cumulative.push_back(sum);
            index.push_back(i);
        }
        const double target = double(random.random(1 << 30)) / double(1 << 30) * sum;
        const std::size_t at = std::min<std::size_t>(
            std::size_t(std::upper_bound(cumulative.begin(), cumulative.end(), target) - cumulative.begin()),
            index.size() - 1);
        const ShipPlacement& p = list[index[at]];
        taken |= p.halo;
        hidden.ships.push_back(p.cells);
        if (n < hidden.records.size()) {
            Ship& ship = hidden.records[n];
            ship.size = size;
            ship.horizontal = p.horizontal ? 1 : 0;
            for (int k = 0; k < size; ++k) {
                ship.rows[k] = p.horizontal ? p.row : p.row + k;
                ship.cols[k] = p.horizontal ? p.column + k : p.column;
                ship.deckState[k] = DeckIntact;
            }
        }
    }
    return hidden;
}

int borderCells(const ShipPlacement& p) {
    int n = 0;
    p.cells.forEach([&](int cell) {
        const int row = cell / GridSize, column = cell % GridSize;
        if (row == 0 || column == 0 || row == GridSize - 1 || column == GridSize - 1) ++n;
    });
    return n;
}

HiddenFleet borderFleet(int game) {
    static const ShipPlacements placements(false);
    GameRandom random(mix(2, std::uint64_t(game)));
    return weightedFleet(SeaRules::game(), placements, random,
                         [](const ShipPlacement& p) { return 1.0 + 8.0 * borderCells(p); });
}

HiddenFleet classicFleet(int game) {
    static const ShipPlacements placements(true);
    GameRandom random(mix(3, std::uint64_t(game)));
    return weightedFleet(SeaRules::classic(), placements, random, [](const ShipPlacement&) { return 1.0; });
}

// The grid the arrangement leaves for a fleet: decks '1', the water around them '2'.
Field fieldOf(const HiddenFleet& fleet) {
    Field field = emptyField();
    for (const CellSet& ship : fleet.ships) {
        surroundings(ship).forEach([&](int cell) { field[std::size_t(cell)] = CellZone; });
        ship.forEach([&](int cell) { field[std::size_t(cell)] = CellDeck; });
    }
    return field;
}

// --------------------------------------------------------- chart players

// Answers shots at a hidden fleet on the shooter's chart: a miss, a hit, or a
// ship sunk with its decks.
void resolveShot(const HiddenFleet& fleet, std::vector<CellSet>& hitDecks, int cell, SeaChart& chart) {
    const int row = cell / GridSize + 1, column = cell % GridSize + 1;
    for (std::size_t n = 0; n < fleet.ships.size(); ++n) {
        if (!fleet.ships[n].has(cell)) continue;
        chart.recordHit(row, column);
        hitDecks[n].add(cell);
        if (hitDecks[n] == fleet.ships[n]) {
            std::vector<DeckCell> decks;
            fleet.ships[n].forEach([&](int c) { decks.push_back({c / GridSize + 1, c % GridSize + 1}); });
            chart.recordSunk(decks);
        }
        return;
    }
    chart.recordMiss(row, column);
}

int playChart(const SeaRules& rules, const HiddenFleet& fleet,
              const std::function<std::optional<DeckCell>(const SeaChart&)>& choose) {
    SeaChart chart(rules);
    std::vector<CellSet> hitDecks(fleet.ships.size());
    int shots = 0;
    while (!chart.fleetSunk() && shots < GridCells) {
        const auto cell = choose(chart);
        if (!cell) break;
        ++shots;
        resolveShot(fleet, hitDecks, gridIndex(cell->row, cell->column), chart);
    }
    return shots;
}

std::optional<DeckCell> baselineShot(const SeaChart& chart, GameRandom& random, int colour) {
    const CellSet unknown = chart.unknown();
    const CellSet hits = chart.hits();
    std::vector<int> candidates;
    const auto open = [&](int row, int column) {
        return insideGrid(row, column) && unknown.has(gridIndex(row, column));
    };
    const auto isHit = [&](int row, int column) {
        return insideGrid(row, column) && hits.has(gridIndex(row, column));
    };
    // Along a line of two hits or more: the open cells beyond its ends.
    hits.forEach([&](int cell) {
        const int row = cell / GridSize + 1, column = cell % GridSize + 1;
        for (const auto& [dr, dc] : {std::pair{0, 1}, std::pair{1, 0}}) {
            if (!isHit(row + dr, column + dc) && !isHit(row - dr, column - dc)) continue;
            int r = row, c = column;
            while (isHit(r + dr, c + dc))
                r += dr, c += dc;
            if (open(r + dr, c + dc)) candidates.push_back(gridIndex(r + dr, c + dc));
            r = row, c = column;
            while (isHit(r - dr, c - dc))
                r -= dr, c -= dc;
            if (open(r - dr, c - dc)) candidates.push_back(gridIndex(r - dr, c - dc));
        }
    });
    if (candidates.empty())
        hits.forEach([&](int cell) {
            const int row = cell / GridSize + 1, column = cell % GridSize + 1;
            for (const auto& [dr, dc] :
                 {std::pair{-1, 0}, std::pair{0, -1}, std::pair{0, 1}, std::pair{1, 0}})
                if (open(row + dr, column + dc)) candidates.push_back(gridIndex(row + dr, column + dc));
        });
    if (candidates.empty()) {
        const auto afloat = chart.afloatSizes();
        const bool parity = std::find(afloat.begin(), afloat.end(), 1) == afloat.end();
        unknown.forEach([&](int cell) {
            if (!parity || (cell / GridSize + cell % GridSize) % 2 == colour) candidates.push_back(cell);
        });
        if (candidates.empty()) unknown.forEach([&](int cell) { candidates.push_back(cell); });
    }
    if (candidates.empty()) return std::nullopt;
    const int cell = candidates[std::size_t(random.random(std::int32_t(candidates.size())))];
    return DeckCell{cell / GridSize + 1, cell % GridSize + 1};
}

// ------------------------------------------------------------ game levels

// The real computer of the given level index against a fleet: Single with the
// level selected, the fleet put on the own grid as an arrangement leaves it,
// the level's set-up, Fight, then one turn-timer tick per shot.
int playLevel(int levelIndex, const HiddenFleet& fleet, int game) {
    SilentHost host(levelIndex);
    AdvancingClock clock(std::int64_t(mix(10 + std::uint64_t(levelIndex), std::uint64_t(game)) % 80000000));
    Match m(host, clock);
    m.activateTurnTimer();
    m.singleClicked();
    while (const auto due = m.nextWakeMs()) {
        clock.advanceTo(*due);
        m.runDue();
    }
    MatchState& s = test::setUp(m);
    s.ownField = fieldOf(fleet);
    s.ownFleet = fleet.records;
    for (int i = 0; i < GridCells; ++i)
        s.targetCells[std::size_t(i)] = i + 1;
    s.targetCount = GridCells;
    m.runDifficultySetup(levelIndex);
    m.fightClicked();
    int shots = 0;
    while (m.state().gameInProgress && shots < 10 * GridCells) {
        test::setUp(m).playerTurn = 0; // the player never shoots here
        m.turnTimerFired();
        ++shots;
    }
    return shots;
}

// ------------------------------------------------------------------- runs

struct Timings {
    std::mutex lock;
    std::vector<double> ms;
};

// The processor time of the calling thread, in ms: what one choice costs on
// one core, whatever else the machine runs meanwhile.
double threadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

std::optional<DeckCell> timedChoice(Admiral& admiral, const SeaChart& chart, GameRandom& random,
                                    std::vector<double>& ms) {
    const double start = threadMs();
    const auto cell = admiral.chooseShot(chart, random);
    ms.push_back(threadMs() - start);
    return cell;
}

HiddenFleet fleetFor(const std::string& kind, int game) {
    if (kind == "random") return randomFleet(game);
    if (kind == "border") return borderFleet(game);
    return classicFleet(game);
}

// Shots of the game with the given number; for the Admiral on border fleets a
// job is a whole series and yields its counted matches.
std::vector<int> playJob(const Options& options, const std::string& player, const std::string& kind, int job,
                         std::vector<double>& ms) {
    const SeaRules rules = kind == "classic" ? SeaRules::classic() : SeaRules::game();
    if (player == "baseline") {
        GameRandom random(mix(20, std::uint64_t(job)));
        const int colour = random.random(2);
        return {playChart(rules, fleetFor(kind, job),
                          [&](const SeaChart& chart) { return baselineShot(chart, random, colour); })};
    }
    if (player == "admiral") {
        if (kind != "border") {
            Admiral admiral(rules, options.fleetsPerShot);
            GameRandom random(mix(30, std::uint64_t(job)));
            return {playChart(rules, fleetFor(kind, job), [&](const SeaChart& chart) {
                return timedChoice(admiral, chart, random, ms);
            })};
        }
        // A series: the habit grows from every finished match, as the game
        // records a hand-arranged fleet.
        std::vector<int> counted;
        PlayerHabit habit;
        for (int match = 0; match < SeriesLength; ++match) {
            const int game = job * SeriesLength + match;
            const HiddenFleet fleet = borderFleet(game);
            Admiral admiral(rules, options.fleetsPerShot);
            admiral.setPlacementWeights(habitWeights(habit, admiral.placements(), options.habit));
            GameRandom random(mix(31, std::uint64_t(game)));
            std::vector<double> matchMs;
            const int shots = playChart(rules, fleet, [&](const SeaChart& chart) {
                return timedChoice(admiral, chart, random, matchMs);
            });
            if (match >= SeriesLearning) {
                counted.push_back(shots);
                ms.insert(ms.end(), matchMs.begin(), matchMs.end());
            }
            habit.record(fleetDecks(fleet.records));
        }
        return counted;
    }
    const int level = player == "easy" ? 0 : player == "normal" ? 1 : 2;
    // The counted border fleets of the Admiral's series, so every player meets the same ones.
    const int game = kind == "border"
                         ? (job / SeriesLearning) * SeriesLength + SeriesLearning + job % SeriesLearning
                         : job;
    return {playLevel(level, fleetFor(kind, game), game)};
}

struct Figures {
    double mean = 0, median = 0, p95 = 0;
    int max = 0;
};

Figures figuresOf(std::vector<int> shots) {
    Figures f;
    if (shots.empty()) return f;
    std::sort(shots.begin(), shots.end());
    double sum = 0;
    for (const int s : shots)
        sum += s;
    f.mean = sum / double(shots.size());
    const std::size_t n = shots.size();
    f.median = n % 2 ? shots[n / 2] : (shots[n / 2 - 1] + shots[n / 2]) / 2.0;
    f.p95 = shots[std::min(n - 1, std::size_t(std::ceil(0.95 * double(n))) - 1)];
    f.max = shots.back();
    return f;
}

void run(const Options& options) {
    Timings timings;
    for (const std::string& kind : {std::string("random"), std::string("border"), std::string("classic")}) {
        if (std::find(options.fleets.begin(), options.fleets.end(), kind) == options.fleets.end()) continue;
        for (const std::string& player : {std::string("easy"), std::string("normal"), std::string("hard"),
                                          std::string("admiral"), std::string("baseline")}) {
            if (std::find(options.players.begin(), options.players.end(), player) == options.players.end())
                continue;
            const bool level = player != "admiral" && player != "baseline";
            if (kind == "classic" && level) continue;
            const bool series = kind == "border" && player == "admiral";
            const int jobs = series ? (options.games + SeriesLearning - 1) / SeriesLearning : options.games;
            std::vector<std::vector<int>> results(static_cast<std::size_t>(jobs));
            std::atomic<int> next{0};
            std::vector<std::thread> workers;
            for (int t = 0; t < std::max(1, options.threads); ++t)
                workers.emplace_back([&] {
                    std::vector<double> ms;
                    for (int job = next++; job < jobs; job = next++)
                        results[std::size_t(job)] = playJob(options, player, kind, job, ms);
                    const std::lock_guard<std::mutex> hold(timings.lock);
                    timings.ms.insert(timings.ms.end(), ms.begin(), ms.end());
                });
            for (auto& w : workers)
                w.join();
            std::vector<int> shots;
            for (const auto& r : results)
                shots.insert(shots.end(), r.begin(), r.end());
            shots.resize(std::min(shots.size(), std::size_t(options.games)));
            const Figures f = figuresOf(shots);
            std::printf("player=%s fleet=%s games=%zu mean=%.2f median=%.1f p95=%.1f max=%d\n",
                        player.c_str(), kind.c_str(), shots.size(), f.mean, f.median, f.p95, f.max);
            std::fflush(stdout);
        }
    }
    if (!timings.ms.empty()) {
        std::vector<double>& ms = timings.ms;
        std::sort(ms.begin(), ms.end());
        double sum = 0;
        for (const double t : ms)
            sum += t;
        const std::size_t p99 = std::min(ms.size() - 1, std::size_t(std::ceil(0.99 * double(ms.size()))) - 1);
        std::printf("admiral move_ms mean=%.2f p99=%.2f\n", sum / double(ms.size()), ms[p99]);
    }
}

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        if (end > start) items.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

int usage() {
    std::fprintf(stderr,
                 "usage: computer_bench [--games N] [--threads N] [--players a,b] [--fleets a,b]\n"
                 "                      [--fleets-per-shot N] [--habit-prior X] [--habit-strength X]\n");
    return 2;
}

} // namespace
} // namespace vtx

int main(int argc, char** argv) {
    vtx::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return vtx::usage();
        const std::string value = argv[++i];
        if (arg == "--games")
            options.games = std::max(1, std::atoi(value.c_str()));
        else if (arg == "--threads")
            options.threads = std::max(1, std::atoi(value.c_str()));
        else if (arg == "--players")
            options.players = vtx::splitList(value);
        else if (arg == "--fleets")
            options.fleets = vtx::splitList(value);
        else if (arg == "--fleets-per-shot")
            options.fleetsPerShot = std::max(1, std::atoi(value.c_str()));
        else if (arg == "--habit-prior")
            options.habit.priorFleets = std::atof(value.c_str());
        else if (arg == "--habit-strength")
            options.habit.strength = std::atof(value.c_str());
        else
            return vtx::usage();
    }
    vtx::run(options);
    return 0;
}
