#include "shell/StartUp.h"

#include "analysis/OrbSettings.h"
#include "analysis/UnOrbSpa.h"
#include "archive/windows/UnCancel.h"
#include "archive/windows/UnModifi.h"
#include "archive/windows/UninputSpa.h"
#include "archive/windows/UnitRegSpa.h"
#include "archive/windows/UnitRich.h"
#include "chart/ChartState.h"
#include "editor/windows/UnRemai1.h"
#include "editor/windows/UnRemaiH.h"
#include "graphics/DrawingSurface.h"
#include "graphics/windows/ProgramPrinter.h"
#include "graphics/windows/UgrNaSpa.h"
#include "graphics/windows/UgrOrvex.h"
#include "graphics/windows/UgrTxtSpa.h"
#include "graphics/windows/UnMetGra.h"
#include "graphics/windows/UnPrint.h"
#include "graphics/windows/UnSpeLin.h"
#include "graphics/windows/Unstampa.h"
#include "platform/ErrorBox.h"
#include "platform/Errors.h"
#include "remedies/windows/UnAggRep.h"
#include "remedies/windows/UnAggiorna.h"
#include "remedies/windows/UnMainArc.h"
#include "remedies/windows/UnMali.h"
#include "remedies/windows/UnManut1.h"
#include "remedies/windows/UnPiante.h"
#include "remedies/windows/UnPrinci.h"
#include "remedies/windows/UnSegnat.h"
#include "remedies/windows/UnSintesi.h"
#include "remedies/windows/UnSintom2.h"
#include "remedies/windows/UnSintom3.h"
#include "remedies/windows/UnTerapi.h"
#include "remedies/windows/UnUtilit.h"
#include "shell/ProgramWindows.h"
#include "shell/UnIstDef.h"
#include "shell/UnNomUte.h"
#include "shell/UnOrvex.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>

namespace exo {

void StartProgram() {
    ClearChartState();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    SetScreenScale(screenSize.width(), screenSize.height());
    RunChecked([] { LoadOrbSettings(); });
    // There is always a printer: the system's, or the PDF writer standing in for it.
    QPrinter& printer = ProgramPrinter();
    SetPrinterScale(printer.width());
    SetPrinterLandscape(true);
}

namespace {
template <typename Window> Window* Create(ProgramWindows& windows, QWidget* owner) {
    auto* window = new Window(owner);
    windows.creationOrder << window;
    return window;
}
} // namespace

ProgramWindows CreateProgramWindows() {
    ProgramWindows w;
    w.FoOrvex = new TFoOrvex;
    w.creationOrder << w.FoOrvex;
    QWidget* owner = w.FoOrvex;
    w.FoNomUte = Create<TFoNomUte>(w, owner);
    w.FormRich = Create<TFormRich>(w, owner);
    w.FgrNaSpa = Create<TFgrNaSpa>(w, owner);
    w.FoMetGra = Create<TFoMetGra>(w, owner);
    w.FoPrint = Create<TFoPrint>(w, owner);
    w.FoOrbSpa = Create<TFoOrbSpa>(w, owner);
    w.FoInputSpa = Create<TFoInputSpa>(w, owner);
    w.FormRegSpa = Create<TFormRegSpa>(w, owner);
    w.FoCancel = Create<TFoCancel>(w, owner);
    w.FoReMai1 = Create<TFoReMai1>(w, owner);
    w.FgrTxtSpa = Create<TFgrTxtSpa>(w, owner);
    w.FoSpeLin = Create<TFoSpeLin>(w, owner);
    w.FoStampa = Create<TFoStampa>(w, owner);
    w.FoTerapi = Create<TFoTerapi>(w, owner);
    w.FoSintom2 = Create<TFoSintom2>(w, owner);
    w.FoSintom3 = Create<TFoSintom3>(w, owner);
    w.FoModifi = Create<TFoModifi>(w, owner);
    w.FoManut1 = Create<TFoManut1>(w, owner);
    w.FoMainArc = Create<TFoMainArc>(w, owner);
    w.FoAggRep = Create<TFoAggRep>(w, owner);
    w.FoAggiorna = Create<TFoAggiorna>(w, owner);
    w.FoReMaiH = Create<TFoReMaiH>(w, owner);
    w.FoSegnat = Create<TFoSegnat>(w, owner);
    w.FoUtilit = Create<TFoUtilit>(w, owner);
    w.FoPrinci = Create<TFoPrinci>(w, owner);
    w.FoPiante = Create<TFoPiante>(w, owner);
    w.FoMali = Create<TFoMali>(w, owner);
    w.FoSintesi = Create<TFoSintesi>(w, owner);
    w.FgrOrvex = Create<TFgrOrvex>(w, owner);
    w.FoIstDef = Create<TFoIstDef>(w, owner);

    w.FoInputSpa->setStoreForm(w.FormRegSpa);
    w.FgrNaSpa->setCompanions(w.FoMetGra, w.FoPrint);
    SetSubjectTextEditor([editor = w.FoReMaiH](QWidget*) { editor->execModal(); });
    w.InputDialog = w.FoInputSpa;
    w.RetrieveDialog = w.FormRich;
    w.DeleteDialog = w.FoCancel;
    w.ModifyDialog = w.FoModifi;
    TFoOrvex* main = w.FoOrvex;
    QObject::connect(w.FoOrbSpa, &TFoOrbSpa::orbSetAdopted, main, &TFoOrvex::showOrbSetLetter);
    main->setWindows(w);
    return w;
}

std::unique_ptr<TFoOrvex> OpenProgram() {
    StartProgram();
    const ProgramWindows windows = CreateProgramWindows();
    std::unique_ptr<TFoOrvex> main(windows.FoOrvex);
    main->show();
    // Its first showing counts as an activation also where no window manager gives one.
    main->activateWindow();
    return main;
}

} // namespace exo
