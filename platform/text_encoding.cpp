#include "platform/text_encoding.h"

namespace platform {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

size_t unitBytes(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be ? 2 : 1;
}

unsigned unitAt(std::string_view bytes, size_t at, TextEncoding encoding) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    switch (encoding) {
        case TextEncoding::Utf16Le:
            return byte(at) | byte(at + 1) << 8;
        case TextEncoding::Utf16Be:
            return byte(at) << 8 | byte(at + 1);
        default:
            return byte(at);
    }
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendWide(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}

std::optional<std::wstring> decodeUtf8(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        size_t extra = 0;
        if (lead >= 0xC2 && lead < 0xE0)
            extra = 1;
        else if (lead >= 0xE0 && lead < 0xF0)
            extra = 2;
        else if (lead >= 0xF0 && lead < 0xF5)
            extra = 3;
        else if (lead >= 0x80)
            return std::nullopt;
        if (i + extra >= bytes.size()) return std::nullopt;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (size_t k = 1; k <= extra; ++k) {
            auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = c << 6 | (next & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (c < kLeast[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return std::nullopt;
        appendWide(text, c);
        i += extra + 1;
    }
    return text;
}

}  // namespace

TextEncoding encodingOf(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return TextEncoding::Utf8;
    if (bytes.starts_with(kUtf16LeMark)) return TextEncoding::Utf16Le;
    if (bytes.starts_with(kUtf16BeMark)) return TextEncoding::Utf16Be;
    return TextEncoding::Ansi;
}

std::string byteOrderMark(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return std::string(kUtf8Mark);
        case TextEncoding::Utf16Le:
            return std::string(kUtf16LeMark);
        case TextEncoding::Utf16Be:
            return std::string(kUtf16BeMark);
        case TextEncoding::Ansi:
            break;
    }
    return {};
}

std::vector<EncodedLine> splitEncodedLines(std::string_view body, TextEncoding encoding) {
    const size_t unit = unitBytes(encoding);
    std::vector<EncodedLine> lines;
    size_t start = 0;
    for (size_t at = 0; at + unit <= body.size(); at += unit) {
        unsigned c = unitAt(body, at, encoding);
        if (c != '\r' && c != '\n') continue;
        size_t endSize = unit;
        if (c == '\r' && at + 2 * unit <= body.size() && unitAt(body, at + unit, encoding) == '\n')
            endSize += unit;
        lines.push_back({body.substr(start, at - start), body.substr(at, endSize)});
        at += endSize - unit;
        start = at + unit;
    }
    if (start < body.size()) lines.push_back({body.substr(start), {}});
    return lines;
}

std::optional<std::wstring> decodeUnicode(std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return decodeUtf8(bytes);
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (size_t at = 0; at < bytes.size(); at += 2) {
        char32_t c = unitAt(bytes, at, encoding);
        if (c >= 0xD800 && c < 0xDC00 && at + 2 < bytes.size()) {
            char32_t low = unitAt(bytes, at + 2, encoding);
            if (low >= 0xDC00 && low < 0xE000) {
                appendWide(text, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        if (c >= 0xD800 && c < 0xE000) return std::nullopt;
        appendWide(text, c);
    }
    return text;
}

std::string encodeUnicode(std::wstring_view text, TextEncoding encoding) {
    std::string bytes;
    bytes.reserve(text.size() * (encoding == TextEncoding::Utf8 ? 3 : 2));
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] < 0xE000)
                c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        }
        if (encoding == TextEncoding::Utf8) {
            appendUtf8(bytes, c);
            continue;
        }
        auto unit = [&](char32_t u) {
            char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
            if (encoding == TextEncoding::Utf16Le) {
                bytes += low;
                bytes += high;
            } else {
                bytes += high;
                bytes += low;
            }
        };
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }
    return bytes;
}

}  // namespace platform
