#include "shell/UnOrvex.h"

#include "analysis/OrbSettings.h"
#include "analysis/UnOrbSpa.h"
#include "archive/SubjectArchive.h"
#include "archive/windows/UnBakMod1.h"
#include "editor/windows/UnRemaiH.h"
#include "graphics/ChartSheets.h"
#include "graphics/DisplaySettings.h"
#include "graphics/windows/UgrNaSpa.h"
#include "graphics/windows/UgrOrvex.h"
#include "graphics/windows/UgrTxtSpa.h"
#include "graphics/windows/UnSpeLin.h"
#include "graphics/windows/Unstampa.h"
#include "platform/Cp1252.h"
#include "platform/DocumentOpener.h"
#include "platform/PlacedWidgets.h"
#include "platform/TextFile.h"
#include "remedies/windows/UnAggRep.h"
#include "remedies/windows/UnMainArc.h"
#include "shell/ConsistencyCheck.h"
#include "shell/CurrentChart.h"
#include "shell/Personalisation.h"
#include "shell/UnIstDef.h"
#include "shell/UnNomUte.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

namespace exo {

const QString TFoOrvex::kAdministratorWord = QStringLiteral("ALQUIMIAS");
const QString TFoOrvex::kExpertWord = QStringLiteral("ESPAGIRIA");

// ---- Access box ------------------------------------------------------------------------

AccessBox::AccessBox(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("EdPass"));
    // The keys themselves are never shown: only one blue star per key.
    setStyleSheet(QStringLiteral("QLineEdit { color: #0000ff; background: #ffffff; }"));
}

void AccessBox::clearKeys() {
    keys_.clear();
}

void AccessBox::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty())
        return QLineEdit::keyPressEvent(event);
    keys_ += text.toUpper();
    setText(QString(keys_.size(), QLatin1Char('*')));
    emit keyTyped();
}

void AccessBox::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    emit clicked();
}

void AccessBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    keys_.clear();
}

// ---- Layout ------------------------------------------------------------------------------

namespace {

constexpr int kClientWidth = 636;
constexpr int kClientHeight = 453;
constexpr int kLogoHeight = 92;

const char* const kLockedCombo = "QComboBox { background: #808080; color: #ffffff; }";
const char* const kUnlockedCombo = "QComboBox { background: #00ffff; color: #000000; }";

} // namespace

TFoOrvex::TFoOrvex(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("FoOrvex"));
    setWindowTitle(QStringLiteral("Calyxa Esp Professional LUMENTA"));
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    // A single border: the window keeps its client size of 636 × 453 pixels.
    setFixedSize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));

    buildLogoArea();
    buildTabs();
    buildBottomBar();

    idleTimer_.setSingleShot(true);
    idleTimer_.setInterval(0);
    connect(&idleTimer_, &QTimer::timeout, this, &TFoOrvex::MyIdleHandler);
}

QPushButton* TFoOrvex::addButton(QWidget* parent, const char* name, const QString& caption,
                                 const QRect& geometry, bool enabled) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    // A function whose window is not part of the program yet cannot be started.
    button->setEnabled(enabled);
    return button;
}

