#pragma once
// The line-thickness dialog: the pen width factor of the printed chart sheets, stepped up
// or down by 5 % with the spin buttons or typed into the edit, always within 0.5 … 4.0.
// Every change is written to FileSet\MMVarLas.stt at once.
//
// The edit shows the first four characters of the factor's text, and each step starts
// from what is shown, so the steps follow the rounded values the user sees. A text that is
// not a number stops the step (or the closing) with the standard error box; the dialog
// then stays open so the text can be put right.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace exo {

struct DisplaySettings;

class TFoSpeLin : public QDialog {
    Q_OBJECT
  public:
    explicit TFoSpeLin(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 360;
    static constexpr int kClientHeight = 196;

  protected:
    void showEvent(QShowEvent* event) override;
    // Every way of closing (the return button, Escape, the title bar) ends here.
    void done(int result) override;

  private:
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void BitBtn1Click();
    // False when the dialog must stay open.
    bool FormClose();

    // Divides (up) or multiplies the shown factor by 0.95, keeps it within range, shows and
    // writes it.
    void StepLineFactor(bool up);
    void ShowLineFactor();
    long double EditedLineFactor() const;

    DisplaySettings& settings_;
    QLineEdit* EditSpeLin = nullptr;
    QWidget* SpinButton1 = nullptr;
    QToolButton* SpinButton1Up = nullptr;
    QToolButton* SpinButton1Down = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtnRitorna = nullptr;
};

} // namespace exo
