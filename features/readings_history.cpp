#include "features/readings_history.h"

namespace features {

TrafficCounter::Moved TrafficCounter::take(std::int64_t received, std::int64_t sent,
                                           std::uint32_t tick) {
    Moved moved;
    if (baseline_) {
        std::uint32_t elapsed = tick - tick_;  // modulo 2^32 across the tick count's wrap
        std::int64_t most = static_cast<std::int64_t>(elapsed) * kMostBytesPerMs;
        std::int64_t in = received - received_, out = sent - sent_;
        if (in >= 0 && out >= 0 && in <= most && out <= most && elapsed > 0)
            moved = {{in, out}, elapsed};
    }
    baseline_ = true;
    received_ = received;
    sent_ = sent;
    tick_ = tick;
    return moved;
}

ReadingsHistory::ReadingsHistory(platform::TextFiles& files, platform::LocaleFormat& locale,
                                 std::wstring path)
    : files_(files), locale_(locale), path_(std::move(path)) {}

void ReadingsHistory::readFile() {
    // The window shows today's line before the first tick.
    startSecond();
    newestTime_ = secondTime_;
    if (auto days = readDays()) days_ = std::move(*days);
}

std::optional<TrafficDays> ReadingsHistory::readDays() {
    if (auto read = files_.readLines(path_)) {
        // A write would drop the lines after one the code page cannot decode.
        writable_ = read->whole;
        // A file a spreadsheet saved as Unicode keeps its encoding, and its notes their text.
        encoding_ = read->encoding;
        return TrafficDays::parse(read->lines);
    }
    if (files_.exists(path_)) {
        writable_ = false;
        return std::nullopt;
    }
    return TrafficDays{};
}

void ReadingsHistory::record(const monitor::Readings& r) {
    const std::uint32_t tick = r.tickCount;
    if (!started_) {
        started_ = true;
        lastTick_ = tick;
        startSecond();
    }
    steadyMs_ += static_cast<std::uint32_t>(tick - lastTick_);
    lastTick_ = tick;
    if (steadyMs_ / 1000 != second_) {
        if (!mean_.empty()) closeSecond();
        second_ = steadyMs_ / 1000;
        startSecond();
    }

    std::optional<float> received, sent;
    if (r.sampledNow.network) {
        TrafficCounter::Moved moved = counter_.take(r.in.total, r.out.total, tick);
        pending_.received += moved.bytes.received;
        pending_.sent += moved.bytes.sent;
        if (moved.elapsedMs > 0) {
            received = static_cast<float>(moved.bytes.received * 1000.0 / moved.elapsedMs);
            sent = static_cast<float>(moved.bytes.sent * 1000.0 / moved.elapsedMs);
        }
    }
    mean_.add(r.sampledNow.cpuTotal ? std::optional<float>(r.cpuTotalPercent) : std::nullopt,
              r.sampledNow.memory ? std::optional<float>(r.memoryPercent) : std::nullopt, received,
              sent);
    sources_.take(r.sources);
}

// The local time once a second, at the first tick of the second: the day its bytes count into.
void ReadingsHistory::startSecond() {
    secondTime_ = locale_.now();
    today_ = dayOf(secondTime_.year, secondTime_.month, secondTime_.day);
}

// The second's mean into the ring, and the bytes it moved into the day it began in.
void ReadingsHistory::closeSecond() {
    ring_.push(second_, mean_.take());
    sources_.closeSecond(second_);
    newestTime_ = secondTime_;
    countPending();
}

void ReadingsHistory::countPending() {
    if (pending_.received > 0 || pending_.sent > 0) {
        days_.add(today_, pending_);
        unsaved_.add(today_, pending_);
    }
    pending_ = {};
}

// What was counted since the last write, added to the file as it is now: lines another copy of
// the program or the user wrote meanwhile are kept.
bool ReadingsHistory::writeFile() {
    countPending();
    if (unsaved_.entries().empty()) return false;
    // Read again: a file that could not be read before may be readable now.
    std::optional<TrafficDays> days = readDays();
    if (!days || !writable_) return false;
    for (const TrafficLine& line : unsaved_.entries()) days->add(*line.day, line.bytes);
    if (!files_.writeLines(path_, days->lines(), encoding_)) return false;
    days_ = std::move(*days);
    unsaved_ = {};
    return true;
}

}  // namespace features
