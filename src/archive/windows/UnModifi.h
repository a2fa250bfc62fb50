#pragma once
// TFoModifi: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoModifi : public QDialog {
    Q_OBJECT
  public:
    explicit TFoModifi(QWidget* parent = nullptr);
};

} // namespace exo
