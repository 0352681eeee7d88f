// The on-screen viewer and the cadencer's own clock, under the virtual display.

#include "scene/engine/AllocatorTuning.h"
#include "scene/engine/FrameClock.h"
#include "scene/engine/Group.h"
#include "scene/engine/Plane.h"
#include "scene/engine/SceneView.h"
#include "tests/engine/EngineTestSupport.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vtx {
namespace {

TEST(ViewerTest, DrawsThroughItsCameraPicksInWidgetPixelsAndReportsTheMouse) {
    Scene scene;
    auto* target = scene.objects().addChild<Group>();
    auto* camera = scene.objects().addChild<Camera>();
    camera->position = {0, 0, 5};
    camera->targetObject = target;
    auto* plane = scene.objects().addChild<Plane>();
    plane->material.frontProperties.diffuse = {1, 0, 0, 1};

    SceneView viewer;
    viewer.resize(80, 60);
    viewer.scene = &scene;
    viewer.camera = camera;
    viewer.backgroundColor = {0, 0, 1, 1};
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));

    const QImage image = viewer.grabFramebuffer();
    ASSERT_FALSE(image.isNull());
    const int cx = image.width() / 2, cy = image.height() / 2;
    EXPECT_TRUE(enginetest::near(image.pixel(cx, cy), 255, 0, 0));
    EXPECT_TRUE(enginetest::near(image.pixel(2, 2), 0, 0, 255));
    EXPECT_EQ(qAlpha(image.pixel(cx, cy)), 255);

    EXPECT_EQ(viewer.pickObject(40, 30), plane);
    EXPECT_EQ(viewer.pickObject(2, 2), nullptr);

    QSignalSpy downs(&viewer, &SceneView::mouseDown);
    int callbackX = -1;
    viewer.onMouseDown = [&](Qt::MouseButton, Qt::KeyboardModifiers, int x, int) { callbackX = x; };
    QTest::mousePress(&viewer, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 20));
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_TRUE(downs[0][1].value<Qt::KeyboardModifiers>().testFlag(Qt::ShiftModifier));
    EXPECT_EQ(downs[0][2].toInt(), 10);
    EXPECT_EQ(downs[0][3].toInt(), 20);
    EXPECT_EQ(callbackX, 10);
}

#if defined(__GLIBC__)
TEST(AllocatorTuningTest, AFrameSizedBlockComesFromTheHeapNotFromTheKernel) {
    keepFrameAllocations();
    const std::size_t mappedBefore = mallinfo2().hblkhd;
    void* block = std::malloc(4u << 20);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(mallinfo2().hblkhd, mappedBefore);
    std::free(block);
}
#endif

TEST(CadencerClockTest, TicksOnItsOwnWhileEnabledWithPositiveElapsedTimes) {
    FrameClock cadencer;
    QSignalSpy ticks(&cadencer, &FrameClock::progressed);
    cadencer.setEnabled(true);
    ASSERT_TRUE(ticks.wait(5000));
    ASSERT_TRUE(ticks.count() > 0 || ticks.wait(5000));
    EXPECT_GT(ticks[0][0].toDouble(), 0.0);
    EXPECT_GE(ticks.last()[1].toDouble(), ticks[0][0].toDouble());
    cadencer.setEnabled(false);
    EXPECT_FALSE(cadencer.enabled());
}

} // namespace
} // namespace vtx
