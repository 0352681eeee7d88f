#pragma once

// A caption font with its colour, as the skinned controls take it: a button
// stores a pointer to one (it never copies or owns it) and draws its caption
// in the colour. The game shares two of them, enabledFont() (white) and
// disabledFont() (grey): a skinned button is switched on by giving it
// enabledFont() and enabling it, and off by disabledFont() and disabling it.

#include <QColor>
#include <QFont>

namespace vtx {

struct SkinFont {
    QFont font;
    QColor color = Qt::white;
};

// Created at the first call, live for the whole program; the pointers never
// change, so buttons may keep them.
SkinFont* enabledFont();  // white, 10 pt, plain
SkinFont* disabledFont(); // RGB(128, 128, 128), 10 pt, plain

// True when the screen's horizontal logical resolution is 96 dots per inch.
// Windows move their button captions when it is false.
bool isSmallFonts();

} // namespace vtx
