#include "report/reporter.h"

namespace sq {

void Reporter::Tick(std::uint32_t now_ms, const std::function<void(const PlayedSong&)>& submit) {
    const PlayerReading reading = watch_.Look(now_ms, countdown_.LastPlayed);
    countdown_.Tick(reading, [&] { submit(watch_.SongToReport(reading)); });
}

}  // namespace sq
