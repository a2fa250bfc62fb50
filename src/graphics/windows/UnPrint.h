#pragma once
// The hidden form whose empty plain-text editor is printed as the "Dummy" job that some
// printers need before each chart sheet.
#include <QDialog>

class QPrinter;
class QTextEdit;

namespace exo {

class TFoPrint : public QDialog {
    Q_OBJECT
  public:
    explicit TFoPrint(QWidget* parent = nullptr);

    // The empty editor printed as a job of its own titled "Dummy".
    void PrintDummyJob(QPrinter& printer);

  private:
    QTextEdit* Editor = nullptr;
};

} // namespace exo
