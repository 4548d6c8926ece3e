#include "base/ip_address.h"

#include <algorithm>
#include <vector>

namespace base {

std::optional<int> smallDecimal(std::string_view digits, int most) {
    // No sign, no leading zero: "010" is octal to some readers and 10 to others.
    if (digits.empty() || digits.size() > 3 || (digits.size() > 1 && digits[0] == '0'))
        return std::nullopt;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > most) return std::nullopt;
    return value;
}

namespace {

bool readV4(std::string_view text, std::uint8_t* out) {
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = text.find('.');
        if ((part < 3) != (dot != std::string_view::npos)) return false;
        std::optional<int> value = smallDecimal(text.substr(0, dot), 255);
        if (!value) return false;
        out[part] = static_cast<std::uint8_t>(*value);
        text = part < 3 ? text.substr(dot + 1) : std::string_view();
    }
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Groups of one to four hex digits separated by colons, the last one possibly dotted IPv4;
// appended to `out` as 16-bit words.
bool readGroups(std::string_view text, std::vector<std::uint16_t>& out) {
    if (text.empty()) return true;
    for (;;) {
        const std::size_t colon = text.find(':');
        std::string_view group = text.substr(0, colon);
        if (colon == std::string_view::npos && group.find('.') != std::string_view::npos) {
            std::uint8_t v4[4];
            if (!readV4(group, v4)) return false;
            out.push_back(static_cast<std::uint16_t>(v4[0] << 8 | v4[1]));
            out.push_back(static_cast<std::uint16_t>(v4[2] << 8 | v4[3]));
            return true;
        }
        if (group.empty() || group.size() > 4) return false;
        unsigned word = 0;
        for (char c : group) {
            const int digit = hexDigit(c);
            if (digit < 0) return false;
            word = word << 4 | static_cast<unsigned>(digit);
        }
        out.push_back(static_cast<std::uint16_t>(word));
        if (colon == std::string_view::npos) return true;
        text.remove_prefix(colon + 1);
    }
}

std::optional<IpAddress> readV6(std::string_view text) {
    std::vector<std::uint16_t> head, tail;
    const std::size_t gap = text.find("::");
    if (gap == std::string_view::npos) {
        if (!readGroups(text, head) || head.size() != 8) return std::nullopt;
    } else {
        if (text.find("::", gap + 1) != std::string_view::npos) return std::nullopt;
        if (!readGroups(text.substr(0, gap), head) || !readGroups(text.substr(gap + 2), tail) ||
            head.size() + tail.size() > 7)
            return std::nullopt;
    }
    IpAddress address{true, {}};
    for (std::size_t i = 0; i < head.size(); ++i) {
        address.bytes[2 * i] = static_cast<std::uint8_t>(head[i] >> 8);
        address.bytes[2 * i + 1] = static_cast<std::uint8_t>(head[i]);
    }
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const std::size_t at = 8 - tail.size() + i;
        address.bytes[2 * at] = static_cast<std::uint8_t>(tail[i] >> 8);
        address.bytes[2 * at + 1] = static_cast<std::uint8_t>(tail[i]);
    }
    // ::ffff:a.b.c.d is the IPv4 peer of a socket that takes both.
    constexpr std::array<std::uint8_t, 12> kMapped{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
    if (std::equal(kMapped.begin(), kMapped.end(), address.bytes.begin())) {
        IpAddress v4;
        std::copy_n(address.bytes.begin() + 12, 4, v4.bytes.begin());
        return v4;
    }
    return address;
}

}  // namespace

std::optional<IpAddress> parseIpAddress(std::string_view text) {
    if (text.find(':') != std::string_view::npos) return readV6(text);
    IpAddress address;
    if (!readV4(text, address.bytes.data())) return std::nullopt;
    return address;
}

bool isLoopback(const IpAddress& address) {
    if (!address.v6) return address.bytes[0] == 127;
    for (std::size_t i = 0; i < 15; ++i)
        if (address.bytes[i] != 0) return false;
    return address.bytes[15] == 1;
}

}  // namespace base
