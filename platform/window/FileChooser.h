#pragma once
// The file chooser in the program's own look: a modal window listing the
// folder's sub-folders (with ".." to go up) and the files matching the
// filter, a name box, OK and Cancel. Up and Down move through the list (a
// file's name goes into the name box), Enter opens a folder or accepts the
// name, Escape cancels; a click selects, a double click opens or accepts.
// A typed name without an extension gets the default one; a save asks
// "<name> already exists. Replace it?" before choosing an existing file.
// Window thread only.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/Host.h"
#include "platform/window/EditControl.h"
#include "platform/window/Window.h"

namespace plat {

class FileChooser final : public Window {
public:
    FileChooser(WindowSystem& system, FileDialogOptions options);
    ~FileChooser() override;

    // Shows the chooser modally; the chosen path, or nullopt when cancelled.
    std::optional<std::string> Run();

    // The folder the chooser starts in: the initial name's folder, else the
    // initial directory, else the user's home folder ($HOME), else the
    // current directory.
    static std::filesystem::path StartFolder(const FileDialogOptions& options);
    // A name as typed in `folder`: relative names are taken in the folder,
    // and a name without an extension gets the default one (".sts" is all
    // extension).
    static std::string ResolveTypedName(const FileDialogOptions& options, const std::filesystem::path& folder,
                                        const std::string& typed);
    // Whether `name` matches the filter pattern ("*.sts"; several patterns
    // separated by ';'), without regard to case.
    static bool MatchesFilter(const std::string& pattern, const std::string& name);

    void OnPaint(DeviceContext& dc) override;
    void OnKeyDown(int key, uint32_t flags) override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnPaletteChanged() override { Invalidate(); }

private:
    struct Entry {
        std::string name;
        bool folder;
    };
    void Enter(const std::filesystem::path& folder);
    void Select(int index);
    void Activate();  // Enter, OK or a double click
    void Accept(const std::string& typed);
    int RowAt(int x, int y) const;
    int VisibleRows() const;

    FileDialogOptions options_;
    EditControl name_;
    std::filesystem::path folder_;
    std::vector<Entry> entries_;
    int selected_ = -1;
    int scroll_ = 0;
    int lastClickRow_ = -1;
    uint32_t lastClickMs_ = 0;
    std::optional<std::string> result_;
};

}  // namespace plat
