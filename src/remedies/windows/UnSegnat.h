#pragma once
// TFoSegnat: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoSegnat : public QDialog {
    Q_OBJECT
  public:
    explicit TFoSegnat(QWidget* parent = nullptr);
};

} // namespace exo
