#include "features/busiest_processes.h"

#include <algorithm>
#include <set>

#include "monitor/percent.h"
#include "render/number_pattern.h"

namespace features {
namespace {

constexpr std::uint32_t kReadEveryMs = 1000;
// A span takes the reads that began within it or just before, as the reads follow the ticks.
constexpr std::uint32_t kSlackMs = 1500;
constexpr std::uint64_t kTicksPerMs = 10000;  // 100 ns units
constexpr std::int64_t kMegabyte = 1024 * 1024;

std::wstring nameWithCount(const ProcessGroup& group) {
    return group.count > 1 ? group.name + L" \u00d7" + std::to_wstring(group.count) : group.name;
}

// Busiest first; an even score goes by name, so the order does not flicker between reads.
template <typename Score>
void rank(std::vector<ProcessGroup>& groups, Score score, std::size_t count) {
    std::sort(groups.begin(), groups.end(), [&](const ProcessGroup& a, const ProcessGroup& b) {
        if (score(a) != score(b)) return score(a) > score(b);
        return a.name < b.name;
    });
    if (groups.size() > count) groups.resize(count);
}

}  // namespace

int ProcessGroup::cpuPercent() const {
    return monitor::percentHalfEven(static_cast<std::int64_t>(processorTime),
                                    static_cast<std::int64_t>(machineTime));
}

double ProcessGroup::cpuRatio() const {
    if (machineTime == 0) return 0;
    return std::min(1.0, static_cast<double>(processorTime) / static_cast<double>(machineTime));
}

std::wstring processorShareText(const ProcessGroup& group) {
    return nameWithCount(group) + L" " + std::to_wstring(group.cpuPercent()) + L"%";
}

std::wstring privateMemoryText(const ProcessGroup& group) {
    return nameWithCount(group) + L" " +
           render::formatNumber(static_cast<std::int64_t>(group.privateBytes) / kMegabyte,
                                L"#,##0") +
           L"MB";
}

std::uint32_t BusiestProcesses::nameIndex(const std::wstring& name) {
    auto [it, added] = nameIndices_.try_emplace(name, static_cast<std::uint32_t>(names_.size()));
    if (added) names_.push_back(name);
    return it->second;
}

void BusiestProcesses::forgetBefore(std::uint32_t nowMs) {
    auto old = [&](const Interval& i) { return nowMs - i.startMs > lookBackMs_ + kSlackMs; };
    intervals_.erase(intervals_.begin(),
                     std::find_if_not(intervals_.begin(), intervals_.end(), old));
}

void BusiestProcesses::readWhenDue(std::uint32_t nowMs, std::uint32_t lookBackMs,
                                   std::uint32_t everyMs) {
    if (readAt_ && nowMs - *readAt_ < std::max(everyMs, kReadEveryMs)) {
        lookBackMs_ = std::max(lookBackMs_, lookBackMs);
        return;
    }
    // After a pause longer than anyone looks back, nothing kept is of use: askers start afresh.
    if (readAt_ && nowMs - *readAt_ > lookBackMs_ + kSlackMs) lookBackMs_ = 0;
    lookBackMs_ = std::max(lookBackMs_, lookBackMs);
    ++reads_;
    if (!source_.read(table_)) {
        table_.processes.clear();
        previous_.clear();
        readAt_.reset();
        return;
    }
    std::map<Key, Seen> now;
    Interval interval{readAt_.value_or(nowMs), nowMs, std::max(table_.processors, 1), {}};
    // No process can use more than the whole machine: a figure past it is not to be believed.
    const std::uint64_t most = static_cast<std::uint64_t>(interval.endMs - interval.startMs) *
                               kTicksPerMs * static_cast<std::uint64_t>(interval.processors);
    for (const platform::ProcessEntry& p : table_.processes) {
        const Key key{p.id, p.startTime};
        const std::uint32_t name = nameIndex(p.name);
        now[key] = {name, p.processorTime};
        if (!readAt_) continue;
        auto before = previous_.find(key);
        // A process started since the last read used all its time in between.
        std::uint64_t used = before == previous_.end() ? p.processorTime
                             : p.processorTime > before->second.processorTime
                                 ? p.processorTime - before->second.processorTime
                                 : 0;
        used = std::min(used, most);
        if (used > 0) interval.used.push_back({key, name, used});
    }
    if (readAt_) intervals_.push_back(std::move(interval));
    previous_ = std::move(now);
    readAt_ = nowMs;
    forgetBefore(nowMs);
}

std::vector<ProcessGroup> BusiestProcesses::byProcessor(std::uint32_t nowMs, std::uint32_t spanMs,
                                                        std::size_t count) const {
    if (!readAt_ || nowMs - *readAt_ > kSlackMs) return {};
    std::uint64_t machine = 0;
    struct Sum {
        std::uint64_t time = 0;
        std::set<Key> members;
    };
    std::map<std::uint32_t, Sum> byName;
    for (auto i = intervals_.rbegin(); i != intervals_.rend(); ++i) {
        if (nowMs - i->startMs > spanMs + kSlackMs) break;
        machine += static_cast<std::uint64_t>(i->endMs - i->startMs) * kTicksPerMs *
                   static_cast<std::uint64_t>(i->processors);
        for (const Used& u : i->used) {
            Sum& sum = byName[u.name];
            sum.time += u.processorTime;
            sum.members.insert(u.key);
        }
    }
    if (machine == 0) return {};
    // The running processes of a name count even when idle: "×12" means twelve are there.
    for (const auto& [key, seen] : previous_)
        if (auto it = byName.find(seen.name); it != byName.end()) it->second.members.insert(key);
    std::vector<ProcessGroup> groups;
    for (const auto& [name, sum] : byName) {
        ProcessGroup g;
        g.name = names_[name];
        g.count = static_cast<int>(sum.members.size());
        g.processorTime = sum.time;
        g.machineTime = machine;
        groups.push_back(std::move(g));
    }
    rank(
        groups, [](const ProcessGroup& g) { return g.processorTime; }, count);
    return groups;
}

std::vector<ProcessGroup> BusiestProcesses::byMemory(std::size_t count) const {
    std::map<std::wstring, ProcessGroup> byName;
    for (const platform::ProcessEntry& p : table_.processes) {
        ProcessGroup& g = byName[p.name];
        g.name = p.name;
        ++g.count;
        g.privateBytes += p.privateBytes;
    }
    std::vector<ProcessGroup> groups;
    for (auto& [name, g] : byName) groups.push_back(std::move(g));
    rank(
        groups, [](const ProcessGroup& g) { return g.privateBytes; }, count);
    return groups;
}

}  // namespace features
