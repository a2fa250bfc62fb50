#pragma once
// TFgrOrvex: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include "graphics/windows/FullScreenWindow.h"

namespace exo {

class TFgrOrvex : public FullScreenWindow {
    Q_OBJECT
  public:
    explicit TFgrOrvex(QWidget* parent = nullptr);
};

} // namespace exo
