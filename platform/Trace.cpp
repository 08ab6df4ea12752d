#include "platform/Trace.h"

#include <string>

namespace plat {

Trace::Trace(const Clock& clock, const std::string& path, bool keepLines) : clock_(clock), keepLines_(keepLines) {
    if (!path.empty()) file_ = std::fopen(path.c_str(), "w");
}

Trace::~Trace() {
    if (file_ != nullptr) std::fclose(file_);
}

void Trace::Log(std::string_view text) {
    std::string line = std::to_string(clock_.NowMs());
    line += ' ';
    line += text;
    if (file_ != nullptr) {
        std::fputs(line.c_str(), file_);
        std::fputc('\n', file_);
        std::fflush(file_);  // a crashed or killed run keeps its trace
    }
    if (keepLines_) lines_.push_back(std::move(line));
}

}  // namespace plat
