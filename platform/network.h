#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

constexpr std::uint32_t kEthernetInterface = 6;

// One row of the system's interface table: the octet counters are the raw 32-bit values.
struct InterfaceRow {
    std::uint32_t index = 0;
    std::uint32_t type = 0;
    std::uint32_t inOctets = 0;
    std::uint32_t outOctets = 0;
    std::wstring description;
};

// Result codes of the adapter-information call that start-up reports.
enum class AdapterResult { Ok, NotSupported, InvalidParameter, NoData, Failed };

struct AdapterInfo {
    std::wstring description;
    std::wstring firstAddress;  // first IPv4 address of the adapter's address list
};

struct AdapterList {
    AdapterResult result = AdapterResult::Failed;
    std::vector<AdapterInfo> adapters;
};

class Network {
public:
    virtual ~Network() = default;
    // The interface table sorted by index; nullopt when the call fails.
    virtual std::optional<std::vector<InterfaceRow>> interfaceTable() = 0;
    // One row by interface index; a failed call gives a row with zero counters.
    virtual InterfaceRow interfaceRow(std::uint32_t index) = 0;
    // The adapters of the adapter-information call (loopback is not among them).
    virtual AdapterList adapters() = 0;
    // The machine's first IPv4 address that is not a loopback address; empty when none.
    virtual std::wstring localAddress() = 0;
};

}  // namespace platform
