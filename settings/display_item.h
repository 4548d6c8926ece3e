#pragma once
#include <bitset>
#include <optional>
#include <string_view>

namespace settings {

// The display items by their stored three-digit id; there is no 120.
enum class Item : int {
    CpuTotal = 100,
    Memory,
    ReceiveRate,
    SendRate,
    PublicAddress,
    LanAddress,
    ProxyServer,
    ProxyEnable,
    ActiveScripting,
    JavaScripting,
    ReceiveTotal,
    SendTotal,
    Drives,
    Graph,
    DateTime,
    Uptime,
    Cpu1,
    Cpu2,
    Cpu3,
    Cpu4,
    Clipboard = 121,
    Memo,
    Power,
};

// The item of the highest id: the slots (id - 100) run up to it.
constexpr Item kLastItem = Item::Power;
constexpr int kItemSlots = static_cast<int>(kLastItem) - 100 + 1;
constexpr int kProcessorItems = 4;

constexpr int slotOf(Item item) { return static_cast<int>(item) - 100; }
constexpr int idOf(Item item) { return static_cast<int>(item); }
constexpr Item processorItem(int n) { return static_cast<Item>(idOf(Item::Cpu1) + n); }

// The item of a three-digit id text; nothing for text that names no item.
std::optional<Item> itemOfId(std::wstring_view id);

// Which items the list shows, by item.
class ShownItems {
public:
    bool isShown(Item item) const { return bits_.test(static_cast<size_t>(slotOf(item))); }
    void set(Item item, bool shown) { bits_.set(static_cast<size_t>(slotOf(item)), shown); }
    bool none() const { return bits_.none(); }

private:
    std::bitset<kItemSlots> bits_;
};

}  // namespace settings
