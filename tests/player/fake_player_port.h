#pragma once
// The player as native tests see it: a port whose answers a test sets by request, and which
// writes every call into a log. A numeric request nobody set answers 1, as the player answers
// every request it lacks. Its 8-bit texts are in the code page of common/fake_code_page.h.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "player/player_port.h"

namespace sqtest {

class FakePlayerPort final : public sq::PlayerPort {
public:
    bool has_window = true;
    std::map<long, long> numbers{{sq::winamp::kVersion, 0x5092}, {sq::winamp::kPlayState, sq::winamp::kPlaying}};
    std::map<std::pair<long, long>, std::string> texts;  // (request, argument): wide ones in UTF-8
    // "wide|file|field" or "code page|file|field"; a field not here is answered 0, as one the
    // player knows nothing of.
    std::map<std::string, std::string> metadata;
    std::string caption;
    std::string play_command = "\"C:\\Program Files\\Winamp\\winamp.exe\" \"%1\"";
    std::map<std::string, std::string> playlist_lines;  // "folder+file@position": the entry's line
    bool utf8_playlist_current = false;
    std::vector<std::string> log;

    bool FindWindow() override;
    std::optional<long> Ask(sq::winamp::Request request, long argument = 0) override;
    std::string AskWideText(sq::winamp::Request request, long argument = 0) override;
    std::string AskCodePageText(sq::winamp::Request request, long argument = 0) override;
    std::optional<std::string> AskWideMetadata(const std::string& utf8_file, const char* field) override;
    std::optional<std::string> AskCodePageMetadata(const std::string& file, const char* field) override;
    std::string Caption() override;
    std::string PlayCommand() override;
    std::string ReadPlaylistEntry(const sq::PlaylistFolder& folder, const char* file_name, long position) override;
    bool Utf8PlaylistIsCurrent(const sq::PlaylistFolder& folder) override;

private:
    std::string Text(const char* kind, long request, long argument);
    std::optional<std::string> Metadata(const std::string& key);
};

}  // namespace sqtest