void TFoOrvex::buildLogoArea() {
    QWidget* client = centralWidget();
    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kClientWidth, kLogoHeight);
    Image1->setPixmap(QPixmap(QStringLiteral(":/logo.jpg")));
    Image1->setScaledContents(true);

    Panel1 = new QFrame(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(14, 14, 64, 64);
    Image3 = new QLabel(Panel1);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(2, 2, 60, 60);
    Image3->setPixmap(QPixmap(QStringLiteral(":/corner.png")));
    Image3->setScaledContents(true);

    SBpass = new QToolButton(client);
    SBpass->setObjectName(QStringLiteral("SBpass"));
    SBpass->setAutoRaise(true);
    SBpass->setGeometry(0, 0, 9, kLogoHeight);
    connect(SBpass, &QToolButton::clicked, this, &TFoOrvex::SBpassClick);

    EdPass = new AccessBox(client);
    EdPass->setGeometry(12, 62, 96, 22);
    EdPass->hide();
    connect(EdPass, &AccessBox::keyTyped, this, &TFoOrvex::EdPassKeyTyped);
    connect(EdPass, &AccessBox::clicked, this, &TFoOrvex::EdPassClick);

    const int row = kLogoHeight + 4;
    BitBtnNomeCognome = addButton(client, "BitBtnNomeCognome", QStringLiteral("Nombre y Apellidos"),
                                  QRect(6, row, 246, 26), true);
    connect(BitBtnNomeCognome, &QPushButton::clicked, this, &TFoOrvex::BitBtnNomeCognomeClick);
    auto* istruz = addButton(client, "BBistruz", QStringLiteral("Instrucciones"),
                             QRect(258, row, 120, 26), true);
    connect(istruz, &QPushButton::clicked, this, &TFoOrvex::BBistruzClick);
    auto* dispensa =
        addButton(client, "BBdispensa", QStringLiteral("Libreto"), QRect(384, row, 120, 26), true);
    connect(dispensa, &QPushButton::clicked, this,
            [] { OpenDocument(QStringLiteral("Dispensa.pdf")); });
    addButton(client, "EdAggiorna", QStringLiteral("Actualización"), QRect(510, row, 120, 26),
              false);
}

