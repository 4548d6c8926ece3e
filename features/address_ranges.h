#pragma once
#include <string>
#include <vector>

#include "base/ip_address.h"

namespace features {

// An address and how many of its leading bits a peer must share with it: 192.168.1.0/24.
struct AddressRange {
    base::IpAddress network;
    int prefixBits = 32;
    bool contains(const base::IpAddress& address) const;
};

// The allow-list setting read: addresses and ranges separated by blanks, commas or
// semicolons, and the entries that are neither, to be named to the user.
struct AllowList {
    std::vector<AddressRange> ranges;
    std::vector<std::wstring> unreadable;
};
AllowList readAllowList(const std::wstring& setting);

}  // namespace features
