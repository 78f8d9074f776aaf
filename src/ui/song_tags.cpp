#include "ui/song_tags.h"

#include "media/cls_mp3.h"
#include "media/win32_file.h"

namespace sq {

SongTags ClsMP3TagSource::Read(const PlayingFile& file) {
    Win32FileOpener files;
    clsMP3 reader(files);
    try {
        reader.ReadMP3(file.path);
    } catch (const ClsMP3Error&) {
        // Songname and Artist keep what the read had set before it failed.
    }
    return SongTags{reader.Songname, reader.Artist};
}

}  // namespace sq
