#pragma once
// TFoMali: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoMali : public QDialog {
    Q_OBJECT
  public:
    explicit TFoMali(QWidget* parent = nullptr);
};

} // namespace exo
