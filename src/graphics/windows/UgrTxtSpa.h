#pragma once
// TFgrTxtSpa: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include "graphics/windows/FullScreenWindow.h"

namespace exo {

class TFgrTxtSpa : public FullScreenWindow {
    Q_OBJECT
  public:
    explicit TFgrTxtSpa(QWidget* parent = nullptr);
};

} // namespace exo
