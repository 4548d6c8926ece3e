#include "features/source_poller.h"

#include <algorithm>
#include <cmath>

#include "base/texts.h"
#include "platform/text_encoding.h"

namespace features {
namespace {

using Failure = platform::PageAnswer::Failure;

std::string utf8(const std::wstring& text) {
    return platform::encodeUnicode(text, platform::TextEncoding::Utf8);
}

// What a fetch that ended without a readable answer tells of it.
SourceValue faultOf(const platform::PageAnswer& a) {
    switch (a.failure) {
        case Failure::None:
            break;
        case Failure::Address:
            return {std::nullopt, SourceFault::BadAddress, {}, {}};
        case Failure::TimedOut:
            return {std::nullopt, SourceFault::TimedOut, {}, {}};
        case Failure::TooLarge:
            return {std::nullopt, SourceFault::TooLarge, {}, {}};
        case Failure::Status:
            if (a.status == 401 || a.status == 403)
                return {std::nullopt, SourceFault::Unauthorized, std::to_wstring(a.status), {}};
            if (a.status == 404)
                return {std::nullopt, SourceFault::NotFound, std::to_wstring(a.status), {}};
            return {std::nullopt, SourceFault::HttpStatus, std::to_wstring(a.status), {}};
        case Failure::Connection:
        case Failure::Malformed:
            return {std::nullopt, SourceFault::Unreachable, {}, {}};
    }
    // An encoding we did not ask for (we ask for none) cannot be read as JSON.
    if (!a.contentEncoding.empty())
        return {std::nullopt,
                SourceFault::Compressed,
                std::wstring(a.contentEncoding.begin(), a.contentEncoding.end()),
                {}};
    return {std::nullopt, SourceFault::None, {}, {}};
}

bool sameReading(const settings::SourceSetting& a, const settings::SourceSetting& b) {
    return a.kind == b.kind && a.url == b.url && a.key == b.key && a.token == b.token &&
           a.tokenState == b.tokenState;
}

// What a source cannot be asked with, before any fetch.
SourceFault unaskable(const settings::SourceSetting& s) {
    if (s.kind == settings::SourceKind::HomeAssistant) {
        if (s.tokenState == settings::TokenState::Unreadable && s.token.empty())
            return SourceFault::TokenUnreadable;
        if (s.token.empty()) return SourceFault::NoToken;
    }
    return SourceFault::None;
}

platform::PageAsk askFor(const settings::SourceSetting& s, std::wstring url) {
    platform::PageAsk ask{std::move(url), {}, kMaxSourceBytes};
    if (s.kind == settings::SourceKind::HomeAssistant)
        ask.authorization = "Bearer " + utf8(s.token);
    return ask;
}

}  // namespace

struct SourcePoller::Entry {
    settings::SourceSetting setting;
    std::uint64_t generation = 0;
    bool inFlight = false;
    std::uint32_t dueAt = 0;  // tick count of the next ask
    int failures = 0;
    SourceStatus status;
    std::uint32_t readAt = 0;  // tick count of the value
    bool staleTold = false;
};

SourcePoller::SourcePoller(platform::PageFetcher& fetcher, platform::Clock& clock)
    : fetcher_(fetcher), clock_(clock), self_(std::make_shared<SourcePoller*>(this)) {}

SourcePoller::~SourcePoller() { *self_ = nullptr; }

void SourcePoller::setSources(const std::vector<settings::SourceSetting>& sources) {
    std::vector<std::unique_ptr<Entry>> next;
    const std::uint32_t now = clock_.tickCount();
    for (const settings::SourceSetting& s : sources) {
        auto same = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const auto& e) { return e && sameReading(e->setting, s); });
        if (same != entries_.end()) {
            next.push_back(std::move(*same));
            // A shorter interval takes effect now; the value's age is judged by the new one.
            const std::uint32_t interval = static_cast<std::uint32_t>(s.intervalSeconds) * 1000;
            if (next.back()->failures == 0 && next.back()->dueAt - now > interval)
                next.back()->dueAt = now;
            next.back()->setting = s;
            continue;
        }
        auto entry = std::make_unique<Entry>();
        entry->setting = s;
        entry->generation = nextGeneration_++;
        entry->dueAt = now;
        next.push_back(std::move(entry));
    }
    entries_ = std::move(next);
}

