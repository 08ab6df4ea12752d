#pragma once
// The page's address and its share button (page/share-link.js), which asks
// the program for the link to the session in use. Page thread (the page's
// only thread).

#include <functional>
#include <string>

namespace plat {

// The page's whole address as the browser has it now, fragment included.
std::string WebPageAddress();

// The share button asks `link` for the address to show; an empty text says
// there is none to share. Null (as before the program is up) offers none.
// The page calls `link` between the program's steps, while the program
// waits; the caller clears it before what `link` reads goes away.
void OfferShareLink(std::function<std::string()> link);

}  // namespace plat
