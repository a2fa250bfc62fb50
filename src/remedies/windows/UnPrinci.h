#pragma once
// TFoPrinci: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoPrinci : public QDialog {
    Q_OBJECT
  public:
    explicit TFoPrinci(QWidget* parent = nullptr);
};

} // namespace exo
