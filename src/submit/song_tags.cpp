#include "submit/song_tags.h"

#if __has_include("media/win32_file.h")
#include "media/cls_mp3.h"
#include "media/win32_file.h"
#define SQ_HAVE_CLS_MP3 1
#endif

namespace sq {

SongTags ReadSongTags(const std::string& path) {
#ifdef SQ_HAVE_CLS_MP3
    Win32FileOpener files;
    clsMP3 reader(files);
    try {
        reader.ReadMP3(path);
    } catch (...) {
        // Songname and Artist keep what the read had set before it failed.
    }
    return SongTags{reader.Songname, reader.Artist};
#else
    (void)path;
    return {};
#endif
}

}  // namespace sq
