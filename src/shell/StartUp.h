#pragma once
// What the program does once, before its windows exist, and its opening.
#include <memory>

namespace exo {

class TFoOrvex;

// Clears the chart, sets the drawing scale factors from the screen, reads the chart
// settings and asks the printer for its page width. A settings file that cannot be read is
// reported in the standard error box and the program goes on.
void StartProgram();

// The whole opening: StartProgram, every long-lived window in its order, the main window
// shown and made active. The main window owns the other windows.
std::unique_ptr<TFoOrvex> OpenProgram();

} // namespace exo
