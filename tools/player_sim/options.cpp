#include "options.h"

#include "common/path_text.h"
#include "winamp_model/id3v1_tags.h"
#include "winamp_model/stream_show.h"

namespace sim {
namespace {

std::vector<std::wstring> Split(const std::wstring& list, wchar_t separator) {
    std::vector<std::wstring> parts;
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(separator, start);
        if (end == std::wstring::npos) end = list.size();
        parts.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// "S=TEXT": second S and its text; false without the "=".
bool SecondAndText(const std::wstring& item, int& second, std::wstring& text) {
    const size_t equals = item.find(L'=');
    if (equals == std::wstring::npos) return false;
    second = _wtoi(item.substr(0, equals).c_str());
    text = item.substr(equals + 1);
    return true;
}

// "5=play,20=pause,90=play,95=seek:30,200=output:out_disk.dll,230=retag:Artist|Title": at second 5
// of the run play, and so on.
bool ParseEvents(const std::wstring& list, std::vector<Event>& events) {
    const struct {
        const wchar_t* name;
        Action action;
    } kActions[] = {{L"play", Action::kPlay},   {L"pause", Action::kPause},   {L"stop", Action::kStop},
                    {L"next", Action::kNext},   {L"delete", Action::kDelete}, {L"clear", Action::kClear},
                    {L"output:", Action::kOutput}, {L"seek:", Action::kSeek}, {L"retag:", Action::kRetag}};
    for (const std::wstring& item : Split(list, L',')) {
        Event event{};
        std::wstring name;
        if (!SecondAndText(item, event.second, name)) return false;
        const std::size_t colon = name.find(L':');
        const std::wstring value = colon == std::wstring::npos ? std::wstring() : name.substr(colon + 1);
        name = name.substr(0, colon == std::wstring::npos ? name.size() : colon + 1);
        bool known = false;
        for (const auto& action : kActions) {
            if (name != action.name) continue;
            event.action = action.action;
            known = true;
        }
        if (!known || (colon != std::wstring::npos && value.empty())) return false;
        event.output = value;
        event.to_second = _wtoi(value.c_str());
        if (event.action == Action::kRetag) {
            const std::vector<std::wstring> tags = Split(value, L'|');
            if (tags.size() != 2) return false;
            event.artist = tags[0];
            event.title = tags[1];
        }
        events.push_back(event);
    }
    return true;
}

// "Station|0=Artist - Song|40=Other - Tune"
bool ParseStream(const std::wstring& text, Entry& stream) {
    const std::vector<std::wstring> parts = Split(text, L'|');
    stream.station = parts[0];
    for (size_t i = 1; i < parts.size(); ++i) {
        StreamSong song{};
        if (!SecondAndText(parts[i], song.second, song.title)) return false;
        stream.stream_songs.push_back(song);
    }
    return true;
}

// "5=Artist|Title": the tag, read 5 s after the MP3 input began to connect.
bool ParseId3v2(const std::wstring& text, Entry& entry) {
    int second = 0;
    std::wstring tags;
    if (!SecondAndText(text, second, tags) || second < 0) return false;
    const std::vector<std::wstring> parts = Split(tags, L'|');
    if (parts.size() != 2) return false;
    entry.server = HttpServer::kPlain;
    entry.id3v2_after = second;
    entry.artist = parts[0];
    entry.title = parts[1];
    return true;
}

// What the options before an address said of how it is served fits the input that plays it.
bool FitsInput(const Entry& entry, bool served_as_mp3, bool ogg_links) {
    const HttpInput input = InputOf(entry.path);
    return (!served_as_mp3 || input == HttpInput::kMp3) && (!ogg_links || input == HttpInput::kOgg);
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH] = {};
    const DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::wstring(full) : path;
}

std::string CodePage(const std::wstring& text) {
    std::string bytes(text.size() * 2 + 1, '\0');
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes.data(), static_cast<int>(bytes.size()),
                                        nullptr, nullptr);
    bytes.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return bytes;
}

// A list far longer than any a player holds.
constexpr int kMostGenerated = 1000000;

// Entry `number` of a music library as the player knows it once a list is loaded: its path, and
// the artist, title and length read from it. No such file exists.
Entry GeneratedEntry(std::size_t number) {
    const std::wstring artist = L"Artist " + std::to_wstring(number / 12 + 1);
    const std::wstring title = L"Song " + std::to_wstring(number);
    Entry entry(L"D:\\Music\\" + artist + L"\\Album " + std::to_wstring(number / 4 % 3 + 1) + L"\\" +
                    std::to_wstring(number % 4 + 1) + L" - " + title + L".mp3",
                artist, title);
    entry.seconds = 150 + static_cast<int>(number % 150);
    entry.details_read = true;
    return entry;
}

}  // namespace

const char kUsage[] =
    "usage: player_sim [--profile 2|5] [--schedule S1,S2,...] [--start-at N] [--idle] [--events S=A,...] "
    "[--no-numbers] [--no-entry-answers] [--mta-first-thread] [--config-after S] [--press-save-after S] "
    "[--uninstall-after S] [--exit-after S] [--linger MS] [--playlist-folder DIR] [--relative-paths] "
    "[--marked-changed] [--scroll-title] [--output NAME] [--disk-speed N] [--reopen-ms N] [--log FILE] "
    "[--report-module NAME] [--register-only] [--no-watch] [--foreign-window] "
    "[--tags ARTIST|TITLE[|ALBUM]] [--stream STATION|S=SONG|...] [--plain-http] [--station-headers] "
    "[--id3v2 S=ARTIST|TITLE] [--ogg-links S=ARTIST - TITLE|...] [--video] [--generated N] "
    "song|http://address|hidden:TEXT ...";

