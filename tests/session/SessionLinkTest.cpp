#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "recording/link/Base64Url.h"
#include "recording/link/SessionLink.h"

namespace {

std::vector<uint8_t> B(std::string_view s) { return {s.begin(), s.end()}; }

// The session without cuts: class header and six empty tracks.
std::vector<uint8_t> EmptySession() {
    std::vector<uint8_t> v = {0xFF, 0xFF, 0, 0, 8, 0};
    for (char c : std::string("CSession")) v.push_back(static_cast<uint8_t>(c));
    v.resize(38, 0);
    return v;
}

std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (uint8_t& b : v) b = static_cast<uint8_t>(rng());
    return v;
}

// Raw DEFLATE of `bytes` made with zlib directly, past any bound of the link encoder.
std::string RawDeflateText(const std::vector<uint8_t>& bytes) {
    z_stream zs{};
    EXPECT_EQ(deflateInit2(&zs, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY), Z_OK);
    std::vector<uint8_t> out(deflateBound(&zs, bytes.size()));
    zs.next_in = const_cast<Bytef*>(bytes.data());
    zs.avail_in = static_cast<uInt>(bytes.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&zs, Z_FINISH), Z_STREAM_END);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return EncodeBase64Url(out);
}

TEST(Base64Url, KnownTextsBothWays) {
    struct Case {
        std::vector<uint8_t> bytes;
        const char* text;
    } cases[] = {
        // RFC 4648's vectors, unpadded, and the two characters that differ
        // from plain base64 ('+' and '/').
        {B(""), ""},         {B("f"), "Zg"},         {B("fo"), "Zm8"},       {B("foo"), "Zm9v"},
        {B("foob"), "Zm9vYg"}, {B("fooba"), "Zm9vYmE"}, {B("foobar"), "Zm9vYmFy"}, {{0xFB, 0xFF}, "-_8"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeBase64Url(c.bytes), c.text);
        std::vector<uint8_t> back;
        std::string error;
        EXPECT_TRUE(DecodeBase64Url(c.text, back, error)) << c.text << ": " << error;
        EXPECT_EQ(back, c.bytes) << c.text;
    }
}

TEST(SessionLink, EveryFileComesBackByteForByte) {
    std::vector<uint8_t> large = RandomBytes(1 << 20, 7);  // does not compress
    std::vector<uint8_t> largest(kMaxSessionLinkBytes);  // compresses a thousandfold
    for (size_t i = 0; i < largest.size(); i += 4096) largest[i] = static_cast<uint8_t>(i >> 12);
    const std::vector<uint8_t> files[] = {{}, EmptySession(), RandomBytes(1000, 1), large, largest};
    for (const std::vector<uint8_t>& file : files) {
        std::string text, error;
        ASSERT_TRUE(EncodeSessionLink(file, text, error)) << file.size() << ": " << error;
        EXPECT_EQ(text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"),
                  std::string::npos);
        std::vector<uint8_t> back;
        ASSERT_TRUE(DecodeSessionLink(text, back, error)) << file.size() << ": " << error;
        EXPECT_TRUE(back == file) << file.size();
    }
    std::string text, error;
    EXPECT_FALSE(EncodeSessionLink(std::vector<uint8_t>(kMaxSessionLinkBytes + 1), text, error));
    EXPECT_NE(error, "");
}

TEST(SessionLink, TheFormatIsRawDeflateInBase64Url) {
    // zlib at its best compression gives this for the empty session; a
    // change would make links differ between builds.
    std::string text, error;
    ASSERT_TRUE(EncodeSessionLink(EmptySession(), text, error));
    EXPECT_EQ(text, "-_-fgYGDwTk4tbg4Mz-PAQcAAA");
    // Written by hand: a stored block (final, type 0, length 3 and its
    // complement) holding "abc".
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(DecodeSessionLink("AQMA_P9hYmM", bytes, error)) << error;
    EXPECT_EQ(bytes, B("abc"));
}

TEST(SessionLink, DamagedLinksAreRefusedWithAReason) {
    std::string good, error;
    ASSERT_TRUE(EncodeSessionLink(RandomBytes(300, 3), good, error));
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"nothing", ""},
        {"one character", "A"},
        {"padding", "AwA="},
        {"a blank", "Aw A"},
        {"plain base64's '+'", "Aw+A"},
        {"bits past the last byte", "AwB"},
        {"a block of the reserved type", "Bw"},
        {"a stored block whose length does not match its complement", "AQMA_O9hYmM"},
        {"more after the end", good + "AAAA"},
        {"a stream of more than the bound", RawDeflateText(std::vector<uint8_t>(kMaxSessionLinkBytes + 1))},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes{1, 2, 3};
        error.clear();
        EXPECT_FALSE(DecodeSessionLink(c.text, bytes, error)) << c.name;
        EXPECT_NE(error, "") << c.name;
        EXPECT_TRUE(bytes.empty()) << c.name;
    }
    // However much of its end is lost, a link cut short is never taken.
    for (size_t length = 0; length < good.size(); ++length) {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(DecodeSessionLink(std::string_view(good).substr(0, length), bytes, error)) << length;
    }
}

TEST(SessionLink, AddressesCarryTheTextAfterTheMarker) {
    EXPECT_EQ(SessionLinkAddress("http://localhost:8000/", "AwA"), "http://localhost:8000/#s=AwA");
    EXPECT_EQ(SessionLinkAddress("https://example.org/pad/?seed=1#s=old", "AwA"), "https://example.org/pad/?seed=1#s=AwA");
    struct Case {
        const char* address;
        std::optional<std::string_view> text;
    } cases[] = {
        {"http://localhost:8000/#s=AwA", "AwA"},
        {"#s=AwA", "AwA"},
        {"http://localhost:8000/#s=", ""},
        {"http://localhost:8000/?s=AwA", std::nullopt},
        {"http://localhost:8000/#x=AwA", std::nullopt},
        {"http://localhost:8000/#AwA", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(SessionLinkText(c.address), c.text) << c.address;
}

}  // namespace
