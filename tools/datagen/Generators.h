#pragma once

// Each generator writes its share of the game's data. Every one is
// deterministic: the same program writes byte-identical files every time.

#include <QString>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vtx::datagen {

// Encoded picture bytes by the names listed in files/EmbeddedImages.h.
using EmbeddedSet = std::map<std::string, std::vector<unsigned char>>;

// Pictures of the DATA folder (font, logo, terrain, textures) and the panels of data/.
void generatePictures(const QString& runDir);
// The pictures carried inside the program.
void generateEmbedded(EmbeddedSet& out);
// DATA/*.md2: the four ships, the tree and the island.
void generateModels(const QString& runDir);
// sounds/: the five effects.
void generateSounds(const QString& runDir);
// Music/: the songs.
void generateMusic(const QString& runDir);

// The desktop icon, "<iconDir>/<N>x<N>/apps/vortalix3d.png" for the hicolor
// sizes from 48 to 256 (the layout of share/icons/hicolor).
void generateIcons(const QString& iconDir);

// Writes bytes to a file, creating its folder; throws std::runtime_error on failure.
void writeFile(const QString& path, const std::vector<unsigned char>& bytes);
// Where a file the game opens as gamePath ("DATA\\ship2.jpg") is written in runDir.
QString runPath(const QString& runDir, std::string_view gamePath);
// The text as a QString, for names kept as standard strings.
QString qtext(std::string_view text);

} // namespace vtx::datagen
