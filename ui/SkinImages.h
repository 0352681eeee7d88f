#pragma once

// The pictures the controls carry inside the program (button faces, combo
// arrows, check glyphs, volume frames), decoded from the embedded bytes.
//
// Until the generator has produced a picture its bytes are empty; then a
// plain drawn stand-in of the requested size is returned, so a control always
// has something to show and never a null image.

#include <QImage>
#include <QSize>

#include <string_view>

namespace vtx {

enum class SkinFallback {
    ButtonMain,
    ButtonOver,
    ButtonPress,
    ArrowMain,
    ArrowOver,
    ArrowPress,
    CheckChecked, // two cells: normal, disabled
    CheckUnchecked,
    CheckGrayed,
    VolumeFrame,
};

// Decodes embeddedImage(name); a missing or undecodable picture gives the
// drawn stand-in of the given kind and size. The result is ARGB32 premultiplied.
QImage skinImage(std::string_view name, SkinFallback fallback, QSize fallbackSize);

// The three faces of the button set "button/<set>/main|over|press".
struct ButtonFaces {
    QImage main;
    QImage over;
    QImage press;
};
ButtonFaces buttonFaces(std::string_view set, QSize fallbackSize);

} // namespace vtx
