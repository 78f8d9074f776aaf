#include "winamp.h"

#include <algorithm>

#include "caption.h"
#include "code_page_text.h"
#include "common/performance_clock.h"
#include "id3v1_tags.h"
#include "playlist_files.h"
#include "stream_show.h"

namespace sim {
namespace {

constexpr wchar_t kDiskWriter[] = L"out_disk.dll";

std::string Utf8(const std::wstring& text) { return EncodedText(text, CP_UTF8); }

bool IsMp3(const std::wstring& path) { return path.size() > 4 && SamePath(path.substr(path.size() - 4), L".mp3"); }

}  // namespace

Winamp::Winamp(const Profile& profile) : profile_(&profile) {}

void Winamp::Add(Entry entry) { entries_.push_back(std::move(entry)); }

void Winamp::Delete(std::size_t index) {
    if (index >= entries_.size()) return;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    if (position_ > 0 && index <= position_) --position_;
    if (playing_index_ && *playing_index_ == index) playing_index_.reset();
    if (playing_index_ && *playing_index_ > index) --*playing_index_;
    Log("player: entry " + std::to_string(index + 1) + " deleted; position " + std::to_string(position()));
    Changed();
}

void Winamp::DeletePlaying() {
    if (playing_index_) Delete(*playing_index_);
}

void Winamp::Clear() {
    entries_.clear();
    position_ = 0;
    playing_index_.reset();
    Log("player: playlist cleared");
    Changed();
}

void Winamp::Restore(std::size_t index) {
    if (index >= entries_.size()) return;
    position_ = index;
    entries_[index].details_read = true;
    started_ = false;
    play_state_ = winamp::kStopped;
    Changed();
}

void Winamp::Play(std::size_t index) {
    if (index >= entries_.size()) return;
    position_ = index;
    playing_index_ = index;
    playing_ = entries_[index];
    playing_number_ = index + 1;
    entries_[index].details_read = true;
    play_state_ = winamp::kPlaying;
    started_ = true;
    seconds_ = 0;
    reopen_ends_.reset();
    StartSecond();
    Changed();
}

void Winamp::Play() {
    if (!playing_) return Play(position_);
    if (play_state_ == winamp::kStopped) {
        seconds_ = 0;
        StartSecond();
    } else if (play_state_ == winamp::kPaused) {
        second_began_ = Now() - paused_part_;
    }
    play_state_ = winamp::kPlaying;
    started_ = true;
    Changed();
}

void Winamp::Pause() {
    if (!playing_) return;
    if (play_state_ == winamp::kPaused) {
        second_began_ = Now() - paused_part_;
        play_state_ = winamp::kPlaying;
    } else {
        paused_part_ = play_state_ == winamp::kPlaying ? SecondPart() : 0;
        play_state_ = winamp::kPaused;
    }
    Changed();
}

void Winamp::Stop() {
    seconds_ = 0;
    play_state_ = winamp::kStopped;
    reopen_ends_.reset();
    Changed();
}

void Winamp::Next() {
    std::size_t next = position_ + 1;
    while (next < entries_.size() && entries_[next].hidden) ++next;
    if (next < entries_.size()) Play(next);
}

void Winamp::Tick() {
    if (play_state_ != winamp::kPlaying || !playing_) return;
    const std::wstring before = Caption();
    seconds_ += second_speed_;
    StartSecond();
    const long was = position();
    if (seconds_ >= playing_->seconds) Next();
    if (position() == was && Caption() != before) Changed();
}

void Winamp::Seek(int second) {
    if (!playing_ || play_state_ == winamp::kStopped) return;
    const std::wstring before = Caption();
    seconds_ = std::max(second, 0);
    second_began_ = Now();
    paused_part_ = 0;
    Log("player: seek to second " + std::to_string(seconds_) + " of the song");
    if (Caption() != before) Changed();
}

void Winamp::Retag(const std::wstring& artist, const std::wstring& title) {
    if (!playing_ || playing_->IsStream()) return Log("player: no file plays whose tags could be saved");
    const std::wstring path = playing_->path;
    for (Entry& entry : entries_) {
        if (!SamePath(entry.path, path)) continue;
        entry.artist = artist;
        entry.title = title;
    }
    playing_->artist = artist;
    playing_->title = title;
    std::string line = "player: tags of \"" + Utf8(path) + "\" saved: \"" + Utf8(playing_->DisplayName()) + "\"";
    if (IsMp3(path)) line += WriteId3v1Tags(path, artist, title) ? ", its ID3v1 tag written" : ", its file not written";
    if (play_state_ == winamp::kPlaying) {
        reopen_ends_ = Now() + std::max(reopen_ms, 0);
        line += "; position 0 for " + std::to_string(reopen_ms) + " ms";
    }
    Log(line);
    Changed();
}

void Winamp::SetOutput(const std::wstring& file) {
    output_ = file;
    const std::string name(file.begin(), file.end());  // a file name of the player's own, in ASCII
    const std::string speed = ", the Disk Writer: " + std::to_string(Speed()) + " s of song a second";
    Log("player: output plug-in " + name + (file == kDiskWriter ? speed : std::string()));
}

int Winamp::Speed() const { return output_ == kDiskWriter ? std::max(disk_speed, 1) : 1; }

double Winamp::Now() const { return clock ? clock() : PerformanceMilliseconds(); }

double Winamp::SecondPart() const { return std::clamp(Now() - second_began_, 0.0, 1000.0); }

void Winamp::StartSecond() {
    second_began_ = Now();
    paused_part_ = 0;
    second_speed_ = Speed();
}

long Winamp::PlayPosition() const {
    if (!started_ || !playing_ || play_state_ == winamp::kStopped) return -1;
    // The reopened file and the output are not ready yet; the song's time runs on meanwhile.
    if (play_state_ == winamp::kPlaying && reopen_ends_ && Now() < *reopen_ends_) return 0;
    const double part = play_state_ == winamp::kPaused ? paused_part_ : SecondPart();
    const int start = playing_->IsStream() ? PositionStart(*playing_) : 0;
    const double ms = (seconds_ - start) * 1000.0 + part * second_speed_;
    return static_cast<long>(std::clamp(ms, 0.0, playing_->seconds * 1000.0));
}

CaptionParts Winamp::Parts() const {
    CaptionParts parts{started_ && playing_, playing_number_, {}, {}, play_state_, numbered};
    if (playing_ && playing_->IsStream()) {
        StreamShow show = ShowStream(*playing_, seconds_);
        parts.status = show.status;
        parts.title = show.title;
    } else if (playing_) {
        parts.title = playing_->DisplayName();
    }
    return parts;
}

std::wstring Winamp::Caption() const { return CaptionOf(*profile_, Parts()); }

std::wstring Winamp::PlayingTitle() const {
    const CaptionParts parts = Parts();
    return parts.started ? parts.status + parts.title : std::wstring();
}

int Winamp::Requests(long request) const {
    const auto found = requests_.find(request);
    return found == requests_.end() ? 0 : found->second;
}

void Winamp::Changed() {
    if (on_change) on_change();
}

void Winamp::Log(const std::string& line, bool routine) const {
    if (answering_) {
        answer_line_.emplace(line, routine);
    } else if (log) {
        log(line, routine);
    }
}

}  // namespace sim