void TFoOrvex::buildTabs() {
    PageControl1 = new QTabWidget(centralWidget());
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(4, kLogoHeight + 34, kClientWidth - 8, 262);

    // Astrological functions: the subject, the chart sheets, the analysis window.
    auto* astro = new QWidget;
    astro->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(astro, QStringLiteral("Funciones Astrológica"));
    const int w = 204;
    // The subject: enter, retrieve, delete, modify. Each dialog closes back into the main
    // window, whose activation recomputes the chart.
    const auto subjectButton = [&](const char* name, const char* caption, int y,
                                   QDialog* ProgramWindows::*dialogOf, int margin) {
        auto* button = addButton(astro, name, QString::fromUtf8(caption), QRect(8, y, w, 28), true);
        connect(button, &QPushButton::clicked, this, [this, dialogOf, margin] {
            if (QDialog* dialog = windows_.*dialogOf)
                showModal(dialog, margin);
        });
    };
    subjectButton("BitBtnInputA", "Int. Datos Nacimiento", 8, &ProgramWindows::InputDialog, 10);
    subjectButton("BitBtnDati", "Recuperar Sujeto", 40, &ProgramWindows::RetrieveDialog, 0);
    subjectButton("BitBtnCancel", "Eliminar datos Nacimiento", 72, &ProgramWindows::DeleteDialog,
                  10);
    subjectButton("BitBtn1", "Modi. Datos Nacim./Crear texto", 104, &ProgramWindows::ModifyDialog,
                  10);
    AddLabel(astro, "Label1", QStringLiteral("Sujeso actualmente seleccionado"),
             QRect(220, 4, 392, 18));
    MemoDati = new QPlainTextEdit(astro);
    MemoDati->setObjectName(QStringLiteral("MemoDati"));
    MemoDati->setReadOnly(true);
    MemoDati->setGeometry(220, 22, 392, 110);
    MemoDati->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoDati->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoDati->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoDati->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: #008080; color: #ffffff; }"));
    MemoDati->viewport()->installEventFilter(this);
    MemoAnnotaz = new QPlainTextEdit(astro);
    MemoAnnotaz->setObjectName(QStringLiteral("MemoAnnotaz"));
    MemoAnnotaz->setReadOnly(true);
    MemoAnnotaz->setGeometry(MemoDati->geometry());
    MemoAnnotaz->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoAnnotaz->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: #c0c0c0; color: #000000; }"));
    MemoAnnotaz->viewport()->installEventFilter(this);
    MemoAnnotaz->hide();

    // The chart sheets: the chart recomputed, then the natal chart window, not modal.
    const int sheets = 146;
    const auto sheetButton = [&](const char* name, const char* caption, int x,
                                 std::int32_t layout) {
        auto* button =
            addButton(astro, name, QString::fromLatin1(caption), QRect(x, 144, sheets, 30), true);
        connect(button, &QPushButton::clicked, this, [this, layout] { OpenChartSheet(layout); });
    };
    sheetButton("BBOriz", "Horizontal 1", 8, SheetLayout::Horizontal1);
    sheetButton("BBoriz2", "Horizontal 2", 158, SheetLayout::Horizontal2);
    sheetButton("BBVert", "Vertical 1", 308, SheetLayout::Vertical1);
    sheetButton("BBvert2", "Vertical 2", 458, SheetLayout::Vertical2);
    addButton(astro, "BBProped", QStringLiteral("Modelo propedéutico interactivo"),
              QRect(8, 182, 596, 30), false);

    // Remedies: browsers and searches of the knowledge base.
    auto* remedies = new QWidget;
    remedies->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(remedies, QStringLiteral("Consulta de Remedios"));
    const struct {
        const char* name;
        const char* caption;
    } remedyButtons[] = {
        {"BBSintomi", "Síntomas"},
        {"BitBtn2", "Remedios"},
        {"BitBtn3", "Terapias"},
        {"BitBtn4", "Base de Datos Principal"},
        {"BBaggRep", "Repertorio de Terapias"},
        {"BitBtn5", "Signaturas Astrológicas / S"},
        {"BitBtn6", "Debilitación Astrológica / T"},
        {"BitBtn7", "Plantas y Ingredientes activos"},
        {"BitBtn9", "Síntesis Psíquica"},
    };
    int index = 0;
    for (const auto& b : remedyButtons) {
        const int column = index < 5 ? 0 : 1;
        const int line = index < 5 ? index : index - 5;
        addButton(remedies, b.name, QString::fromUtf8(b.caption),
                  QRect(8 + column * 304, 8 + line * 34, 292, 28), false);
        ++index;
    }
    Bmirel1 =
        addButton(remedies, "Bmirel1", QStringLiteral("Mirelo-1"), QRect(312, 144, 142, 28), false);
    Bmirel2 =
        addButton(remedies, "Bmirel2", QStringLiteral("Mirelo-2"), QRect(462, 144, 142, 28), false);
    Bmirel1->hide();
    Bmirel2->hide();
    BButility = addButton(remedies, "BButility", QStringLiteral("Utility Ricerca"),
                          QRect(312, 178, 292, 28), false);
    BButility->hide();

    // Accessory functions: settings, calibration, backup, and the maintenance controls that
    // nothing shows.
    auto* accessory = new QWidget;
    accessory->setObjectName(QStringLiteral("TabSheet5"));
    PageControl1->addTab(accessory, QStringLiteral("Funciones Accesorias"));
    auto* orbs =
        addButton(accessory, "BitBtnVarOrbAsp", QStringLiteral("Variación Aspectos Órbitas"),
                  QRect(8, 8, 596, 30), true);
    connect(orbs, &QPushButton::clicked, this, &TFoOrvex::BitBtnVarOrbAspClick);
    auto* circles = addButton(accessory, "BBCerchio",
                              QStringLiteral("Redondez círculos y redimensionamiento del cuadro"),
                              QRect(8, 44, 596, 30), true);
    connect(circles, &QPushButton::clicked, this, &TFoOrvex::BBCerchioClick);
    auto* lines = addButton(accessory, "BitBtn22", QStringLiteral("Grosor de líneas"),
                            QRect(8, 80, 596, 30), true);
    connect(lines, &QPushButton::clicked, this, [this] {
        if (windows_.FoSpeLin)
            showModal(windows_.FoSpeLin, 10);
    });
    auto* backup = addButton(accessory, "BBSalva",
                             QStringLiteral("Copia de Seguridad/Restauración de los datos de "
                                            "Nacimiento y Textos"),
                             QRect(8, 116, 596, 30), true);
    connect(backup, &QPushButton::clicked, this, [this] {
        // Made for each use and gone when it closes.
        TFoBakMod1 dialog(this);
        showModal(&dialog, 10);
    });
    for (const auto& [name, caption] :
         {std::pair{"Button1", "Manutenzione"}, std::pair{"BitBtn8", "Principi"},
          std::pair{"BBriceCompo", "Sintomi Multipli"}, std::pair{"BitBtn10", "Terapie Composite"}})
        addButton(accessory, name, QString::fromLatin1(caption), QRect(8, 152, 140, 26), false)
            ->hide();
    auto* check =
        addButton(accessory, "Button2", QStringLiteral("Button2"), QRect(8, 152, 140, 26), true);
    check->hide();
    connect(check, &QPushButton::clicked, this, &TFoOrvex::Button2Click);
    ListBox1 = new QListWidget(accessory);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSortingEnabled(false);
    ListBox1->setGeometry(156, 152, 200, 60);
    ListBox1->hide();
}

