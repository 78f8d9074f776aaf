#include "caption.h"

namespace sim {
namespace {

template <typename Char>
std::basic_string<Char> Scrolled(const std::basic_string<Char>& caption, std::size_t step) {
    const Char stars[] = {' ', '*', '*', '*', ' ', 0};
    const std::basic_string<Char> gap(stars);
    const std::size_t at = step % ScrollForms(caption.size());
    if (at < caption.size()) return caption.substr(at) + gap + caption;
    // Past the last character the leading gap is eaten away, one character a step.
    return gap.substr(at - caption.size()) + caption + gap;
}

}  // namespace

std::wstring CaptionOf(const Profile& profile, const CaptionParts& parts) {
    if (!parts.started) return profile.name;
    std::wstring caption = parts.numbered ? std::to_wstring(parts.number) + L". " : std::wstring();
    caption += parts.status + parts.title + L" - Winamp";
    if (profile.state_in_caption && parts.play_state == winamp::kPaused) caption += L" [Paused]";
    if (profile.state_in_caption && parts.play_state == winamp::kStopped) caption += L" [Stopped]";
    return caption;
}

std::wstring ScrolledCaption(const std::wstring& caption, std::size_t step) { return Scrolled(caption, step); }

std::string ScrolledCaption(const std::string& caption, std::size_t step) { return Scrolled(caption, step); }

}  // namespace sim
