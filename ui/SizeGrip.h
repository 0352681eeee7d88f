#pragma once

// The grip in a skinned window's bottom-right corner that resizes it (the
// windows have no frame to take hold of): three short brass strokes across
// the corner, in the panel's colours rather than the system style's. The
// resizing itself is Qt's (the system's resize loop, or its own).

#include <QSizeGrip>

namespace vtx {

class SizeGrip : public QSizeGrip {
public:
    explicit SizeGrip(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vtx
