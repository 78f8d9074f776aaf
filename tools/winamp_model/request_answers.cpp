// The answers of the player's main window to its requests (WM_USER, the request in lParam).
#include <algorithm>
#include <cstdio>

#include "caller_memory.h"
#include "common/performance_clock.h"
#include "code_page_text.h"
#include "playlist_files.h"
#include "stream_show.h"
#include "whole_file.h"
#include "winamp.h"

namespace sim {
namespace {

using namespace winamp;

// In the highest 64 kB of a 32-bit address space, which Windows never maps in any process, and
// above the lowest 64 kB, so that a plug-in takes it for a text and reads it.
const LRESULT kNowhere = static_cast<LRESULT>(0xFFFF1000u);

std::string Utf8(const std::wstring& text) { return EncodedText(text, CP_UTF8); }

std::string Asked(long request, WPARAM argument) {
    return "player: request " + std::to_string(request) + " (wParam " + std::to_string(argument) + "): ";
}

// A metadata field's name, in any case.
bool IsField(const std::wstring& field, const wchar_t* name) { return SamePath(field, name); }

template <typename Char, std::size_t N>
LRESULT Copied(const std::basic_string<Char>& text, std::array<Char, N>& buffer) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, buffer.data());
    buffer[length] = Char();
    return reinterpret_cast<LRESULT>(buffer.data());
}

// The caller's {filename; metadata; ret; retlen}, when it is all memory of this process.
template <typename Info, typename Char>
bool ReadRecord(WPARAM argument, Info& info, std::basic_string<Char>& file, std::basic_string<Char>& field) {
    const auto* record = reinterpret_cast<const Info*>(argument);
    if (!IsReadable(record, sizeof *record)) return false;
    info = *record;
    const auto read_file = ReadableText(info.filename, kTextBufferCharacters);
    const auto read_field = ReadableText(info.metadata, kTextBufferCharacters);
    // Never more than the player's own buffer holds, whatever retlen claims.
    info.retlen = std::min(info.retlen, kTextBufferCharacters);
    if (!read_file || !read_field || info.retlen == 0 || !IsWritable(info.ret, info.retlen * sizeof(Char))) return false;
    file = *read_file;
    field = *read_field;
    return true;
}

template <typename Char>
void Fill(Char* ret, std::size_t retlen, const std::basic_string<Char>& value) {
    const std::size_t length = std::min(value.size(), retlen - 1);
    std::copy_n(value.data(), length, ret);
    ret[length] = Char();
}

}  // namespace

LRESULT Winamp::Answer(WPARAM argument, LPARAM lparam) {
    const double began = PerformanceMilliseconds();
    answering_ = true;
    const LRESULT answer = Reply(argument, static_cast<long>(lparam));
    answering_ = false;
    const double took = PerformanceMilliseconds() - began;
    if (answer_line_) {
        char timing[64];
        std::snprintf(timing, sizeof timing, "; answered in %.3f ms, at %.3f ms", took, began);
        Log(answer_line_->first + timing, answer_line_->second);
        answer_line_.reset();
    }
    return answer;
}

LRESULT Winamp::Reply(WPARAM argument, long request) {
    ++requests_[request];
    if (!profile_->Implements(request) || unanswered_.count(request)) {
        Log(Asked(request, argument) + "1, not implemented", true);
        return 1;
    }
    LRESULT answer = 0;
    switch (request) {
    case kWritePlaylist:
        return WritePlaylist();
    case kEntryPath:
    case kWideEntryPath:
        if (const Entry* entry = EntryAt(argument)) return TextAnswer(request, argument, entry->path, request == kWideEntryPath);
        break;
    case kSettingsFolder:
    case kPlaylistFolder:
    case kWidePlaylistFolder:
        return TextAnswer(request, argument, playlist_folder, request == kWidePlaylistFolder);
    case kWidePlayingTitle:
        return TextAnswer(request, argument, PlayingTitle(), true);
    case kOutputPlugin:
        return TextAnswer(request, argument, output_, false);
    case kWidePlayingFile:
        return TextAnswer(request, argument, playing_ ? playing_->path : std::wstring(), true);
    case kMetadata:
    case kWideMetadata:
        return MetadataAnswer(argument, request == kWideMetadata);
    case kVersion:
        answer = profile_->version;
        break;
    case kPlayState:
        answer = play_state_;
        break;
    case kPlaylistPosition:
        answer = position();
        break;
    case kIsPlayingVideo:
        answer = playing_ && playing_->video && play_state_ != kStopped ? kVideoOpen : 0;
        break;
    case kPlayPosition:
        // The song's length (wParam 1 and 2) is not modelled: a song of unknown length.
        answer = argument == 0 ? PlayPosition() : -1;
        break;
    }
    Log(Asked(request, argument) + std::to_string(answer), true);
    return answer;
}

