#pragma once
#include <cstdint>
#include <map>

#include "platform/network.h"

namespace win32 {

// The IP helper's interface table and rows, adapter information and address table.
class NetworkWin32 : public platform::Network {
public:
    std::optional<std::vector<platform::InterfaceRow>> interfaceTable() override;
    platform::InterfaceRow interfaceRow(std::uint32_t index) override;
    platform::AdapterList adapters() override;
    std::wstring localAddress() override;

private:
    // Interface index -> the system's interface identifier, so a row is read with one request
    // instead of two.
    std::map<std::uint32_t, std::uint64_t> luids_;
};

}  // namespace win32
