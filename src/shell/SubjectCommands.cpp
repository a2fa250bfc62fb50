#include "shell/CommandSupport.h"

namespace exo {

void AddSubjectCommands(CommandTable&) {}

} // namespace exo