bool ParseOptions(const std::vector<std::wstring>& args, Options& options) {
    options.arguments = args;
    std::vector<int> schedule;
    Entry next;  // what --tags, --stream and the like said of the next entry
    bool tagged = false;
    bool served_as_mp3 = false;  // --plain-http, --station-headers, --id3v2: for the MP3 input
    bool ogg_links = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        const bool has_value = i + 1 < args.size();
        const auto number = [&] { return _wtoi(args[++i].c_str()); };
        if (arg == L"--profile" && has_value) {
            options.profile = ProfileOf(number());
            if (!options.profile) return false;
        } else if (arg == L"--schedule" && has_value) {
            for (const std::wstring& seconds : Split(args[++i], L',')) schedule.push_back(_wtoi(seconds.c_str()));
        } else if (arg == L"--start-at" && has_value) {
            const int n = number();
            options.start_at = n > 1 ? static_cast<size_t>(n - 1) : 0;
        } else if (arg == L"--idle") {
            options.idle = true;
        } else if (arg == L"--events" && has_value) {
            if (!ParseEvents(args[++i], options.events)) return false;
        } else if (arg == L"--no-numbers") {
            options.numbered = false;
        } else if (arg == L"--no-entry-answers") {
            options.answers_entries = false;
        } else if (arg == L"--foreign-window") {
            options.foreign_window = true;
        } else if (arg == L"--mta-first-thread") {
            options.mta_first_thread = true;
        } else if (arg == L"--config-after" && has_value) {
            options.config_after = number();
        } else if (arg == L"--press-save-after" && has_value) {
            options.press_save_after = number();
        } else if (arg == L"--uninstall-after" && has_value) {
            options.uninstall_after = number();
        } else if (arg == L"--exit-after" && has_value) {
            options.exit_after = number();
        } else if (arg == L"--linger" && has_value) {
            options.linger_ms = static_cast<DWORD>(number());
        } else if (arg == L"--playlist-folder" && has_value) {
            options.playlist_folder = sq::WithTrailingBackslash(FullPath(args[++i]));
        } else if (arg == L"--relative-paths") {
            options.relative_paths = true;
        } else if (arg == L"--marked-changed") {
            options.marked_changed = true;
        } else if (arg == L"--scroll-title") {
            options.scroll_title = true;
        } else if (arg == L"--output" && has_value) {
            options.output = args[++i];
        } else if (arg == L"--disk-speed" && has_value) {
            options.disk_speed = number();
            if (options.disk_speed < 1) return false;
        } else if (arg == L"--reopen-ms" && has_value) {
            options.reopen_ms = number();
            if (options.reopen_ms < 0) return false;
        } else if (arg == L"--generated" && has_value) {
            const int count = number();
            if (count < 0 || count > kMostGenerated) return false;
            const std::size_t first = options.entries.size();
            for (int n = 0; n < count; ++n) options.entries.push_back(GeneratedEntry(options.entries.size() + 1));
            if (count > 0) options.generated.push_back({first, static_cast<std::size_t>(count)});
        } else if (arg == L"--log" && has_value) {
            options.log_file = args[++i];
        } else if (arg == L"--report-module" && has_value) {
            options.report_module = CodePage(args[++i]);
        } else if (arg == L"--register-only") {
            options.register_only = true;
        } else if (arg == L"--no-watch") {
            options.watch = false;
        } else if (arg == L"--after-process" && has_value) {
            options.after_process = static_cast<DWORD>(number());
        } else if (arg == L"--tags" && has_value) {
            const std::vector<std::wstring> tags = Split(args[++i], L'|');
            next.artist = tags[0];
            next.title = tags.size() > 1 ? tags[1] : std::wstring();
            next.album = tags.size() > 2 ? tags[2] : std::wstring();
            tagged = true;
        } else if (arg == L"--stream" && has_value) {
            if (!ParseStream(args[++i], next)) return false;
        } else if (arg == L"--plain-http" || arg == L"--station-headers") {
            next.server = arg == L"--plain-http" ? HttpServer::kPlain : HttpServer::kStationHeaders;
            served_as_mp3 = true;
        } else if (arg == L"--id3v2" && has_value) {
            if (!ParseId3v2(args[++i], next)) return false;
            served_as_mp3 = true;
        } else if (arg == L"--ogg-links" && has_value) {
            if (!ParseStream(L"|" + args[++i], next)) return false;
            ogg_links = true;
        } else if (arg == L"--video") {
            next.video = true;
        } else if (arg.rfind(L"--", 0) == 0) {
            return false;
        } else {
            Entry entry = next;
            next = Entry();
            if (arg.rfind(L"hidden:", 0) == 0) {
                entry.path = arg.substr(7);
                entry.hidden = true;
            } else {
                entry.path = arg;
                if (!entry.IsStream()) entry.path = FullPath(arg);
                if (!entry.IsStream() && !tagged) ReadId3v1Tags(entry);
            }
            if ((served_as_mp3 || ogg_links) && (!entry.IsStream() || !FitsInput(entry, served_as_mp3, ogg_links)))
                return false;
            tagged = false;
            served_as_mp3 = false;
            ogg_links = false;
            options.entries.push_back(entry);
        }
    }
    for (size_t i = 0; i < options.entries.size() && i < schedule.size(); ++i) {
        if (schedule[i] > 0) options.entries[i].seconds = schedule[i];
    }
    return true;
}

}  // namespace sim
