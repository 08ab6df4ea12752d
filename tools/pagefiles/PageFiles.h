#pragma once
// The page's files (docs/web.md): the home folder and disc, packed for the
// browser into a few packs, each fetched in one request: "first" (what the
// start-up picture and the hub need, the settings file and the fonts), the
// hub's later files, then one pack per world, in the order the page fetches
// them. Sounds travel as Ogg Vorbis with the bytes of their WAV file around
// the samples, so that the page rebuilds a WAV file of the same layout and
// length; every other file travels gzip-compressed and comes out as it was.
// Files given one by one (not in a folder) go first into the first pack,
// marked "early": the page puts them in place before the program starts
// (the fonts, which the program opens by their paths); the page unpacks
// the rest as it arrives. files.json lists the folders to make, the packs
// and where each file is in its pack. Pack names carry a hash of their
// bytes, so a pack's name never stands for two contents. Same input, same
// output.

#include <filesystem>
#include <string>
#include <vector>

namespace pagefiles {

struct Source {
    std::filesystem::path from;  // a file, or a folder taken with all it holds
    std::string to;              // its path in the page's file system
};

struct Options {
    double vorbisQuality = 4;  // libvorbis's quality of the sounds (docs/web.md tells why this one)
    // Patterns (fnmatch, any case) of paths below ".../plinkpad/assets/" of
    // files the first pack's folders hold that the hub reads only later:
    // they go into a pack of that folder's name, fetched first after the hub.
    std::vector<std::string> later;
};

// Writes the packs and files.json into `out` (emptied first); returns the
// files written. Throws std::runtime_error on a file that cannot be read or
// written, or a sound the encoder refuses.
std::vector<std::filesystem::path> WritePageFiles(const std::vector<Source>& sources, const Options& options,
                                                  const std::filesystem::path& out);

// The pack a page path belongs to: "first", or the folder below
// ".../plinkpad/assets/" (lower case) of a world or of a later file;
// PackComesBefore sorts them as fetched.
std::string PackOf(const std::string& pagePath, const std::vector<std::string>& later);
bool PackComesBefore(const std::string& a, const std::string& b);

}  // namespace pagefiles
