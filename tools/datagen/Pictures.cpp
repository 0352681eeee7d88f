#include "tools/datagen/Generators.h"

#include "tools/datagen/PicCommon.h"
#include "tools/datagen/PicPanels.h"
#include "tools/datagen/PicTextures.h"

namespace vtx::datagen {

// JPEG quality of every picture file; fixed so the bytes never change.
namespace {
constexpr int kJpegQuality = 92;
}

void generatePictures(const QString& runDir) {
    using namespace pic;
    const QString data = runDir + "/DATA/";
    writeFile(data + "font.bmp", encodeBmp24(makeFont()));
    writeFile(data + "logo.jpg", encodeJpeg(makeLogo(), kJpegQuality));
    writeFile(data + "terrain.bmp", encodeBmpGrey8(makeTerrain()));
    writeFile(data + "snow512.jpg", encodeJpeg(makeSnow(), kJpegQuality));
    writeFile(data + "detailmap.jpg", encodeJpeg(makeDetail(), kJpegQuality));
    writeFile(data + "flare0.jpg", encodeJpeg(makeFlare(), kJpegQuality));
    writeFile(data + "grass.jpg", encodeJpeg(makeGrass(), kJpegQuality));
    writeFile(data + "ship.jpg", encodeJpeg(makeTreeSkin(), kJpegQuality));
    writeFile(data + "ship2.jpg", encodeJpeg(makeShipSkin(false), kJpegQuality));
    writeFile(data + "shipkill.jpg", encodeJpeg(makeShipSkin(true), kJpegQuality));

    const QString panels = runDir + "/data/";
    writeFile(panels + "panel1.jpg", encodeJpeg(makeMainPanel(), kJpegQuality));
    writeFile(panels + "panel2.jpg", encodeJpeg(makeMessagePanel(), kJpegQuality));
    writeFile(panels + "panel3.jpg", encodeJpeg(makeScorePanel(), kJpegQuality));
    writeFile(panels + "panel4.jpg", encodeJpeg(makeOptionsPanel(), kJpegQuality));
}

} // namespace vtx::datagen
