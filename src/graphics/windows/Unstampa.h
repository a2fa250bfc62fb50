#pragma once
// TFoStampa: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoStampa : public QDialog {
    Q_OBJECT
  public:
    explicit TFoStampa(QWidget* parent = nullptr);
};

} // namespace exo