void TFoOrvex::buildBottomBar() {
    Panel9 = new QFrame(centralWidget());
    Panel9->setObjectName(QStringLiteral("Panel9"));
    Panel9->setFrameShape(QFrame::Panel);
    Panel9->setFrameShadow(QFrame::Raised);
    Panel9->setGeometry(0, kClientHeight - 58, kClientWidth, 58);

    AddLabel(Panel9, "Label2", QStringLiteral("Nodo Lunar"), QRect(8, 4, 100, 16));
    ComboNodo = new QComboBox(Panel9);
    ComboNodo->setObjectName(QStringLiteral("ComboNodo"));
    ComboNodo->setEditable(true);
    ComboNodo->addItems({QStringLiteral("VERO"), QStringLiteral("MEDIO")});
    ComboNodo->setGeometry(8, 22, 100, 26);
    ComboNodo->lineEdit()->installEventFilter(this);
    connect(ComboNodo, &QComboBox::currentTextChanged, this, &TFoOrvex::ComboNodoChange);

    AddLabel(Panel9, "Label3", QStringLiteral("Órbi. de los Asp."), QRect(118, 4, 140, 16));
    ComboOrb = new QComboBox(Panel9);
    ComboOrb->setObjectName(QStringLiteral("ComboOrb"));
    ComboOrb->setEditable(true);
    ComboOrb->addItems({QStringLiteral("A (normali)"), QStringLiteral("B (personali)"),
                        QStringLiteral("C (personali)")});
    ComboOrb->setGeometry(118, 22, 140, 26);
    connect(ComboOrb, &QComboBox::currentTextChanged, this, &TFoOrvex::ComboOrbChange);

    BBlk = new QToolButton(Panel9);
    BBlk->setObjectName(QStringLiteral("BBlk"));
    BBlk->setToolTip(QStringLiteral("Sblocca/Blocca"));
    BBlk->setIconSize(QSize(22, 22));
    BBlk->setGeometry(264, 20, 32, 30);
    connect(BBlk, &QToolButton::clicked, this, &TFoOrvex::BBlkClick);
    setComboLock(true);

    auto* printer = new QToolButton(Panel9);
    printer->setObjectName(QStringLiteral("SBtipoStamp"));
    printer->setGeometry(312, 14, 34, 34);
    printer->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    connect(printer, &QToolButton::clicked, this, &TFoOrvex::ShowPrinterDialog);
    // The labels beside the button open the printer dialog as well.
    Label34 = AddLabel(Panel9, "Label34", QStringLiteral("Tipo de "), QRect(350, 14, 80, 16));
    Label35 = AddLabel(Panel9, "Label35", QStringLiteral("Impresora"), QRect(350, 30, 80, 16));
    Label34->installEventFilter(this);
    Label35->installEventFilter(this);

    BBApriTesto = addButton(Panel9, "BBApriTesto", QStringLiteral("Abrir texto"),
                            QRect(446, 16, 110, 28), true);
    BBApriTesto->hide();
    connect(BBApriTesto, &QPushButton::clicked, this, &TFoOrvex::BBApriTestoClick);

    Image9 = new QLabel(Panel9);
    Image9->setObjectName(QStringLiteral("Image9"));
    Image9->setToolTip(QStringLiteral("Chiudi il Programma"));
    Image9->setGeometry(kClientWidth - 54, 5, 48, 48);
    Image9->setScaledContents(true);
    Image9->setPixmap(QPixmap(QStringLiteral(":/FineProg.bmp")));
    Image9->installEventFilter(this);
}

