#pragma once
// TFoAggRep: created at start with the other long-lived windows; its editing controls (hidden until
// the administrator mode shows them) exist from the start.
#include <QDialog>

namespace exo {

class TFoAggRep : public QDialog {
    Q_OBJECT
  public:
    explicit TFoAggRep(QWidget* parent = nullptr);
};

} // namespace exo
