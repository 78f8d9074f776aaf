#include "caption.h"

namespace sim {

std::wstring CaptionOf(const Profile& profile, const CaptionParts& parts) {
    if (!parts.started) return profile.name;
    std::wstring caption = parts.numbered ? std::to_wstring(parts.number) + L". " : std::wstring();
    caption += parts.status + parts.title + L" - Winamp";
    if (profile.state_in_caption && parts.play_state == winamp::kPaused) caption += L" [Paused]";
    if (profile.state_in_caption && parts.play_state == 0) caption += L" [Stopped]";
    return caption;
}

}  // namespace sim
