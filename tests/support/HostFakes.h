#pragma once
// Host services for tests that need no window system: message boxes that are
// recorded instead of shown, and files from an in-memory map.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Host.h"

namespace testsupport {

// Records every message box (answered OK) and file dialog (answered with
// `fileAnswer`, cancel by default).
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

// Files by exact host name; every read is logged in `reads`.
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
        reads.emplace_back(name);
        auto it = files.find(std::string(name));
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    std::map<std::string, std::vector<uint8_t>> files;
    mutable std::vector<std::string> reads;
};

}  // namespace testsupport
