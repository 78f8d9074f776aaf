#include "winamp.h"

#include "caption.h"
#include "stream_show.h"

namespace sim {

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
    play_state_ = 0;
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
    Changed();
}

void Winamp::Play() {
    if (!playing_) return Play(position_);
    if (play_state_ == 0) seconds_ = 0;
    play_state_ = winamp::kPlaying;
    started_ = true;
    Changed();
}

void Winamp::Pause() {
    if (!playing_) return;
    play_state_ = play_state_ == winamp::kPaused ? winamp::kPlaying : winamp::kPaused;
    Changed();
}

void Winamp::Stop() {
    seconds_ = 0;
    play_state_ = 0;
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
    ++seconds_;
    const long was = position();
    if (seconds_ >= playing_->seconds) Next();
    if (position() == was && Caption() != before) Changed();
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
