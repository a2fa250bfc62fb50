#pragma once
// The full-screen chart windows: created at start, hidden, and laid over the whole screen
// each time the main window becomes active; the natal chart and analysis windows keep
// their command bar, Panel1, along the bottom edge.
#include <QWidget>

class QFrame;

namespace exo {

class FullScreenWindow : public QWidget {
    Q_OBJECT
  public:
    explicit FullScreenWindow(QWidget* parent = nullptr, bool withBottomPanel = true);

    // Client area = the primary screen; Panel1 (if any) full width at the bottom edge.
    void fillScreenAndHide();
    QFrame* bottomPanel() const { return bottomPanel_; }

  private:
    QFrame* bottomPanel_ = nullptr;
};

} // namespace exo
