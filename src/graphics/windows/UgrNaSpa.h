#pragma once
// TFgrNaSpa: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include "graphics/windows/FullScreenWindow.h"

namespace exo {

class TFgrNaSpa : public FullScreenWindow {
    Q_OBJECT
  public:
    explicit TFgrNaSpa(QWidget* parent = nullptr);
};

} // namespace exo
