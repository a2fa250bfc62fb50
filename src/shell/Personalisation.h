#pragma once
// FileTmp\Personal.Tmp: the user's first name (line 1) and surname (line 2), shown on the
// main window's personalisation button. Texts are Windows-1252 bytes.
#include "platform/ShortString.h"

#include <string>

namespace exo {

inline constexpr const char* kPersonalFile = "FileTmp\\Personal.Tmp";

struct Personalisation {
    ShortString<80> UserFirstName;
    ShortString<80> UserLastName;
    ShortString<80> UserDisplayName;
};

Personalisation& GlobalPersonalisation();

// First name, one blank, surname, cut to 80 characters.
void RebuildDisplayName(Personalisation& p);

// Reads both lines into `p` and rebuilds the display name. A file that cannot be read is
// created with "Nome" and "Cognome" and `p` is left as it is; returns false then.
bool ReadPersonalisation(Personalisation& p = GlobalPersonalisation());

// Takes the two names, rebuilds the display name and rewrites the file with them.
void WritePersonalisation(const std::string& firstName, const std::string& lastName,
                          Personalisation& p = GlobalPersonalisation());

} // namespace exo
