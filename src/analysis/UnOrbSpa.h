#pragma once
// The orb-set dialog: shows the fixed set A, edits the personal sets B and C (and the
// parallel and antiscia orbs, kept in a panel that stays hidden), and adopts one of the
// three sets as the active one.
//
// Every change typed into an edit is checked at the next idle moment: an edit that is not a
// number turns red, one outside its range turns red and is emptied, and while any edit is
// wrong the dialog refuses to adopt a set and refuses to close, whatever way the user
// closes it. Closing with valid entries writes all three sets to FileDum\MMVarOrb.dum.
#include "analysis/OrbSettings.h"
#include "chart/ChartState.h"

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace exo {

class TFoOrbSpa : public QDialog {
    Q_OBJECT
  public:
    explicit TFoOrbSpa(QWidget* parent = nullptr, OrbSettings& settings = GlobalOrbSettings(),
                       ChartState& chart = GlobalChart());

    static constexpr int kClientWidth = 523;
    static constexpr int kClientHeight = 357;

  signals:
    // A set has been adopted as the active one ('A', 'B' or 'C'); the main window connects
    // it to show the set's item in its orb combo box, which this dialog cannot reach.
    void orbSetAdopted(char letter);

  protected:
    void showEvent(QShowEvent* event) override;
    // Every way of closing (the return button, Escape, the title bar) ends here.
    void done(int result) override;

  private:
    void BuildRows();
    void BuildSidePanel();
    void BuildExtrasPanel();

    void FormActivate();
    void MyIdleHandler();
    void EditCongBChange();
    void EditParalChange();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtnRitornaClick();
    // False when the dialog must stay open.
    bool FormClose();

    void ArmIdleHandler();
    // The idle check, run now when a change is still waiting for it, so a click that comes
    // before the idle moment sees the entries as the idle handler would.
    void ValidatePendingEntries();
    void AdoptClicked(char letter);
    void ShowOrbSetTexts(const OrbSetTexts& texts);
    void ShowSelectedSet();
    OrbSetTexts EnteredTexts() const;
    char VisibleFrameLetter() const;
    char Edit1Letter() const;

    OrbSettings& settings_;
    ChartState& chart_;
    bool OrbEntriesValid = true;
    bool OrbExtrasUnchanged = true;
    // Whether both files were read at the last activation; without them nothing is written.
    bool OrbFilesLoaded = false;

    std::array<QLabel*, kAspectKinds> images_{};
    std::array<QLabel*, kAspectKinds> names_{};
    std::array<QLabel*, kAspectKinds> angles_{};
    std::array<QLineEdit*, kAspectKinds> editsA_{};
    std::array<QLineEdit*, kAspectKinds> editsB_{};
    std::array<QLineEdit*, kAspectKinds> editsC_{};
    QFrame* BevelA = nullptr;
    QFrame* BevelB = nullptr;
    QFrame* BevelC = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtnRitorna = nullptr;
    QLabel* LabelOrbite = nullptr;
    QLineEdit* Edit1 = nullptr;
    QWidget* Panel1 = nullptr;
    QLineEdit* EditParal = nullptr;
    QLineEdit* EditAntis = nullptr;
    QTimer* idleTimer_ = nullptr;
};

} // namespace exo
