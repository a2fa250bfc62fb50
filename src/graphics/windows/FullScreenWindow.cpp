#include "graphics/windows/FullScreenWindow.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>

namespace exo {

namespace {
constexpr int kBottomPanelHeight = 41;
}

FullScreenWindow::FullScreenWindow(QWidget* parent, bool withBottomPanel)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    if (withBottomPanel) {
        bottomPanel_ = new QFrame(this);
        bottomPanel_->setObjectName(QStringLiteral("Panel1"));
        bottomPanel_->setFrameShape(QFrame::Panel);
        bottomPanel_->resize(width(), kBottomPanelHeight);
    }
}

void FullScreenWindow::fillScreenAndHide() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    setGeometry(0, 0, area.width(), area.height());
    if (bottomPanel_)
        bottomPanel_->setGeometry(0, area.height() - bottomPanel_->height(), area.width(),
                                  bottomPanel_->height());
    hide();
}

} // namespace exo
