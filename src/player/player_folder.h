#pragma once
// Where the player keeps its playlist file: its program folder, found through the command line
// it registers for playing a file.
#include <string>

#include "common/path_text.h"

namespace sq {

// The registered command line has the form "C:\Path\winamp.exe" "%1": the program path is the
// value without its first character and without its last six (closing quote, blank, "%1").
// Values shorter than 8 characters give the empty string. An unquoted value is cut the same
// way and so gives a wrong path; the playlist is then normally not found.
std::string ProgramPathFromPlayCommand(const std::string& command);

// The folder of a program path, ending in its backslash: the text up to and including the last
// backslash that is not the first character. Without such a backslash the folder is the first
// character alone; an empty path gives the empty string.
// The byte after a lead byte of the code page is never taken for a backslash.
std::string FolderOfProgramPath(const std::string& program_path, LeadByteTest is_lead_byte = nullptr);

}  // namespace sq
