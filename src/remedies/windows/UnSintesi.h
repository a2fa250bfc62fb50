#pragma once
// TFoSintesi: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoSintesi : public QDialog {
    Q_OBJECT
  public:
    explicit TFoSintesi(QWidget* parent = nullptr);
};

} // namespace exo