void SourcePoller::poll() {
    const std::uint32_t now = clock_.tickCount();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry& e = *entries_[i];
        // A value that has gone stale is told once, as its row turns to "--".
        if (e.status.value) {
            const std::uint32_t limit =
                static_cast<std::uint32_t>(e.setting.intervalSeconds) * 1000 * kStaleIntervals;
            if (now - e.readAt > limit && !e.staleTold) {
                e.staleTold = true;
                if (changed) changed(i);
            }
        }
        if (e.inFlight || static_cast<std::int32_t>(now - e.dueAt) < 0) continue;
        ask(i);
    }
}

void SourcePoller::ask(std::size_t index) {
    Entry& e = *entries_[index];
    if (SourceFault fault = unaskable(e.setting); fault != SourceFault::None) {
        // Nothing to ask with until the settings change.
        e.dueAt = clock_.tickCount() + kLongestRetryMs;
        if (e.status.fault != fault) {
            e.status = {std::nullopt, {}, fault, {}, false};
            if (changed) changed(index);
        }
        return;
    }
    e.inFlight = true;
    std::weak_ptr<SourcePoller*> self = self_;
    const std::uint64_t generation = e.generation;
    fetcher_.ask(askFor(e.setting, sourceValueUrl(e.setting)),
                 [self, index, generation](const platform::PageAnswer& a) {
                     auto alive = self.lock();
                     if (alive && *alive) (*alive)->answer(index, generation, a);
                 });
}

void SourcePoller::answer(std::size_t index, std::uint64_t generation,
                          const platform::PageAnswer& a) {
    // The list may have changed meanwhile: find the entry this answer was asked for.
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&](const auto& e) { return e->generation == generation; });
    if (found == entries_.end()) return;
    index = static_cast<std::size_t>(found - entries_.begin());
    Entry& e = **found;
    e.inFlight = false;
    const std::uint32_t now = clock_.tickCount();
    SourceValue read = faultOf(a);
    if (read.fault == SourceFault::None)
        read = readSourceValue(e.setting.kind, utf8(e.setting.key), a.body);
    SourceStatus status{read.value, read.unit, read.fault, read.detail, false};
    const std::uint32_t interval = static_cast<std::uint32_t>(e.setting.intervalSeconds) * 1000;
    if (status.value) {
        e.failures = 0;
        e.readAt = now;
        e.staleTold = false;
        e.dueAt = now + interval;
    } else {
        // 2, 4, 8 ... seconds, up to a minute, and never sooner than the interval.
        e.failures = std::min(e.failures + 1, 16);
        const std::uint32_t pause =
            std::min<std::uint32_t>(1000u << std::min(e.failures, 6), kLongestRetryMs);
        e.dueAt = now + std::max(pause, interval);
    }
    const bool news = status.value != e.status.value || status.fault != e.status.fault ||
                      status.detail != e.status.detail || status.unit != e.status.unit ||
                      e.status.waiting;
    e.status = std::move(status);
    if (news && changed) changed(index);
}

SourceStatus SourcePoller::status(std::size_t index) const {
    if (index >= entries_.size()) return {};
    const Entry& e = *entries_[index];
    SourceStatus s = e.status;
    const std::uint32_t limit =
        static_cast<std::uint32_t>(e.setting.intervalSeconds) * 1000 * kStaleIntervals;
    if (s.value && clock_.tickCount() - e.readAt > limit) {
        s.value.reset();
        s.fault = SourceFault::Stale;
        s.detail = std::to_wstring(e.setting.intervalSeconds * kStaleIntervals);
    }
    return s;
}