// Request 120: the position, after the playlist files are written.
LRESULT Winamp::WritePlaylist() {
    std::string outcome;
    const bool every_entry = profile_->files == PlaylistFiles::kBesideProgram;
    std::vector<PlaylistEntry> list;
    for (const Entry& e : entries_) list.push_back({e.path, e.DisplayName(), e.seconds, every_entry || e.details_read, e.hidden});
    const PathStyle style = relative_paths && !every_entry ? PathStyle::kRelativeToPlaylist : PathStyle::kFull;
    if (foreign) {
        outcome = "another program's window writes no files";
    } else if (playlist_folder.empty()) {
        outcome = "no playlist folder";
    } else if (every_entry) {
        const bool written = WriteWholeFile(playlist_folder + L"WINAMP.m3u", PlaylistBytes(list, playlist_folder, style, CP_ACP));
        outcome = written ? "WINAMP.m3u written" : "WINAMP.m3u cannot be written";
    } else {
        std::string files[2] = {PlaylistBytes(list, playlist_folder, style, CP_ACP),
                                PlaylistBytes(list, playlist_folder, style, CP_UTF8)};
        if (!marked_changed && files[0] == written_[0] && files[1] == written_[1]) {
            outcome = "playlist unchanged";
        } else if (WriteWholeFile(playlist_folder + L"Winamp.m3u", files[0]) &&
                   WriteWholeFile(playlist_folder + L"Winamp.m3u8", files[1])) {
            written_[0] = std::move(files[0]);
            written_[1] = std::move(files[1]);
            outcome = "Winamp.m3u and Winamp.m3u8 written";
        } else {
            outcome = "the playlist files cannot be written";
        }
    }
    Log("player: request 120: position " + std::to_string(position()) + ", " + outcome);
    return position();
}

LRESULT Winamp::TextAnswer(long request, WPARAM argument, const std::wstring& text, bool wide) {
    if (foreign) {
        Log(Asked(request, argument) + "an address valid in no process", true);
        return kNowhere;
    }
    Log(Asked(request, argument) + "\"" + Utf8(text) + "\"", true);
    return wide ? Copied(text, wide_[request]) : Copied(EncodedText(text, CP_ACP), narrow_[request]);
}

LRESULT Winamp::MetadataAnswer(WPARAM argument, bool wide) {
    const long request = wide ? kWideMetadata : kMetadata;
    std::wstring file;
    std::wstring field;
    std::optional<std::wstring> value;
    bool read = false;
    if (wide) {
        WideExtendedFileInfo info{};
        read = !foreign && ReadRecord(argument, info, file, field);
        if (read) {
            value = Metadata(file, field);
            Fill(info.ret, info.retlen, value.value_or(L""));
        }
    } else {
        ExtendedFileInfo info{};
        std::string narrow_file;
        std::string narrow_field;
        read = !foreign && ReadRecord(argument, info, narrow_file, narrow_field);
        if (read) {
            file = DecodedText(narrow_file, CP_ACP);
            field = DecodedText(narrow_field, CP_ACP);
            value = Metadata(file, field);
            Fill(info.ret, info.retlen, EncodedText(value.value_or(L""), CP_ACP));
        }
    }
    if (!read) {
        Log(Asked(request, argument) + "0, no record in this process", true);
        return 0;
    }
    Log(Asked(request, argument) + Utf8(field) + " of \"" + Utf8(file) + "\": " +
            (value ? "1, \"" + Utf8(*value) + "\"" : "0, not known"),
        true);
    return value ? 1 : 0;
}

// A field the player knows of a file (matched as 290's code-page name matches it, too) or of the
// address it plays, which its input answers for as it plays it; of any other address nothing.
std::optional<std::wstring> Winamp::Metadata(const std::wstring& file, const std::wstring& field) const {
    const auto names = [&file](const Entry& entry) {
        return SamePath(entry.path, file) || SamePath(DecodedText(EncodedText(entry.path, CP_ACP), CP_ACP), file);
    };
    if (playing_ && playing_->IsStream() && names(*playing_)) {
        const StreamShow show = ShowStream(*playing_, seconds_);
        if (IsField(field, L"streamtitle")) return show.stream_title;
        if (IsField(field, L"streamtype")) return show.stream_type;
        if (IsField(field, L"artist")) return show.artist;
        if (IsField(field, L"title")) return show.song_title;
        return std::nullopt;
    }
    const Entry* entry = nullptr;
    for (const Entry& listed : entries_) {
        if (!entry && !listed.IsStream() && names(listed)) entry = &listed;
    }
    if (!entry && playing_ && !playing_->IsStream() && names(*playing_)) entry = &*playing_;
    if (!entry) return std::nullopt;
    if (IsField(field, L"artist")) return entry->artist;
    if (IsField(field, L"title")) return entry->title;
    if (IsField(field, L"album")) return entry->album;
    return std::nullopt;
}

const Entry* Winamp::EntryAt(WPARAM index) const { return index < entries_.size() ? &entries_[index] : nullptr; }

}  // namespace sim
