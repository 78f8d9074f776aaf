#include "player/fake_player_port.h"

namespace sqtest {

bool FakePlayerPort::FindWindow() {
    log.push_back(has_window ? "find window" : "find window: none");
    return has_window;
}

std::optional<long> FakePlayerPort::Ask(sq::winamp::Request request, long argument) {
    log.push_back("ask " + std::to_string(request) + (argument ? "@" + std::to_string(argument) : ""));
    if (!has_window) return std::nullopt;
    const auto found = numbers.find(request);
    return found == numbers.end() ? 1 : found->second;
}

std::string FakePlayerPort::Text(const char* kind, long request, long argument) {
    log.push_back(std::string(kind) + " " + std::to_string(request) + "@" + std::to_string(argument));
    const auto found = texts.find({request, argument});
    return has_window && found != texts.end() ? found->second : std::string();
}

std::string FakePlayerPort::AskWideText(sq::winamp::Request request, long argument) {
    return Text("wide", request, argument);
}

std::string FakePlayerPort::AskCodePageText(sq::winamp::Request request, long argument) {
    return Text("text", request, argument);
}

std::optional<std::string> FakePlayerPort::Metadata(const std::string& key) {
    log.push_back("metadata " + key);
    const auto found = metadata.find(key);
    if (!has_window || found == metadata.end()) return std::nullopt;
    return found->second;
}

std::optional<std::string> FakePlayerPort::AskWideMetadata(const std::string& utf8_file, const char* field) {
    return Metadata("wide|" + utf8_file + "|" + field);
}

std::optional<std::string> FakePlayerPort::AskCodePageMetadata(const std::string& file, const char* field) {
    return Metadata("code page|" + file + "|" + field);
}

std::string FakePlayerPort::Caption() { return has_window ? caption : std::string(); }

std::string FakePlayerPort::PlayCommand() {
    log.push_back("play command");
    return play_command;
}

std::string FakePlayerPort::ReadPlaylistEntry(const sq::PlaylistFolder& folder, const char* file_name, long position) {
    const bool utf8 = std::string(file_name) == "Winamp.m3u8";
    const std::string key = (utf8 ? folder.utf8 : folder.code_page) + file_name + "@" + std::to_string(position);
    log.push_back("read " + key);
    const auto found = playlist_lines.find(key);
    return found == playlist_lines.end() ? std::string() : found->second;
}

bool FakePlayerPort::Utf8PlaylistIsCurrent(const sq::PlaylistFolder&) { return utf8_playlist_current; }

}  // namespace sqtest
