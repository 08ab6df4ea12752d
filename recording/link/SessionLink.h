#pragma once
// Session links: a ".sts" file carried in the page's address, after "#s=".
// The text there is the file's bytes compressed with raw DEFLATE (RFC 1951:
// no zlib or gzip wrapper, no checksum) and written in base64url without
// padding (Base64Url.h). A fragment never reaches a server, so a link works
// with any host that serves the page. The format carries no checksum: a link
// cut short or holding a foreign character is always refused, but a changed
// character may still inflate to other bytes, which the session reader then
// judges. Any thread; no shared state.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What comes before the link's text in an address.
inline constexpr std::string_view kSessionLinkMarker = "#s=";

// The largest file a link carries, in bytes. A session the program records
// (six cuts of at most 500 events) stays below 50 KB; the bound keeps a
// hostile link from inflating without end (DEFLATE packs up to about 1000
// bytes into one).
inline constexpr size_t kMaxSessionLinkBytes = 16 * 1024 * 1024;

// The link's text for a file's bytes. False with a one-line `error` when the
// bytes exceed kMaxSessionLinkBytes (or the compressor fails); the same bytes
// always give the same text.
bool EncodeSessionLink(std::span<const uint8_t> fileBytes, std::string& text, std::string& error);

// The file's bytes from untrusted link text. False with a one-line `error`
// (and `fileBytes` empty) for text that is not base64url, a compressed
// stream that is damaged, cut short or followed by more data, and for one
// that inflates to more than kMaxSessionLinkBytes. The bytes are not checked
// to be a session: the session reader does that.
bool DecodeSessionLink(std::string_view text, std::vector<uint8_t>& fileBytes, std::string& error);

// `base` (any fragment of its own dropped), the marker, then `text`.
std::string SessionLinkAddress(std::string_view base, std::string_view text);

// The link's text in a whole address: what follows its "#s=". None when the
// address has no fragment or its fragment does not start with "s=".
std::optional<std::string_view> SessionLinkText(std::string_view address);
