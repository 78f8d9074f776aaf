#include "common/ansi_text.h"
#include "common/unique_handle.h"
#include "player/shell_open.h"
#include "player/winamp_mod.h"
#include "submit/exclusion.h"
#include "submit/frm_main_submission.h"
#include "submit/request.h"
#include "submit/response.h"
#include "submit/song_tags.h"
#include "submit/transfer_state_text.h"
#include "ui/message_pump.h"
#include "ui/settings_store.h"

namespace sq {
namespace {

constexpr char kNoArtist[] = "No_Artist";
constexpr wchar_t kMessageBoxTitle[] = L"Sonoquill";

class SystemClock final : public Clock {
public:
    LocalTime Now() const override {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        return LocalTime{now.wHour, now.wMinute};
    }
};

// Lower case as the system's code page has it, so that folder names with accents compare too.
std::string AnsiLowerCase(const std::string& text) {
    std::string lower = text;
    if (!lower.empty()) ::CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
    return lower;
}

std::string TryGetSetting(const char* key) {
    try {
        return settings::Get(key);
    } catch (...) {
        return {};
    }
}

std::string TryGetPlayingFile() {
    try {
        return WinAmpMod::GetPlayingFile();
    } catch (...) {
        return {};
    }
}

}  // namespace

frmMain::Submission::Submission(frmMain& owner) : form(owner), clock(std::make_unique<SystemClock>()) {
    xTran.SetStateChangedHandler([this](int16_t state) { form.xTran_StateChanged(state); });
}

void frmMain::SubmitSong() {
    try {
        if (!submission_) submission_ = std::make_unique<Submission>(*this);
        Submission& submission = *submission_;
        // A countdown that runs out while a run waits must not touch that run's request: the
        // new run waits its turn and starts once the current one has ended.
        if (submission.run_in_progress) {
            submission.run_deferred = true;
            return;
        }
        submission.run_in_progress = true;
        ScopeExit done([&submission] { submission.run_in_progress = false; });
        do {
            submission.run_deferred = false;
            try {
                submission.RunOnce();
            } catch (...) {
                // Nothing of a run reaches the countdown or the host.
            }
        } while (submission.run_deferred && !QuitRequested());
    } catch (...) {
    }
}

void frmMain::Submission::RunOnce() {
    const std::string excluded_folder = TryGetSetting(settings::kExclude);
    if (!excluded_folder.empty()) {
        if (IsExcluded(TryGetPlayingFile(), excluded_folder, &AnsiLowerCase)) {
            form.SetResponseText(kExcludedNotice);
            return;
        }
    }
    const std::string username = TryGetSetting(settings::kUsername);
    const std::string password = TryGetSetting(settings::kPassword);

    DoEvents();
    SongTags tags = ReadSongTags(TryGetPlayingFile());
    if (tags.track.empty() || tags.artist.empty()) {
        tags.track = WinAmpMod::GetSongTitle();
        tags.artist = kNoArtist;
    }

    const protocol::Request request = protocol::BuildRequest(username, password, tags.artist, tags.track);
    xTran.SetURL(request.address);
    xTran.Execute("POST", "", request.headers);
    // The player's thread sleeps until the next message (the transfer's reports are messages)
    // and handles it; ticks and clicks go on as usual meanwhile.
    while (xTran.StillExecuting()) {
        if (QuitRequested()) {
            xTran.Cancel();
            return;
        }
        WaitForEventsAndDispatch();
    }

    const protocol::Outcome outcome = protocol::ClassifyResponse(xTran.GetChunk(protocol::kResponsePieceSize));
    switch (outcome.kind) {
    case protocol::OutcomeKind::Status:
        form.SetResponseText(outcome.text);
        break;
    case protocol::OutcomeKind::MessageBox: {
        HWND owner = form.hwnd() && ::IsWindowVisible(form.hwnd()) ? form.hwnd() : nullptr;
        ::MessageBoxW(owner, WideFromAnsi(outcome.text).c_str(), kMessageBoxTitle, MB_OK);
        break;
    }
    case protocol::OutcomeKind::Open:
        WinAmpMod::ShellOpen(outcome.text, form.hwnd());
        break;
    }
}

void frmMain::SetResponseText(const std::string& text) {
    SetControlText(IDC_LBL_RESPONSE, text);
    // lblResponse changed: every new text is stamped, a repeated one included, so the time
    // always tells when the latest answer came.
    try {
        if (!submission_) submission_ = std::make_unique<Submission>(*this);
        SetControlText(IDC_LBL_LAST_TIME, HourMinuteStamp(*submission_->clock));
    } catch (...) {
    }
}

void frmMain::xTran_StateChanged(int16_t state) {
    try {
        SetControlText(IDC_LBL_CONNECTED, WinAmpMod::TransferStateText(state));
    } catch (...) {
    }
}

}  // namespace sq
