#include "platform/script/ScriptCommand.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "platform/window/Keys.h"

namespace plat {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view TrimView(std::string_view s) {
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        const size_t b = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
        if (i > b) out.push_back(s.substr(b, i - b));
    }
    return out;
}

// A whole decimal number within [lo, hi].
std::optional<long> Number(std::string_view s, long lo, long hi) {
    long v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return std::nullopt;
    return v;
}

}  // namespace

std::optional<int> ParseScriptKey(std::string_view name) {
    if (name.size() == 1) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
        return std::nullopt;
    }
    static const std::pair<const char*, int> kNames[] = {
        {"shift", vk::kShift},   {"ctrl", vk::kControl},   {"tab", vk::kTab},     {"help", vk::kHelp},
        {"delete", vk::kDelete}, {"backspace", vk::kBack}, {"enter", vk::kReturn}, {"escape", vk::kEscape},
        {"space", vk::kSpace},   {"left", vk::kLeft},      {"right", vk::kRight}, {"up", vk::kUp},
        {"down", vk::kDown},
    };
    const std::string lower = Lower(name);
    for (const auto& [n, code] : kNames)
        if (lower == n) return code;
    if (auto v = Number(name, 1, 255)) return static_cast<int>(*v);
    return std::nullopt;
}

ScriptLine ParseScriptLine(std::string_view line) {
    ScriptLine out;
    if (const size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    line = TrimView(line);
    if (line.empty()) return out;
    const std::vector<std::string_view> w = Words(line);
    const std::string verb = Lower(w[0]);
    // Everything after the verb, as written (type TEXT, file PATH, screenshot FILE).
    const std::string_view rest = TrimView(line.substr(w[0].size()));
    ScriptCommand c;
    auto fail = [&](std::string why) {
        out.error = std::move(why);
        return out;
    };
    auto done = [&](ScriptCommand cmd) {
        out.command = std::move(cmd);
        return out;
    };

    static const std::pair<const char*, ScriptCommand::Kind> kPointer[] = {
        {"move", ScriptCommand::Kind::Move},
        {"down", ScriptCommand::Kind::Down},
        {"up", ScriptCommand::Kind::Up},
        {"click", ScriptCommand::Kind::Click},
    };
    for (const auto& [name, kind] : kPointer) {
        if (verb != name) continue;
        if (w.size() != 3) return fail(verb + " needs X Y");
        const auto x = Number(w[1], -100000, 100000), y = Number(w[2], -100000, 100000);
        if (!x || !y) return fail(verb + ": X and Y must be whole numbers");
        c.kind = kind;
        c.pos = {static_cast<int>(*x), static_cast<int>(*y)};
        return done(c);
    }
    static const std::pair<const char*, ScriptCommand::Kind> kKeys[] = {
        {"key", ScriptCommand::Kind::Key},
        {"keydown", ScriptCommand::Kind::KeyDown},
        {"keyup", ScriptCommand::Kind::KeyUp},
    };
    for (const auto& [name, kind] : kKeys) {
        if (verb != name) continue;
        if (w.size() != 2) return fail(verb + " needs one key");
        const auto key = ParseScriptKey(w[1]);
        if (!key) return fail("unknown key '" + std::string(w[1]) + "'");
        c.kind = kind;
        c.key = *key;
        return done(c);
    }
    if (verb == "type") {
        if (rest.empty()) return fail("type needs text");
        c.kind = ScriptCommand::Kind::Type;
        c.text = std::string(rest);
        return done(c);
    }
    if (verb == "wait") {
        if (w.size() != 2) return fail("wait needs milliseconds");
        const auto ms = Number(w[1], 0, 86400000);
        if (!ms) return fail("wait: milliseconds must be a whole number from 0 to 86400000");
        c.kind = ScriptCommand::Kind::Wait;
        c.ms = static_cast<uint32_t>(*ms);
        return done(c);
    }
    if (verb == "answer") {
        static const std::pair<const char*, MessageBoxAnswer> kAnswers[] = {
            {"ok", MessageBoxAnswer::Ok},
            {"yes", MessageBoxAnswer::Yes},
            {"no", MessageBoxAnswer::No},
            {"cancel", MessageBoxAnswer::Cancel},
        };
        if (w.size() == 2)
            for (const auto& [name, a] : kAnswers)
                if (Lower(w[1]) == name) {
                    c.kind = ScriptCommand::Kind::Answer;
                    c.answer = a;
                    return done(c);
                }
        return fail("answer needs ok, yes, no or cancel");
    }
    if (verb == "file") {
        if (rest.empty()) return fail("file needs a path or cancel");
        c.kind = ScriptCommand::Kind::File;
        if (Lower(rest) != "cancel") c.path = std::string(rest);
        return done(c);
    }
    if (verb == "screenshot" || verb == "windowshot") {
        if (rest.empty()) return fail(verb + " needs a file name");
        c.kind = verb == "screenshot" ? ScriptCommand::Kind::Screenshot : ScriptCommand::Kind::Windowshot;
        c.path = std::string(rest);
        return done(c);
    }
    if (verb == "quit") {
        if (w.size() != 1) return fail("quit takes nothing");
        c.kind = ScriptCommand::Kind::Quit;
        return done(c);
    }
    return fail("unknown command '" + std::string(w[0]) + "'");
}

}  // namespace plat
