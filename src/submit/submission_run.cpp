#include "submit/submission_run.h"

#include "common/scope_exit.h"
#include "common/settings_keys.h"
#include "submit/exclusion.h"
#include "submit/request.h"
#include "submit/response.h"
#include "submit/tag_text.h"
#include "submit/transfer_state_text.h"

namespace sq {
namespace {

constexpr char kNoArtist[] = "No_Artist";

// A step that fails is skipped: what it should have given counts as empty.
template <typename Step>
auto OrEmpty(FailureTrace& failures, Step step) noexcept -> decltype(step()) {
    try {
        return step();
    } catch (...) {
        failures.Trace(L"a step of the run failed; what it gives counts as empty");
        return {};
    }
}

}  // namespace

SubmissionRun::SubmissionRun(const Links& links) : links_(links) {
    links_.transfer.SetStateChangedHandler([this](int16_t state) { ShowTransferState(state); });
}

SubmissionRun::~SubmissionRun() { links_.transfer.SetStateChangedHandler(nullptr); }

void SubmissionRun::SubmitSong(const PlayedSong& song) {
    if (run_in_progress_) {
        deferred_ = song;
        return;
    }
    run_in_progress_ = true;
    ScopeExit done([this] { run_in_progress_ = false; });
    PlayedSong next = song;
    for (;;) {
        try {
            RunOnce(next);
        } catch (...) {
            // Nothing of a run reaches the countdown or the host.
            links_.failures.Trace(L"the run failed");
        }
        if (!deferred_ || links_.events.QuitRequested()) break;
        next = std::move(*deferred_);
        deferred_.reset();
    }
    deferred_.reset();
}

void SubmissionRun::RunOnce(const PlayedSong& song) {
    const std::string excluded_folder = OrEmpty(links_.failures, [&] { return links_.settings.Read(kExclude); });
    if (!excluded_folder.empty()) {
        if (IsExcluded(song.file.path, excluded_folder, links_.code_page)) {
            ShowResponse(kExcludedNotice);
            return;
        }
    }
    const std::string username = OrEmpty(links_.failures, [&] { return links_.settings.Read(kUsername); });
    const std::string password = OrEmpty(links_.failures, [&] { return links_.settings.Read(kPassword); });

    links_.events.DoEvents();
    const SongTags tags = TagsToSend(song);

    const protocol::Request request = protocol::BuildRequest(username, password, tags.artist, tags.track);
    links_.transfer.SetURL(request.address);
    links_.transfer.Execute("POST", "", request.headers);
    // The player's thread sleeps until its next event (the transfer's reports are events too)
    // and handles it; ticks and clicks go on as usual meanwhile.
    while (links_.transfer.StillExecuting()) {
        if (links_.events.QuitRequested()) {
            links_.transfer.Cancel();
            return;
        }
        links_.events.WaitForEvents();
    }

    const protocol::Outcome outcome =
        protocol::ClassifyResponse(links_.transfer.GetChunk(protocol::kResponsePieceSize));
    switch (outcome.kind) {
    case protocol::OutcomeKind::Status:
        ShowResponse(outcome.text);
        break;
    case protocol::OutcomeKind::MessageBox:
        links_.message_boxes.Show(outcome.text);
        break;
    case protocol::OutcomeKind::Open:
        links_.shell.OpenAddress(outcome.text);
        break;
    }
}

// The artist and track in the code page, as the request carries them: a stream's as the tick read
// them; a file's from its tags, else from what the player knows of it; else the player's title
// and "No_Artist".
SongTags SubmissionRun::TagsToSend(const PlayedSong& song) {
    const CodePage& code_page = links_.code_page;
    FailureTrace& failures = links_.failures;
    SongTags tags;
    if (song.file.IsStream()) {
        tags.track = OrEmpty(failures, [&] { return code_page.FromUtf8(song.stream.track); });
        tags.artist = OrEmpty(failures, [&] { return code_page.FromUtf8(song.stream.artist); });
        if (tags.artist.empty()) tags.artist = kNoArtist;
    } else {
        tags = OrEmpty(failures, [&] { return links_.tags.Read(song.file); });
        tags.track = OrEmpty(failures, [&] { return TagTextForService(tags.track, code_page); });
        tags.artist = OrEmpty(failures, [&] { return TagTextForService(tags.artist, code_page); });
        if (tags.track.empty() || tags.artist.empty()) {
            const PlayerTags known = OrEmpty(failures, [&] { return links_.player_tags.Read(song.file); });
            tags.track = OrEmpty(failures, [&] { return code_page.FromUtf8(known.title); });
            tags.artist = OrEmpty(failures, [&] { return code_page.FromUtf8(known.artist); });
        }
    }
    if (tags.track.empty() || tags.artist.empty()) {
        tags.track = OrEmpty(failures, [&] { return code_page.FromUtf8(song.title); });
        tags.artist = kNoArtist;
    }
    return tags;
}

void SubmissionRun::ShowResponse(const std::string& text) {
    links_.display.ShowResponse(text);
    try {
        links_.display.ShowResponseTime(HourMinuteStamp(links_.clock));
    } catch (...) {
        // The text is shown; only its time stamp is missing.
        links_.failures.Trace(L"the answer's time cannot be shown");
    }
}

void SubmissionRun::ShowTransferState(int16_t state) {
    try {
        links_.display.ShowConnection(TransferStateText(state));
    } catch (...) {
        // A failure while writing the label leaves the transfer alone.
        links_.failures.Trace(L"the transfer's state cannot be shown");
    }
}

}  // namespace sq
