#include "shell/Personalisation.h"

#include "platform/TextFile.h"

#include <vector>

namespace exo {

Personalisation& GlobalPersonalisation() {
    static Personalisation personalisation;
    return personalisation;
}

void RebuildDisplayName(Personalisation& p) {
    p.UserDisplayName = p.UserFirstName.str() + " " + p.UserLastName.str();
}

bool ReadPersonalisation(Personalisation& p) {
    std::vector<std::string> lines;
    if (!TryReadTextLines(kPersonalFile, lines)) {
        WriteTextLines(kPersonalFile, {"Nome", "Cognome"});
        return false;
    }
    // A line the file does not have reads as empty.
    lines.resize(2);
    p.UserFirstName = lines[0];
    p.UserLastName = lines[1];
    RebuildDisplayName(p);
    return true;
}

void WritePersonalisation(const std::string& firstName, const std::string& lastName,
                          Personalisation& p) {
    p.UserFirstName = firstName;
    p.UserLastName = lastName;
    RebuildDisplayName(p);
    WriteTextLines(kPersonalFile, {p.UserFirstName.str(), p.UserLastName.str()});
}

} // namespace exo
