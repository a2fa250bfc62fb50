#pragma once
// TFoOrvex, the main window: the current subject, every function of the program in three
// tabs, the two chart settings changed most often (orb set and lunar-node kind) and the
// user's personalisation. Each time it becomes active it rereads its settings and
// recomputes the current subject's chart.
#include "shell/ProgramWindows.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>

class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace exo {

// EdPass, the access box: every key is kept and shown as one blue "*"; the words that
// switch on the administrator and the expert modes are compared with all keys typed since
// the box was last cleared.
class AccessBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit AccessBox(QWidget* parent);
    const QString& keys() const { return keys_; }
    void clearKeys();

  signals:
    void keyTyped();
    void clicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QString keys_;
};

class TFoOrvex : public QMainWindow {
    Q_OBJECT
  public:
    explicit TFoOrvex(QWidget* parent = nullptr);

    // The other long-lived windows, handed over once they exist.
    void setWindows(const ProgramWindows& windows) { windows_ = windows; }

    // The words of the access box (nine characters each, compared upper-cased).
    static const QString kAdministratorWord;
    static const QString kExpertWord;

    bool adminMode() const { return AdminMode; }
    bool expertMode() const { return ExpertMode; }
    // Sets the orb combo to the item of a letter, as the orb dialog does when it adopts a set.
    void showOrbSetLetter(char letter);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildLogoArea();
    void buildTabs();
    void buildBottomBar();
    QPushButton* addButton(QWidget* parent, const char* name, const QString& caption,
                           const QRect& geometry, bool enabled);

    void FormActivate();
    void showSubjectPanel();
    void showDisplayName();
    void placeDialog(QWidget* dialog, int margin);
    void showModal(QDialog* dialog, int margin);
    void setComboLock(bool locked);
    void BBlkClick();
    void ComboOrbChange();
    void ComboNodoChange();
    void ComboNodoDblClick();
    void MyIdleHandler();
    void installIdleHandler();
    void EdPassKeyTyped();
    void EdPassClick();
    void SBpassClick();
    void BitBtnNomeCognomeClick();
    void BBistruzClick();
    void BitBtnVarOrbAspClick();
    void BBApriTestoClick();
    void Button2Click();
    void Image9MouseDown();
    void Image9MouseUp();
    // The chart recomputed and the sheet of a layout shown in the natal chart window.
    void OpenChartSheet(std::int32_t layout);
    void BBCerchioClick();
    void ShowPrinterDialog();

    ProgramWindows windows_;

    QLabel* Image1;
    QFrame* Panel1;
    QLabel* Image3;
    QToolButton* SBpass;
    AccessBox* EdPass;
    QPushButton* BitBtnNomeCognome;
    QTabWidget* PageControl1;
    QPlainTextEdit* MemoDati;
    QPlainTextEdit* MemoAnnotaz;
    QPushButton* BButility;
    QPushButton* Bmirel1;
    QPushButton* Bmirel2;
    QListWidget* ListBox1;
    QFrame* Panel9;
    QComboBox* ComboNodo;
    QComboBox* ComboOrb;
    QToolButton* BBlk;
    QPushButton* BBApriTesto;
    QLabel* Image9;
    QLabel* Label34 = nullptr;
    QLabel* Label35 = nullptr;

    bool OrbChangePending = false;
    bool NodeChangePending = false;
    bool AdminMode = false;
    bool ExpertMode = false;
    int MainWindowTop = 0;
    int MainWindowLeft = 0;
    int MainWindowWidth = 0;
    int MainWindowHeight = 0;
    QTimer idleTimer_;
};

} // namespace exo
