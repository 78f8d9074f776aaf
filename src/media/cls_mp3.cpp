#include "media/cls_mp3.h"

#include <new>

namespace sq {

void clsMP3::ResetReadMembers() {
    BitRate.clear();
    Frequency.clear();
    Duration.clear();
    Songname.clear();
    Artist.clear();
    Album.clear();
    Year.clear();
    Comment.clear();
    Genre.clear();
    Track.clear();
    MpegVersion.clear();
    MpegLayer.clear();
    Mode.clear();
    VBR = false;
}

bool clsMP3::ReadMP3(const std::string& FileName) { return ReadSteps(FileName, true); }

bool clsMP3::ReadTagsOnly(const std::string& FileName) { return ReadSteps(FileName, false); }

bool clsMP3::ReadSteps(const std::string& path, bool stream_properties) {
    try {
        ResetReadMembers();
        if (stream_properties) ReadFrameHeader(path);
        ReadTags(path);
        return true;
    } catch (const ClsMP3Error& caught) {
        throw WrapInReadMP3(caught);
    } catch (const std::bad_alloc&) {
        throw WrapInReadMP3(Cause(cause::kOutOfMemory));
    }
}

bool clsMP3::SearchDir(std::string RootDir, std::string FileType, FolderLister& lister,
                       const std::function<void()>& do_events) {
    try {
        if (do_events) do_events();
        Subdirs.clear();
        Files.clear();
        lister.List(RootDir + FileType, [&](const FolderEntry& entry) {
            Files += RootDir;
            Files += entry.name;
            Files += '|';
        });
        lister.List(RootDir + "*.*", [&](const FolderEntry& entry) {
            if (entry.folder && entry.name != "." && entry.name != "..") {
                Subdirs += entry.name;
                Subdirs += '|';
            }
            if (do_events) do_events();
        });
        return true;
    } catch (const ClsMP3Error& caught) {
        throw WrapInClass(caught);
    } catch (const std::bad_alloc&) {
        throw WrapInClass(Cause(cause::kOutOfMemory));
    }
}

}  // namespace sq
