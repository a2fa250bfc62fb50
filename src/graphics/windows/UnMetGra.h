#pragma once
// The metafile viewer: shows a chart sheet saved in the Emf folder, stretched over its whole
// white client area. The natal chart window names the file and chooses the client size from
// the orientation the sheet was saved in; the viewer centres itself on the screen.
#include "graphics/EmfPlayer.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <string>

class QPushButton;

namespace exo {

class TFoMetGra : public QDialog {
    Q_OBJECT
  public:
    explicit TFoMetGra(QWidget* parent = nullptr);

    // The file below Emf, as typed or chosen in the natal chart window (Windows-1252).
    void setMetafileName(const std::string& name);
    const std::string& metafileName() const { return metafileName_; }

    // The client area's size, centred on the primary screen.
    void setClientSize(int width, int height);
    // setClientSize, then the viewer shown modally; returns when it is closed.
    int showMetafile(int width, int height);

    // The caption of a file name: the file's full path in the program folder, the name
    // without any folder of its own, and three blanks.
    static QString CaptionOf(const std::string& name);

    // Whether a picture is loaded and drawn.
    bool pictureShown() const { return picture_.has_value(); }

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void FormActivate();
    void FormResize();
    void CentreOnScreen();
    // Emf\ + the name when it exists; a damaged file is reported when `report`, and leaves
    // the viewer white.
    void LoadPicture(bool report);

    std::string metafileName_;
    std::optional<EmfPlayer> picture_;
    QPushButton* BBClose = nullptr;
};

} // namespace exo
