#pragma once
// Files we write are replaced whole or not at all: several copies of the
// program may save the same file at the same moment, and a crash or a full
// disk must never leave it half-written, emptied or with looser permissions.

#include <string>
#include <string_view>

namespace varnel {

// Writes text to a temporary file of this process beside path, flushes it,
// gives it path's permission bits (new files: 0666 less the umask) and
// renames it over path. On failure path is untouched and nothing is left.
bool WriteFileAtomically(const std::string& path, std::string_view text);

// Removes temporary files of path left by processes no longer running
// (a save cut short by a crash or a kill). Only the user's own files.
void RemoveStaleSaveFiles(const std::string& path);

}  // namespace varnel
