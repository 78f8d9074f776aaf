#include "media/id3v1_block.h"

#include <algorithm>
#include <cstring>

namespace sq {
namespace {

std::string Field(const unsigned char* block, std::size_t offset, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(block) + offset, size);
}

void DropTrailingSpaces(std::string& text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
}

void RemoveNuls(std::string& text) { text.erase(std::remove(text.begin(), text.end(), '\0'), text.end()); }

void RemoveCodesUpTo47(std::string& text) {
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) { return static_cast<unsigned char>(c) <= 47; }),
               text.end());
}

}  // namespace

bool ParseId3v1Block(const unsigned char (&block)[kId3v1BlockSize], Id3v1Values& out) {
    if (std::memcmp(block, "TAG", 3) != 0) return false;
    out.title = Field(block, 3, 30);
    out.artist = Field(block, 33, 30);
    out.album = Field(block, 63, 30);
    out.year = Field(block, 93, 4);
    out.comment = Field(block, 97, 30);
    out.genre = std::to_string(block[127]);

    std::string* const fields[] = {&out.title, &out.artist, &out.album, &out.year, &out.comment, &out.genre};
    for (std::string* field : fields) DropTrailingSpaces(*field);
    for (std::string* field : fields) RemoveNuls(*field);
    if (!out.comment.empty()) RemoveCodesUpTo47(out.comment);
    return true;
}

}  // namespace sq
