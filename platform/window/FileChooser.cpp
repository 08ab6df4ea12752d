#include "platform/window/FileChooser.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#include "platform/text/Font.h"
#include "platform/window/Keys.h"
#include "platform/window/Painter.h"
#include "platform/window/WindowSystem.h"

namespace fs = std::filesystem;

namespace plat {

namespace {
constexpr int kWidth = 440, kHeight = 330;
constexpr int kFontSize = 12;
constexpr int kRowH = 16;
constexpr uint32_t kDoubleClickMs = 500;
const Rect kList{10, 52, 430, 234};
const Rect kName{90, 242, 430, 262};
const Rect kOk{258, 296, 338, 320};
const Rect kCancel{350, 296, 430, 320};

bool GlobMatch(const char* p, const char* s) {
    for (; *p != '\0'; ++p, ++s) {
        if (*p == '*') {
            for (;; ++s) {
                if (GlobMatch(p + 1, s)) return true;
                if (*s == '\0') return false;
            }
        }
        if (*s == '\0') return false;
        if (*p != '?' && std::tolower(static_cast<unsigned char>(*p)) != std::tolower(static_cast<unsigned char>(*s)))
            return false;
    }
    return *s == '\0';
}

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

bool HasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

bool IsDir(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}
}  // namespace

bool FileChooser::MatchesFilter(const std::string& pattern, const std::string& name) {
    if (pattern.empty()) return true;
    size_t start = 0;
    while (start <= pattern.size()) {
        size_t end = pattern.find(';', start);
        if (end == std::string::npos) end = pattern.size();
        const std::string one = Trim(pattern.substr(start, end - start));
        if (!one.empty() && GlobMatch(one.c_str(), name.c_str())) return true;
        start = end + 1;
    }
    return false;
}

fs::path FileChooser::StartFolder(const FileDialogOptions& options) {
    const fs::path initial(options.initialName);
    if (initial.has_parent_path() && IsDir(initial.parent_path())) return initial.parent_path();
    if (!options.initialDirectory.empty() && IsDir(options.initialDirectory)) return options.initialDirectory;
    // The user's files belong in the user's home folder, not in whatever
    // folder the program was started from (a desktop menu may start it anywhere).
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/' && IsDir(home)) return home;
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    return ec ? fs::path("/") : cwd;
}

std::string FileChooser::ResolveTypedName(const FileDialogOptions& options, const fs::path& folder,
                                          const std::string& typed) {
    fs::path p(typed);
    if (p.is_relative()) p = folder / p;
    // A name that starts with a dot is an extension without a title, as the
    // host reads names (".sts"), not a hidden file without an extension.
    const std::string name = p.filename().string();
    const bool hasExtension = p.filename().has_extension() || (name.size() > 1 && name[0] == '.' && name != "..");
    if (!options.defaultExtension.empty() && !name.empty() && !hasExtension) p += "." + options.defaultExtension;
    return p.lexically_normal().string();
}

FileChooser::FileChooser(WindowSystem& system, FileDialogOptions options)
    : Window(system), options_(std::move(options)), name_(system, EditStyle{false, false, true, 260}) {}

FileChooser::~FileChooser() { Destroy(); }

std::optional<std::string> FileChooser::Run() {
    const Display& d = System().GetDisplay();
    const FrameInsets in = InsetsFor(WindowStyle::Dialog);
    const int outerW = kWidth + in.left + in.right, outerH = kHeight + in.top + in.bottom;
    WindowParams p;
    p.style = WindowStyle::Dialog;
    p.rect = Rect::FromSize((d.Width() - outerW) / 2, (d.Height() - outerH) / 2, outerW, outerH);
    p.title = options_.title;
    p.topmost = true;
    if (!Create(p) || !name_.CreateChild(*this, kName)) return std::nullopt;
    Enter(StartFolder(options_));
    name_.SetText(fs::path(options_.initialName).filename().string(), true);
    name_.SetFocus();
    const int r = System().RunModal(*this);
    Destroy();
    return r == 1 ? result_ : std::nullopt;
}

void FileChooser::Enter(const fs::path& folder) {
    folder_ = folder.lexically_normal();
    if (folder_.has_filename() == false && folder_ != folder_.root_path()) folder_ = folder_.parent_path();
    entries_.clear();
    std::vector<std::string> folders, files;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;  // hidden entries stay hidden
        std::error_code ec2;
        if (it->is_directory(ec2)) {
            folders.push_back(name);
        } else if (MatchesFilter(options_.filterPattern, name)) {
            files.push_back(name);
        }
    }
    std::sort(folders.begin(), folders.end(), LessNoCase);
    std::sort(files.begin(), files.end(), LessNoCase);
    if (folder_ != folder_.root_path()) entries_.push_back({"..", true});
    for (auto& f : folders) entries_.push_back({std::move(f), true});
    for (auto& f : files) entries_.push_back({std::move(f), false});
    selected_ = entries_.empty() ? -1 : 0;
    scroll_ = 0;
    Invalidate();
}

int FileChooser::VisibleRows() const { return (kList.Height() - 4) / kRowH; }

