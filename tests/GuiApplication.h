#pragma once
// Fonts, images and painters need an application object; GoogleTest programs make one,
// offscreen, the first time a test suite asks.
#include <QGuiApplication>

namespace exo::test {

inline void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace exo::test