// ---- Activation ------------------------------------------------------------------------

bool TFoOrvex::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TFoOrvex::FormActivate() {
    ReplaceOldBackupFolder();
    EnsureBaseArchive();
    MainWindowWidth = width();
    MainWindowHeight = height();

    Personalisation& personal = GlobalPersonalisation();
    ReadPersonalisation(personal);
    showDisplayName();

    DisplaySettings& display = GlobalDisplaySettings();
    display = LoadOrCreateDisplaySettings(display.BackupFolder);
    ApplyDisplaySettings(display);

    {
        const QSignalBlocker blocker(ComboNodo);
        ComboNodo->setEditText(QStringFromCp1252(GlobalChart().NodeKind.view()));
    }
    if (windows_.FgrOrvex)
        windows_.FgrOrvex->fillScreenAndHide();
    if (windows_.FgrNaSpa)
        windows_.FgrNaSpa->fillScreenAndHide();
    if (windows_.FgrTxtSpa)
        windows_.FgrTxtSpa->fillScreenAndHide();

    showSubjectPanel();

    setComboLock(true);
    const std::string letter = GlobalOrbSettings().OrbSetLetter.str();
    showOrbSetLetter(letter.empty() ? 0 : letter[0]);
}

void TFoOrvex::showDisplayName() {
    // Until a name has been read the button keeps its own caption rather than none.
    const Personalisation& personal = GlobalPersonalisation();
    if (!personal.UserDisplayName.empty())
        BitBtnNomeCognome->setText(QStringFromCp1252(personal.UserDisplayName.view()));
}

void TFoOrvex::showSubjectPanel() {
    const SubjectPanel panel = ComputeCurrentChart();
    if (panel.MemoDati) {
        QStringList lines;
        for (const std::string& line : *panel.MemoDati)
            lines << QStringFromCp1252(line);
        MemoDati->setPlainText(lines.join(QLatin1Char('\n')));
    }
    MemoAnnotaz->setPlainText(QStringFromCp1252(panel.MemoAnnotaz));
    if (panel.BBApriTestoVisible)
        BBApriTesto->setVisible(*panel.BBApriTestoVisible);
}

