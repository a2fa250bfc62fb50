#pragma once
// TFormRegSpa: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFormRegSpa : public QDialog {
    Q_OBJECT
  public:
    explicit TFormRegSpa(QWidget* parent = nullptr);
};

} // namespace exo
