#pragma once
// The application-level handler for errors that escape a window's event handler: the
// standard error box is shown and the action stops there, the program goes on.
#include "platform/Errors.h"

#include <QApplication>
#include <QString>

#include <functional>

namespace exo {

// The text of the standard error box for an error, in the program's language.
QString StandardErrorText(const std::exception& error);

// Shows the standard error box (a modal critical message with an OK button).
void ShowStandardError(const QString& text);

// Where the error box goes: window tests set a presenter that records the text instead of
// opening a modal box; an empty presenter restores the box.
void SetErrorPresenter(std::function<void(const QString&)> presenter);

// Runs one action of a window's handler; a file or conversion failure shows the standard
// error box and stops the action there. Returns whether the action ran to its end.
template <class Action> bool RunChecked(Action&& action);

class ExoApplication : public QApplication {
  public:
    ExoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

template <class Action> bool RunChecked(Action&& action) {
    try {
        action();
        return true;
    } catch (const InOutError& error) {
        ShowStandardError(StandardErrorText(error));
    } catch (const ConvertError& error) {
        ShowStandardError(StandardErrorText(error));
    }
    return false;
}

} // namespace exo
