#include "graphics/windows/ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace exo {

namespace {

constexpr int kSide = 24;

void Sheet(QPainter& p, bool landscape) {
    const QRectF page = landscape ? QRectF(2.5, 6.5, 19, 12) : QRectF(6.5, 2.5, 12, 19);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(page);
    p.setPen(QPen(Qt::darkGray, 1));
    for (qreal y = page.top() + 3; y < page.bottom() - 2; y += 3)
        p.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
}

void Wheel(QPainter& p, bool colour) {
    p.setPen(QPen(colour ? QColor(Qt::red) : QColor(Qt::black), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setPen(QPen(colour ? QColor(Qt::blue) : QColor(Qt::black), 2));
    p.drawLine(QPointF(5, 12), QPointF(19, 12));
    p.setPen(QPen(colour ? QColor(Qt::darkGreen) : QColor(Qt::black), 2));
    p.drawLine(QPointF(12, 5), QPointF(12, 19));
}

// The figure the button turns the aspects into.
void Aspect(QPainter& p, bool spindle) {
    p.setPen(QPen(Qt::red, spindle ? 1 : 2));
    if (!spindle) {
        p.drawLine(QPointF(3, 20), QPointF(21, 4));
        return;
    }
    QPainterPath band;
    band.moveTo(3, 20);
    band.lineTo(10, 11);
    band.lineTo(21, 4);
    band.lineTo(14, 13);
    band.closeSubpath();
    p.setBrush(Qt::red);
    p.drawPath(band);
}

} // namespace

QIcon ChartButtonPicture(const QString& name) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (name == QLatin1String("SetupL") || name == QLatin1String("SetupP"))
        Sheet(p, name.endsWith(QLatin1Char('L')));
    else if (name == QLatin1String("StColor") || name == QLatin1String("StNero"))
        Wheel(p, name == QLatin1String("StColor"));
    else if (name == QLatin1String("LinLos") || name == QLatin1String("LosLin"))
        Aspect(p, name == QLatin1String("LosLin"));
    else
        return {};
    p.end();
    return QIcon(pixmap);
}

} // namespace exo
