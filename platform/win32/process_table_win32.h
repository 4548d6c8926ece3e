#pragma once
#include <vector>

#include "platform/process_table.h"
#include "platform/win32/system_library.h"

namespace win32 {

// Every process with its times and private bytes in one call to the kernel's process list
// (NtQuerySystemInformation class 5): no process is opened, so none is missed for its rights.
class ProcessTableWin32 : public platform::ProcessTableSource {
public:
    ProcessTableWin32();
    bool read(platform::ProcessTable& into) override;

private:
    SystemInformationQuery query_ = nullptr;
    int processors_ = 1;
    std::vector<unsigned char> buffer_;  // kept: the list is about the same size each time
};

}  // namespace win32
