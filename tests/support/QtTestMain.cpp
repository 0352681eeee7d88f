// main() for test binaries that need a QApplication (widgets, OpenGL, timers).
// They run under a virtual X display; see scripts/vtx.sh.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