std::wstring sourceReasonText(const SourceStatus& status) {
    using base::Text;
    if (status.value) return L"";
    if (status.waiting) return base::text(Text::SourceWaiting);
    switch (status.fault) {
        case SourceFault::None:
            return base::text(Text::SourceWaiting);
        case SourceFault::BadAddress:
            return base::text(Text::SourceBadAddress);
        case SourceFault::NoToken:
            return base::text(Text::SourceNoToken);
        case SourceFault::TokenUnreadable:
            return base::text(Text::SourceTokenUnreadable);
        case SourceFault::Unreachable:
            return base::text(Text::SourceUnreachable);
        case SourceFault::TimedOut:
            return base::text(Text::SourceTimedOut);
        case SourceFault::TooLarge:
            return base::text(Text::SourceTooLarge);
        case SourceFault::Unauthorized:
            return base::format(Text::SourceUnauthorized, {status.detail});
        case SourceFault::NotFound:
            return base::text(Text::SourceNotFound);
        case SourceFault::HttpStatus:
            return base::format(Text::SourceHttpStatus, {status.detail});
        case SourceFault::Compressed:
            return base::format(Text::SourceCompressed, {status.detail});
        case SourceFault::NotJson:
            return base::format(Text::SourceNotJson, {status.detail});
        case SourceFault::TooDeep:
            return base::text(Text::SourceTooDeep);
        case SourceFault::NoSuchKey:
            return base::format(Text::SourceNoSuchKey, {status.detail});
        case SourceFault::Ambiguous:
            return base::format(Text::SourceAmbiguous, {status.detail});
        case SourceFault::NotANumber:
            return base::format(Text::SourceNotANumber, {status.detail.substr(0, 40)});
        case SourceFault::NotFinite:
            return base::text(Text::SourceNotFinite);
        case SourceFault::Unavailable:
            return base::format(Text::SourceUnavailable, {status.detail});
        case SourceFault::Stale:
            return base::format(Text::SourceStale, {status.detail});
    }
    return L"";
}

std::wstring sourceValueText(const SourceStatus& status, const settings::SourceSetting& source,
                             wchar_t decimalSeparator) {
    if (!status.value) return L"--";
    const int decimals = std::clamp(source.decimals, 0, settings::kMaxSourceDecimals);
    double value = *status.value;
    // Rounded to the shown decimals first, so that -0.04 shows as "0.0", not "-0.0".
    const double scale = std::pow(10.0, decimals);
    value = std::round(value * scale) / scale;
    if (value == 0) value = 0;
    wchar_t buffer[64];
    // Beyond what a row can show, the exponent form keeps the text short.
    if (std::fabs(value) >= 1e15)
        swprintf(buffer, 64, L"%.*e", std::min(decimals, 3), value);
    else
        swprintf(buffer, 64, L"%.*f", decimals, value);
    std::wstring text = buffer;
    if (decimalSeparator != L'.') std::replace(text.begin(), text.end(), L'.', decimalSeparator);
    const std::wstring& unit = source.unit.empty() ? status.unit : source.unit;
    return text + unit;
}

void fetchSourceOffers(platform::PageFetcher& fetcher, const settings::SourceSetting& source,
                       std::function<void(SourceOffers)> done) {
    if (SourceFault fault = unaskable(source); fault != SourceFault::None) {
        SourceOffers none;
        none.fault = fault;
        if (done) done(std::move(none));
        return;
    }
    fetcher.ask(askFor(source, sourceOffersUrl(source.kind, source.url)),
                [kind = source.kind, done = std::move(done)](const platform::PageAnswer& a) {
                    SourceValue fault = faultOf(a);
                    SourceOffers offers;
                    if (fault.fault != SourceFault::None) {
                        offers.fault = fault.fault;
                        offers.detail = fault.detail;
                    } else {
                        offers = listSourceOffers(kind, a.body);
                    }
                    if (done) done(std::move(offers));
                });
}

}  // namespace features
