#include "player/player_folder.h"

namespace sq {

std::string ProgramPathFromPlayCommand(const std::string& command) {
    constexpr std::size_t kShortestUsable = 8;
    constexpr std::size_t kTrailer = 6;  // "\" \"%1\"" after the path
    if (command.size() < kShortestUsable) return {};
    return command.substr(1, command.size() - 1 - kTrailer);
}

std::string FolderOfProgramPath(const std::string& program_path, LeadByteTest is_lead_byte) {
    if (program_path.empty()) return {};
    const std::size_t slash = FindLastSeparator(program_path, is_lead_byte);
    if (slash == std::string::npos || slash == 0) return program_path.substr(0, 1);
    return program_path.substr(0, slash + 1);
}

}  // namespace sq
