#include "player/playlist_path.h"

#include <vector>

namespace sq {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Index of the first separator at or after `from`, stepping over double-byte characters.
std::size_t FindSeparator(const std::string& text, std::size_t from, LeadByteTest is_lead_byte) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (IsSeparator(text[i])) return i;
        if (is_lead_byte && is_lead_byte(static_cast<unsigned char>(text[i]))) ++i;
    }
    return std::string::npos;
}

// "C:" of "C:\...", "\\server\share" of "\\server\share\...", else empty.
std::string RootOf(const std::string& folder, LeadByteTest is_lead_byte) {
    if (folder.size() >= 2 && folder[1] == ':') return folder.substr(0, 2);
    if (folder.size() < 3 || !IsSeparator(folder[0]) || !IsSeparator(folder[1])) return {};
    const std::size_t server_end = FindSeparator(folder, 2, is_lead_byte);
    if (server_end == std::string::npos || server_end == 2) return {};
    const std::size_t share_end = FindSeparator(folder, server_end + 1, is_lead_byte);
    if (share_end == server_end + 1) return {};
    return folder.substr(0, share_end);
}

std::string Resolved(const std::string& root, const std::string& steps, LeadByteTest is_lead_byte) {
    std::vector<std::string> kept;
    for (std::size_t start = 0; start <= steps.size();) {
        std::size_t end = FindSeparator(steps, start, is_lead_byte);
        if (end == std::string::npos) end = steps.size();
        const std::string step = steps.substr(start, end - start);
        if (step == "..") {
            if (!kept.empty()) kept.pop_back();
        } else if (!step.empty() && step != ".") {
            kept.push_back(step);
        }
        start = end + 1;
    }
    std::string path = root;
    for (const std::string& step : kept) path += '\\' + step;
    return path;
}

}  // namespace

std::string ResolvePlaylistPath(const std::string& folder, const std::string& line, LeadByteTest is_lead_byte) {
    if (line.empty()) return line;
    const bool leading_separator = IsSeparator(line[0]);
    if (leading_separator && line.size() > 1 && IsSeparator(line[1])) return line;  // \\server\share
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
