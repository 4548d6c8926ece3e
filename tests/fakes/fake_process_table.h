#pragma once
#include <string>

#include "platform/process_table.h"

namespace fakes {

class FakeProcessTable : public platform::ProcessTableSource {
public:
    platform::ProcessTable table;
    bool readable = true;
    int reads = 0;

    platform::ProcessEntry& add(std::uint32_t id, std::wstring name, std::uint64_t startTime = 1) {
        table.processes.push_back({id, startTime, std::move(name), 0, 0});
        return table.processes.back();
    }
    platform::ProcessEntry& process(std::uint32_t id) {
        for (auto& p : table.processes)
            if (p.id == id) return p;
        return add(id, L"?");
    }
    void end(std::uint32_t id) {
        std::erase_if(table.processes, [id](const auto& p) { return p.id == id; });
    }
    bool read(platform::ProcessTable& into) override {
        ++reads;
        if (!readable) return false;
        into = table;
        return true;
    }
};

}  // namespace fakes
