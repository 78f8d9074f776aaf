#pragma once
// SubmitSong, the run that reports one song: the excluded-folder test, the account, the tags or
// the player's title, the request, the wait for the answer, and what the answer says to do. It
// runs on the player's thread and lets that thread's events run while it waits, so ticks,
// clicks and the transfer's state changes are handled inside it.
#include <cstdint>
#include <optional>
#include <string>

#include "common/played_song.h"
#include "submit/submission_ports.h"
#include "submit/time_stamp.h"
#include "submit/transfer.h"

namespace sq {

class SubmissionRun {
public:
    struct Links {
        StatusDisplay& display;
        SettingsReader& settings;
        SongIdentity& identity;
        AddressOpener& shell;
        Transfer& transfer;
        EventLoop& events;
        const Clock& clock;
        MessageBoxes& message_boxes;
        const CodePage& code_page;
        FailureTrace& failures;
    };

    // Shows the transfer's state changes in the connection label from now on.
    explicit SubmissionRun(const Links& links);
    ~SubmissionRun();
    SubmissionRun(const SubmissionRun&) = delete;
    SubmissionRun& operator=(const SubmissionRun&) = delete;

    // One run, started by the countdown with the song it read. Nothing of it reaches the caller.
    // A run asked for while one waits (a countdown that ran out inside the wait) must not touch
    // that run's request: it is held, and runs once the current one has ended; several such asks
    // give one run, of the song asked for last.
    void SubmitSong(const PlayedSong& song);

    // A new text in lblResponse, stamped with the time in lblLastTime. A repeated text is stamped
    // too, so the time always tells when the latest answer came.
    void ShowResponse(const std::string& text);

private:
    void RunOnce(const PlayedSong& song);
    void ShowTransferState(int16_t state);

    Links links_;
    bool run_in_progress_ = false;
    std::optional<PlayedSong> deferred_;
};

}  // namespace sq
