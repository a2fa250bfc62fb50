#pragma once
// TFoModifi, the modify form: finds a subject by the first letters of its name, lets the
// user correct its data and notes, checks them and rewrites the subject in place (its key
// moves to its new sorted place), and creates or reopens the subject's text file.
#include "archive/windows/SubjectSearch.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QGroupBox;
class QPushButton;

namespace exo {

// Whether a correction suits the longitude of the coordinates ("45N28-009E11"): the
// longitude's whole degrees (west negative) and 15° per hour of correction may differ by
// at most two hours.
bool CorrectionPlausible(std::string_view coordinates, long double correction);

class TFoModifi : public SubjectSearchForm {
    Q_OBJECT
  public:
    explicit TFoModifi(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 660;
    static constexpr int kClientHeight = 440;

  protected:
    void showEvent(QShowEvent* event) override;

    void chooseLine(int line, bool byDoubleClick) override;
    void nameBoxEnter() override;
    void clearShownSubject() override;

  private:
    void ShowSubjectForEditing();
    // Checks the edited data in their order, each failure with its message (and the
    // plausibility question); the subject to write, or nothing when the save must not go on.
    std::optional<SubjectEntry> ValidatedEntry();
    // "&GUARDAR": the checks, then the rewrite. Returns whether the subject was written.
    bool ValidateAndRewrite();
    void RewriteEntry(const SubjectEntry& entry);
    void BitBtnRegistraClick();
    void BBtestoClick();
    void BitBtnElencoClick();
    void BitBtnAncoraClick();
    void BitBtn3Click();
    void ShowNameList();
    void ShowDataPanels();

    // The subject being edited.
    bool SubjectShown = false;
    std::int64_t subjectNumber_ = 0;
    std::int64_t notesNumber_ = 0;
    std::int64_t keyPosition_ = 0;

    QGroupBox* GroupBoxElenco = nullptr;
    QGroupBox* GroupBoxAnnotFinto = nullptr;
    QGroupBox* GroupBoxDati = nullptr;
    QGroupBox* GroupBoxAnnot = nullptr;
    QLineEdit* EditNomeSogg = nullptr;
    QLineEdit* EditDataNasc = nullptr;
    QLineEdit* EditOraNasc = nullptr;
    QLineEdit* EditCalend = nullptr;
    QLineEdit* EditLocalita = nullptr;
    QLineEdit* EditGmt = nullptr;
    QLineEdit* EditCoordi = nullptr;
    QLineEdit* EditStato = nullptr;
    std::array<QLineEdit*, 4> EditMemo{};
    QLineEdit* EditNfile = nullptr;
    QPushButton* BitBtnElenco = nullptr;
    QPushButton* BitBtnRegistra = nullptr;
    QPushButton* BBtesto = nullptr;
    QPushButton* BitBtnAncora = nullptr;
    QPushButton* BitBtn3 = nullptr;
};

} // namespace exo
