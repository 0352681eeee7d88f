#include "tools/datagen/Generators.h"

#include "tools/datagen/PicCommon.h"
#include "tools/datagen/PicControls.h"

#include <cstdio>

namespace vtx::datagen {

// Names and formats follow files/EmbeddedImages.h: JPEG for the sea
// frames and the board marks, PNG (with alpha outside each face's outline)
// for the control faces.
void generateEmbedded(EmbeddedSet& out) {
    using namespace pic;
    constexpr int kQuality = 90;

    for (int frame = 0; frame < kWaterFrames; ++frame) {
        char name[16];
        std::snprintf(name, sizeof name, "water/%02d", frame);
        out[name] = encodeJpeg(makeWaterFrame(frame), kQuality);
    }
    out["cell/hint"] = encodeJpeg(makeHintMark(), kQuality);
    out["cell/hit"] = encodeJpeg(makeHitMark(), kQuality);
    out["cell/frame"] = encodeJpeg(makeFrameMark(), kQuality);
    out["cell/bad"] = encodeJpeg(makeBadMark(), kQuality);

    const struct {
        const char* suffix;
        FaceState state;
    } states[] = {{"main", FaceState::Normal}, {"over", FaceState::Over}, {"press", FaceState::Pressed}};
    for (const auto& s : states) {
        out[std::string("button/71x24/") + s.suffix] = encodePng(makeButtonFace(71, 24, s.state));
        out[std::string("button/86x24/") + s.suffix] = encodePng(makeButtonFace(86, 24, s.state));
        out[std::string("button/low/") + s.suffix] = encodePng(makeVolumeButton(false, s.state));
        out[std::string("button/high/") + s.suffix] = encodePng(makeVolumeButton(true, s.state));
    }
    out["combo/main"] = encodePng(makeComboArrow(FaceState::Normal));
    out["combo/over"] = encodePng(makeComboArrow(FaceState::Over));
    out["combo/press"] = encodePng(makeComboArrow(FaceState::Pressed));

    out["check/checked"] = encodePng(makeCheckGlyph(CheckState::Checked));
    out["check/unchecked"] = encodePng(makeCheckGlyph(CheckState::Unchecked));
    out["check/grayed"] = encodePng(makeCheckGlyph(CheckState::Grayed));

    out["volume/effects"] = encodePng(makeVolumeFrame());
    out["volume/music"] = encodePng(makeVolumeFrame());
}

} // namespace vtx::datagen
