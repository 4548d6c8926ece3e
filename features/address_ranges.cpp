#include "features/address_ranges.h"

namespace features {
namespace {

bool separator(wchar_t c) { return c == L' ' || c == L',' || c == L';' || c == L'\t'; }

}  // namespace

bool AddressRange::contains(const base::IpAddress& address) const {
    if (address.v6 != network.v6) return false;
    int bits = prefixBits;
    for (std::size_t i = 0; bits > 0; ++i, bits -= 8) {
        const unsigned mask = bits >= 8 ? 0xffu : (0xffu << (8 - bits)) & 0xffu;
        if ((address.bytes[i] & mask) != (network.bytes[i] & mask)) return false;
    }
    return true;
}

AllowList readAllowList(const std::wstring& setting) {
    AllowList list;
    std::size_t at = 0;
    while (at < setting.size()) {
        if (separator(setting[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < setting.size() && !separator(setting[end])) ++end;
        const std::wstring entry = setting.substr(at, end - at);
        at = end;
        std::string text;
        bool ascii = true;
        for (wchar_t c : entry) {
            ascii = ascii && c > 0x20 && c < 0x7f;
            text += static_cast<char>(c);
        }
        const std::size_t slash = text.find('/');
        std::optional<base::IpAddress> address =
            ascii ? base::parseIpAddress(std::string_view(text).substr(0, slash)) : std::nullopt;
        std::optional<int> prefix;
        if (address)
            prefix = slash == std::string::npos
                         ? std::optional<int>(address->v6 ? 128 : 32)
                         : base::smallDecimal(std::string_view(text).substr(slash + 1),
                                              address->v6 ? 128 : 32);
        if (prefix)
            list.ranges.push_back({*address, *prefix});
        else
            list.unreadable.push_back(entry);
    }
    return list;
}

}  // namespace features
