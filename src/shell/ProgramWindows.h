#pragma once
// The long-lived windows of the program, created once at start in a fixed order and kept
// until the program ends. The main window is the first and owns the others.
#include <QList>

class QDialog;
class QWidget;

namespace exo {

class TFoOrvex;
class TFoNomUte;
class TFormRich;
class TFgrNaSpa;
class TFoMetGra;
class TFoPrint;
class TFoOrbSpa;
class TFoInputSpa;
class TFormRegSpa;
class TFoCancel;
class TFoReMai1;
class TFgrTxtSpa;
class TFoSpeLin;
class TFoStampa;
class TFoTerapi;
class TFoSintom2;
class TFoSintom3;
class TFoModifi;
class TFoManut1;
class TFoMainArc;
class TFoAggRep;
class TFoAggiorna;
class TFoReMaiH;
class TFoSegnat;
class TFoUtilit;
class TFoPrinci;
class TFoPiante;
class TFoMali;
class TFoSintesi;
class TFgrOrvex;
class TFoIstDef;

struct ProgramWindows {
    TFoOrvex* FoOrvex = nullptr;
    TFoNomUte* FoNomUte = nullptr;
    TFormRich* FormRich = nullptr;
    TFgrNaSpa* FgrNaSpa = nullptr;
    TFoMetGra* FoMetGra = nullptr;
    TFoPrint* FoPrint = nullptr;
    TFoOrbSpa* FoOrbSpa = nullptr;
    TFoInputSpa* FoInputSpa = nullptr;
    TFormRegSpa* FormRegSpa = nullptr;
    TFoCancel* FoCancel = nullptr;
    TFoReMai1* FoReMai1 = nullptr;
    TFgrTxtSpa* FgrTxtSpa = nullptr;
    TFoSpeLin* FoSpeLin = nullptr;
    TFoStampa* FoStampa = nullptr;
    TFoTerapi* FoTerapi = nullptr;
    TFoSintom2* FoSintom2 = nullptr;
    TFoSintom3* FoSintom3 = nullptr;
    TFoModifi* FoModifi = nullptr;
    TFoManut1* FoManut1 = nullptr;
    TFoMainArc* FoMainArc = nullptr;
    TFoAggRep* FoAggRep = nullptr;
    TFoAggiorna* FoAggiorna = nullptr;
    TFoReMaiH* FoReMaiH = nullptr;
    TFoSegnat* FoSegnat = nullptr;
    TFoUtilit* FoUtilit = nullptr;
    TFoPrinci* FoPrinci = nullptr;
    TFoPiante* FoPiante = nullptr;
    TFoMali* FoMali = nullptr;
    TFoSintesi* FoSintesi = nullptr;
    TFgrOrvex* FgrOrvex = nullptr;
    TFoIstDef* FoIstDef = nullptr;

    // The subject dialogs as plain dialogs, for the main window's buttons.
    QDialog* InputDialog = nullptr;
    QDialog* RetrieveDialog = nullptr;
    QDialog* DeleteDialog = nullptr;
    QDialog* ModifyDialog = nullptr;

    // Every window in the order of creation.
    QList<QWidget*> creationOrder;
};

// Creates the windows in their order, the main window first (the caller owns it; it owns
// the others), and hands the main window the others.
ProgramWindows CreateProgramWindows();

} // namespace exo
