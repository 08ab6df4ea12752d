#pragma once
// The running host: the services that the program's classes reach the way a
// desktop program reaches its operating system (message boxes, files, the clock,
// the audio output, the trace). The application sets it up once at start;
// tests set up their own with fakes where they like. Every service is an
// interface, so a library that uses the host links none of its implementations.
// Window thread only.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class Backend;
class Clock;
class Display;
class Trace;
class WindowSystem;

enum class MessageBoxButtons { Ok, YesNo, YesNoCancel };
enum class MessageBoxAnswer { Ok, Yes, No, Cancel };

struct FileDialogOptions {
    bool save = false;             // save dialog (asks before overwriting) or open dialog
    std::string title;
    std::string filterLabel;       // "Plinkpads Session: (*.sts)"
    std::string filterPattern;     // "*.sts"
    std::string defaultExtension;  // "sts", added to a typed name without one
    std::string initialName;       // "*.sts" or "<name>.sts"
    std::string initialDirectory;  // host path; empty = the user's home folder
};

// Modal dialogs of the host (implemented by WindowSystem).
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Message box with fixed text; returns the user's answer. Traced as "message TEXT".
    virtual MessageBoxAnswer MessageBox(const std::string& text, MessageBoxButtons buttons = MessageBoxButtons::Ok) = 0;
    // Open or save file chooser; nullopt when cancelled. Returns a host path.
    virtual std::optional<std::string> FileDialog(const FileDialogOptions& options) = 0;
};

// Files named the host's way (implemented by HostPath, see fs/HostPath.h).
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual std::optional<std::filesystem::path> Resolve(std::string_view hostName) const = 0;
    virtual std::optional<std::filesystem::path> ResolveForWrite(std::string_view hostName) const = 0;
    virtual bool IsDirectory(std::string_view hostName) const = 0;
    virtual std::optional<std::vector<uint8_t>> ReadFile(std::string_view hostName) const = 0;
};

struct Host {
    Dialogs* dialogs = nullptr;
    FileSystem* files = nullptr;
    Clock* clock = nullptr;
    Backend* backend = nullptr;        // audio output
    WindowSystem* windows = nullptr;   // null in tests that need no windows
    Display* display = nullptr;        // the screen; when null, windows->GetDisplay() (set it where there are no windows)
    Trace* trace = nullptr;            // null when not tracing

    // The host of a program running on `windows`: its dialogs, clock,
    // backend, display and trace, with `files`.
    static Host Of(WindowSystem& windows, FileSystem& files);
};

// The current host; aborts with a message if none was set.
Host& GetHost();
void SetHost(Host* host);
// Appends a trace line when tracing; nothing otherwise.
void TraceLine(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace plat
