// ReadTags: the descriptive members of clsMP3 from the ID3v1 block and then an ID3v2.2/2.3 tag.
#include <algorithm>
#include <memory>
#include <new>

#include "media/cls_mp3.h"
#include "media/genre_names.h"
#include "media/genre_number.h"
#include "media/id3v1_block.h"
#include "media/id3v2_body.h"
#include "media/id3v2_frames.h"
#include "media/id3v2_header.h"

namespace sq {
namespace {

constexpr std::size_t kId3v2HeaderSize = Id3v2Header::kSize;
// Read with the header: enough for the text frames at the start of most tags.
constexpr std::size_t kBodyStartRead = std::size_t{4} * 1024;

}  // namespace

void clsMP3::ReadTags(const std::string& path) {
    try {
        std::unique_ptr<ByteFile> file = files_.OpenRead(path);
        const bool finish = ReadTagsFromFile(*file);
        file.reset();
        if (!finish) return;  // the early end skips the genre lookup
        if (const std::optional<std::int16_t> number = GenreNumberFromText(Genre)) Genre = GenreName(*number);
    } catch (const ClsMP3Error& caught) {
        throw WrapInFileStep(caught, path);
    } catch (const std::bad_alloc&) {
        throw WrapInFileStep(Cause(cause::kOutOfMemory), path);
    }
}

bool clsMP3::ReadTagsFromFile(ByteFile& file) {
    const std::uint64_t length = file.Length();
    if (length < kId3v1BlockSize) RaiseCause(cause::kPastEndOfFile);

    unsigned char block[kId3v1BlockSize];
    if (file.ReadAt(length - kId3v1BlockSize, block, kId3v1BlockSize) != kId3v1BlockSize) {
        RaiseCause(cause::kPastEndOfFile);
    }
    Id3v1Values v1;
    if (ParseId3v1Block(block, v1)) {
        Songname = std::move(v1.title);
        Artist = std::move(v1.artist);
        Album = std::move(v1.album);
        Year = std::move(v1.year);
        Comment = std::move(v1.comment);
        Genre = std::move(v1.genre);
    }

    // Aligned so that the copy of the file's first page is not one of the slow ones (read_buffer.h).
    alignas(64) unsigned char head[kId3v2HeaderSize + kBodyStartRead];
    const std::size_t head_size = file.ReadAt(0, head, sizeof head);
    const std::optional<Id3v2Header> header = Id3v2Header::Parse(head, head_size);
    // The marker is told by its "D3" alone; the byte before it is not examined.
    if (header && header->mark[1] == 'D' && header->mark[2] == '3') {
        const std::uint8_t version = header->version;
        const std::uint64_t tag_size = header->WholeByteSize();
        if (tag_size > length) return false;
        if (tag_size > 0) {
            if (version != 2 && version != 3) return false;
            // The part of a body past the end of the file is absent.
            const std::size_t wanted = static_cast<std::size_t>(std::min(tag_size, length - kId3v2HeaderSize));
            const HeldBody held = ReadId3v2Body(
                file, kId3v2HeaderSize, wanted, version,
                std::string_view(reinterpret_cast<const char*>(head) + kId3v2HeaderSize, head_size - kId3v2HeaderSize));
            const std::string_view body = held.bytes;
            const FirstOccurrences& found = held.found;
            std::string* const members[kFrameKindCount] = {&Songname, &Album, &Artist, &Year, &Genre, &Track};
            for (std::size_t kind = 0; kind < kFrameKindCount; ++kind) {
                if (!found[kind]) continue;
                std::optional<std::string> text = FrameText(body, version, *found[kind]);
                if (!text) continue;
                if (static_cast<FrameKind>(kind) == FrameKind::Genre) {
                    Genre = ReduceGenreText(*text);
                } else if (!text->empty()) {
                    *members[kind] = std::move(*text);
                }
            }
        }
    }
    return true;
}

}  // namespace sq
