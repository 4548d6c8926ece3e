#include "platform/win32/network_win32.h"

// Windows headers in the order they need.
// clang-format off
#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>
#include <iphlpapi.h>
#include <netioapi.h>
// clang-format on

#include <cstring>
#include <string>

#include "platform/win32/ansi.h"

namespace win32 {
namespace {

platform::InterfaceRow fromRow(const MIB_IFROW& row) {
    platform::InterfaceRow result;
    result.index = row.dwIndex;
    result.type = row.dwType;
    result.inOctets = row.dwInOctets;
    result.outOctets = row.dwOutOctets;
    // Cut at the stated length, or at the first zero byte when the length is not filled in.
    const char* text = reinterpret_cast<const char*>(row.bDescr);
    size_t length = strnlen(text, MAXLEN_IFDESCR);
    if (row.dwDescrLen > 0 && row.dwDescrLen < length) length = row.dwDescrLen;
    result.description = fromAnsi(std::string(text, length));
    return result;
}

// Buffers the IP helper fills after telling the size it needs.
template <typename Call>
std::vector<unsigned char> sizedCall(Call call, DWORD& result) {
    ULONG size = 0;
    result = call(nullptr, &size);
    std::vector<unsigned char> buffer;
    for (int attempt = 0;
         attempt < 3 && (result == ERROR_INSUFFICIENT_BUFFER || result == ERROR_BUFFER_OVERFLOW);
         ++attempt) {
        buffer.assign(size, 0);
        result = call(buffer.data(), &size);
    }
    return buffer;
}

}  // namespace

std::optional<std::vector<platform::InterfaceRow>> NetworkWin32::interfaceTable() {
    DWORD result = 0;
    auto buffer = sizedCall(
        [](unsigned char* data, ULONG* size) {
            return GetIfTable(reinterpret_cast<MIB_IFTABLE*>(data), size, TRUE);
        },
        result);
    if (result != NO_ERROR || buffer.empty()) return std::nullopt;
    const auto* table = reinterpret_cast<const MIB_IFTABLE*>(buffer.data());
    std::vector<platform::InterfaceRow> rows;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) rows.push_back(fromRow(table->table[i]));
    return rows;
}

platform::InterfaceRow NetworkWin32::interfaceRow(std::uint32_t index) {
    platform::InterfaceRow result;
    result.index = index;
    // The row by its identifier; the counters are the low 32 bits, as the older row gives them.
    auto luid = luids_.find(index);
    if (luid == luids_.end()) {
        NET_LUID found{};
        if (ConvertInterfaceIndexToLuid(index, &found) == NO_ERROR)
            luid = luids_.emplace(index, found.Value).first;
    }
    if (luid != luids_.end()) {
        MIB_IF_ROW2 row{};
        row.InterfaceLuid.Value = luid->second;
        if (GetIfEntry2(&row) == NO_ERROR && row.InterfaceIndex == index) {
            result.type = row.Type;
            result.inOctets = static_cast<std::uint32_t>(row.InOctets);
            result.outOctets = static_cast<std::uint32_t>(row.OutOctets);
            return result;
        }
        luids_.erase(luid);  // the interface went away or was renumbered: look it up again
    }
    MIB_IFROW row{};
    row.dwIndex = index;
    if (GetIfEntry(&row) != NO_ERROR) return result;  // a failed call reads as zero counters
    result.type = row.dwType;
    result.inOctets = row.dwInOctets;
    result.outOctets = row.dwOutOctets;
    return result;
}

platform::AdapterList NetworkWin32::adapters() {
    platform::AdapterList list;
    DWORD result = 0;
    auto buffer = sizedCall(
        [](unsigned char* data, ULONG* size) {
            return GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(data), size);
        },
        result);
    switch (result) {
        case NO_ERROR:
            list.result = platform::AdapterResult::Ok;
            break;
        case ERROR_NOT_SUPPORTED:
            list.result = platform::AdapterResult::NotSupported;
            return list;
        case ERROR_INVALID_PARAMETER:
            list.result = platform::AdapterResult::InvalidParameter;
            return list;
        case ERROR_NO_DATA:
            list.result = platform::AdapterResult::NoData;
            return list;
        default:
            list.result = platform::AdapterResult::Failed;
            return list;
    }
    if (buffer.empty()) {
        list.result = platform::AdapterResult::NoData;
        return list;
    }
    for (auto* a = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data()); a; a = a->Next) {
        std::string address(a->IpAddressList.IpAddress.String,
                            strnlen(a->IpAddressList.IpAddress.String, 16));
        list.adapters.push_back({fromAnsi(a->Description), fromAnsi(address)});
    }
    return list;
}

std::wstring NetworkWin32::localAddress() {
    DWORD result = 0;
    auto buffer = sizedCall(
        [](unsigned char* data, ULONG* size) {
            return GetIpAddrTable(reinterpret_cast<MIB_IPADDRTABLE*>(data), size, TRUE);
        },
        result);
    if (result != NO_ERROR || buffer.empty()) return L"";
    const auto* table = reinterpret_cast<const MIB_IPADDRTABLE*>(buffer.data());
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        DWORD address = table->table[i].dwAddr;  // network byte order
        unsigned char first = address & 0xFF;
        if (address == 0 || first == 127) continue;
        return std::to_wstring(first) + L"." + std::to_wstring((address >> 8) & 0xFF) + L"." +
               std::to_wstring((address >> 16) & 0xFF) + L"." +
               std::to_wstring((address >> 24) & 0xFF);
    }
    return L"";
}

}  // namespace win32
