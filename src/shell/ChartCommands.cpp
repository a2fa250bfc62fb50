#include "shell/CommandSupport.h"

namespace exo {

void AddChartCommands(CommandTable&) {}

} // namespace exo
