#include "tools/datagen/PicTextures.h"

#include "tools/datagen/PicCommon.h"

#include "scene/HudGlyphs.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace vtx::datagen::pic {

namespace {

constexpr double kPi = std::numbers::pi;

void setPixel(QImage& image, int x, int y, const QColor& c) {
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = qRgb(c.red(), c.green(), c.blue());
}

// A square tileable picture: colourAt(u, v, x, y) for every pixel, u and v running 0..1 across it.
template <typename ColourAt> QImage paintSquare(int size, ColourAt colourAt) {
    QImage image = blankRgb(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            setPixel(image, x, y, colourAt(double(x) / size, double(y) / size, x, y));
    return image;
}

QColor pixel(const QImage& image, int x, int y) {
    return QColor(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]);
}

// Fills a path as polished metal: a dark offset edge below, the gradient
// body, and a thin light rim on top. top/bottom bound the gradient.
void fillMetal(QPainter& p, const QPainterPath& path, double top, double bottom, const QColor& bright,
               const QColor& mid, const QColor& edge) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawPath(path.translated(1.2, 1.4));
    QLinearGradient body(0, top, 0, bottom);
    body.setColorAt(0.0, bright);
    body.setColorAt(0.45, mix(bright, mid, 0.55));
    body.setColorAt(0.5, mid);
    body.setColorAt(0.62, mix(mid, bright, 0.45));
    body.setColorAt(1.0, mix(mid, edge, 0.3));
    p.setBrush(body);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 110), 0.8));
    p.drawPath(path.translated(-0.4, -0.5));
    p.restore();
}

} // namespace

QImage makeMessageFont() {
    constexpr int step = hud::Cell + hud::Gap;
    QImage image = blankRgb(hud::Columns * step - hud::Gap, hud::Rows * step - hud::Gap);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    constexpr double kBaseline = 25.0;
    int index = 0;
    for (const hud::GlyphRun& run : hud::GlyphRuns) {
        for (char32_t code = run.first; code <= run.last; ++code, ++index) {
            const int cellX = (index % hud::Columns) * step;
            const int cellY = (index / hud::Columns) * step;
            const QString text = QString::fromUcs4(&code, 1);
            QPainterPath path = textPath(text, Face::SansBold, 27);
            if (path.isEmpty()) continue;
            QRectF bounds = path.boundingRect();
            // A capital with an accent above reaches over the cell's top:
            // drawn a little smaller on the same baseline.
            const double room = kBaseline - 1.0;
            if (-bounds.top() > room) {
                const double scale = room / -bounds.top();
                path = QTransform::fromScale(scale, scale).map(path);
                bounds = path.boundingRect();
            }
            // Wide capitals of the other alphabets (Ж, Ш, Щ, Ю) narrowed to the cell.
            constexpr double width = hud::Cell - 2.0;
            if (code > U'Z' && bounds.width() > width) {
                path = QTransform::fromScale(width / bounds.width(), 1.0).map(path);
                bounds = path.boundingRect();
            }
            // Centred across the cell, every glyph on one baseline. J's hook
            // reaches left below its stem: centred by its box alone the stem
            // stood right of the middle and the letter near its right-hand
            // neighbour. It is centred mostly by its stem.
            double left = bounds.left();
            double inked = bounds.width();
            if (code == U'J') {
                QPainterPath upper;
                upper.addRect(QRectF(bounds.left(), bounds.top(), bounds.width(), bounds.height() / 2.0));
                const QRectF stem = path.intersected(upper).boundingRect();
                left = (left + 3.0 * stem.left()) / 4.0;
                inked = (inked + 3.0 * stem.width()) / 4.0;
            }
            const double dx = cellX + (hud::Cell - 1.5 - inked) / 2.0 - left;
            path.translate(dx, cellY + kBaseline);
            p.save();
            p.setClipRect(QRect(cellX, cellY, hud::Cell, hud::Cell));
            fillMetal(p, path, cellY + 4, cellY + kBaseline, QColor(255, 255, 246), QColor(240, 214, 146),
                      QColor(120, 84, 30));
            p.restore();
        }
    }
    return image;
}

