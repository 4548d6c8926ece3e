#pragma once
#include <map>

#include "platform/network.h"

namespace fakes {

class FakeNetwork : public platform::Network {
public:
    std::optional<std::vector<platform::InterfaceRow>> table =
        std::vector<platform::InterfaceRow>{};
    std::map<std::uint32_t, platform::InterfaceRow> rows;  // by interface index; current counters
    platform::AdapterList adapterList;
    std::wstring local = L"192.168.0.10";
    int rowReads = 0;

    // An interface in the table whose counters are `rows[index]`.
    void addInterface(std::uint32_t index, std::uint32_t type, const std::wstring& description) {
        platform::InterfaceRow row{index, type, 0, 0, description};
        table->push_back(row);
        rows[index] = row;
    }
    std::optional<std::vector<platform::InterfaceRow>> interfaceTable() override { return table; }
    platform::InterfaceRow interfaceRow(std::uint32_t index) override {
        ++rowReads;
        auto it = rows.find(index);
        if (it != rows.end()) return it->second;
        platform::InterfaceRow failed;
        failed.index = index;
        return failed;
    }
    platform::AdapterList adapters() override { return adapterList; }
    std::wstring localAddress() override { return local; }
};

}  // namespace fakes
