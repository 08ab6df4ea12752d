// pagefiles OUT [--vorbis-quality Q] [--later PATTERN]... FROM@TO...: packs
// files and folders for the browser page (tools/pagefiles/PageFiles.h): FROM
// a file or folder of this machine, TO its path in the page's file system;
// --later names the hub's files that can come after it. Lists what it wrote.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "tools/pagefiles/PageFiles.h"

int main(int argc, char** argv) {
    std::vector<pagefiles::Source> sources;
    pagefiles::Options options;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--vorbis-quality" && i + 1 < argc) {
            options.vorbisQuality = std::atof(argv[++i]);
            continue;
        }
        if (arg == "--later" && i + 1 < argc) {
            options.later.push_back(argv[++i]);
            continue;
        }
        const size_t at = arg.rfind('@');
        if (at == std::string::npos || at == 0 || at + 1 == arg.size() || arg[at + 1] != '/') {
            std::fprintf(stderr, "pagefiles: '%s' is not FROM@/TO\n", arg.c_str());
            return 2;
        }
        sources.push_back({arg.substr(0, at), arg.substr(at + 1)});
    }
    if (argc < 3 || sources.empty() || options.vorbisQuality < -1 || options.vorbisQuality > 10) {
        std::fprintf(stderr, "usage: pagefiles OUT [--vorbis-quality Q] [--later PATTERN]... FROM@/TO...\n");
        return 2;
    }
    try {
        for (const auto& f : pagefiles::WritePageFiles(sources, options, argv[1])) std::printf("%s\n", f.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pagefiles: %s\n", e.what());
        return 1;
    }
    return 0;
}
