#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace base {

// An IPv4 or IPv6 address as numbers; an IPv4-mapped IPv6 address (::ffff:a.b.c.d, as a
// dual-stack socket reports an IPv4 peer) is read as the IPv4 address it carries.
struct IpAddress {
    bool v6 = false;
    std::array<std::uint8_t, 16> bytes{};  // IPv4 in the first four
    bool operator==(const IpAddress&) const = default;
};
// A dotted IPv4 address or an IPv6 address in any of its written forms; none for anything
// else (a host name, a zone, a stray character, a part with a leading zero).
std::optional<IpAddress> parseIpAddress(std::string_view text);
// 127.0.0.0/8 or ::1.
bool isLoopback(const IpAddress& address);
// A decimal number of one to three digits without a leading zero, at most `most`.
std::optional<int> smallDecimal(std::string_view digits, int most);

}  // namespace base
