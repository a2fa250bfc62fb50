#pragma once
// The small pictures of the natal chart window's buttons, painted by the program: the
// sheet orientation ("SetupL", "SetupP"), colour or black ("StColor", "StNero") and aspect
// lines or spindles ("LinLos", "LosLin").
#include <QIcon>
#include <QString>

namespace exo {

// An empty icon for an unknown name.
QIcon ChartButtonPicture(const QString& name);

} // namespace exo
