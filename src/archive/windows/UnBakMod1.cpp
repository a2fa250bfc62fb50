#include "archive/windows/UnBakMod1.h"

#include "archive/Backup.h"
#include "archive/windows/SubjectSearch.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

namespace exo {

namespace {

constexpr const char* kDisplaySettingsFile = "FileSet\\MMVarLas.stt";
constexpr std::size_t kDisplaySettingsLines = 8;
constexpr std::size_t kBackupFolderLine = 6;

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kBlue(0x00, 0x00, 0xFF);

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// The warning with the buttons "Sí" and "No"; true for "Sí".
bool AskWarning(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

// The chosen destination becomes line 6 of the display settings, the others kept as they are.
void RecordBackupFolder(const QString& folder) {
    std::vector<std::string> lines = ReadTextLines(kDisplaySettingsFile);
    if (lines.size() < kDisplaySettingsLines)
        throw InOutError(ResolveProgramPath(kDisplaySettingsFile), "read",
                         "faltan líneas de ajustes");
    lines.resize(kDisplaySettingsLines);
    lines[kBackupFolderLine - 1] = Cp1252FromQString(folder);
    WriteTextLines(kDisplaySettingsFile, lines);
}

// The volume list shows each root with its name in upper case.
QString VolumeEntry(const BackupVolume& volume) {
    const QString root = QString::fromStdString(volume.root);
    const QString name = QString::fromStdString(volume.name).toUpper();
    return name.isEmpty() || name == root.toUpper() ? root
                                                    : root + QStringLiteral("  [") + name + ']';
}

const char* const kExplanation =
    "La copia de seguridad guarda el archivo personal BASE (BASE.ST1, BASE.ST2, BASE.ST3) y "
    "sus textos (BASEtxt) en la carpeta ExorvexBck de la unidad elegida. Restablecer los "
    "vuelve a copiar en el programa y sustituye los datos actuales. Cada archivo copiado se "
    "comprueba; OK aparece sólo cuando todos se han copiado.";

} // namespace

TFoBakMod1::TFoBakMod1(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FoBakMod1"));
    setWindowTitle(QStringLiteral("Copia de seguridad / Restaurar Archivo BASE"));
    setFixedSize(kClientWidth, kClientHeight);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(10, 10, 440, 78);
    Memo1->setReadOnly(true);
    Memo1->setPlainText(QString::fromUtf8(kExplanation));

    Panel4 = new QFrame(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFrameShape(QFrame::StyledPanel);
    Panel4->setGeometry(10, 96, 440, 46);
    LabDef1 = AddLabel(Panel4, "LabDef1", QStringLiteral("Seleccione la unidad en la cual"),
                       QRect(10, 4, 420, 18));
    LabDef2 = AddLabel(Panel4, "LabDef2", QStringLiteral("copiar / adquirir los datos"),
                       QRect(10, 23, 420, 18));

    LabDest = AddLabel(this, "LabDest", QStringLiteral("Unidad:"), QRect(10, 154, 80, 22));
    EditDest = AddEdit(this, "EditDest", QRect(95, 152, 355, 26), true);
    EditDest->setAutoFillBackground(true);
    AddLabel(this, "LabData", QStringLiteral("Última copia:"), QRect(10, 190, 85, 22));
    EditData = AddEdit(this, "EditData", QRect(95, 188, 110, 26), true);
    LabOkDati = AddLabel(this, "LabOkDati", QStringLiteral("OK"), QRect(220, 190, 60, 22));
    QFont bold = LabOkDati->font();
    bold.setBold(true);
    LabOkDati->setFont(bold);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(10, 228, 440, 36);
    BBCambiaDest = AddButton(Panel1, "BBCambiaDest", QStringLiteral("Elegir unidad Backup"),
                             QRect(0, 2, 190, 32));
    BBbackup = AddButton(Panel1, "BBbackup", QStringLiteral("Backup"), QRect(200, 2, 115, 32));
    BBRestore =
        AddButton(Panel1, "BBRestore", QStringLiteral("Restablecer"), QRect(325, 2, 115, 32));

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(10, 232, 395, 28);
    BBchiudiScelta =
        AddButton(this, "BBchiudiScelta", QStringLiteral("X"), QRect(415, 232, 35, 28));

    BitBtnRitorna = AddButton(this, "BitBtnRitorna", QStringLiteral("Atrás"),
                              QRect(350, kClientHeight - 44, 100, 32));

    connect(BBCambiaDest, &QPushButton::clicked, this, [this] { BBCambiaDestClick(); });
    connect(BBchiudiScelta, &QPushButton::clicked, this, [this] { BBchiudiSceltaClick(); });
    connect(DriveComboBox1, &QComboBox::activated, this,
            [this](int index) { DriveComboBox1Change(index); });
    connect(BBbackup, &QPushButton::clicked, this, [this] { BBbackupClick(); });
    connect(BBRestore, &QPushButton::clicked, this, [this] { BBRestoreClick(); });
    connect(BitBtnRitorna, &QPushButton::clicked, this, [this] { reject(); });
}

void TFoBakMod1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TFoBakMod1::done(int result) {
    if (!programFolder_.isEmpty())
        QDir::setCurrent(programFolder_);
    QDialog::done(result);
}

void TFoBakMod1::setDestination(const QString& text, bool chosen) {
    EditDest->setText(text);
    SetEditColour(EditDest, chosen ? kAqua : kRed);
}

void TFoBakMod1::FormActivate() {
    programFolder_ = QDir::currentPath();
    root_.clear();
    backupFolder_ = QString::fromLatin1(kUnchosenBackupFolder);
    setDestination(backupFolder_, false);
    LabDest->setText(QStringLiteral("Unidad:"));
    SetTextColour(LabDest, kBlue);
    EditData->setText(QStringFromCp1252(LastBackupDate()));
    LabOkDati->hide();
    SetTextColour(LabOkDati, kBlue);
    Panel4->show();
    Panel1->show();
    DriveComboBox1->hide();
    BBchiudiScelta->hide();
}

void TFoBakMod1::BBCambiaDestClick() {
    DriveComboBox1->clear();
    for (const BackupVolume& volume : BackupVolumes())
        DriveComboBox1->addItem(VolumeEntry(volume), QString::fromStdString(volume.root));
    DriveComboBox1->setCurrentIndex(-1);
    Panel1->hide();
    DriveComboBox1->show();
    BBchiudiScelta->show();
    DriveComboBox1->setFocus();
}

void TFoBakMod1::BBchiudiSceltaClick() {
    DriveComboBox1->hide();
    BBchiudiScelta->hide();
    Panel1->show();
}

void TFoBakMod1::DriveComboBox1Change(int index) {
    const QString root = DriveComboBox1->itemData(index).toString();
    if (root.isEmpty())
        return;
    const QString folder = QString::fromStdString(BackupFolderOn(root.toStdString()));
    setDestination(folder, true);
    Panel4->hide();
    RunChecked([&] { RecordBackupFolder(folder); });
    root_ = root;
    backupFolder_ = folder;
    BBchiudiSceltaClick();
}

void TFoBakMod1::BBbackupClick() {
    LabDest->setText(QStringLiteral("Destinat.:"));
    SetTextColour(LabDest, kBlue);
    if (root_.isEmpty()) {
        ShowArchiveMessage(this, QStringLiteral("Definir la unidad de copia de seguridad"));
        return;
    }
    if (!QFileInfo(root_).isDir()) {
        ShowArchiveMessage(this, QStringLiteral("Unidad ") + root_ +
                                     QStringLiteral(" no está disponible"));
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const TransferResult result = BackupPersonalArchive(root_.toStdString(), TodayDateText());
    QGuiApplication::restoreOverrideCursor();
    if (!result.ok()) {
        ShowArchiveMessage(this, QStringLiteral("La copia de seguridad no se ha completado:\n") +
                                     QString::fromStdString(*result.failure));
        return;
    }
    LabOkDati->show();
}

void TFoBakMod1::BBRestoreClick() {
    LabDest->setText(QStringLiteral("Source:"));
    SetTextColour(LabDest, kRed);
    if (EditDest->text() == QLatin1String(kUnchosenBackupFolder)) {
        ShowArchiveMessage(this, QStringLiteral("Definir la unidad de copia de seguridad"));
        LabDest->setText(QStringLiteral("Unidad:"));
        SetTextColour(LabDest, kBlue);
        return;
    }
    const QString folder = EditDest->text();
    if (!QFileInfo(folder).isDir()) {
        ShowArchiveMessage(this, QStringLiteral("El origin ") + folder +
                                     QStringLiteral(" no está disponible"));
    } else {
        LabOkDati->hide();
        SetTextColour(LabOkDati, kRed);
        if (!AskWarning(this, QStringLiteral("¿SUSTITUIR los datos actual con una COPIA?"))) {
            LabDest->setText(QStringLiteral("Origine:"));
        } else {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            const TransferResult result = RestorePersonalArchive(root_.toStdString());
            QGuiApplication::restoreOverrideCursor();
            if (result.ok()) {
                LabOkDati->show();
                LabDest->setText(QStringLiteral("Unidad:"));
            } else {
                ShowArchiveMessage(this, QStringLiteral("No se han restablecido los datos:\n") +
                                             QString::fromStdString(*result.failure));
            }
        }
    }
    SetTextColour(LabDest, kBlue);
}

} // namespace exo