void TFoOrvex::OpenChartSheet(std::int32_t layout) {
    showSubjectPanel();
    PrepareSheet(GlobalNatalSheet(), layout, GlobalChart(),
                 GlobalPersonalisation().UserDisplayName.str());
    if (TFgrNaSpa* window = windows_.FgrNaSpa) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void TFoOrvex::BBCerchioClick() {
    GlobalNatalSheet().SummaryLayout = SheetLayout::Calibration;
    if (TFgrTxtSpa* window = windows_.FgrTxtSpa) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void TFoOrvex::ShowPrinterDialog() {
    if (windows_.FoStampa)
        showModal(windows_.FoStampa, 10);
}

void TFoOrvex::placeDialog(QWidget* dialog, int margin) {
    QCoreApplication::processEvents();
    MainWindowTop = y();
    MainWindowLeft = x();
    dialog->move(MainWindowLeft + MainWindowWidth + margin - dialog->width(),
                 MainWindowTop + MainWindowHeight + margin - dialog->height());
}

void TFoOrvex::showModal(QDialog* dialog, int margin) {
    placeDialog(dialog, margin);
    dialog->exec();
    // The main window becomes active again, and with it the chart is recomputed, on every
    // window system, also on those that leave the activation to the program.
    activateWindow();
}

// ---- The lock and the two settings combos -------------------------------------------

void TFoOrvex::setComboLock(bool locked) {
    for (QComboBox* combo : {ComboOrb, ComboNodo}) {
        combo->setEnabled(!locked);
        combo->setStyleSheet(QString::fromLatin1(locked ? kLockedCombo : kUnlockedCombo));
    }
    BBlk->setIcon(QIcon(locked ? QStringLiteral(":/LockShut") : QStringLiteral(":/LockOpen")));
}

void TFoOrvex::BBlkClick() {
    setComboLock(ComboOrb->isEnabled());
}

void TFoOrvex::showOrbSetLetter(char letter) {
    const std::string item = OrbSetItem(letter);
    if (item.empty())
        return;
    const QSignalBlocker blocker(ComboOrb);
    ComboOrb->setEditText(QString::fromStdString(item));
}

void TFoOrvex::ComboOrbChange() {
    const char letter = OrbSetLetterOfItem(ComboOrb->currentText().toStdString());
    if (letter != 0)
        GlobalOrbSettings().OrbSetLetter = std::string(1, letter);
    OrbChangePending = true;
    installIdleHandler();
}

void TFoOrvex::ComboNodoChange() {
    GlobalChart().NodeKind = Cp1252FromQString(ComboNodo->currentText());
    GlobalOrbSettings().NodeKind = GlobalChart().NodeKind.view();
    NodeChangePending = true;
    installIdleHandler();
}

void TFoOrvex::ComboNodoDblClick() {
    NodeChangePending = true;
    const std::string next = GlobalChart().NodeKind == "VERO" ? "MEDIO" : "VERO";
    GlobalChart().NodeKind = next;
    GlobalOrbSettings().NodeKind = next;
    {
        const QSignalBlocker blocker(ComboNodo);
        ComboNodo->setEditText(QString::fromLatin1(next.c_str()));
    }
    installIdleHandler();
}

void TFoOrvex::installIdleHandler() {
    idleTimer_.start();
}

void TFoOrvex::MyIdleHandler() {
    if (NodeChangePending) {
        const QString text = ComboNodo->currentText();
        if (text != QLatin1String("MEDIO") && text != QLatin1String("VERO")) {
            const QSignalBlocker blocker(ComboNodo);
            ComboNodo->setEditText(QStringLiteral("MEDIO"));
            GlobalChart().NodeKind = "MEDIO";
        }
        NodeChangePending = false;
        ReplaceOrbSettingsLine(18, GlobalChart().NodeKind.view());
    }
    if (OrbChangePending) {
        OrbChangePending = false;
        if (OrbSetLetterOfItem(ComboOrb->currentText().toStdString()) == 0) {
            const QSignalBlocker blocker(ComboOrb);
            ComboOrb->setEditText(QStringLiteral("A (normali)"));
            GlobalOrbSettings().OrbSetLetter = "A";
        }
        const std::string letter = GlobalOrbSettings().OrbSetLetter.str();
        if (!SelectOrbSet(letter.empty() ? 'A' : letter[0])) {
            QMessageBox::critical(this, QString(), QStringLiteral("Manca File \"MMVarOrb.dum\""));
            return;
        }
        showOrbSetLetter(GlobalOrbSettings().OrbSetLetter.str()[0]);
    }
}

// ---- Access box ------------------------------------------------------------------------

void TFoOrvex::SBpassClick() {
    if (EdPass->isVisible()) {
        EdPass->hide();
        return;
    }
    EdPass->show();
    EdPass->raise();
    EdPass->setFocus();
}

void TFoOrvex::EdPassKeyTyped() {
    if (EdPass->keys() == kAdministratorWord) {
        AdminMode = true;
        BButility->show();
        for (QWidget* window : {static_cast<QWidget*>(windows_.FoMainArc),
                                static_cast<QWidget*>(windows_.FoAggRep)}) {
            if (!window)
                continue;
            for (const char* name : {"MemoInfo", "BBRico", "BBinfo", "BBelimina", "BBsalva",
                                     "BBnuovo", "BBmodifEle", "BBtrova", "EdTrova"})
                if (auto* control = window->findChild<QWidget*>(QString::fromLatin1(name)))
                    control->show();
        }
        EdPass->hide();
        EdPass->setText(QStringLiteral("OK"));
    } else if (EdPass->keys() == kExpertWord) {
        ExpertMode = true;
        Bmirel1->show();
        Bmirel2->show();
        EdPass->hide();
    }
}

void TFoOrvex::EdPassClick() {
    EdPass->hide();
    EdPass->clear();
    EdPass->clearKeys();
    if (!windows_.FoMainArc)
        return;
    for (const char* name : {"MemoInfo", "BBRico", "BBelimina", "BBsalva", "BBnuovo"})
        if (auto* control = windows_.FoMainArc->findChild<QWidget*>(QString::fromLatin1(name)))
            control->hide();
}

// ---- Dialogs and documents ---------------------------------------------------------

void TFoOrvex::BitBtnNomeCognomeClick() {
    if (!windows_.FoNomUte)
        return;
    showModal(windows_.FoNomUte, 10);
    showDisplayName();
}

void TFoOrvex::BBistruzClick() {
    if (!windows_.FoIstDef)
        return;
    showModal(windows_.FoIstDef, 10);
}

void TFoOrvex::BitBtnVarOrbAspClick() {
    if (!windows_.FoOrbSpa)
        return;
    showModal(windows_.FoOrbSpa, 10);
}

void TFoOrvex::BBApriTestoClick() {
    const std::vector<std::string> lines = ReadTextLines("FileDum\\StrText.dum");
    const std::string archive = lines.size() > 0 ? lines[0] : std::string();
    const std::string number = lines.size() > 1 ? lines[1] : std::string();
    const std::string path = archive + "txt" + "/" + number + ".txt";
    WriteTextToEdit(path);
    if (windows_.FoReMaiH)
        windows_.FoReMaiH->openFile(QStringFromCp1252(path));
}

void TFoOrvex::Button2Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const std::vector<std::string> missing = RemediesWithoutTherapy();
        ListBox1->clear();
        for (const std::string& name : missing)
            ListBox1->addItem(QStringFromCp1252(name));
        WriteMissingTherapiesReport(missing);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

// ---- Clicks on the memos, the node combo and the exit picture --------------------------

void TFoOrvex::Image9MouseDown() {
    Image9->setPixmap(QPixmap(QStringLiteral(":/FineProgClic.bmp")));
}

void TFoOrvex::Image9MouseUp() {
    Image9->setPixmap(QPixmap(QStringLiteral(":/FineProg.bmp")));
    close();
}

bool TFoOrvex::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == MemoDati->viewport() && type == QEvent::MouseButtonPress) {
        MemoAnnotaz->show();
        MemoAnnotaz->raise();
    } else if (watched == MemoAnnotaz->viewport() && type == QEvent::MouseButtonPress) {
        MemoAnnotaz->hide();
    } else if (watched == ComboNodo->lineEdit() && type == QEvent::MouseButtonDblClick) {
        ComboNodoDblClick();
        return true;
    } else if (watched == Image9 && type == QEvent::MouseButtonPress) {
        Image9MouseDown();
    } else if (watched == Image9 && type == QEvent::MouseButtonRelease) {
        Image9MouseUp();
    } else if ((watched == Label34 || watched == Label35) && type == QEvent::MouseButtonPress) {
        ShowPrinterDialog();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace exo
