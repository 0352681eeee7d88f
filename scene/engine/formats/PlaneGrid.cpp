#include "scene/engine/formats/PlaneGrid.h"

#include <glm/glm.hpp>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <utility>

namespace vtx {

namespace {

// Grid positions and axes are compared in units of the plane's own size: a hair of float
// rounding is the same plane, a thousandth of a plane is not.
constexpr float kTolerance = 1e-3f;

struct Plane {
    glm::vec4 column[4];
    float repeatU, repeatV;
};

Plane read(const float* f) {
    Plane p;
    for (int c = 0; c < 4; ++c)
        p.column[c] = {f[4 * c], f[4 * c + 1], f[4 * c + 2], f[4 * c + 3]};
    p.repeatU = f[16];
    p.repeatV = f[17];
    return p;
}

void write(const Plane& p, std::vector<float>& out) {
    for (const glm::vec4& c : p.column)
        out.insert(out.end(), {c.x, c.y, c.z, c.w});
    out.push_back(p.repeatU);
    out.push_back(p.repeatV);
}

bool near(const glm::vec4& a, const glm::vec4& b, float scale) {
    const glm::vec4 d = glm::abs(a - b);
    return std::max({d.x, d.y, d.z, d.w}) <= kTolerance * scale;
}

bool whole(float v) {
    return v >= 1.0f && std::fabs(v - std::round(v)) <= kTolerance;
}

// Planes of one group share their axes and repeat; their centres lie on the grid those axes span.
bool sameShape(const Plane& a, const Plane& b, float scale) {
    return near(a.column[0], b.column[0], scale) && near(a.column[1], b.column[1], scale) &&
           near(a.column[2], b.column[2], scale) && a.repeatU == b.repeatU && a.repeatV == b.repeatV;
}

} // namespace

int joinAdjacentPlanes(std::vector<float>& planes) {
    const std::size_t count = planes.size() / kPlaneFloats;
    if (count < 2) return int(count);
    std::vector<Plane> all;
    all.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        all.push_back(read(&planes[i * kPlaneFloats]));

    std::vector<float> out;
    out.reserve(planes.size());
    std::vector<bool> done(count, false);
    for (std::size_t a = 0; a < count; ++a) {
        if (done[a]) continue;
        const Plane& anchor = all[a];
        const glm::vec3 ax(anchor.column[0]), ay(anchor.column[1]);
        const float lx = glm::dot(ax, ax), ly = glm::dot(ay, ay);
        const float scale = std::sqrt(std::max(lx, ly));
        const bool joinable = lx > 0.0f && ly > 0.0f && anchor.column[0].w == 0.0f &&
                              anchor.column[1].w == 0.0f && anchor.column[3].w == 1.0f &&
                              std::fabs(glm::dot(ax, ay)) <= kTolerance * scale * scale &&
                              whole(anchor.repeatU) && whole(anchor.repeatV);
        // The group's planes by their place on the grid, (row, column) so that rows come in order.
        std::map<std::pair<int, int>, std::size_t> grid;
        for (std::size_t b = a; b < count && joinable; ++b) {
            if (done[b] || !sameShape(anchor, all[b], scale)) continue;
            const glm::vec3 d = glm::vec3(all[b].column[3]) - glm::vec3(anchor.column[3]);
            const float i = glm::dot(d, ax) / lx, j = glm::dot(d, ay) / ly;
            const float ri = std::round(i), rj = std::round(j);
            const glm::vec3 off = d - ri * ax - rj * ay;
            if (std::fabs(i - ri) > kTolerance || std::fabs(j - rj) > kTolerance ||
                glm::length(off) > kTolerance * scale)
                continue;
            if (grid.emplace(std::make_pair(int(rj), int(ri)), b).second) done[b] = true;
        }
        if (grid.empty()) { // not joinable, or a twin of a plane already on its grid
            write(anchor, out);
            done[a] = true;
            continue;
        }
        // Runs along each row, then runs of equal extent in consecutive rows become one rectangle.
        struct Run {
            int row, first, last;
            bool used = false;
        };
        std::vector<Run> runs;
        for (auto it = grid.begin(); it != grid.end(); ++it) {
            const auto [row, column] = it->first;
            if (!runs.empty() && runs.back().row == row && runs.back().last + 1 == column)
                runs.back().last = column;
            else
                runs.push_back({row, column, column});
        }
        for (std::size_t r = 0; r < runs.size(); ++r) {
            if (runs[r].used) continue;
            const Run& run = runs[r];
            int rows = 1;
            for (std::size_t s = r + 1; s < runs.size() && runs[s].row <= run.row + rows; ++s)
                if (!runs[s].used && runs[s].row == run.row + rows && runs[s].first == run.first &&
                    runs[s].last == run.last) {
                    runs[s].used = true;
                    ++rows;
                }
            const int columns = run.last - run.first + 1;
            Plane joined = anchor;
            joined.column[0] = anchor.column[0] * float(columns);
            joined.column[1] = anchor.column[1] * float(rows);
            const glm::vec3 centre = glm::vec3(anchor.column[3]) +
                                     (float(run.first) + 0.5f * float(columns - 1)) * ax +
                                     (float(run.row) + 0.5f * float(rows - 1)) * ay;
            joined.column[3] = glm::vec4(centre, 1.0f);
            joined.repeatU = anchor.repeatU * float(columns);
            joined.repeatV = anchor.repeatV * float(rows);
            write(columns == 1 && rows == 1 ? all[grid.at({run.row, run.first})] : joined, out);
        }
    }
    planes.swap(out);
    return int(planes.size() / kPlaneFloats);
}

} // namespace vtx
