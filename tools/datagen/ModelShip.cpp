#include "tools/datagen/ModelBuilders.h"
#include "tools/datagen/ModelMd2Writer.h"

#include "game/DataFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <string>

namespace vtx::datagen {

namespace {

// Regions of the ship atlas (DATA/ship2.jpg and its burnt twin), skin pixels.
// Hull sides take rows 0..127, the waterline on row 104 so the bottom 24 rows
// (the red-brown band) are what lies below it.
constexpr SkinRect kDeck{2, 130, 125, 253};
constexpr SkinRect kSuperWall{130, 150, 253, 178};  // one row of dark windows
constexpr SkinRect kSuperPlain{130, 241, 250, 253}; // plain plating: roofs, turrets
constexpr SkinRect kFunnel{130, 212, 253, 255};     // black cap, coloured band, grey below
constexpr SkinRect kGun{200, 215, 210, 221};        // a dark patch for barrels and masts
constexpr double kWaterlineRow = 104.0;
constexpr double kSideTexelsPerUnit = 1.92; // four cells of hull span the skin's width

double smoothstep(double a, double b, double x) {
    const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

struct Turret {
    double u;    // position along the hull, 0 stern .. 1 bow
    bool raised; // superfiring: on a taller barbette
    int facing;  // +1 forward, -1 aft
    int barrels;
};

struct ShipPlan {
    int length;
    double x0, x1, beam, freeboard, draft;
    std::vector<Turret> turrets;
    double bridgeFrom, bridgeTo; // along the hull, 0..1
    std::vector<double> funnels;
    int bridgeLevels;
};

ShipPlan planFor(int length) {
    ShipPlan p;
    p.length = length;
    p.x0 = -15.0;
    p.x1 = (length - 0.5) * kModelCell - 1.7;
    p.beam = std::min(4.6 + 1.3 * length, 10.0);
    p.freeboard = 3.2 + 0.6 * length;
    p.draft = 2.2;
    switch (length) {
    case 1:
        p.turrets = {{0.7, false, 1, 1}};
        p.bridgeFrom = 0.36, p.bridgeTo = 0.6;
        p.funnels = {0.22};
        p.bridgeLevels = 1;
        break;
    case 2:
        p.turrets = {{0.8, false, 1, 2}, {0.2, false, -1, 2}};
        p.bridgeFrom = 0.52, p.bridgeTo = 0.68;
        p.funnels = {0.38};
        p.bridgeLevels = 2;
        break;
    case 3:
        p.turrets = {{0.82, false, 1, 2}, {0.71, true, 1, 2}, {0.17, false, -1, 2}};
        p.bridgeFrom = 0.5, p.bridgeTo = 0.62;
        p.funnels = {0.4, 0.3};
        p.bridgeLevels = 2;
        break;
    default:
        p.turrets = {{0.83, false, 1, 3}, {0.74, true, 1, 3}, {0.25, true, -1, 3}, {0.15, false, -1, 3}};
        p.bridgeFrom = 0.52, p.bridgeTo = 0.65;
        p.funnels = {0.45, 0.36};
        p.bridgeLevels = 3;
        break;
    }
    return p;
}

class ShipBuilder {
public:
    explicit ShipBuilder(const ShipPlan& plan) : m_p(plan) {}

    ModelMesh build() {
        addHull();
        addBridge();
        for (double u : m_p.funnels)
            addFunnel(u);
        for (const auto& t : m_p.turrets)
            addTurret(t);
        addBoatsAndSecondaries();
        return std::move(m_mesh);
    }

private:
    double span() const { return m_p.x1 - m_p.x0; }
    double xAt(double u) const { return m_p.x0 + u * span(); }
    double uAt(double x) const { return (x - m_p.x0) / span(); }

    // Half-width of the hull at the deck: a squared stern, parallel middle body, pointed bow.
    double halfWidth(double u) const {
        double f;
        if (u < 0.2)
            f = 0.84 + 0.16 * smoothstep(0.0, 0.2, u);
        else if (u < 0.55)
            f = 1.0;
        else
            f = 1.0 - std::pow((u - 0.55) / 0.45, 1.7);
        return m_p.beam * std::max(f, 0.0);
    }

    // The deck rises towards the bow (sheer) and a little at the stern.
    double deckZ(double u) const {
        return m_p.freeboard + 2.2 * std::pow(u, 3.0) + 0.5 * std::pow(1.0 - u, 4.0);
    }

    double keelDepth(double u) const {
        const double bow = 1.0 - 0.9 * smoothstep(0.72, 1.0, u);
        const double stern = 0.75 + 0.25 * smoothstep(0.0, 0.1, u);
        return m_p.draft * bow * stern;
    }

    double sideRow(double z) const {
        if (z >= 0.0) return kWaterlineRow - z / (m_p.freeboard + 1.0) * 96.0;
        return kWaterlineRow + (-z / m_p.draft) * 23.0;
    }

    void addHull() {
        const int stations = 10 + 4 * m_p.length;
        const double rake = std::min(7.0, span() * 0.12);
        // Cross-section from the deck edge down to the keel, starboard side (y < 0); the
        // port side mirrors it. Index 3 is the keel, shared by both sides.
        struct Section {
            std::array<ModelVec, 4> p;
        };
        std::vector<Section> sections;
        for (int i = 0; i < stations; ++i) {
            const double u = static_cast<double>(i) / (stations - 1);
            const double x = xAt(u), w = halfWidth(u), keel = keelDepth(u);
            const double bowRake = rake * smoothstep(0.8, 1.0, u);
            Section s;
            s.p[0] = {x, -w, deckZ(u)};
            s.p[1] = {x - bowRake * 0.45, -w * 0.94, 0.0};
            s.p[2] = {x - bowRake * 0.8, -w * 0.62, -keel * 0.85};
            s.p[3] = {x - bowRake, 0.0, -keel};
            sections.push_back(s);
        }
        auto mirror = [](ModelVec v) { return ModelVec{v.x, -v.y, v.z}; };
        // The port side runs the picture backwards so that lettering reads from both sides.
        auto sideTex = [&](ModelVec v, int side) {
            const double along = (v.x - m_p.x0) * kSideTexelsPerUnit;
            return m_mesh.addTexCoord(side ? span() * kSideTexelsPerUnit - along : along, sideRow(v.z));
        };
        // Sides: one shared vertex per section point and side, so the hull shades smoothly.
        for (int side = 0; side < 2; ++side) {
            std::vector<std::array<int, 4>> idx;
            for (const auto& s : sections) {
                std::array<int, 4> row{};
                for (int k = 0; k < 4; ++k)
                    row[k] = m_mesh.addVertex(side ? mirror(s.p[k]) : s.p[k]);
                idx.push_back(row);
            }
            for (int i = 0; i + 1 < stations; ++i) {
                for (int k = 0; k < 3; ++k) {
                    const int a = idx[i][k], b = idx[i + 1][k], c = idx[i + 1][k + 1], d = idx[i][k + 1];
                    const auto& v = m_mesh.vertices();
                    const int ta = sideTex(v[a], side), tb = sideTex(v[b], side), tc = sideTex(v[c], side),
                              td = sideTex(v[d], side);
                    if (side) { // port, y > 0
                        m_mesh.addTriangle({a, b, c}, {ta, tb, tc});
                        m_mesh.addTriangle({a, c, d}, {ta, tc, td});
                    } else {
                        m_mesh.addTriangle({a, c, b}, {ta, tc, tb});
                        m_mesh.addTriangle({a, d, c}, {ta, td, tc});
                    }
                }
            }
        }
        // Deck: planar over the deck quadrant, the hull's length along the planks.
        auto deckTex = [&](ModelVec v) {
            return m_mesh.addTexCoord(kDeck.s((v.x - m_p.x0) / (4.0 * kModelCell)),
                                      kDeck.t((v.y + m_p.beam) / (2.0 * m_p.beam)));
        };
        for (int i = 0; i + 1 < stations; ++i) {
            const ModelVec s0 = sections[i].p[0], s1 = sections[i + 1].p[0];
            const ModelVec p0 = mirror(s0), p1 = mirror(s1);
            const int a = m_mesh.addVertex(s0), b = m_mesh.addVertex(s1), c = m_mesh.addVertex(p1),
                      d = m_mesh.addVertex(p0);
            if (std::abs(s1.y - p1.y) > 1e-6)
                m_mesh.addTriangle({a, b, c}, {deckTex(s0), deckTex(s1), deckTex(p1)});
            m_mesh.addTriangle({a, c, d}, {deckTex(s0), deckTex(p1), deckTex(p0)});
        }
        // Transom: the squared stern, a fan facing -x.
        const auto& st = sections.front().p;
        const std::array<ModelVec, 7> ring{st[0],         st[1],         st[2],        st[3],
                                           mirror(st[2]), mirror(st[1]), mirror(st[0])};
        std::array<int, 7> v{}, t{};
        for (int k = 0; k < 7; ++k) {
            v[k] = m_mesh.addVertex(ring[k]);
            t[k] = m_mesh.addTexCoord(4.0 + (ring[k].y + m_p.beam) * 1.5, sideRow(ring[k].z));
        }
        for (int k = 1; k + 1 < 7; ++k)
            m_mesh.addTriangle({v[0], v[k + 1], v[k]}, {t[0], t[k + 1], t[k]});
    }

    void addBridge() {
        const double a = xAt(m_p.bridgeFrom), b = xAt(m_p.bridgeTo);
        const double base = deckZ(m_p.bridgeTo) - 0.4;
        const double w = halfWidth((m_p.bridgeFrom + m_p.bridgeTo) / 2);
        double top = base;
        double from = a, to = b, half = w * 0.55;
        const double levelHeight = m_p.length == 1 ? 3.2 : 3.6;
        // Stacked deckhouses, each shorter and narrower than the one below.
        for (int level = 0; level < m_p.bridgeLevels; ++level) {
            m_mesh.addBox({from, -half, top}, {to, half, top + levelHeight}, kSuperWall, kSuperPlain);
            top += levelHeight;
            const double len = to - from;
            from += len * (level == 0 ? 0.3 : 0.2);
            to -= len * 0.05;
            half *= 0.85;
        }
        // Wheelhouse with wide bridge wings, at the front of the top deckhouse.
        const double wheelLen = std::max(3.0, (to - from) * 0.55);
        m_mesh.addBox({to - wheelLen, -w * 0.78, top}, {to, w * 0.78, top + 0.5}, kSuperPlain, kSuperPlain);
        m_mesh.addBox({to - wheelLen, -half, top + 0.5}, {to, half, top + 2.8}, kSuperWall, kSuperPlain);
        top += 2.8;
        if (m_p.length >= 3) { // fire-control top on the big ships
            const double c = to - wheelLen * 0.5;
            m_mesh.addBox({c - 2.0, -1.8, top}, {c + 2.0, 1.8, top + 2.0}, kSuperPlain, kSuperPlain);
            m_mesh.addFrustum({c, 0, top + 2.0}, {c, 0, top + 3.0}, 1.2, 1.2, 8, kSuperPlain, false, true,
                              kSuperPlain);
        }
        // Mast behind the wheelhouse with a yard and a small lookout platform.
        const double mx = to - wheelLen - 1.2;
        const double mastTop = std::min(29.5, top + 10.0 + 2.0 * m_p.length);
        m_mesh.addFrustum({mx, 0, top - 0.5}, {mx, 0, mastTop}, 0.55, 0.3, 6, kGun, false, true, kGun);
        const double yardZ = mastTop - 4.5;
        m_mesh.addBox({mx - 0.3, -w * 0.6, yardZ}, {mx + 0.3, w * 0.6, yardZ + 0.45}, kGun, kGun, 0);
        m_mesh.addBox({mx - 1.0, -1.0, yardZ - 2.5}, {mx + 1.0, 1.0, yardZ - 2.0}, kGun, kGun, 0);
    }

    void addFunnel(double u) {
        const double x = xAt(u);
        const double base = deckZ(u) - 0.3;
        const double r = 1.9 + 0.35 * m_p.length;
        const double top = base + 7.5 + 1.3 * m_p.length;
        m_mesh.addFrustum({x, 0, base}, {x - 0.8, 0, top}, r, r * 0.92, 10, kFunnel, false, true, kGun, 0.7);
    }

    // Lifeboats beside the funnels and, on the bigger ships, small single guns at
    // the deck edge ahead of the bridge, angled forward and aft.
    void addBoatsAndSecondaries() {
        if (m_p.length >= 2) {
            const double u = m_p.funnels.back() - 0.03;
            const double x = xAt(u), z = deckZ(u) + 1.6, y = halfWidth(u) - 1.6;
            const double len = 2.5 + 0.7 * m_p.length;
            for (int side : {-1, 1}) {
                m_mesh.addBox({x - len / 2, side * y - 0.8, z}, {x + len / 2, side * y + 0.8, z + 1.0},
                              kSuperPlain, kSuperPlain, 0);
                m_mesh.addBox({x - 0.2, side * y - 0.2, z - 1.9}, {x + 0.2, side * y + 0.2, z}, kGun, kGun,
                              3);
            }
        }
        if (m_p.length < 3) return;
        for (double u : {m_p.bridgeFrom - 0.05, m_p.funnels.back() - 0.1}) {
            const double x = xAt(u), z = deckZ(u) - 0.3, y = halfWidth(u) - 2.0;
            const int facing = u > m_p.funnels.back() ? 1 : -1;
            for (int side : {-1, 1}) {
                m_mesh.addFrustum({x, side * y, z}, {x, side * y, z + 1.3}, 1.3, 1.1, 8, kSuperPlain, false,
                                  true, kSuperPlain);
                const ModelVec from{x, side * y, z + 0.9};
                const ModelVec dir = normalized({facing * 1.0, side * 0.6, 0.08});
                m_mesh.addFrustum(from, from + dir * 4.0, 0.22, 0.18, 5, kGun, false, true, kGun);
            }
        }
    }

    void addTurret(const Turret& t) {
        const double x = xAt(t.u);
        const double base = deckZ(t.u) - 0.3;
        const double r = 1.9 + 0.45 * m_p.length;
        const double barbette = t.raised ? 4.2 : 1.2;
        m_mesh.addFrustum({x, 0, base}, {x, 0, base + barbette}, r, r, 10, kSuperPlain, false, true,
                          kSuperPlain);
        // Gun house: a box set back from the barrels, its face towards the target.
        const double houseBase = base + barbette;
        const double houseHeight = 1.6 + 0.25 * m_p.length;
        const double front = x + t.facing * r * 0.85, back = x - t.facing * r * 1.15;
        const double half = r * 0.85;
        m_mesh.addBox({std::min(front, back), -half, houseBase},
                      {std::max(front, back), half, houseBase + houseHeight}, kSuperPlain, kSuperPlain);
        // Barrels, slightly elevated.
        const double barrelLength = 4.0 + 2.2 * m_p.length;
        const double elevation = 5.0 * std::numbers::pi / 180.0;
        const double spacing = half * 0.55;
        for (int i = 0; i < t.barrels; ++i) {
            const double y = (i - (t.barrels - 1) / 2.0) * spacing;
            const ModelVec from{front - t.facing * 0.5, y, houseBase + houseHeight * 0.45};
            const ModelVec to =
                from + ModelVec{t.facing * std::cos(elevation), 0.0, std::sin(elevation)} * barrelLength;
            m_mesh.addFrustum(from, to, 0.32 + 0.05 * m_p.length, 0.26 + 0.04 * m_p.length, 6, kGun, false,
                              true, kGun);
        }
    }

    ShipPlan m_p;
    ModelMesh m_mesh;
};

} // namespace

ModelMesh buildShipMesh(int length) {
    if (length < 1 || length > 4) throw std::invalid_argument("ship length must be 1..4");
    return ShipBuilder(planFor(length)).build();
}

std::vector<unsigned char> shipModelFile(int length) {
    const ModelMesh mesh = buildShipMesh(length);
    const ShipPlan plan = planFor(length);
    const double pivotX = (plan.x0 + plan.x1) / 2.0;
    // Roll about the keel line, pitch about the beam through mid-ship, then bob;
    // roll and pitch share one period and bobbing goes twice as fast, so the loop
    // closes smoothly after 24 frames.
    auto rocked = [&](double roll, double pitch, double bob) {
        std::vector<ModelVec> out;
        const double cr = std::cos(roll), sr = std::sin(roll), cp = std::cos(pitch), sp = std::sin(pitch);
        for (const auto& v : mesh.vertices()) {
            const double x = v.x - pivotX;
            const double y1 = v.y * cr - v.z * sr, z1 = v.y * sr + v.z * cr;
            const double x2 = x * cp - z1 * sp, z2 = x * sp + z1 * cp;
            out.push_back({x2 + pivotX, y1, z2 + bob});
        }
        return out;
    };
    std::vector<ModelFrame> frames;
    const double degree = std::numbers::pi / 180.0;
    for (int k = 0; k < 24; ++k) {
        const double phase = 2.0 * std::numbers::pi * k / 24.0;
        char name[16];
        std::snprintf(name, sizeof name, "walk%02d", k + 1);
        frames.push_back({name, rocked(3.0 * degree * std::sin(phase), 1.5 * degree * std::sin(phase + 1.1),
                                       1.0 * std::sin(2.0 * phase + 0.4))});
    }
    frames.push_back({"stop01", mesh.vertices()});
    return writeMd2(mesh, frames, std::string(datafiles::fileNameOf(datafiles::kShipSkin)));
}

} // namespace vtx::datagen
