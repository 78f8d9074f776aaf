#pragma once
// One model of the Winamp player, for the simulator and the Windows tests alike: its playlist,
// what plays and how, the caption that follows, the playlist files, and the answer to every
// request its main window receives (requests.h), as the profile's version gives it (profile.h).
// Text answers are pointers into this process's buffers of 1040 characters, one per request, kept
// until the request is answered again. The metadata requests (3026, and 290 in the code page)
// answer 1 with a field the player knows and 0 without one: of a listed file its "artist",
// "title" and "album" as read (possibly empty); of the address that plays what its input answers
// at that second (stream_show.h); of any other address nothing.
#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "caption.h"
#include "entry.h"
#include "profile.h"

namespace sim {

class Winamp {
public:
    explicit Winamp(const Profile& profile);
    virtual ~Winamp() = default;
    Winamp(const Winamp&) = delete;
    Winamp& operator=(const Winamp&) = delete;

    const Profile& profile() const { return *profile_; }

    // Where the playlist files go, ending in a backslash: beside the program on 2.x, the per-user
    // folder on 5.x, which 5.x also answers to 335, 337 and 338. Nothing is written while empty.
    std::wstring playlist_folder;
    bool numbered = true;         // the playlist number option
    bool relative_paths = false;  // paths written as 5.6x-5.7 write them
    // The list marked changed before every request, as while the user edits it or just after one
    // was loaded: every 120 writes its files again, even when their bytes are the same.
    bool marked_changed = false;
    // Another program's window of the player's class: every text answer is an address valid in no
    // process (a plug-in that reads it ends), metadata is not filled in and no file is written.
    bool foreign = false;
    // As a version without `request`: it answers 1 (e.g. 211 and 214 of a player that lacks them).
    void Unanswer(winamp::Request request) { unanswered_.insert(request); }

    // The playlist.
    void Add(Entry entry);
    const std::vector<Entry>& entries() const { return entries_; }
    // Playback and caption go on; deleting the entry at the position moves it to the one before.
    void Delete(std::size_t index);
    void DeletePlaying();
    // Playback goes on; the position is gone (-1).
    void Clear();

    // Playback. Restore moves the position as an ordinary start restores it, stopped and showing
    // the player's own name; Play(index) starts an entry; Pause toggles as the button does.
    void Restore(std::size_t index);
    void Play(std::size_t index);
    void Play();
    void Pause();
    void Stop();
    // The next entry that is not hidden; the playing one goes on when there is none.
    void Next();
    // One second of play: a stream goes on connecting, an entry that has played its seconds gives
    // way to the next. Through the Disk Writer one second plays disk_speed seconds of the entry.
    void Tick();
    // Moves the playing entry to `second` of it, once, as the user's seek does.
    void Seek(int second);
    // The file-info dialog's save of new tags for the playing file (not a stream): every entry of
    // the file and the playing copy take them, and an MP3 on disk gets them in its ID3v1 tag. A
    // playing file is stopped, written and played again from where it was within one message, so
    // the play state stays "playing" and 3031 the same file; 105 answers 0 for reopen_ms while the
    // file and the output open again, then the position runs on. Paused, it stays paused where it
    // was; stopped, only the tags change.
    void Retag(const std::wstring& artist, const std::wstring& title);
    int reopen_ms = 1500;  // longer on a slow drive

    // The output plug-in's file name (request 625): "out_ds.dll" as installed, "out_wave.dll", or
    // the Disk Writer, "out_disk.dll", which writes the song as fast as the disk allows while the
    // play state says playing. A change counts from the next second on.
    void SetOutput(const std::wstring& file);
    const std::wstring& output() const { return output_; }
    int disk_speed = 40;  // seconds of song the Disk Writer writes in a second of the clock
    // Milliseconds on a steady clock, which request 105 reads for the part of a second played: the
    // performance counter, unless a test steps a clock of its own.
    std::function<double()> clock;

    // The entry playing (or paused, or stopped), deleted from the playlist or not; none before
    // anything has played.
    const Entry* playing() const { return playing_ ? &*playing_ : nullptr; }
    long play_state() const { return play_state_; }
    long position() const { return entries_.empty() ? -1 : static_cast<long>(position_); }
    // Request 105: milliseconds into the playing entry, the whole seconds played and the part of
    // this one the clock has run, at the output's speed; frozen while paused; -1 when stopped or
    // nothing plays.
    long PlayPosition() const;
    std::wstring Caption() const;
    // The title the caption is built from (request 3034): the status and the title, without the
    // number, the suffix or the state; empty while nothing has played since the start.
    std::wstring PlayingTitle() const;

    // The answer to WM_USER with `request` in lParam and `argument` in wParam.
    LRESULT Answer(WPARAM argument, LPARAM request);
    // How many of each request it has received.
    int Requests(long request) const;

    // Every change of what plays or shows; a stream's caption changes on its own.
    std::function<void()> on_change;
    // A line for each change and each request; `routine` for requests other than 120, which a
    // plug-in sends every second. A request's line ends with how long its answer held the
    // player's thread and when it began ("; answered in 0.012 ms, at 81234.567 ms", on the
    // performance counter).
    std::function<void(const std::string& line, bool routine)> log;

protected:
    virtual void Changed();

private:
    CaptionParts Parts() const;
    int Speed() const;
    double Now() const;
    // The clock's part of the second being played, at most the whole second.
    double SecondPart() const;
    void StartSecond();
    LRESULT Reply(WPARAM argument, long request);
    LRESULT WritePlaylist();
    LRESULT TextAnswer(long request, WPARAM argument, const std::wstring& text, bool wide);
    LRESULT MetadataAnswer(WPARAM argument, bool wide);
    std::optional<std::wstring> Metadata(const std::wstring& file, const std::wstring& field) const;
    const Entry* EntryAt(WPARAM index) const;
    void Log(const std::string& line, bool routine = false) const;

    const Profile* profile_;
    std::vector<Entry> entries_;
    std::size_t position_ = 0;
    std::optional<std::size_t> playing_index_;  // in entries_, while the playing entry is there
    std::optional<Entry> playing_;              // a copy: it plays on when deleted
    std::size_t playing_number_ = 0;
    long play_state_ = winamp::kStopped;
    bool started_ = false;
    int seconds_ = 0;            // of the playing entry, counted whole at each tick
    double second_began_ = 0;    // on the clock, less the part played before a pause
    double paused_part_ = 0;     // of the second, when paused
    int second_speed_ = 1;       // seconds of song this second plays, by the output it began with
    std::optional<double> reopen_ends_;  // on the clock: when 105 answers the position again
    std::wstring output_ = L"out_ds.dll";
    std::set<long> unanswered_;
    // The line of the request being answered, which waits for the answer's time.
    mutable std::optional<std::pair<std::string, bool>> answer_line_;
    bool answering_ = false;
    std::map<long, int> requests_;
    std::string written_[2];
    std::map<long, std::array<char, winamp::kTextBufferCharacters>> narrow_;
    std::map<long, std::array<wchar_t, winamp::kTextBufferCharacters>> wide_;
};

}  // namespace sim
