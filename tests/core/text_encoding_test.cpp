#include "platform/text_encoding.h"

#include <gtest/gtest.h>

using platform::TextEncoding;

namespace {

std::vector<std::string> linesOf(std::string_view body, TextEncoding encoding) {
    std::vector<std::string> lines;
    for (const platform::EncodedLine& line : platform::splitEncodedLines(body, encoding))
        lines.emplace_back(line.bytes);
    return lines;
}

}  // namespace

TEST(TextEncoding, ByteOrderMarksNameTheEncodingAndLinesSplitInItsCodeUnits) {
    EXPECT_EQ(platform::encodingOf("\xEF\xBB\xBFx"), TextEncoding::Utf8);
    EXPECT_EQ(platform::encodingOf("\xFF\xFEx\0"), TextEncoding::Utf16Le);
    EXPECT_EQ(platform::encodingOf("\xFE\xFF\0x"), TextEncoding::Utf16Be);
    EXPECT_EQ(platform::encodingOf("\xEF\xBB"), TextEncoding::Ansi);
    for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be})
        EXPECT_EQ(platform::encodingOf(platform::byteOrderMark(e) + "x"), e);

    EXPECT_EQ(linesOf("a\r\n\r\nb\rc\nd", TextEncoding::Ansi),
              (std::vector<std::string>{"a", "", "b", "c", "d"}));
    EXPECT_TRUE(linesOf("", TextEncoding::Ansi).empty());
    // U+0A0D holds both line-end bytes, yet is no line end in UTF-16.
    using namespace std::string_literals;
    std::string le = "\x0D\x0A"s + "\r\0\n\0"s + "b\0"s;
    EXPECT_EQ(linesOf(le, TextEncoding::Utf16Le), (std::vector<std::string>{"\x0D\x0A", "b\0"s}));
    auto split = platform::splitEncodedLines(le, TextEncoding::Utf16Le);
    EXPECT_EQ(split.front().end, "\r\0\n\0"s);
    EXPECT_TRUE(split.back().end.empty());
}

TEST(TextEncoding, UnicodeTextsComeBackToTheirBytesAndBrokenOnesAreRefused) {
    using namespace std::string_literals;
    const std::wstring text = L"ユニコード A\U0001F600";
    for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be}) {
        std::string bytes = platform::encodeUnicode(text, e);
        EXPECT_EQ(platform::decodeUnicode(bytes, e), text);
    }
    EXPECT_EQ(platform::encodeUnicode(L"ユ", TextEncoding::Utf8), "\xE3\x83\xA6");
    EXPECT_EQ(platform::encodeUnicode(L"ユ", TextEncoding::Utf16Le), "\xE6\x30");
    for (std::string_view broken : {"\xE3\x83", "\xC0\xAF", "\xED\xA0\x80", "a\xFF"})
        EXPECT_EQ(platform::decodeUnicode(broken, TextEncoding::Utf8), std::nullopt) << broken;
    EXPECT_EQ(platform::decodeUnicode("\x00\xD8"s, TextEncoding::Utf16Le), std::nullopt);
    EXPECT_EQ(platform::decodeUnicode("a", TextEncoding::Utf16Le), std::nullopt);
}
