#pragma once
// TFoCancel, the delete form: finds a subject by the first letters of its name, shows its
// data for checking, and removes its key (and its text file) from the archive. The subject
// and notes records stay in their files, unreferenced. It closes as soon as it loses the
// focus.
#include "archive/windows/SubjectSearch.h"

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace exo {

class TFoCancel : public SubjectSearchForm {
    Q_OBJECT
  public:
    explicit TFoCancel(QWidget* parent = nullptr);

    bool subjectShown() const { return SubjectShown; }

    static constexpr int kClientWidth = 612;
    static constexpr int kClientHeight = 436;

  protected:
    void showEvent(QShowEvent* event) override;

    void chooseLine(int line, bool byDoubleClick) override;
    void nameBoxEnter() override;
    void clearShownSubject() override;

  private:
    // Shows the chosen subject; false when its key names no record.
    bool ShowSubjectForDeletion(bool byDoubleClick);
    void BitBtnEliminaClick();
    void BitBtnRitornaClick();
    void DeleteChosenKey();

    bool SubjectShown = false;
    std::string textNumber_;

    QPlainTextEdit* MemoSogg = nullptr;
    QPlainTextEdit* MemoAnnotaz = nullptr;
    QLabel* Label10 = nullptr;
    QPushButton* BitBtnElimina = nullptr;
    QPushButton* BitBtnRitorna = nullptr;
};

} // namespace exo
