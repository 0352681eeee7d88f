#pragma once

// Compares a render with a reference picture kept in the source tree
// (tests/scene/reference). Renderer changes must not change what the player
// sees: differences of rounding pass, missing or moved objects do not.
//
// A pixel differs when one of its channels is off by more than `Tolerance`.
// The render matches when at most 1% of its pixels differ and no 3 x 3 block
// differs as a whole: rounding shows along edges as scattered pixels or thin
// lines, a missing ship, fire or mountain as a solid patch.
//
// The references were rendered from the generated data at the time: each
// comes with a fingerprint of that data. When the data has changed since, the
// comparison is skipped (the picture was bound to change); run the test with
// VTX_UPDATE_REFERENCES=1 to render the references anew.

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace vtx::test {

struct PictureComparison {
    static constexpr int Tolerance = 8;
    int differing = 0;   // pixels off by more than Tolerance
    int solidBlocks = 0; // 3 x 3 blocks of differing pixels
    int pixels = 0;
    bool sizeMatches = false;
    bool matches() const { return sizeMatches && solidBlocks == 0 && differing * 100 <= pixels; }
};

inline PictureComparison comparePictures(const QImage& actual, const QImage& expected,
                                         QImage* diff = nullptr) {
    PictureComparison r;
    if (actual.size() != expected.size()) return r;
    r.sizeMatches = true;
    const int w = actual.width(), h = actual.height();
    r.pixels = w * h;
    QImage mask(w, h, QImage::Format_Grayscale8);
    mask.fill(0);
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pe = reinterpret_cast<const QRgb*>(e.constScanLine(y));
        uchar* m = mask.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const int d =
                std::max({std::abs(qRed(pa[x]) - qRed(pe[x])), std::abs(qGreen(pa[x]) - qGreen(pe[x])),
                          std::abs(qBlue(pa[x]) - qBlue(pe[x]))});
            if (d > PictureComparison::Tolerance) {
                m[x] = 255;
                ++r.differing;
            }
        }
    }
    for (int y = 1; y + 1 < h; ++y)
        for (int x = 1; x + 1 < w; ++x) {
            bool solid = true;
            for (int dy = -1; dy <= 1 && solid; ++dy)
                for (int dx = -1; dx <= 1 && solid; ++dx)
                    solid = mask.constScanLine(y + dy)[x + dx] != 0;
            if (solid) ++r.solidBlocks;
        }
    if (diff) *diff = mask;
    return r;
}

// A fingerprint of the generated data the pictures are made from: the data
// folder's files and the pictures inside the program that the world uses.
inline QByteArray dataFingerprint(const QString& dataDir, const std::function<QByteArray(int)>& embedded) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QDir dir(dataDir);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        hash.addData(name.toUtf8());
        hash.addData(file.readAll());
    }
    for (int i = 0;; ++i) {
        const QByteArray bytes = embedded(i);
        if (bytes.isEmpty()) break;
        hash.addData(bytes);
    }
    return hash.result().toHex();
}

} // namespace vtx::test
