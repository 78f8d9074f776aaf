#include "player/playlist_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
    const char* folder;
    const char* line;
    const char* file;
};

TEST(ResolvePlaylistPath, NamesTheFileAnEntryLineMeans) {
    const char* const appdata = "C:\\Users\\me\\AppData\\Roaming\\Winamp\\";
    const PathCase cases[] = {
        // Full paths, as 2.x and 5.9 write them, stay exactly as written.
        {appdata, "C:\\Music\\a.mp3", "C:\\Music\\a.mp3"},
        {appdata, "D:\\x\\..\\y.mp3", "D:\\x\\..\\y.mp3"},
        {appdata, "\\\\server\\share\\a.mp3", "\\\\server\\share\\a.mp3"},
        {appdata, "http://radio.example/stream?x=1", "http://radio.example/stream?x=1"},
        {appdata, "C:relative.mp3", "C:relative.mp3"},
        // 5.7: the playlist folder's drive for a drive-less path ...
        {appdata, "\\Music\\a.mp3", "C:\\Music\\a.mp3"},
        {"\\\\nas\\home\\Winamp\\", "\\Music\\a.mp3", "\\\\nas\\home\\Music\\a.mp3"},
        {appdata, "/Music/./b.mp3", "C:\\Music\\b.mp3"},
        // ... and the playlist folder itself for a relative one, with its steps resolved.
        {appdata, "Playlists\\a.mp3", "C:\\Users\\me\\AppData\\Roaming\\Winamp\\Playlists\\a.mp3"},
        {appdata, "..\\..\\..\\..\\Music\\a.mp3", "C:\\Users\\Music\\a.mp3"},
        {appdata, "..\\..\\..\\..\\..\\..\\..\\a.mp3", "C:\\a.mp3"},
        {"C:\\Winamp", "a.mp3", "C:\\Winamp\\a.mp3"},
        {"C:\\", ".\\a.mp3", "C:\\a.mp3"},
        // Nothing to put it on: the line as it is.
        {"", "a.mp3", "a.mp3"},
        {"w", "..\\a.mp3", "..\\a.mp3"},
        {appdata, "", ""},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(sq::ResolvePlaylistPath(c.folder, c.line), c.file) << "folder " << c.folder << ", line " << c.line;
    }
}

TEST(ResolvePlaylistPath, DoubleByteCharactersAreNeverCutAtTheirSecondByte) {
    // Shift-JIS: 0x95 0x5C is one character whose second byte is the backslash's.
    const auto shift_jis_lead = [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); };
    const std::string folder = "C:\\\x95\x5C\\Winamp\\";
    EXPECT_EQ(sq::ResolvePlaylistPath(folder, "..\\a.mp3", +shift_jis_lead), "C:\\\x95\x5C\\a.mp3");
    EXPECT_EQ(sq::ResolvePlaylistPath(folder, "..\\..\\\x95\x5C.mp3", +shift_jis_lead), "C:\\\x95\x5C.mp3");
    EXPECT_EQ(sq::ResolvePlaylistPath(folder, "\\\x95\x5C\\..\\b.mp3", +shift_jis_lead), "C:\\b.mp3");
}

}  // namespace
