#include "shell/CommandSupport.h"

namespace exo {

void AddPlaceCommands(CommandTable&) {}

} // namespace exo