void FileChooser::Select(int index) {
    if (entries_.empty()) return;
    selected_ = std::clamp(index, 0, static_cast<int>(entries_.size()) - 1);
    if (selected_ < scroll_) scroll_ = selected_;
    if (selected_ >= scroll_ + VisibleRows()) scroll_ = selected_ - VisibleRows() + 1;
    const Entry& e = entries_[static_cast<size_t>(selected_)];
    if (!e.folder) name_.SetText(e.name, true);
    Invalidate();
}

void FileChooser::Activate() {
    const std::string typed = Trim(name_.GetText());
    const Entry* sel = selected_ >= 0 ? &entries_[static_cast<size_t>(selected_)] : nullptr;
    if (typed.empty() || HasWildcard(typed)) {
        // No name yet: Enter opens the selected folder.
        if (sel != nullptr && sel->folder) Enter(folder_ / sel->name);
        return;
    }
    Accept(typed);
}

void FileChooser::Accept(const std::string& typed) {
    const fs::path direct = fs::path(typed).is_relative() ? folder_ / typed : fs::path(typed);
    if (IsDir(direct)) {
        Enter(direct);
        name_.SetText(fs::path(options_.initialName).filename().string(), true);
        return;
    }
    const std::string chosen = ResolveTypedName(options_, folder_, typed);
    const fs::path path(chosen);
    if (!IsDir(path.parent_path())) {
        System().MessageBox(path.parent_path().string() + "\nThe folder does not exist.");
        return;
    }
    std::error_code ec;
    if (options_.save && fs::exists(path, ec) &&
        System().MessageBox(path.filename().string() + " already exists. Replace it?", MessageBoxButtons::YesNo) !=
            MessageBoxAnswer::Yes)
        return;
    result_ = chosen;
    System().EndModal(*this, 1);
}

void FileChooser::OnKeyDown(int key, uint32_t) {
    switch (key) {
        case vk::kUp: Select(selected_ - 1); break;
        case vk::kDown: Select(selected_ + 1); break;
        case vk::kReturn: Activate(); break;
        case vk::kEscape: System().EndModal(*this, 0); break;
        default: break;
    }
}

int FileChooser::RowAt(int x, int y) const {
    if (!kList.Contains({x, y})) return -1;
    const int row = scroll_ + (y - kList.top - 2) / kRowH;
    return row >= 0 && row < static_cast<int>(entries_.size()) ? row : -1;
}

void FileChooser::OnLButtonDown(int x, int y) {
    const int row = RowAt(x, y);
    if (row < 0) return;
    const uint32_t now = System().NowMs();
    const bool doubleClick = row == lastClickRow_ && now - lastClickMs_ <= kDoubleClickMs;
    lastClickRow_ = doubleClick ? -1 : row;
    lastClickMs_ = now;
    Select(row);
    if (!doubleClick) return;
    const Entry e = entries_[static_cast<size_t>(row)];
    if (e.folder) {
        Enter(folder_ / e.name);
    } else {
        Accept(e.name);
    }
}

void FileChooser::OnLButtonUp(int x, int y) {
    if (kOk.Contains({x, y})) {
        Activate();
    } else if (kCancel.Contains({x, y})) {
        System().EndModal(*this, 0);
    }
}

void FileChooser::OnPaint(DeviceContext&) {
    Bitmap& s = Surface();
    const UiColours c = UiColours::Nearest(System().GetDisplay());
    const Rect all = ClientRect();
    Painter p(s, all);
    const Font& font = System().UiFont(kFontSize);
    const Font& bold = System().UiFont(kFontSize, true);
    p.Fill(all, c.black);
    const std::string title = !options_.title.empty() ? options_.title : options_.save ? "Save As" : "Open";
    p.Text(bold, 10, 6, title, c.white);
    // The folder, cut at the left when long so that its end stays readable.
    std::string where = folder_.string();
    std::string shown = "Look in: " + where;
    while (font.MeasureWidth(shown) > kList.Width() && where.size() > 1) {
        where.erase(0, 1);
        while (!where.empty() && (static_cast<unsigned char>(where[0]) & 0xC0) == 0x80) where.erase(0, 1);
        shown = "Look in: ..." + where;
    }
    p.Text(font, 10, 30, shown, c.white);

    p.Fill(kList, c.white);
    p.Frame(kList, c.grey);
    Painter inList(s, {kList.left + 1, kList.top + 1, kList.right - 1, kList.bottom - 1});
    for (int row = 0; row < VisibleRows(); ++row) {
        const int i = scroll_ + row;
        if (i >= static_cast<int>(entries_.size())) break;
        const Entry& e = entries_[static_cast<size_t>(i)];
        const Rect line{kList.left + 2, kList.top + 2 + row * kRowH, kList.right - 2, kList.top + 2 + (row + 1) * kRowH};
        const bool sel = i == selected_;
        if (sel) inList.Fill(line, c.highlight);
        inList.Text(font, line.left + 3, line.top + (kRowH - font.LineHeight()) / 2,
                    e.folder && e.name != ".." ? "[" + e.name + "]" : e.name, sel ? c.white : c.black);
    }
    p.Text(font, 10, kName.top + 3, "File name:", c.white);
    p.Text(font, 10, 272, "Files of type: " + options_.filterLabel, c.white);
    for (const auto& [r, label] : {std::pair{kOk, "OK"}, std::pair{kCancel, "Cancel"}}) {
        p.Fill(r, c.black);
        p.Frame(r, c.white);
        p.TextCentred(font, r, label, c.white);
    }
}

}  // namespace plat
