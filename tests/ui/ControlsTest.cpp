#include "GuiTestSupport.h"
#include "files/EmbeddedImages.h"
#include "ui/FlatButton.h"
#include "ui/SkinButton.h"
#include "ui/SkinCheckBox.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinFont.h"
#include "ui/SkinImages.h"
#include "ui/SkinLineEdit.h"
#include "ui/SkinPalette.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace vtx {
namespace {

using Face = SkinButton::Face;

QImage solid(QSize size, QColor color) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(color);
    return img;
}

// A button on plain faces, so the caption's pixels are easy to tell apart.
std::unique_ptr<SkinButton> plainButton() {
    auto b = std::make_unique<SkinButton>();
    b->setGeometry(0, 0, 71, 24);
    b->setNormalFace(solid({71, 24}, QColor(0, 0, 160)));
    b->setOverFace(solid({71, 24}, QColor(0, 160, 0)));
    b->setPressedFace(solid({71, 24}, QColor(160, 0, 0)));
    b->setText(QStringLiteral("Single"));
    b->setXOffset(22);
    b->setYOffset(7);
    return b;
}

int topCaptionRow(const QImage& img, QColor background) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!test::sameRgb(img.pixelColor(x, y), background)) return y;
    return -1;
}

TEST(SkinButton, ReleaseInsideClicksAndShowsOverReleaseOutsideDoesNot) {
    auto b = plainButton();
    QSignalSpy clicks(b.get(), &SkinButton::clicked);
    EXPECT_EQ(b->currentFace(), Face::Normal);

    QTest::mousePress(b.get(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(b->currentFace(), Face::Pressed);
    QTest::mouseRelease(b.get(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(b->currentFace(), Face::Over);
    EXPECT_EQ(clicks.count(), 1);

    QTest::mousePress(b.get(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(b.get(), Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(b->currentFace(), Face::Normal);
    EXPECT_EQ(clicks.count(), 1);

    // The right button shows the pictures but never clicks.
    QTest::mousePress(b.get(), Qt::RightButton, {}, QPoint(10, 10));
    QTest::mouseRelease(b.get(), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1);

    // The over picture stays until a font change resets to the normal one.
    EXPECT_EQ(b->currentFace(), Face::Over);
    b->setSkinFont(disabledFont());
    EXPECT_EQ(b->currentFace(), Face::Normal);
}

TEST(SkinButton, DownShowsPressedAfterAnyRelease) {
    auto b = plainButton();
    b->setDown(true);
    EXPECT_EQ(b->currentFace(), Face::Pressed);
    for (QPoint release : {QPoint(10, 10), QPoint(-5, 40)}) {
        QTest::mousePress(b.get(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(b.get(), Qt::LeftButton, {}, release);
        EXPECT_EQ(b->currentFace(), Face::Pressed);
    }
    b->setDown(false);
    EXPECT_EQ(b->currentFace(), Face::Normal);
}

TEST(SkinButton, CaptionColourFollowsTheSharedFontOnAllThreePictures) {
    auto b = plainButton();
    const QColor grey(128, 128, 128);
    const QColor white(255, 255, 255);
    for (SkinFont* font : {disabledFont(), enabledFont(), disabledFont()}) {
        b->setSkinFont(font);
        EXPECT_EQ(b->skinFont(), font); // the shared object itself, not a copy
        for (Face p : {Face::Normal, Face::Over, Face::Pressed}) {
            const QImage img = b->composedFace(p);
            const int greys = test::countPixels(img, [&](QColor c) { return test::sameRgb(c, grey); });
            const int whites = test::countPixels(img, [&](QColor c) { return test::sameRgb(c, white); });
            if (font == disabledFont()) {
                EXPECT_GT(greys, 5);
                EXPECT_EQ(whites, 0);
            } else {
                EXPECT_GT(whites, 5);
                EXPECT_EQ(greys, 0);
            }
        }
    }
    // The pressed caption sits one pixel lower.
    EXPECT_EQ(topCaptionRow(b->composedFace(Face::Pressed), QColor(160, 0, 0)),
              topCaptionRow(b->composedFace(Face::Normal), QColor(0, 0, 160)) + 1);
    // Text changes leave no trace of the old caption.
    b->setText(QString());
    EXPECT_EQ(topCaptionRow(b->composedFace(Face::Normal), QColor(0, 0, 160)), -1);
}

TEST(SkinButton, PaintsTheCurrentPictureWithItsCaption) {
    auto b = plainButton();
    b->setSkinFont(enabledFont());
    QTest::mousePress(b.get(), Qt::LeftButton, {}, QPoint(10, 10));
    const QImage painted = b->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(painted, b->composedFace(Face::Pressed).convertToFormat(QImage::Format_RGB32));
    test::saveShot(b.get(), QStringLiteral("wisp-button-pressed.png"));
}

TEST(SkinComboBox, ArrowStatesAndTheTextPartPress) {
    QWidget host;
    auto* cb = new SkinComboBox(&host);
    cb->setGeometry(10, 10, 129, 21);
    cb->addItems({QStringLiteral("Easy"), QStringLiteral("Normal"), QStringLiteral("Hard")});
    host.resize(200, 100);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EXPECT_EQ(cb->arrowState(), 1);

    QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), QPointF(15, 15));
    QApplication::sendEvent(cb, &enter);
    EXPECT_EQ(cb->arrowState(), 2);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(cb, &leave);
    EXPECT_EQ(cb->arrowState(), 1);

    QTest::mousePress(cb, Qt::LeftButton, {}, QPoint(cb->width() - 20, 10)); // text part (x <= width - 20)
    EXPECT_NE(cb->arrowState(), 3);
    cb->hidePopup();
    QTest::mousePress(cb, Qt::LeftButton, {}, QPoint(cb->width() - 5, 10));
    EXPECT_EQ(cb->arrowState(), 3);
    cb->hidePopup();
    EXPECT_NE(cb->arrowState(), 3);

    EXPECT_TRUE(test::sameRgb(cb->palette().color(QPalette::Highlight), QColor(153, 151, 153)));
    EXPECT_TRUE(test::sameRgb(cb->view()->palette().color(QPalette::Highlight), QColor(153, 151, 153)));
    cb->setCurrentIndex(1);
    test::saveShot(&host, QStringLiteral("wisp-combo.png"));
}

TEST(SkinComboBox, DropDownHeightRule) {
    SkinComboBox cb;
    EXPECT_EQ(cb.dropDownHeight(), 10); // no items: 4 or less becomes 10
    cb.addItems({QStringLiteral("Easy"), QStringLiteral("Normal"), QStringLiteral("Hard")});
    const int h = cb.fontMetrics().height();
    const int r = h + (h + 4) / 8 - 2; // an eighth, rounded to nearest
    EXPECT_EQ(cb.dropDownHeight(), 3 * r + 4);
    cb.setMaxVisibleItems(2);
    EXPECT_EQ(cb.dropDownHeight(), 2 * r + 4);
    QFont f = cb.font();
    f.setPixelSize(30);
    cb.setFont(f);
    EXPECT_EQ(cb.itemHeight(), 13);
    EXPECT_GT(cb.dropDownHeight(), 2 * r + 4);
}

QImage twoCellGlyph(int cellW, int h) {
    QImage g(2 * cellW, h, QImage::Format_ARGB32_Premultiplied);
    g.fill(Qt::red);
    for (int y = 0; y < h; ++y)
        for (int x = cellW; x < 2 * cellW; ++x)
            g.setPixelColor(x, y, Qt::green);
    return g;
}

TEST(SkinCheckBox, ClicksCycleTheStatesAndGrayedOnlyWhenAllowed) {
    SkinCheckBox box;
    QSignalSpy clicks(&box, &SkinCheckBox::clicked);
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        box.click();
        seen.push_back(box.state());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1, 0}));
    box.allowGrayed = true;
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        box.click();
        seen.push_back(box.state());
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(clicks.count(), 7);
}

TEST(SkinCheckBox, CodeChangesRaiseNoClickButUserInputDoes) {
    QWidget host;
    auto* box = new SkinCheckBox(&host);
    box->setGeometry(5, 5, 209, 20);
    box->setCaption(QStringLiteral("&Manual Ship Arrangement"));
    host.resize(240, 40);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QSignalSpy clicks(box, &SkinCheckBox::clicked);

    box->setChecked(true);
    box->setState(2);
    box->setChecked(false);
    EXPECT_EQ(clicks.count(), 0);

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(box->checked());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(box->hasFocus() || host.focusWidget() == box);

    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(300, 5)); // released outside
    EXPECT_TRUE(box->checked());
    EXPECT_EQ(clicks.count(), 1);

    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->checked());
    EXPECT_EQ(clicks.count(), 2);

    // The accelerator toggles and focuses without a click event.
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    box->clearFocus();
    QTest::keyClick(&host, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(box->checked());
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(clicks.count(), 2);
}

TEST(SkinCheckBox, GlyphCellsAndTheDisabledCell) {
    SkinCheckBox box;
    box.resize(209, 20);
    box.setColor(Qt::black);
    box.setCheckedGlyph(twoCellGlyph(20, 20)); // 40 x 20: two cells
    EXPECT_EQ(box.checkedGlyphCells(), 2);
    box.setUncheckedGlyph(QImage(30, 20, QImage::Format_ARGB32)); // not a multiple: one cell
    EXPECT_EQ(box.uncheckedGlyphCells(), 1);
    box.setGrayedGlyph(QImage(80, 20, QImage::Format_ARGB32)); // four would be too many
    EXPECT_EQ(box.grayedGlyphCells(), 2);

    box.setChecked(true);
    EXPECT_EQ(box.glyphTarget(), QRect(0, 0, 20, 20));
    EXPECT_EQ(box.captionRect().left(), 24); // cell width + 4
    const auto redAndGreen = [&] {
        const QImage img = box.grab().toImage();
        return std::pair{test::countPixels(img, [](QColor c) { return test::sameRgb(c, Qt::red); }),
                         test::countPixels(img, [](QColor c) { return test::sameRgb(c, Qt::green); })};
    };
    auto [red, green] = redAndGreen();
    EXPECT_EQ(red, 400);
    EXPECT_EQ(green, 0);
    box.setEnabled(false);
    EXPECT_EQ(box.glyphSourceCell(), 1);
    std::tie(red, green) = redAndGreen();
    EXPECT_EQ(red, 0);
    EXPECT_EQ(green, 400);

    box.setEnabled(true);
    box.setBoxSide(SkinCheckBox::BoxSide::Right);
    EXPECT_EQ(box.glyphTarget().left(), 209 - 20);
    EXPECT_EQ(box.captionRect().left(), 1);
}

TEST(SkinCheckBox, EmbeddedGlyphsAreUsable) {
    SkinCheckBox box;
    box.resize(209, 20);
    box.setCaption(QStringLiteral("Sound ON/OFF"));
    EXPECT_GE(box.checkedGlyphCells(), 1);
    EXPECT_LE(box.checkedGlyphCells(), 2);
    EXPECT_GT(box.glyphTarget().width(), 0);
    test::saveShot(&box, QStringLiteral("bit-checkbox.png"));
}

TEST(SkinLineEdit, FlatLookHeightAndFocusColour) {
    QWidget host;
    auto* edit = new SkinLineEdit(&host);
    auto* other = new SkinLineEdit(&host);
    other->move(0, 40);
    EXPECT_EQ(edit->height(), edit->fontMetrics().height() + 6);
    EXPECT_EQ(edit->width(), 121);
    QFont f = edit->font();
    f.setPixelSize(24);
    edit->setFont(f);
    EXPECT_EQ(edit->height(), QFontMetrics(f).height() + 6);

    EXPECT_EQ(edit->currentBackground(), QColor(235, 234, 225));
    host.resize(200, 100);
    // The pointer another test left over the window would hover the edit.
    host.move(0, 0);
    QCursor::setPos(1000, 900);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    const QImage flat = edit->grab().toImage();
    EXPECT_TRUE(test::sameRgb(flat.pixelColor(0, 0), QColor(160, 150, 131)));
    EXPECT_TRUE(test::sameRgb(flat.pixelColor(edit->width() - 1, edit->height() - 1), QColor(160, 150, 131)));
    EXPECT_TRUE(test::sameRgb(flat.pixelColor(1, 1), QColor(235, 234, 225)));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(edit, &enter);
    EXPECT_EQ(edit->currentBackground(), QColor(Qt::white));
    EXPECT_TRUE(test::sameRgb(edit->grab().toImage().pixelColor(1, 1), Qt::white));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(edit, &leave);
    EXPECT_EQ(edit->currentBackground(), QColor(235, 234, 225));
}

TEST(FlatButton, FocusLookCanBeRemoved) {
    QWidget host;
    auto* row = new FlatButton(&host);
    row->resize(201, 23);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    row->setFocus();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    EXPECT_TRUE(row->showsFocusLook());
    row->removeFocusLook();
    EXPECT_FALSE(row->showsFocusLook());
}

TEST(SkinImages, MissingPicturesGetADrawnStandInOfTheRightSize) {
    for (auto kind : {SkinFallback::ButtonMain, SkinFallback::ArrowPress, SkinFallback::CheckGrayed,
                      SkinFallback::VolumeFrame}) {
        const QImage img = skinImage("no/such/picture", kind, QSize(71, 24));
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.size(), QSize(71, 24));
        EXPECT_GT(test::countPixels(img, [](QColor c) { return c.alpha() > 0; }), 0);
    }
    // The generated faces, once the generator has made them, decode at their stated sizes.
    if (!embeddedImage("button/71x24/press").empty()) {
        EXPECT_EQ(buttonFaces("71x24", QSize(1, 1)).press.size(), QSize(71, 24));
    }
    if (!embeddedImage("combo/over").empty()) {
        EXPECT_EQ(skinImage("combo/over", SkinFallback::ArrowOver, QSize(1, 1)).size(), QSize(20, 20));
    }
}

TEST(SkinPalette, GreySelectionIsOursAndCanBePutBack) {
    const QColor before = QApplication::palette().color(QPalette::Highlight);
    const QColor saved = installGreySelection();
    EXPECT_EQ(saved, before);
    EXPECT_TRUE(test::sameRgb(QApplication::palette().color(QPalette::Highlight), QColor(153, 151, 153)));
    restoreSelection(saved);
    EXPECT_EQ(QApplication::palette().color(QPalette::Highlight), before);
}

} // namespace
} // namespace vtx
