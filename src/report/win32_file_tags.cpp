#include "report/win32_file_tags.h"

#include "common/win32_ansi_text.h"
#include "media/cls_mp3.h"
#include "media/win32_file.h"

namespace sq {

ArtistAndTrack ClsMP3FileTags::Read(const PlayingFile& file) {
    Win32FileOpener files;
    // A path the code page cannot hold is read by its wide form; clsMP3 still sees the code
    // page's form, as everything it reports is in that form.
    if (!file.utf8_path.empty()) files.NameWidePath(file.path, WideFromUtf8(file.utf8_path));
    clsMP3 reader(files);
    try {
        // The tags alone: a first frame the stream properties cannot use (a mix of 256 MiB or more,
        // a Xing count of 0, a free-format stream) must not lose them.
        reader.ReadTagsOnly(file.path);
    } catch (const ClsMP3Error&) {
        // Songname and Artist keep what the read had set before it failed.
    }
    return ArtistAndTrack{reader.Artist, reader.Songname};
}

}  // namespace sq
