#pragma once
// TFoPrint: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoPrint : public QDialog {
    Q_OBJECT
  public:
    explicit TFoPrint(QWidget* parent = nullptr);
};

} // namespace exo
