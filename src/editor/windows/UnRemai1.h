#pragma once
// TFoReMai1, the second report editor: the same window with bold, italic, underline and the
// three alignments on its tool bar. It is created at start; it opens the text named in
// FileDum\DatModif.dum whenever it is shown.
#include "editor/windows/ReportEditor.h"

namespace exo {

class TFoReMai1 : public ReportEditor {
    Q_OBJECT
  public:
    explicit TFoReMai1(QWidget* parent = nullptr);
};

} // namespace exo
