// Writes the files the clsMP3 script test reads: a tagged file, a file too short for an ID3v1
// block, and a folder with two audio files, a text file and a subfolder.
//   media_script_files <folder>
#include <windows.h>

#include <cstdio>
#include <string>

#include "media/mp3_bytes.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::string TaggedFile() {
    const std::string body = sqtest::V3Frame("TIT2", "Script Title") + sqtest::V3Frame("TPE1", "Script Artist") +
                             sqtest::V3Frame("TALB", "Script Album") + sqtest::V3Frame("TYER", "2004") +
                             sqtest::V3Frame("TCON", "(17)") + sqtest::V3Frame("TRCK", "4/9") +
                             sqtest::Filler(100);
    sq::FrameHeader joint;
    joint.channel_mode = 1;
    std::string audio = sqtest::Frame(joint);
    audio.resize(16000 * 125, '\0');  // 125 s at 128 kbit/s, less the tags
    sqtest::Id3v1 v1;
    v1.title = "Old Title";
    v1.comment = "Script, comment!";
    v1.genre = 17;
    return sqtest::Id3v2Tag(3, body) + audio + v1.Encode();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: media_script_files <folder>\n");
        return 2;
    }
    const std::string root = std::string(argv[1]) + "\\";
    ::CreateDirectoryA(argv[1], nullptr);
    ::CreateDirectoryA((root + "dir").c_str(), nullptr);
    ::CreateDirectoryA((root + "dir\\Live").c_str(), nullptr);
    ::DeleteFileA((root + "missing.mp3").c_str());
    const bool ok = WriteFile(root + "tagged.mp3", TaggedFile()) && WriteFile(root + "short.mp3", "too short") &&
                    WriteFile(root + "dir\\a.mp3", sqtest::Filler(300, 'a')) &&
                    WriteFile(root + "dir\\b.mp3", sqtest::Filler(300, 'b')) &&
                    WriteFile(root + "dir\\notes.txt", "notes") &&
                    WriteFile(root + "dir\\Live\\c.mp3", sqtest::Filler(300, 'c'));
    if (!ok) std::fprintf(stderr, "could not write the files under %s\n", argv[1]);
    return ok ? 0 : 1;
}
