#include "platform/fs/PrivateProfile.h"

#include "platform/fs/NoCase.h"

namespace plat {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// What a buffer of `bufferSize` characters (one kept for the terminator)
// receives; a NUL byte ends the text as it would in the host's buffer.
std::string Fit(std::string_view value, size_t bufferSize) {
    value = value.substr(0, value.find('\0'));
    if (bufferSize == 0) return {};
    return std::string(value.substr(0, bufferSize - 1));
}

}  // namespace

std::string GetPrivateProfileString(std::span<const uint8_t> fileBytes, std::string_view section,
                                    std::string_view key, std::string_view defaultValue, size_t bufferSize) {
    std::string_view text(reinterpret_cast<const char*>(fileBytes.data()), fileBytes.size());
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // UTF-8 mark of some editors

    const std::string_view wantSection = Trim(section);
    const std::string_view wantKey = Trim(key);
    bool inSection = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;

        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            std::string_view name = Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
            // The first section of that name is the one read; a later one of the same name is not.
            if (inSection) break;
            inSection = EqualNoCase(name, wantSection);
            continue;
        }
        if (!inSection) continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        if (EqualNoCase(Trim(line.substr(0, eq)), wantKey)) return Fit(Trim(line.substr(eq + 1)), bufferSize);
    }
    return Fit(defaultValue, bufferSize);
}

}  // namespace plat
