#include "platform/web/WebShareLink.h"

#include <emscripten.h>

#include <utility>

namespace plat {

namespace {

std::function<std::string()>& LinkSource() {
    static std::function<std::string()> link;
    return link;
}

// Writes location.href into `out` (at most `size` bytes with its NUL) and
// returns the bytes the whole of it needs, NUL included.
EM_JS(int, pp_page_address, (char* out, int size), {
    const address = location.href;
    if (size > 0) stringToUTF8(address, out, size);
    return lengthBytesUTF8(address) + 1;
});

// The share button reaches the program through Module.ppShareLink(), which
// gives the link's text ('' for none); absent while none is offered.
EM_JS(void, pp_share_link_offer, (int offered), {
    Module.ppShareLink = offered ? () => UTF8ToString(_pp_web_share_link()) : null;
});

}  // namespace

std::string WebPageAddress() {
    std::string address(256, '\0');
    for (;;) {
        const int needed = pp_page_address(address.data(), static_cast<int>(address.size()));
        if (static_cast<size_t>(needed) <= address.size()) {
            address.resize(static_cast<size_t>(needed) - 1);
            return address;
        }
        address.assign(static_cast<size_t>(needed), '\0');
    }
}

void OfferShareLink(std::function<std::string()> link) {
    LinkSource() = std::move(link);
    pp_share_link_offer(LinkSource() ? 1 : 0);
}

}  // namespace plat

// The text stays valid until the next call; the page copies it at once.
extern "C" EMSCRIPTEN_KEEPALIVE const char* pp_web_share_link() {
    static std::string text;
    const std::function<std::string()>& link = plat::LinkSource();
    text = link ? link() : std::string();
    return text.c_str();
}
