#include "player/player_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CutCase {
    const char* command;
    const char* program_path;
};

TEST(ProgramPathFromPlayCommand, CutsFirstCharacterAndLastSix) {
    const CutCase cases[] = {
        {"\"C:\\Program Files\\Winamp\\winamp.exe\" \"%1\"", "C:\\Program Files\\Winamp\\winamp.exe"},
        {"\"D:\\W\\w.exe\" \"%1\"", "D:\\W\\w.exe"},
        // Unquoted: cut all the same, which loses the drive letter and the ".exe %1" goes short.
        {"C:\\Winamp\\winamp.exe %1", ":\\Winamp\\winamp."},
        // Eight characters is the shortest value that gives a path (one character).
        {"\"x\" \"%1\"", "x"},
        {"12345678", "2"},
        // Anything shorter gives nothing.
        {"1234567", ""},
        {"\"\" \"%1\"", ""},
        {"", ""},
    };
    for (const CutCase& c : cases) {
        EXPECT_EQ(sq::ProgramPathFromPlayCommand(c.command), c.program_path) << "command: " << c.command;
    }
}

TEST(FolderOfProgramPath, CutsJustAfterTheLastBackslash) {
    const CutCase cases[] = {
        {"C:\\Program Files\\Winamp\\winamp.exe", "C:\\Program Files\\Winamp\\"},
        {"C:\\winamp.exe", "C:\\"},
        {"C:\\Winamp\\", "C:\\Winamp\\"},
        {"\\\\server\\share\\winamp.exe", "\\\\server\\share\\"},
        // A backslash only at the first character does not count: the folder is that character.
        {"\\winamp.exe", "\\"},
        {"winamp.exe", "w"},
        {"x", "x"},
        {"", ""},
        // The wrong path an unquoted registration gives.
        {":\\Winamp\\winamp.", ":\\Winamp\\"},
    };
    for (const CutCase& c : cases) {
        EXPECT_EQ(sq::FolderOfProgramPath(c.command), c.program_path) << "path: " << c.command;
    }
}

}  // namespace
