#pragma once
// TFoReMaiH, the report editor: the subject windows show it modally over themselves once
// they have named the subject's text in FileDum\DatModif.dum, and "Abrir texto" opens the
// current subject's text in it (openFile).
#include "editor/windows/ReportEditor.h"

namespace exo {

class TFoReMaiH : public ReportEditor {
    Q_OBJECT
  public:
    explicit TFoReMaiH(QWidget* parent = nullptr);
};

} // namespace exo
