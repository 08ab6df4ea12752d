#include "tests/render/RenderRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace rendertest {

namespace fs = std::filesystem;

Exit Program(const fs::path& dir, const std::string& args) {
    const fs::path err = dir / "stderr.txt";
    const std::string command = "cd '" + dir.string() + "' && '" + std::string(PLINKPAD_BUILD_DIR) +
                                "/plinkpad' --drives '" + hubtest::HubDrive::Get().Root().string() + "' " + args +
                                " 2> '" + err.string() + "'";
    Exit r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(err);
    r.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return r;
}

fs::path Scratch(const std::string& name) {
    const fs::path dir = hubtest::RunDir("render-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::vector<hubtest::TraceLine> ReadTrace(const fs::path& path) {
    std::vector<hubtest::TraceLine> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        const size_t space = line.find(' ');
        lines.push_back({static_cast<uint32_t>(std::stoul(line.substr(0, space))), line.substr(space + 1)});
    }
    return lines;
}

SessionTracks Tracks(std::vector<std::unique_ptr<SessionCut>> cuts) {
    SessionTracks tracks;
    for (size_t i = 0; i < cuts.size() && i < tracks.size(); ++i) tracks[i] = std::move(cuts[i]);
    return tracks;
}

}  // namespace rendertest
