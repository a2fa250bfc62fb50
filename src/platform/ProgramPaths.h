#pragma once
// Names of the program's files. The program folder is the current folder while the program
// runs; names are written with backslashes ("FileSet\OrbiDomi.stt") and in several
// spellings ("DBmain.rnd", "DbMain.Rnd"), so every existing folder and file along a name is
// found without regard to letter case. Names are Windows-1252 bytes; the native path
// returned is UTF-8.
#include <string>

namespace exo {

// The native path of a program name: backslashes become '/', each component that exists
// with another letter case is taken as it is on disk, and the components that do not exist
// (a file about to be created) stay as written.
std::string ResolveProgramPath(const std::string& name);

bool FileExists(const std::string& name);
bool FolderExists(const std::string& name);
// Creates the folder and the folders above it; raises InOutError when it cannot.
void MakeFolder(const std::string& name);
// Deletes a file; raises InOutError when it exists and cannot be deleted.
void DeleteFile(const std::string& name);

} // namespace exo