QImage makeLogo() {
    QImage image = blankRgb(kLogoWidth, kLogoHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double cx = kLogoWidth / 2.0;

    // Emblem: a ring of waves around an anchor.
    const double ey = 82.0;
    const double ringR = 64.0;
    QRadialGradient halo(cx, ey, ringR * 1.5);
    halo.setColorAt(0.0, QColor(40, 90, 130));
    halo.setColorAt(0.6, QColor(14, 34, 56));
    halo.setColorAt(1.0, QColor(0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(QPointF(cx, ey), ringR * 1.5, ringR * 1.5);

    QPainterPath ring;
    ring.addEllipse(QPointF(cx, ey), ringR, ringR);
    ring.addEllipse(QPointF(cx, ey), ringR - 7, ringR - 7);
    fillMetal(p, ring, ey - ringR, ey + ringR, QColor(255, 250, 230), QColor(214, 170, 80),
              QColor(90, 60, 20));

    // Waves along the lower inside of the ring.
    p.save();
    QPainterPath inner;
    inner.addEllipse(QPointF(cx, ey), ringR - 9, ringR - 9);
    p.setClipPath(inner);
    for (int k = 0; k < 3; ++k) {
        QPainterPath wave;
        const double base = ey + 20 + k * 12;
        wave.moveTo(cx - ringR, base);
        for (int i = 0; i <= 64; ++i) {
            const double x = cx - ringR + i * (2 * ringR / 64.0);
            wave.lineTo(x, base + 4.0 * std::sin((x - cx) / 9.0 + k * 1.7));
        }
        wave.lineTo(cx + ringR, ey + ringR);
        wave.lineTo(cx - ringR, ey + ringR);
        wave.closeSubpath();
        p.setPen(QPen(QColor(200, 240, 255, 200), 1.6));
        p.setBrush(QColor(30 + 20 * k, 110 + 30 * k, 170 + 25 * k, 150));
        p.drawPath(wave);
    }
    p.restore();

    // Anchor: shank, stock, ring on top, curved arms with flukes.
    QPainterPath anchor;
    anchor.addRoundedRect(QRectF(cx - 4, ey - 40, 8, 78), 3, 3);
    anchor.addRoundedRect(QRectF(cx - 24, ey - 28, 48, 7), 3, 3);
    QPainterPath eye;
    eye.addEllipse(QPointF(cx, ey - 46), 8, 8);
    eye.addEllipse(QPointF(cx, ey - 46), 4, 4);
    anchor = anchor.united(eye);
    QPainterPath arms;
    arms.moveTo(cx - 38, ey + 10);
    arms.quadTo(cx - 30, ey + 42, cx, ey + 44);
    arms.quadTo(cx + 30, ey + 42, cx + 38, ey + 10);
    arms.lineTo(cx + 30, ey + 20);
    arms.quadTo(cx + 26, ey + 35, cx, ey + 36);
    arms.quadTo(cx - 26, ey + 35, cx - 30, ey + 20);
    arms.closeSubpath();
    anchor = anchor.united(arms);
    QPainterPath flukes;
    flukes.moveTo(cx - 38, ey + 2);
    flukes.lineTo(cx - 46, ey + 20);
    flukes.lineTo(cx - 28, ey + 16);
    flukes.closeSubpath();
    flukes.moveTo(cx + 38, ey + 2);
    flukes.lineTo(cx + 46, ey + 20);
    flukes.lineTo(cx + 28, ey + 16);
    flukes.closeSubpath();
    anchor = anchor.united(flukes);
    fillMetal(p, anchor, ey - 54, ey + 44, QColor(255, 255, 255), QColor(170, 196, 220), QColor(40, 60, 90));

    // The name in polished steel, "3D" in brass beneath, flanked by rules.
    QPainterPath name = textPath("VORTALIX", Face::SerifBold, 62);
    QRectF nb = name.boundingRect();
    const double scale = std::min(1.0, (kLogoWidth - 16.0) / nb.width());
    QTransform fit;
    fit.scale(scale, 1.0);
    name = fit.map(name);
    nb = name.boundingRect();
    const double nameBase = 218.0;
    name.translate(cx - nb.center().x(), nameBase);
    nb = name.boundingRect();
    fillMetal(p, name, nb.top(), nb.bottom(), QColor(255, 255, 255), QColor(150, 182, 214),
              QColor(30, 50, 80));

    QPainterPath tag = textPath("3D", Face::SerifBold, 44);
    QRectF tb = tag.boundingRect();
    tag.translate(cx - tb.center().x(), 276.0);
    tb = tag.boundingRect();
    fillMetal(p, tag, tb.top(), tb.bottom(), QColor(255, 248, 220), QColor(226, 178, 84),
              QColor(100, 66, 20));
    for (int side = -1; side <= 1; side += 2) {
        const double inner = side < 0 ? tb.left() - 14 : tb.right() + 14;
        const double outer = cx + side * 170.0;
        QLinearGradient rule(inner, 0, outer, 0);
        rule.setColorAt(0.0, QColor(240, 206, 130));
        rule.setColorAt(1.0, QColor(0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(rule);
        p.drawRect(QRectF(std::min(inner, outer), tb.center().y() - 1.5, std::abs(outer - inner), 3));
    }
    return image;
}

namespace {

// Height (0..255 before clamping; 128 is the sea's level) of the terrain
// picture at (x, y) in picture pixels, any real values: the picture repeats
// every kTerrainSize pixels, and so does everything derived from it.
double terrainHeightAt(double x, double y) {
    const double n = kTerrainSize;
    // Distance to the nearest centre of the repeating raster, so the ring
    // wraps cleanly across the edges.
    auto around = [n](double p) {
        const double d = std::fmod(std::abs(p + 0.5 - n / 2), n);
        return std::min(d, n - d);
    };
    const double dx = around(x);
    const double dy = around(y);
    const double u = x / n;
    const double v = y / n;
    // Broad bends and smaller coves, so the water line winds in and out.
    const double warp = (tileFbm(u, v, 4, 3, 71u) - 0.5) * 22.0 + (tileFbm(u, v, 11, 2, 76u) - 0.5) * 8.0;
    const double d = std::sqrt(dx * dx + dy * dy) + warp;
    const double seabed = 58.0 + 26.0 * tileFbm(u, v, 8, 3, 72u);
    const double rise = smoothstep(54.0, 84.0, d);
    // Broad massifs with sharper ridges on their flanks, and crisp crests
    // and gullies down to the picture's own resolution.
    const double massif = smoothstep(0.3, 0.72, tileFbm(u, v, 4, 5, 74u));
    const double ridges = tileRidged(u, v, 5, 4, 73u);
    const double crests = tileRidged(u, v, 16, 3, 77u);
    const double rough = tileFbm(u, v, 20, 3, 75u) - 0.5;
    const double mountain = 128.0 + 74.0 * massif + 40.0 * ridges * ridges +
                            16.0 * (0.3 + massif) * (crests * crests - 0.3) + 24.0 * rough;
    return seabed + (mountain - seabed) * rise;
}

} // namespace

QImage makeTerrain() {
    QImage image(kTerrainSize, kTerrainSize, QImage::Format_Grayscale8);
    for (int y = 0; y < kTerrainSize; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < kTerrainSize; ++x)
            line[x] = static_cast<uchar>(std::clamp(std::lround(terrainHeightAt(x, y)), 0L, 250L));
    }
    return image;
}

QImage makeGroundTexture() {
    // The ground texture covers the terrain exactly once (256 height samples,
    // the picture stretched to them, per repeat), starting at the raster's
    // centre: texel (px, py) lies over height sample 128 + (px + 0.5) / 2,
    // that is over picture pixel (sample + 0.5) * 200 / 256 - 0.5. So the
    // texture is painted as a map of the terrain: rock where it is steep,
    // snow where it is high and flat enough, dark woods on the lower slopes,
    // a shingle beach and wet stones at the water line, and the relief's
    // light and shade baked in (the scene's light stands almost overhead).
    constexpr int size = 512;
    const double toPicture = double(kTerrainSize) / 256.0;
    auto pictureCoord = [&](double p) { return (128.0 + (p + 0.5) / 2.0 + 0.5) * toPicture - 0.5; };
    // Heights on the texel grid with a one-texel border, read wrapped.
    std::vector<double> heights(std::size_t(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            heights[std::size_t(y) * size + std::size_t(x)] =
                terrainHeightAt(pictureCoord(x), pictureCoord(y));
    auto h = [&](int x, int y) {
        return heights[std::size_t((y + size) % size) * size + std::size_t((x + size) % size)];
    };
    // One texel is half a height sample: 1.05 world units; one height level 0.3 units.
    constexpr double texelUnits = 1.05;
    constexpr double levelUnits = 0.3;
    // Light from the sun's side of the sky, raised so no slope is black.
    const double lx = 0.62, ly = -0.3, lz = 0.72;
    const QColor snowShade(214, 222, 236), snowLit(252, 252, 255);
    const QColor rockDark(70, 66, 64), rockLight(140, 132, 122);
    const QColor woods(38, 52, 40), woodsLight(66, 82, 58);
    const QColor shingle(150, 140, 118), wet(58, 60, 58);
    QImage image = blankRgb(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = double(x) / size;
            const double v = double(y) / size;
            const double here = h(x, y);
            // Normal of the surface in world units.
            const double gx = (h(x + 1, y) - h(x - 1, y)) * levelUnits / (2.0 * texelUnits);
            const double gy = (h(x, y + 1) - h(x, y - 1)) * levelUnits / (2.0 * texelUnits);
            const double len = std::sqrt(gx * gx + gy * gy + 1.0);
            const double nz = 1.0 / len;
            const double steep = 1.0 - nz; // 0 flat .. 1 a wall
            const double lambert = std::max(0.0, (-gx * lx - gy * ly + lz) / len);
            // Hollows darker, crests lighter.
            const double curvature =
                (h(x + 2, y) + h(x - 2, y) + h(x, y + 2) + h(x, y - 2) - 4.0 * here) * 0.02;
            const double grain = tileFbm(u, v, 128, 2, 13u);
            // Layered rock: bands along the height, broken up.
            const double strata = tileFbm(u, v, 64, 2, 15u) * 0.5 +
                                  0.5 * (0.5 + 0.5 * std::sin(here * 0.45 + 6.0 * tileFbm(u, v, 8, 2, 19u)));

            const QColor rock =
                shade(mix(rockDark, rockLight, clamp01(0.25 + 0.6 * strata + 0.3 * (grain - 0.5))), 1.0);
            const double snowLine = 146.0 + 24.0 * (tileFbm(u, v, 16, 3, 14u) - 0.5);
            // Snow lies on the high ground but slides off the steep faces.
            const double snowy =
                smoothstep(snowLine - 10.0, snowLine + 8.0, here) *
                (1.0 - smoothstep(0.24, 0.42, steep + 0.2 * (grain - 0.5) - 0.08 * (here - snowLine) / 40.0));
            const QColor snow = mix(snowShade, snowLit, tileFbm(u, v, 32, 3, 16u));
            const double wooded = (1.0 - smoothstep(138.0, 150.0, here + 10.0 * (grain - 0.5))) *
                                  (1.0 - smoothstep(0.12, 0.22, steep)) *
                                  smoothstep(0.35, 0.55, tileFbm(u, v, 24, 3, 17u));
            const QColor forest = mix(woods, woodsLight, tileFbm(u, v, 96, 2, 18u));
            QColor c = mix(rock, forest, wooded);
            c = mix(c, snow, snowy);
            // The shore: a pale shingle strip just above the sea, wet dark stones at and below it.
            const double beach = 1.0 - smoothstep(130.0, 133.5, here + 3.0 * (grain - 0.5));
            c = mix(c, shade(shingle, 0.85 + 0.3 * grain), beach * (1.0 - smoothstep(0.15, 0.3, steep)));
            c = mix(c, wet, 1.0 - smoothstep(126.0, 128.6, here));
            const double light = 0.55 + 0.55 * lambert + std::clamp(-curvature, -0.2, 0.2);
            setPixel(image, x, y, shade(c, std::clamp(light, 0.35, 1.15)));
        }
    }
    return image;
}

QImage makeDetail() {
    // Grey around the middle level (a detail map brightens and darkens what
    // it lies on): fine rock grain, hairline cracks and a few pits, crisp at
    // the texel scale rather than a soft cloud.
    return paintSquare(256, [](double u, double v, int x, int y) {
        const double grain = tileFbm(u, v, 32, 4, 21u) - 0.5;
        const double speckle = latticeValue(x, y, 22u) - 0.5;
        const double crack = std::pow(tileRidged(u, v, 12, 3, 23u), 6.0);
        const double pit = smoothstep(0.78, 0.86, tileFbm(u, v, 48, 2, 24u));
        const double g = 128.0 + 70.0 * grain + 34.0 * speckle - 60.0 * crack - 40.0 * pit;
        const int level = std::clamp(static_cast<int>(std::lround(g)), 0, 255);
        return QColor(level, level, level);
    });
}

QImage makeFlare() {
    constexpr int size = 256;
    QImage image = blankRgb(size, size);
    const double c = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = x - c;
            const double dy = y - c;
            const double r = std::sqrt(dx * dx + dy * dy) / c; // 0 centre .. 1 edge
            const double a = std::atan2(dy, dx);
            // Rays: whole-number harmonics of the angle so the pattern closes.
            const double rays = 0.5 * std::pow(std::abs(std::cos(a * 4.0)), 40.0) +
                                0.3 * std::pow(std::abs(std::cos(a * 7.0 + 0.6)), 60.0) +
                                0.2 * std::pow(std::abs(std::cos(a * 11.0 + 1.3)), 80.0);
            const double fadeOut = 1.0 - smoothstep(0.55, 1.0, r);
            const double core = std::exp(-r * r * 90.0);
            const double glow = std::exp(-r * 6.0) * 0.85;
            const double rayLight = rays * std::exp(-r * 3.2) * 0.9;
            const double ringLight = 0.06 * std::exp(-std::pow((r - 0.62) * 22.0, 2.0));
            const double e = (core + glow + rayLight + ringLight) * fadeOut;
            const double red = clamp01(e * 1.15);
            const double green = clamp01(e * 1.0);
            const double blue = clamp01(e * 0.78 + core * 0.3);
            setPixel(image, x, y,
                     QColor(int(std::lround(255 * red)), int(std::lround(255 * green)),
                            int(std::lround(255 * blue))));
        }
    }
    return image;
}

QImage makeGrass() {
    QImage image = paintSquare(256, [](double u, double v, int x, int y) {
        const double tone = tileFbm(u, v, 8, 4, 31u);
        const double blades = tileFbm(u, v, 64, 2, 32u);
        const double patches = smoothstep(0.6, 0.68, tileFbm(u, v, 5, 4, 33u));
        // Rows 192..255, used by the beach ring, are all sand.
        const double beach = smoothstep(172.0, 188.0, y + 8.0 * (tileFbm(u, v, 8, 2, 34u) - 0.5));
        const double sandiness = std::max(patches, beach);
        const QColor grass = shade(mix(QColor(46, 88, 26), QColor(108, 146, 48), tone), 0.7 + 0.5 * blades);
        const double grain = latticeValue(x, y, 35u);
        // Wind ripples across the sand.
        const double ripple =
            0.5 + 0.5 * std::sin(2.0 * kPi * (6.0 * v + 2.0 * u + 0.6 * tileFbm(u, v, 6, 2, 36u)) * 4.0);
        const QColor sand = shade(mix(QColor(184, 160, 110), QColor(228, 210, 162), tone),
                                  0.84 + 0.14 * grain + 0.1 * ripple);
        return mix(grass, sand, sandiness);
    });
    // Crisp detail over the soft ground, so the island is not a blur close
    // up: grass tufts, dark shrubs, small flowers; pebbles on the sand. Only
    // the grass rows get green; the beach rows stay sand and stone.
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    Rng rng(37);
    p.setClipRect(QRect(0, 0, 256, 176));
    for (int i = 0; i < 90; ++i) {
        const QPointF at(rng.range(0, 256), rng.range(0, 176));
        const double r = rng.range(2.5, 6.0);
        QRadialGradient shrub(at - QPointF(r * 0.3, r * 0.3), r * 1.3);
        shrub.setColorAt(0.0, QColor(70, 110, 40));
        shrub.setColorAt(0.7, QColor(30, 60, 22));
        shrub.setColorAt(1.0, QColor(20, 40, 16, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shrub);
        p.drawEllipse(at, r * 1.3, r * 1.3);
    }
    for (int i = 0; i < 2600; ++i) {
        const double x = rng.range(-4, 260);
        const double y = rng.range(-4, 180);
        const double angle = rng.range(-0.6, 0.6) + (rng.uniform() < 0.5 ? 0.0 : kPi);
        const double len = rng.range(2.0, 5.0);
        const QColor c = mix(QColor(40, 80, 22), QColor(150, 184, 76), rng.uniform());
        p.setPen(QPen(c, rng.range(0.6, 1.2), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + len * std::sin(angle), y + len * std::cos(angle)));
    }
    const QColor petals[] = {QColor(240, 236, 210), QColor(236, 208, 70), QColor(200, 150, 220)};
    for (int i = 0; i < 70; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(petals[rng.below(3)]);
        p.drawEllipse(QPointF(rng.range(0, 256), rng.range(0, 176)), 0.9, 0.9);
    }
    p.setClipRect(QRect(0, 0, 256, 256));
    for (int i = 0; i < 160; ++i) {
        const QPointF at(rng.range(0, 256), rng.range(176, 256));
        const double r = rng.range(0.8, 2.2);
        const int grey = 120 + rng.below(90);
        p.setPen(QPen(QColor(grey - 50, grey - 54, grey - 60), 0.6));
        p.setBrush(QColor(grey, grey - 6, grey - 14));
        p.drawEllipse(at, r * 1.2, r);
    }
    return image;
}

QImage makeTreeSkin() {
    constexpr int size = 256;
    QImage image = blankRgb(size, size);
    // Bark: vertical fibres and darker furrows.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < 128; ++x) {
            const double u = x / 128.0;
            const double v = double(y) / size;
            const double fibre = tileFbm(u, v * 0.125, 32, 3, 41u);
            const double furrow = tileRidged(u, v * 0.25, 8, 3, 42u);
            const QColor c = shade(mix(QColor(70, 46, 26), QColor(128, 92, 58), fibre), 0.55 + 0.6 * furrow);
            setPixel(image, x, y, c);
        }
    }
    // Boughs, rows 0..191 (the tree model maps apex to the top row and the
    // drooping branch tips to row 188): deep shade near the trunk, lighter
    // needles towards the tips, snow caught on the outer twigs. Rows 192..255:
    // the dark undersides.
    for (int y = 0; y < size; ++y) {
        for (int x = 128; x < size; ++x) {
            const double tone = tileFbm((x - 128) / 128.0, double(y) / size, 8, 3, 43u);
            const double out = std::clamp(y / 188.0, 0.0, 1.0);
            const QColor c = y < 192 ? mix(mix(QColor(10, 30, 14), QColor(26, 66, 30), out),
                                           mix(QColor(16, 40, 18), QColor(44, 92, 40), out), tone)
                                     : mix(QColor(8, 22, 10), QColor(20, 40, 18), tone);
            setPixel(image, x, y, c);
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(QRect(128, 0, 128, 192));
    Rng rng(44);
    // Needles hang from the twigs: strokes mostly downwards, brighter and
    // denser towards the tips.
    for (int i = 0; i < 3400; ++i) {
        const double x = 128 + rng.range(-4, 132);
        const double y = 192.0 * std::sqrt(rng.uniform());
        const double angle = rng.range(-0.7, 0.7);
        const double len = rng.range(4, 10);
        const double out = y / 192.0;
        const QColor c =
            mix(QColor(22, 60, 26), QColor(96, 160, 70), clamp01(0.25 + 0.75 * out * rng.uniform()));
        p.setPen(QPen(c, rng.range(0.9, 1.7), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + len * std::sin(angle), y + len * std::cos(angle)));
    }
    // Snow on the outer twigs, in small clumps.
    for (int i = 0; i < 150; ++i) {
        const double x = 128 + rng.range(0, 128);
        const double y = 192.0 * (0.45 + 0.55 * std::sqrt(rng.uniform()));
        const double w = rng.range(2.0, 6.0);
        p.setPen(Qt::NoPen);
        p.setBrush(mix(QColor(176, 192, 204), QColor(236, 242, 248), rng.uniform()));
        p.drawEllipse(QPointF(x, y), w, w * 0.45);
    }
    p.setClipRect(QRect(128, 192, 128, 64));
    for (int i = 0; i < 700; ++i) {
        const double x = 128 + rng.range(-4, 132);
        const double y = rng.range(190, 258);
        const double angle = rng.range(0.0, 2.0 * kPi);
        const double len = rng.range(3, 7);
        p.setPen(QPen(mix(QColor(14, 34, 16), QColor(40, 70, 34), rng.uniform()), 1.0));
        p.drawLine(QPointF(x, y), QPointF(x + len * std::sin(angle), y + len * std::cos(angle)));
    }
    return image;
}

namespace {

void drawHullSide(QImage& image) {
    // Rows 0..127: grey steel with plate seams, bottom 24 rows below the
    // waterline in red-brown, a pale boot-top line at the waterline.
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 256; ++x) {
            const double u = x / 256.0;
            const double v = y / 128.0;
            const double stain = tileFbm(u, v, 8, 4, 51u);
            const double streak = tileFbm(u, v * 0.125, 64, 2, 52u);
            QColor c;
            if (y >= 104)
                c = shade(mix(QColor(104, 40, 30), QColor(140, 58, 40), stain), 0.9 + 0.2 * streak);
            else if (y >= 101)
                c = QColor(196, 196, 188);
            else
                c = shade(mix(QColor(104, 112, 120), QColor(142, 150, 158), stain), 0.9 + 0.16 * streak);
            setPixel(image, x, y, c);
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Plate seams with rivets.
    for (int y = 24; y < 101; y += 26) {
        p.setPen(QColor(70, 76, 84));
        p.drawLine(QPointF(0, y + 0.5), QPointF(256, y + 0.5));
        p.setPen(QColor(170, 176, 182));
        p.drawLine(QPointF(0, y + 1.5), QPointF(256, y + 1.5));
        for (int x = 2; x < 256; x += 6) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(80, 86, 94));
            p.drawEllipse(QPointF(x, y - 2), 0.9, 0.9);
        }
    }
    for (int x = 0; x < 256; x += 32) {
        p.setPen(QColor(78, 84, 92));
        p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, 100));
    }
    // A row of portholes.
    for (int x = 12; x < 256; x += 22) {
        p.setPen(QPen(QColor(190, 196, 200), 1.2));
        p.setBrush(QColor(22, 30, 40));
        p.drawEllipse(QPointF(x, 38), 3.2, 3.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(140, 170, 200, 120));
        p.drawEllipse(QPointF(x - 1, 37), 1.1, 1.1);
    }
    // A hull number towards the bow end.
    drawText(p, QRectF(196, 52, 56, 30), Qt::AlignCenter, "17", Face::SansBold, 22, QColor(232, 232, 226));
}

void drawDeck(QImage& image) {
    // Rows 128..255, columns 0..127: teak planks 8 pixels wide with staggered
    // butt joints and caulked seams.
    for (int y = 128; y < 256; ++y) {
        const int plank = (y - 128) / 8;
        for (int x = 0; x < 128; ++x) {
            const int shift = (plank * 37) % 64;
            const int segment = (x + shift) / 64;
            const double tone = latticeValue(plank, segment, 61u);
            const double grain = tileFbm(x / 128.0, (y - 128) / 128.0 * 8.0, 16, 3, 62u);
            QColor c = shade(mix(QColor(140, 104, 64), QColor(186, 150, 100), tone), 0.85 + 0.25 * grain);
            if ((y - 128) % 8 == 7) c = QColor(52, 40, 28);
            if ((x + shift) % 64 == 0) c = shade(c, 0.6);
            setPixel(image, x, y, c);
        }
    }
}

void drawSuperstructure(QImage& image) {
    // Rows 128..255, columns 128..255: light grey walls with dark windows,
    // a funnel band at the bottom.
    for (int y = 128; y < 256; ++y) {
        for (int x = 128; x < 256; ++x) {
            const double stain = tileFbm((x - 128) / 128.0, (y - 128) / 128.0, 8, 3, 71u);
            setPixel(image, x, y, mix(QColor(168, 174, 180), QColor(204, 208, 212), stain));
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 3; ++row) {
        const int top = 136 + row * 24;
        p.setPen(QColor(120, 126, 132));
        p.drawLine(128, top + 16, 255, top + 16);
        for (int x = 134; x < 250; x += 14) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 28, 38));
            p.drawRect(x, top, 9, 7);
            p.setBrush(QColor(90, 120, 150));
            p.drawRect(x + 1, top + 1, 3, 2);
        }
    }
    // Funnel band: grey, a black cap, a red and a white stripe.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 42));
    p.drawRect(128, 212, 128, 14);
    p.setBrush(QColor(170, 40, 34));
    p.drawRect(128, 230, 128, 8);
    p.setBrush(QColor(226, 226, 220));
    p.drawRect(128, 240, 128, 4);
}

