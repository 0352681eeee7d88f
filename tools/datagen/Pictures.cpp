#include "tools/datagen/Generators.h"

#include "game/DataFiles.h"

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
    using namespace datafiles;
    const auto write = [&runDir](std::string_view gamePath, const std::vector<unsigned char>& bytes) {
        writeFile(runPath(runDir, gamePath), bytes);
    };
    write(kMessageFont, encodeBmp24(makeMessageFont()));
    write(kLogoFont, encodeJpeg(makeLogo(), kJpegQuality));
    write(kTerrainHeights, encodeBmpGrey8(makeTerrain()));
    write(kGroundTexture, encodeJpeg(makeGroundTexture(), kJpegQuality));
    write(kDetailTexture, encodeJpeg(makeDetail(), kJpegQuality));
    write(kSunFlare, encodeJpeg(makeFlare(), kJpegQuality));
    write(kIsleSkin, encodeJpeg(makeGrass(), kJpegQuality));
    write(kTreeSkin, encodeJpeg(makeTreeSkin(), kJpegQuality));
    write(kShipSkin, encodeJpeg(makeShipSkin(false), kJpegQuality));
    write(kSunkShipSkin, encodeJpeg(makeShipSkin(true), kJpegQuality));

    write(kMainPanel, encodeJpeg(makeMainPanel(), kJpegQuality));
    write(kMessagePanel, encodeJpeg(makeMessagePanel(), kJpegQuality));
    write(kScorePanel, encodeJpeg(makeScorePanel(), kJpegQuality));
    write(kOptionsPanel, encodeJpeg(makeOptionsPanel(), kJpegQuality));
}

} // namespace vtx::datagen
