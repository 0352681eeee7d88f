#pragma once

#include <array>
#include <string_view>

// The files of the data root, named as the game opens them: a folder and a
// file joined by a backslash, each matched without regard to case. The
// generator writes every one of them under these same names.
namespace vtx::datafiles {

// Folders of the data root. The scene's pictures and models sit in "DATA",
// the windows' panels in "data" (on a case-sensitive disk both exist).
inline constexpr std::string_view kSceneFolder = "DATA";
inline constexpr std::string_view kPanelFolder = "data";
// The sound effects' files (soundFile() in SoundEffect.h) and the songs.
inline constexpr std::string_view kSoundFolder = "sounds";
inline constexpr std::string_view kMusicFolder = "Music";

// The HUD's two bitmap fonts: the messages' and the logo's. The font also
// tells a folder that holds the game's data.
inline constexpr std::string_view kMessageFont = "DATA\\font.bmp";
inline constexpr std::string_view kLogoFont = "DATA\\logo.jpg";

// The landscape: the height map, the ground's texture and detail, the sun.
inline constexpr std::string_view kTerrainHeights = "DATA\\terrain.bmp";
inline constexpr std::string_view kGroundTexture = "DATA\\snow512.jpg";
inline constexpr std::string_view kDetailTexture = "DATA\\detailmap.jpg";
inline constexpr std::string_view kSunFlare = "DATA\\flare0.jpg";

// The scenery's models and their skins (the trees' skin is "ship.jpg").
inline constexpr std::string_view kTreeModel = "DATA\\tree.md2";
inline constexpr std::string_view kTreeSkin = "DATA\\ship.jpg";
inline constexpr std::string_view kIsleModel = "DATA\\isle.md2";
inline constexpr std::string_view kIsleSkin = "DATA\\grass.jpg";

// The ships: one model per length (1..4 decks, index length - 1), the skin
// of a ship afloat and of a sunk one.
inline constexpr std::array<std::string_view, 4> kShipModels = {"DATA\\ship1t.md2", "DATA\\ship2t.md2",
                                                                "DATA\\ship3t.md2", "DATA\\ship4t.md2"};
inline constexpr std::string_view kShipSkin = "DATA\\ship2.jpg";
inline constexpr std::string_view kSunkShipSkin = "DATA\\shipkill.jpg";

// The windows' panels: the main window, the message and LAN lobby windows,
// the high scores, the options.
inline constexpr std::string_view kMainPanel = "data\\panel1.jpg";
inline constexpr std::string_view kMessagePanel = "data\\panel2.jpg";
inline constexpr std::string_view kScorePanel = "data\\panel3.jpg";
inline constexpr std::string_view kOptionsPanel = "data\\panel4.jpg";

// The file's own name, without its folder: what a model names as its skin.
constexpr std::string_view fileNameOf(std::string_view gamePath) {
    return gamePath.substr(gamePath.rfind('\\') + 1);
}

} // namespace vtx::datafiles
