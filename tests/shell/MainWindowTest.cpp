#include "shell/UnOrvex.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace exo {
namespace {

TEST(TFoOrvex, CaptionAndFixedClientSize) {
    TFoOrvex window;
    window.show();
    EXPECT_EQ(window.objectName(), "FoOrvex");
    EXPECT_EQ(window.windowTitle(), "Calyxa Esp Professional LUMENTA");
    EXPECT_EQ(window.size(), QSize(636, 453));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "a single border: no resizing";
}

} // namespace
} // namespace exo

int main(int argc, char** argv) {
    // Window tests run headless, test discovery included.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
