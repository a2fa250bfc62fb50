#pragma once
// What the program does once, before its windows exist.

namespace exo {

// Clears the chart, sets the drawing scale factors from the screen, reads the chart
// settings and asks the printer for its page width. A settings file that cannot be read is
// reported in the standard error box and the program goes on.
void StartProgram();

} // namespace exo
