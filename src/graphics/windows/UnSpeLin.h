#pragma once
// TFoSpeLin: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoSpeLin : public QDialog {
    Q_OBJECT
  public:
    explicit TFoSpeLin(QWidget* parent = nullptr);
};

} // namespace exo
