#pragma once
// TFoMainArc: created at start with the other long-lived windows; its editing controls (hidden
// until the administrator mode shows them) exist from the start.
#include <QDialog>

namespace exo {

class TFoMainArc : public QDialog {
    Q_OBJECT
  public:
    explicit TFoMainArc(QWidget* parent = nullptr);
};

} // namespace exo
