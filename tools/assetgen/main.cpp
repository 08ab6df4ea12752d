// assetgen DISC_ROOT: writes every picture and mask of the asset disc (and the
// disc's marker folder) below DISC_ROOT. Same input, same bytes.
// assetgen --icons DIR: writes the desktop icons (the program's and its session
// files') into DIR, laid out as an icon theme's folder ("48x48/apps/plinkpad.png",
// "48x48/mimetypes/application-x-plinkpad-session.png", ...).
// assetgen --page-icons DIR: writes the program's icon for the browser page's
// manifest into DIR ("icon-192.png", "icon-512.png").
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tools/assetgen/Album.h"
#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Icon.h"

namespace {

// Runs a writer that lists what it wrote; the exit status.
int ListWritten(const std::function<std::vector<std::filesystem::path>()>& write) {
    try {
        for (const auto& f : write()) std::printf("%s\n", f.string().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icons") return ListWritten([&] { return ag::WriteIcons(argv[2]); });
    if (argc == 3 && std::string(argv[1]) == "--page-icons")
        return ListWritten([&] { return ag::WritePageIcons(argv[2]); });
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: assetgen DISC_ROOT\n       assetgen --icons DIR\n       assetgen --page-icons DIR\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    try {
        std::filesystem::create_directories(root);
        ag::MakeDiscPath(root, "Directx/Drivers/marker");  // creates the marker folders

        struct Job {
            const char* album;
            std::function<void(ag::Album&)> build;
        };
        std::vector<Job> jobs = {
            {"startup", [](ag::Album& a) { ag::BuildStartup(a); }},
            {"shared-masks", [](ag::Album& a) { ag::BuildSharedMasks(a); }},
            {"center",
             [](ag::Album& a) {
                 ag::BuildCenter(a);
                 ag::BuildHelp(a);
                 ag::BuildMenu(a);
                 ag::BuildAbout(a);
                 ag::BuildRecPal(a, 0);
                 ag::BuildRecordHelp(a, 0);
             }},
        };
        const std::function<void(ag::Album&)> worlds[6] = {
            {}, ag::BuildStar, ag::BuildDay, ag::BuildKBot, ag::BuildTroid, ag::BuildGama};
        const char* names[6] = {"", "star", "day", "kbot", "troid", "gama"};
        for (int w = 1; w <= 5; ++w) {
            jobs.push_back({names[w], [w, build = worlds[w]](ag::Album& a) {
                                build(a);
                                ag::BuildRecPal(a, w);
                                ag::BuildRecordHelp(a, w);
                            }});
        }
        size_t total = 0;
        for (const Job& job : jobs) {
            ag::Album album(job.album);
            job.build(album);
            total += album.Write(root);
        }
        std::printf("assetgen: %zu pictures in %s\n", total, root.string().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
