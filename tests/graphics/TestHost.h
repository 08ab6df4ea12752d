#pragma once
// A host for graphics tests: a virtual screen, message boxes that are
// recorded instead of shown, and files from an in-memory map.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Host.h"
#include "platform/gdi/Display.h"

namespace testing_graphics {

class RecordingDialogs : public plat::Dialogs {
public:
    plat::MessageBoxAnswer MessageBox(const std::string& text, plat::MessageBoxButtons) override {
        messages.push_back(text);
        return plat::MessageBoxAnswer::Ok;
    }
    std::optional<std::string> FileDialog(const plat::FileDialogOptions& options) override {
        fileDialogs.push_back(options);
        return fileAnswer;
    }
    std::vector<std::string> messages;
    std::vector<plat::FileDialogOptions> fileDialogs;
    std::optional<std::string> fileAnswer;
};

class MemoryFiles : public plat::FileSystem {
public:
    std::optional<std::filesystem::path> Resolve(std::string_view name) const override {
        if (files.count(std::string(name)) == 0) return std::nullopt;
        return std::filesystem::path(std::string(name));
    }
    std::optional<std::filesystem::path> ResolveForWrite(std::string_view name) const override {
        return std::filesystem::path(std::string(name));
    }
    bool IsDirectory(std::string_view) const override { return false; }
    std::optional<std::vector<uint8_t>> ReadFile(std::string_view name) const override {
        auto it = files.find(std::string(name));
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    std::map<std::string, std::vector<uint8_t>> files;
};

// Installs itself as the running host for its lifetime.
struct TestHost {
    TestHost() {
        host.dialogs = &dialogs;
        host.files = &files;
        host.display = &display;
        plat::SetHost(&host);
    }
    ~TestHost() { plat::SetHost(nullptr); }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    plat::Display display{640, 480};
    RecordingDialogs dialogs;
    MemoryFiles files;
    plat::Host host;
};

}  // namespace testing_graphics
