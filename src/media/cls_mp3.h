#pragma once
// clsMP3: the tag and stream reader. ReadMP3 fills the stream properties from the first
// MPEG-1 Layer III frame header and the descriptive values from the ID3v1 and ID3v2.2/2.3
// tags; SearchDir lists one folder. Every failure is thrown as ClsMP3Error, already wrapped
// the way a COM caller of the class sees it.
#include <cstdint>
#include <functional>
#include <string>

#include "media/byte_file.h"
#include "media/cls_mp3_error.h"
#include "media/folder_lister.h"

namespace sq {

class clsMP3 {
public:
    // `files` opens the audio files; it must outlive the object.
    explicit clsMP3(FileOpener& files) noexcept : files_(files) {}

    // The public members, in the order of the class's interface; any caller may write them.
    std::string Duration;
    std::string Frequency;
    std::string Mode;
    std::string MpegLayer;
    std::string MpegVersion;
    std::string BitRate;
    std::string Songname;
    std::string Artist;
    std::string Album;
    std::string Year;
    std::string Comment;
    std::string Genre;
    std::string Track;
    bool VBR = false;
    std::string Files;
    std::string Subdirs;

    // Resets the stream and tag members, then reads the frame header and the tags. Returns
    // true; a failure is thrown, and the members keep the values reached until then.
    bool ReadMP3(const std::string& FileName);

    // Resets the same members and runs ReadMP3's tag step alone, failing as that step fails
    // within ReadMP3. The report names a song by its tags, and a first frame the stream
    // properties cannot use (a file of 256 MB or more, a Xing count of 0, a free-format stream)
    // ends ReadMP3 before its tag step; scripts keep that, the report must not lose the tags to it.
    bool ReadTagsOnly(const std::string& FileName);

    // Lists `RootDir` + `FileType` into Files and the subfolders of `RootDir` into Subdirs.
    // `do_events` lets the host's waiting events run (before the search and after every entry
    // of the folder pass); it may be empty.
    bool SearchDir(std::string RootDir, std::string FileType, FolderLister& lister,
                   const std::function<void()>& do_events);

private:
    void ResetReadMembers();
    // ReadMP3's reset, steps and wrapping; the stream properties only when asked for.
    bool ReadSteps(const std::string& path, bool stream_properties);
    void ReadFrameHeader(const std::string& path);
    void ReadTags(const std::string& path);
    // False when the tag step ends early, without the genre lookup.
    bool ReadTagsFromFile(ByteFile& file);

    FileOpener& files_;
};

}  // namespace sq
