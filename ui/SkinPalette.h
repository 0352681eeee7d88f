#pragma once

// The game's grey selection colour for its own lists, combo boxes and edits.
// It is set on the game's widgets (or on the application palette), never as a
// system-wide setting, so other programs keep their colours.

#include <QColor>

class QApplication;
class QWidget;

namespace vtx {

inline const QColor kSelectionGrey{153, 151, 153};

// Highlight := kSelectionGrey in the widget's palette (inherited by children
// created afterwards only if they take the parent's palette).
void applyGreySelection(QWidget* widget);

// Highlight := kSelectionGrey in the application palette; returns the colour
// it replaced so the caller can put it back at exit.
QColor installGreySelection();
void restoreSelection(const QColor& saved);

} // namespace vtx
