#pragma once
// TFoInputSpa: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoInputSpa : public QDialog {
    Q_OBJECT
  public:
    explicit TFoInputSpa(QWidget* parent = nullptr);
};

} // namespace exo
