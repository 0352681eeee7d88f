#include "ui/SkinnedWindow.h"

#include "files/DataPath.h"
#include "ui/SizeGrip.h"
#include "ui/SkinButton.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyleHints>
#include <QWindow>

#include <array>
#include <cmath>

namespace vtx {

SkinnedWindow::SkinnedWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_moveStarter = [](SkinnedWindow& window) {
        if (QWindow* handle = window.windowHandle()) handle->startSystemMove();
    };
}

SkinnedWindow::~SkinnedWindow() {
    if (m_modalLoop) m_modalLoop->quit();
}

bool SkinnedWindow::loadPanel(std::string_view gamePath, QSize panelSize) {
    return loadPanel(QString::fromLatin1(gamePath.data(), qsizetype(gamePath.size())), panelSize);
}

bool SkinnedWindow::loadPanel(const QString& gamePath, QSize panelSize) {
    m_panelBitmap = QImage(panelSize, QImage::Format_RGB32);
    m_panelBitmap.fill(QColor(48, 48, 52));
    m_panelError.clear();
    const auto path = resolveDataPath(gamePath.toStdString());
    const QString file = QString::fromStdString(path.string());
    QImage decoded;
    bool ok = false;
    if (!QFile::exists(file)) {
        m_panelError = QStringLiteral("Cannot find the picture %1").arg(gamePath);
    } else if (!decoded.load(file) || decoded.isNull()) {
        m_panelError = QStringLiteral("Cannot decode the picture %1").arg(gamePath);
    } else {
        QPainter p(&m_panelBitmap);
        p.drawImage(0, 0, decoded); // assigned at its own size, clipped to the panel
        ok = true;
    }
    m_paintBitmap = m_panelBitmap.copy();
    update();
    return ok;
}

QColor SkinnedWindow::panelPixel(int x, int y) const {
    if (!m_panelBitmap.valid(x, y)) return Qt::black;
    return m_panelBitmap.pixelColor(x, y);
}

QPolygon SkinnedWindow::outline306(int b) {
    return QPolygon({QPoint(0, 7), QPoint(1, 5), QPoint(3, 3), QPoint(5, 1), QPoint(7, 0), QPoint(298, 0),
                     QPoint(301, 1), QPoint(303, 3), QPoint(304, 5), QPoint(305, 7), QPoint(305, b),
                     QPoint(0, b)});
}

QPolygon SkinnedWindow::mainOutline() {
    return QPolygon({QPoint(0, 7),     QPoint(1, 5),     QPoint(3, 3),     QPoint(5, 1),     QPoint(7, 0),
                     QPoint(734, 0),   QPoint(737, 1),   QPoint(739, 3),   QPoint(740, 5),   QPoint(741, 7),
                     QPoint(741, 590), QPoint(740, 594), QPoint(737, 598), QPoint(735, 600), QPoint(730, 601),
                     QPoint(9, 601),   QPoint(8, 600),   QPoint(5, 598),   QPoint(3, 596),   QPoint(0, 592)});
}

void SkinnedWindow::rebuildWindowRgn() {
    // Frameless: the client area starts at the window's corner, so the border
    // offsets are zero.
    QRegion region(m_scale.toWindow(m_outline), Qt::OddEvenFill);
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow()) continue;
        region = region.united(w->geometry());
    }
    m_region = region;
    setMask(m_region);
}

void SkinnedWindow::setDragArea(int xMin, int yMin, int xMax, int yMax) {
    m_dragMode = DragMode::Area;
    m_dragBounds = QRect(QPoint(xMin, yMin), QPoint(xMax, yMax));
}

bool SkinnedWindow::inDragArea(QPoint pos) const {
    switch (m_dragMode) {
    case DragMode::None:
        return false;
    case DragMode::Anywhere:
        return true;
    case DragMode::Area:
        break;
    }
    const QPointF p = m_scale.toDesign(QPointF(pos));
    return p.x() > m_dragBounds.left() && p.x() < m_dragBounds.right() && p.y() > m_dragBounds.top() &&
           p.y() < m_dragBounds.bottom();
}

void SkinnedWindow::setMoveStarter(std::function<void(SkinnedWindow&)> starter) {
    m_moveStarter = std::move(starter);
}

void SkinnedWindow::placeRelativeTo(const QWidget* mainWindow) {
    if (!mainWindow) return;
    const QRect g = mainWindow->frameGeometry();
    move(g.left() + (g.width() - width()) / 2, g.top() + (g.height() - height()) / 2);
}

void SkinnedWindow::centerOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QSize s = screen->size();
    move(s.width() / 2 - width() / 2, s.height() / 2 - height() / 2);
}

