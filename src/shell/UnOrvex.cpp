#include "shell/UnOrvex.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace exo {

TFoOrvex::TFoOrvex(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("FoOrvex"));
    setWindowTitle(QStringLiteral("Calyxa Esp Professional LUMENTA"));
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    // A single border: the window keeps its client size of 636 × 453 pixels.
    setFixedSize(636, 453);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
}

} // namespace exo
