#include "player/playlist_path.h"

#include <vector>

namespace sq {
namespace {

// "C:" of "C:\...", "\\server\share" of "\\server\share\...", else empty.
std::string RootOf(const std::string& folder, LeadByteTest is_lead_byte) {
    if (folder.size() >= 2 && folder[1] == ':') return folder.substr(0, 2);
    if (folder.size() < 3 || !IsPathSeparator(folder[0]) || !IsPathSeparator(folder[1])) return {};
    const std::size_t server_end = FindSeparator(folder, 2, is_lead_byte);
    if (server_end == std::string::npos || server_end == 2) return {};
    const std::size_t share_end = FindSeparator(folder, server_end + 1, is_lead_byte);
    if (share_end == server_end + 1) return {};
    return folder.substr(0, share_end);
}

std::string Resolved(const std::string& root, const std::string& steps, LeadByteTest is_lead_byte) {
    std::vector<std::string> kept;
    for (std::string& step : PathNames(steps, 0, is_lead_byte)) {
        if (step == "..") {
            if (!kept.empty()) kept.pop_back();
        } else if (step != ".") {
            kept.push_back(std::move(step));
        }
    }
    std::string path = root;
    for (const std::string& step : kept) path += '\\' + step;
    return path;
}

}  // namespace

std::string ResolvePlaylistPath(const std::string& folder, const std::string& line, LeadByteTest is_lead_byte) {
    if (line.empty()) return line;
    const bool leading_separator = IsPathSeparator(line[0]);
    if (leading_separator && line.size() > 1 && IsPathSeparator(line[1])) return line;  // \\server\share
    if (!leading_separator) {
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos && colon < FindSeparator(line, 0, is_lead_byte)) return line;
    }
    const std::string root = RootOf(folder, is_lead_byte);
    if (root.empty()) return line;
    if (leading_separator) return Resolved(root, line, is_lead_byte);
    return Resolved(root, folder.substr(root.size()) + '\\' + line, is_lead_byte);
}

}  // namespace sq
