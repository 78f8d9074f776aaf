#include "report/reporter.h"

namespace sq {

std::optional<PlayedSong> Reporter::Tick(std::uint32_t now_ms) {
    const PlayerReading reading = watch_.Look(now_ms, countdown_.LastPlayed);
    std::optional<PlayedSong> due;
    countdown_.Tick(reading, [&] { due = watch_.SongToReport(reading); });
    return due;
}

}  // namespace sq
