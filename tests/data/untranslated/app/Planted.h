#pragma once

// A text planted for scripts/check-texts.sh, which must refuse it: a widget
// is given a literal that is not marked for translation. Never built.

#include <QLabel>

inline void plantedText(QLabel& label) {
    label.setText(QStringLiteral("Planted text"));
}
