#include "submit/submission_run.h"

#include "common/scope_exit.h"
#include "common/settings_keys.h"
#include "submit/exclusion.h"
#include "submit/request.h"
#include "submit/response.h"
#include "submit/transfer_state_text.h"

namespace sq {

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
    const ArtistAndTrack tags = links_.identity.Identify(song);

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
