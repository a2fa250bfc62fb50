#include "graphics/windows/UnMetGra.h"

#include "platform/Cp1252.h"
#include "platform/ErrorBox.h"
#include "platform/PlacedWidgets.h"
#include "platform/ProgramPaths.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>

namespace exo {

namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonMargin = 8;

std::string MetafilePath(const std::string& name) {
    return "Emf\\" + name;
}

std::string WithoutFolder(const std::string& name) {
    const std::size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

} // namespace

TFoMetGra::TFoMetGra(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoMetGra"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    BBClose = AddButton(this, "BBClose", QStringLiteral("Chiudi"), {});
    BBClose->setPalette(QPalette());
    connect(BBClose, &QPushButton::clicked, this, &TFoMetGra::accept);
}

void TFoMetGra::setMetafileName(const std::string& name) {
    metafileName_ = name;
}

void TFoMetGra::setClientSize(int width, int height) {
    resize(width, height);
    CentreOnScreen();
}

void TFoMetGra::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    // The frame is known only once the window is shown; until then it is the client area.
    const QRect area = screen->geometry();
    const QSize outside = frameGeometry().size();
    move(area.x() + (area.width() - outside.width()) / 2,
         area.y() + (area.height() - outside.height()) / 2);
}

int TFoMetGra::showMetafile(int width, int height) {
    setClientSize(width, height);
    return exec();
}

QString TFoMetGra::CaptionOf(const std::string& name) {
    // The program folder stands where the installed folder's drive and path stood.
    const QString file = QStringLiteral("Emf/") + QStringFromCp1252(WithoutFolder(name));
    return QDir::toNativeSeparators(QDir::current().absoluteFilePath(file)) + QStringLiteral("   ");
}

void TFoMetGra::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen();
    FormActivate();
}

void TFoMetGra::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TFoMetGra::FormActivate() {
    setWindowTitle(CaptionOf(metafileName_));
    LoadPicture(true);
    update();
}

void TFoMetGra::FormResize() {
    BBClose->setGeometry(width() - kButtonWidth - kButtonMargin,
                         height() - kButtonHeight - kButtonMargin, kButtonWidth, kButtonHeight);
    // Before the first showing the activation loads the picture and reports its faults.
    if (isVisible())
        LoadPicture(false);
    update();
}

void TFoMetGra::LoadPicture(bool report) {
    picture_.reset();
    const std::string name = MetafilePath(metafileName_);
    if (metafileName_.empty() || !FileExists(name))
        return;
    try {
        picture_.emplace(EmfPlayer::fromFile(ResolveProgramPath(name)));
    } catch (const InOutError& error) {
        if (report)
            ShowStandardError(StandardErrorText(error));
    }
}

void TFoMetGra::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture_)
        return;
    try {
        picture_->play(painter, QRectF(rect()));
    } catch (const InOutError&) {
        // The file was checked when it was read; a picture that still fails is not drawn
        // again.
        picture_.reset();
    }
}

} // namespace exo