// Soot, rust and a few embers over the intact atlas.
void burn(QImage& image) {
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const double u = x / 256.0;
            const double v = y / 256.0;
            const double soot = smoothstep(0.3, 0.62, tileFbm(u, v, 6, 5, 81u));
            const double rust = smoothstep(0.55, 0.7, tileFbm(u, v, 10, 4, 82u));
            const double char_ = tileFbm(u, v, 48, 2, 83u);
            QColor c = shade(pixel(image, x, y), 0.5);
            c = mix(c, QColor(118, 62, 30), rust * 0.75);
            c = mix(c, shade(QColor(22, 20, 18), 0.6 + 0.8 * char_), 0.2 + 0.6 * soot);
            setPixel(image, x, y, c);
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    Rng rng(84);
    for (int i = 0; i < 22; ++i) {
        const QPointF at(rng.range(0, 256), rng.range(0, 256));
        const double r = rng.range(0.8, 2.2);
        QRadialGradient ember(at, r * 2.2);
        ember.setColorAt(0.0, QColor(255, 230, 120));
        ember.setColorAt(0.35, QColor(255, 110, 20, 220));
        ember.setColorAt(1.0, QColor(120, 20, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(ember);
        p.drawEllipse(at, r * 2.2, r * 2.2);
    }
}

} // namespace

QImage makeShipSkin(bool burnt) {
    QImage image = blankRgb(256, 256);
    drawHullSide(image);
    drawDeck(image);
    drawSuperstructure(image);
    if (burnt) burn(image);
    return image;
}

} // namespace vtx::datagen::pic