void SkinnedWindow::showModal() {
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
}

void SkinnedWindow::execModal() {
    if (m_modalLoop) return; // already modal: the caller above is waiting
    showModal();
    if (!isVisible()) return;
    QEventLoop loop;
    m_modalLoop = &loop;
    // The window may be destroyed while it waits (its destructor ends the loop): then there is no
    // member left to reset.
    const QPointer<SkinnedWindow> alive(this);
    loop.exec(QEventLoop::DialogExec);
    if (alive) m_modalLoop = nullptr;
}

void SkinnedWindow::retitlePanel(const QString& title) {
    if (m_paintBitmap.isNull()) return;
    const QRect strip(8, 9, m_paintBitmap.width() - 16, 20);
    const QRect words(strip.left() + 2, strip.top(), strip.width() - 40, strip.height());
    QPainter p(&m_paintBitmap);
    // The strip's colours change only from top to bottom: its last plain
    // columns, stretched, cover the words.
    const QImage plain = m_paintBitmap.copy(strip.right() - 24, strip.top(), 8, strip.height());
    p.drawImage(words, plain);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(13);
    p.setFont(font);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRect text(strip.left() + 10, strip.top() - 1, strip.width() - 20, strip.height() + 2);
    p.setPen(QColor(0, 0, 0, 200));
    p.drawText(text.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setPen(QColor(246, 226, 168));
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, title);
    update();
}

void SkinnedWindow::setKeyButtons(QList<SkinButton*> enterButtons, SkinButton* escapeButton) {
    m_enterButtons = std::move(enterButtons);
    m_escapeButton = escapeButton;
}

void SkinnedWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((event->modifiers() & ~Qt::KeypadModifier) != 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        for (SkinButton* button : m_enterButtons)
            if (button && button->click()) return;
        return;
    }
    if (key == Qt::Key_F11 && m_scaling) {
        event->accept();
        // The full screen is for a window that can fill any shape.
        if (m_stretchRight > m_stretchLeft)
            toggleFullScreen();
        else
            toggleLargest();
        return;
    }
    if (key == Qt::Key_Escape) {
        event->accept();
        if (m_escapeButton)
            m_escapeButton->click();
        else
            close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SkinnedWindow::paintPanel(QPainter& painter) {
    if (m_scale.identity()) {
        painter.drawImage(0, 0, m_paintBitmap);
        return;
    }
    // Scaled once per picture and factor, not at every paint.
    const QRect target = m_scale.toWindow(QRect(QPoint(0, 0), m_paintBitmap.size()));
    if (m_scaledPaintKey != m_paintBitmap.cacheKey() || m_scaledPaint.size() != target.size()) {
        if (m_scale.extraWidth() == 0.0) {
            m_scaledPaint = m_paintBitmap.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        } else {
            // Three slices: the stretch column widened, its sides at the factor.
            m_scaledPaint = QImage(target.size(), QImage::Format_ARGB32_Premultiplied);
            m_scaledPaint.fill(Qt::transparent);
            QPainter slices(&m_scaledPaint);
            slices.setRenderHint(QPainter::SmoothPixmapTransform);
            const int h = m_paintBitmap.height();
            const std::array<int, 4> edges = {0, m_stretchLeft, m_stretchRight, m_paintBitmap.width()};
            for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
                const QRect source(edges[i], 0, edges[i + 1] - edges[i], h);
                if (source.width() <= 0) continue;
                slices.drawImage(m_scale.toWindow(source).translated(-target.topLeft()), m_paintBitmap, source);
            }
        }
        m_scaledPaintKey = m_paintBitmap.cacheKey();
    }
    painter.drawImage(target.topLeft(), m_scaledPaint);
}

void SkinnedWindow::enableScaling() {
    if (m_scaling) return;
    m_scaling = true;
    m_scale = WindowScale(size());
    // In the outline's bottom-right corner, inside its cut.
    const QRect outline = m_outline.boundingRect();
    auto* grip = new SizeGrip(this);
    grip->setGeometry(outline.right() - 19, outline.bottom() - 19, 12, 12);
    grip->show();
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow()) continue;
        m_designChildren.push_back(DesignChild{w, w->geometry(), w->font()});
    }
    setMinimumSize(size());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    rebuildWindowRgn();
}

void SkinnedWindow::applyScale() {
    m_scale.fit(size());
    const double f = m_scale.factor();
    for (const DesignChild& d : m_designChildren) {
        if (!d.widget) continue;
        QFont font = d.font;
        if (d.font.pixelSize() > 0)
            font.setPixelSize(int(std::lround(d.font.pixelSize() * f)));
        else
            font.setPointSizeF(d.font.pointSizeF() * f);
        d.widget->setFont(font);
        // After the font: an edit fits its height to a new font, and the
        // scaled layout, where the clicks land, must win.
        d.widget->setGeometry(m_scale.toWindow(d.geometry));
    }
    rebuildWindowRgn();
    update();
    if (onScaled) onScaled(f);
}

void SkinnedWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_scaling) applyScale();
}

QRect SkinnedWindow::largestGeometry() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return geometry();
    const QRect area = s->availableGeometry();
    const QSize size =
        m_scale.windowSize(WindowScale(m_scale.design()).largestFactor(area.size())).boundedTo(area.size());
    return QRect(area.topLeft() +
                     QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
                 size);
}

bool SkinnedWindow::largest() const {
    if (!m_scaling) return false;
    // By the size alone: a window restored at the largest size from the last
    // run is there as much as one made so by a toggle. A hundredth of slack
    // for the whole pixels the sizes are rounded to.
    const WindowScale design(m_scale.design());
    return design.largestFactor(size()) >= design.largestFactor(largestGeometry().size()) - 0.01;
}

void SkinnedWindow::setStretchColumn(int left, int right) {
    m_stretchLeft = left;
    m_stretchRight = right;
    m_scale.setStretchColumn(left, right);
    if (m_scaling) applyScale();
}

void SkinnedWindow::toggleFullScreen() {
    if (!m_scaling) return;
    if (!m_fullScreen) {
        const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
        if (!s) return;
        m_beforeFullScreen = geometry();
        m_fullScreen = true;
        // The state tells a window manager; the geometry covers the screen
        // where none is running.
        setWindowState(windowState() | Qt::WindowFullScreen);
        setGeometry(s->geometry());
        return;
    }
    m_fullScreen = false;
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    if (m_beforeFullScreen.isValid()) setGeometry(m_beforeFullScreen);
}

void SkinnedWindow::toggleLargest() {
    if (!m_scaling) return;
    if (m_fullScreen) {
        toggleFullScreen();
        return;
    }
    if (!largest()) {
        m_restoreGeometry = geometry();
        setGeometry(largestGeometry());
        return;
    }
    QRect before = m_restoreGeometry;
    m_restoreGeometry = QRect();
    // Never made smaller here (it started at the largest size): back to the
    // size it was made for, centred where the largest was.
    if (!before.isValid() || before.size() == size()) {
        const QRect area = largestGeometry();
        const QSize normal = m_scale.design();
        before = QRect(area.center() - QPoint(normal.width() / 2, normal.height() / 2), normal);
    }
    setGeometry(before);
}

void SkinnedWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_scaling && !childAt(pos) && inDragArea(pos)) {
        event->accept();
        toggleLargest();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void SkinnedWindow::panelPressed(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    // A press on a child control belongs to the control, never to the window.
    if (childAt(pos)) return;
    if (!inDragArea(pos) || !m_moveStarter) return;
    // A window manager's move takes the pointer until the button is let go,
    // and with it the second click of a double click: where a double click
    // toggles the size, the move waits for the pointer to move.
    if (m_scaling) {
        m_movePending = true;
        m_movePress = pos;
        return;
    }
    m_moveStarter(*this);
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint travelled = event->position().toPoint() - m_movePress;
    if (m_movePending && event->buttons() != Qt::NoButton &&
        travelled.manhattanLength() >= QGuiApplication::styleHints()->startDragDistance()) {
        m_movePending = false;
        if (m_moveStarter) m_moveStarter(*this);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void SkinnedWindow::mouseReleaseEvent(QMouseEvent* event) {
    m_movePending = false;
    QWidget::mouseReleaseEvent(event);
}

void SkinnedWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintPanel(p);
}

void SkinnedWindow::mousePressEvent(QMouseEvent* event) {
    panelPressed(event);
    event->accept();
}

void SkinnedWindow::followScaleOf(const SkinnedWindow* source) {
    enableScaling();
    m_scaleSource = source;
}

void SkinnedWindow::takeSourceScale() {
    if (!m_scaling || !m_scaleSource) return;
    const QSize wanted = m_scale.windowSize(m_scaleSource->scale().factor());
    if (wanted == size()) return;
    const QPoint centre = geometry().center();
    resize(wanted);
    move(centre - QPoint(wanted.width() / 2, wanted.height() / 2));
}

void SkinnedWindow::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) takeSourceScale();
    QWidget::showEvent(event);
    if (!event->spontaneous()) shown();
}

void SkinnedWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous() && m_modalLoop) m_modalLoop->quit();
}

void SkinnedWindow::closeEvent(QCloseEvent* event) {
    closing();
    event->accept();
}

} // namespace vtx
