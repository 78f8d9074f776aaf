#pragma once
// The player port over the real player: its main window, asked with window messages on the
// player's own thread, its registration in the registry and its playlist files on disk.
#include <windows.h>

#include <string>

#include "player/player_port.h"

namespace sq {

class PlayerWindow final : public PlayerPort {
public:
    // The window the host handed to the plug-in: the player's main window whatever its class (a
    // player started with another class name to run beside a second one still hands it over).
    void HandOver(HWND window) { handed_ = window; }

    bool FindWindow() override;
    std::optional<long> Ask(winamp::Request request, long argument = 0) override;
    std::string AskWideText(winamp::Request request, long argument = 0) override;
    std::string AskCodePageText(winamp::Request request, long argument = 0) override;
    std::optional<std::string> AskWideMetadata(const std::string& utf8_file, const char* field) override;
    std::optional<std::string> AskCodePageMetadata(const std::string& file, const char* field) override;
    std::string Caption() override;
    std::string PlayCommand() override;
    std::string ReadPlaylistEntry(const PlaylistFolder& folder, const char* file_name, long position) override;
    bool Utf8PlaylistIsCurrent(const PlaylistFolder& folder) override;

private:
    template <typename Char>
    std::basic_string<Char> TextAnswer(winamp::Request request, long argument);
    template <typename Info, typename Char>
    std::optional<std::basic_string<Char>> MetadataAnswer(winamp::Request request, const std::basic_string<Char>& file,
                                           const std::basic_string<Char>& field);

    HWND handed_ = nullptr;
    HWND window_ = nullptr;  // the one the latest FindWindow found
};

// The player's main window when the host handed none: the top-level window of class
// "Winamp v1.x" that belongs to this process (the player that loaded the plug-in) when there is
// one, otherwise the first the system finds; nullptr when there is none.
HWND FindPlayerWindow();

}  // namespace sq
