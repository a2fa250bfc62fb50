// Window tests of the backup dialog, driven headless with Qt Test in a scratch program
// folder; a folder of it is offered as the only volume.
#include "TestFolder.h"
#include "archive/Backup.h"
#include "archive/SubjectArchive.h"
#include "archive/windows/UnBakMod1.h"
#include "platform/Errors.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace exo;
namespace fs = std::filesystem;

namespace {

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kBlue(0x00, 0x00, 0xFF);

template <typename T> T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

// Answers the next message boxes in turn, each with the button of the given caption; their
// texts land in the returned list.
std::shared_ptr<QStringList> Answers(const QStringList& buttons) {
    auto texts = std::make_shared<QStringList>();
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, texts, buttons] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        const QString button = buttons.at(texts->size());
        texts->append(box->text());
        if (texts->size() == buttons.size()) {
            poll->stop();
            poll->deleteLater();
        }
        for (QAbstractButton* candidate : box->buttons()) {
            if (candidate->text() == button) {
                candidate->click();
                return;
            }
        }
        texts->last() += QStringLiteral(" (no button ") + button + ')';
        box->reject();
    });
    poll->start();
    return texts;
}

QColor TextColour(QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

QColor BaseColour(QWidget* widget) {
    return widget->palette().color(QPalette::Base);
}

} // namespace

class BackupWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScratchFolder> folder_;
    std::unique_ptr<TFoBakMod1> dialog_;
    QString volume_;
    QString backup_;

    QPushButton* button(const char* name) { return Child<QPushButton>(dialog_.get(), name); }
    QLineEdit* edit(const char* name) { return Child<QLineEdit>(dialog_.get(), name); }
    QLabel* label(const char* name) { return Child<QLabel>(dialog_.get(), name); }

    void open() {
        dialog_->hide();
        dialog_->show();
    }

    void chooseVolume() {
        button("BBCambiaDest")->click();
        auto* drives = Child<QComboBox>(dialog_.get(), "DriveComboBox1");
        drives->setCurrentIndex(0);
        emit drives->activated(0);
    }

    // Clicks the button and returns the text of the message box it shows, answered with
    // `answer`.
    QString clickAnswering(const char* name, const QString& answer = QStringLiteral("OK")) {
        const auto texts = Answers({answer});
        button(name)->click();
        return texts->value(0);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<test::ScratchFolder>();
        EnsureBaseArchive();
        MakeFolder("FileSet");
        WriteTextLines("FileSet\\MMVarLas.stt",
                       {"1", "0", "0", "1", " 1.0", "Da definire", " 1.0", " 1.0"});
        folder_->write("BASEtxt/00001.txt", "ROSSI MARIO\r\n");
        volume_ = QString::fromStdString((folder_->path() / "volume").string());
        backup_ = volume_ + QStringLiteral("/ExorvexBck");
        fs::create_directories(volume_.toStdString());
        const std::string root = volume_.toStdString();
        SetBackupVolumeLister([root] { return std::vector<BackupVolume>{{root, "prueba"}}; });
        dialog_ = std::make_unique<TFoBakMod1>();
        dialog_->show();
    }
    void cleanup() {
        dialog_.reset();
        SetBackupVolumeLister({});
        SetBackupFileCopy({});
        folder_.reset();
    }

    void firstUseShowsMaiAndNoDestination() {
        QCOMPARE(dialog_->windowTitle(),
                 QStringLiteral("Copia de seguridad / Restaurar Archivo BASE"));
        QCOMPARE(edit("EditData")->text(), QStringLiteral("Mai"));
        QCOMPARE(edit("EditDest")->text(), QStringLiteral("?:\\ExorvexBck"));
        QCOMPARE(BaseColour(edit("EditDest")), kRed);
        QCOMPARE(label("LabDest")->text(), QStringLiteral("Unidad:"));
        QVERIFY(!label("LabOkDati")->isVisible());
        QVERIFY(Child<QFrame>(dialog_.get(), "Panel4")->isVisible());
        QCOMPARE(label("LabDef1")->text(), QStringLiteral("Seleccione la unidad en la cual"));
        QCOMPARE(label("LabDef2")->text(), QStringLiteral("copiar / adquirir los datos"));
        QCOMPARE(button("BBCambiaDest")->text(), QStringLiteral("Elegir unidad Backup"));
        QCOMPARE(button("BBRestore")->text(), QStringLiteral("Restablecer"));
        QCOMPARE(button("BitBtnRitorna")->text(), QStringLiteral("Atrás"));
        QVERIFY(!Child<QComboBox>(dialog_.get(), "DriveComboBox1")->isVisible());
    }

    void withoutAVolumeBothAskForOne() {
        QCOMPARE(clickAnswering("BBbackup"),
                 QStringLiteral("Definir la unidad de copia de seguridad"));
        QCOMPARE(label("LabDest")->text(), QStringLiteral("Destinat.:"));
        QCOMPARE(TextColour(label("LabDest")), kBlue);
        QCOMPARE(clickAnswering("BBRestore"),
                 QStringLiteral("Definir la unidad de copia de seguridad"));
        QCOMPARE(label("LabDest")->text(), QStringLiteral("Unidad:"));
        QCOMPARE(TextColour(label("LabDest")), kBlue);
        QVERIFY(!fs::exists(backup_.toStdString()));
    }

    void choosingAVolumeSetsAndRecordsTheDestination() {
        button("BBCambiaDest")->click();
        auto* drives = Child<QComboBox>(dialog_.get(), "DriveComboBox1");
        QVERIFY(drives->isVisible());
        QVERIFY(!Child<QFrame>(dialog_.get(), "Panel1")->isVisible());
        QCOMPARE(drives->count(), 1);
        QCOMPARE(drives->itemText(0), volume_ + QStringLiteral("  [PRUEBA]"));
        drives->setCurrentIndex(0);
        emit drives->activated(0);
        QCOMPARE(edit("EditDest")->text(), backup_);
        QCOMPARE(BaseColour(edit("EditDest")), kAqua);
        QVERIFY(!Child<QFrame>(dialog_.get(), "Panel4")->isVisible());
        QVERIFY(Child<QFrame>(dialog_.get(), "Panel1")->isVisible());
        QVERIFY(!drives->isVisible());
        const std::vector<std::string> settings = ReadTextLines("FileSet\\MMVarLas.stt");
        QCOMPARE(settings.size(), std::size_t(8));
        QCOMPARE(QString::fromStdString(settings[5]), backup_);
        QCOMPARE(settings[4], std::string(" 1.0"));

        open();
        QCOMPARE(edit("EditDest")->text(), QStringLiteral("?:\\ExorvexBck"));
        QCOMPARE(BaseColour(edit("EditDest")), kRed);
    }

    void closingTheVolumeListKeepsTheDestination() {
        button("BBCambiaDest")->click();
        button("BBchiudiScelta")->click();
        QVERIFY(Child<QFrame>(dialog_.get(), "Panel1")->isVisible());
        QCOMPARE(edit("EditDest")->text(), QStringLiteral("?:\\ExorvexBck"));
    }

    void backupCopiesAndShowsTheDateNextTime() {
        chooseVolume();
        button("BBbackup")->click();
        QVERIFY(label("LabOkDati")->isVisible());
        QCOMPARE(folder_->read("volume/ExorvexBck/DatiBase/BASE.ST1"), folder_->read("BASE.ST1"));
        QCOMPARE(folder_->read("volume/ExorvexBck/BASEtxt/00001.txt"),
                 std::string("ROSSI MARIO\r\n"));
        QCOMPARE(edit("EditData")->text(), QStringLiteral("Mai"));
        open();
        QCOMPARE(edit("EditData")->text(),
                 QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        QVERIFY(!label("LabOkDati")->isVisible());
    }

    void restoreAsksFirst() {
        chooseVolume();
        button("BBbackup")->click();
        const std::string saved = folder_->read("BASE.ST2");
        folder_->write("BASE.ST2", saved + std::string(385, '\0'));
        folder_->write("BASEtxt/00001.txt", "cambiado\r\n");
        folder_->write("BASEtxt/00002.txt", "solo aqui\r\n");

        QCOMPARE(clickAnswering("BBRestore", QStringLiteral("No")),
                 QStringLiteral("¿SUSTITUIR los datos actual con una COPIA?"));
        QCOMPARE(label("LabDest")->text(), QStringLiteral("Origine:"));
        QCOMPARE(TextColour(label("LabDest")), kBlue);
        QVERIFY(!label("LabOkDati")->isVisible());
        QCOMPARE(folder_->read("BASEtxt/00001.txt"), std::string("cambiado\r\n"));

        QCOMPARE(clickAnswering("BBRestore", QStringLiteral("Sí")),
                 QStringLiteral("¿SUSTITUIR los datos actual con una COPIA?"));
        QVERIFY(label("LabOkDati")->isVisible());
        QCOMPARE(TextColour(label("LabOkDati")), kRed);
        QCOMPARE(label("LabDest")->text(), QStringLiteral("Unidad:"));
        QCOMPARE(folder_->read("BASE.ST2"), saved);
        QCOMPARE(folder_->read("BASEtxt/00001.txt"), std::string("ROSSI MARIO\r\n"));
        QCOMPARE(folder_->read("BASEtxt/00002.txt"), std::string("solo aqui\r\n"));
    }

    void aFailedBackupIsReportedAndNotDated() {
        chooseVolume();
        auto calls = std::make_shared<int>(0);
        SetBackupFileCopy([calls](const std::string& from, const std::string& to) {
            if (++*calls == 2)
                throw InOutError(to, "write", "disco lleno");
            CopyFileBytes(from, to);
        });
        const QString text = clickAnswering("BBbackup");
        QVERIFY2(text.startsWith(QStringLiteral("La copia de seguridad no se ha completado:\n")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("disco lleno")), qPrintable(text));
        QVERIFY(!label("LabOkDati")->isVisible());
        QVERIFY(!fs::exists(backup_.toStdString() + "/DatiBase/BASE.ST1"));
        open();
        QCOMPARE(edit("EditData")->text(), QStringLiteral("Mai"));
    }

    void aVolumeThatWentAwayIsReported() {
        chooseVolume();
        fs::remove_all(volume_.toStdString());
        QCOMPARE(clickAnswering("BBbackup"),
                 QStringLiteral("Unidad ") + volume_ + QStringLiteral(" no está disponible"));
        QCOMPARE(clickAnswering("BBRestore"),
                 QStringLiteral("El origin ") + backup_ + QStringLiteral(" no está disponible"));
        QCOMPARE(label("LabDest")->text(), QStringLiteral("Source:"));
        QCOMPARE(TextColour(label("LabDest")), kBlue);
    }

    void aDamagedBackupIsRefused() {
        chooseVolume();
        button("BBbackup")->click();
        folder_->write("volume/ExorvexBck/DatiBase/BASE.ST1", std::string(45, 'x'));
        folder_->write("BASEtxt/00001.txt", "cambiado\r\n");
        const std::string keys = folder_->read("BASE.ST1");
        const auto texts = Answers({QStringLiteral("Sí"), QStringLiteral("OK")});
        button("BBRestore")->click();
        QCOMPARE(texts->size(), 2);
        QCOMPARE(texts->at(0), QStringLiteral("¿SUSTITUIR los datos actual con una COPIA?"));
        QVERIFY2(texts->at(1).startsWith(QStringLiteral("No se han restablecido los datos:\n")),
                 qPrintable(texts->at(1)));
        QVERIFY2(texts->at(1).contains(QStringLiteral("está dañada")), qPrintable(texts->at(1)));
        QVERIFY(!label("LabOkDati")->isVisible());
        QCOMPARE(folder_->read("BASE.ST1"), keys);
        QCOMPARE(folder_->read("BASEtxt/00001.txt"), std::string("cambiado\r\n"));
    }
};

QTEST_MAIN(BackupWindowTest)
#include "BackupWindowTest.moc"
