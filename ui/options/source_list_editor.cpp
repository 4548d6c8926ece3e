#include "ui/options/source_list_editor.h"

#include <algorithm>
#include <cwchar>

#include "base/texts.h"

namespace ui::options {
namespace {

using base::Text;
using settings::SourceKind;
using settings::SourceSetting;

std::wstring trimmed(std::wstring_view text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::wstring(text);
}

// A whole number within [low, high], as typed (blanks around it allowed).
std::optional<int> wholeNumber(std::wstring_view text, int low, int high) {
    std::wstring t = trimmed(text);
    if (t.empty() || t.size() > 9) return std::nullopt;
    wchar_t* end = nullptr;
    long value = std::wcstol(t.c_str(), &end, 10);
    if (*end != L'\0' || value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

Text boxName(SourceBox box) {
    switch (box) {
        case SourceBox::Decimals:
            return Text::SourceDecimalsLabel;
        case SourceBox::Interval:
            return Text::SourceIntervalLabel;
        case SourceBox::BarMin:
            return Text::SourceBarMinName;
        case SourceBox::BarMax:
            return Text::SourceBarMaxName;
        case SourceBox::AlertThreshold:
            return Text::SourceThresholdName;
        case SourceBox::AlertSeconds:
            return Text::SourceAlertSecondsName;
        default:
            return Text::SourceNameLabel;
    }
}

template <typename T>
bool assign(T& field, T value) {
    if (field == value) return false;
    field = std::move(value);
    return true;
}

bool setWhole(int& field, SourceBox box, std::wstring_view text, int low, int high,
              features::StatusBar& status) {
    std::optional<int> value = wholeNumber(text, low, high);
    if (!value) {
        status.show(
            base::format(Text::SourceBadWhole, {base::text(boxName(box)), trimmed(text),
                                                std::to_wstring(low), std::to_wstring(high)}));
        return false;
    }
    return assign(field, *value);
}

}  // namespace

std::wstring defaultSourceUrl(SourceKind kind) {
    switch (kind) {
        case SourceKind::HardwareMonitor:
            return L"http://127.0.0.1:8085/data.json";
        case SourceKind::HomeAssistant:
            return L"http://homeassistant.local:8123";
        case SourceKind::Json:
            break;
    }
    return L"";
}

std::optional<size_t> addSource(std::vector<SourceSetting>& sources, features::StatusBar& status) {
    if (sources.size() >= settings::kMaxSources) {
        status.show(base::format(Text::SourceListFull, {std::to_wstring(settings::kMaxSources)}));
        return std::nullopt;
    }
    SourceSetting source;
    source.url = defaultSourceUrl(source.kind);
    sources.push_back(std::move(source));
    return sources.size() - 1;
}

std::optional<size_t> removeSource(std::vector<SourceSetting>& sources, size_t index,
                                   features::StatusBar& status) {
    if (index >= sources.size()) return std::nullopt;
    const SourceSetting& gone = sources[index];
    status.show(base::format(Text::SourceRemoved,
                             {gone.name.empty() ? base::text(Text::SourceNoName) : gone.name}));
    sources.erase(sources.begin() + static_cast<std::ptrdiff_t>(index));
    if (sources.empty()) return std::nullopt;
    return std::min(index, sources.size() - 1);
}

std::optional<size_t> moveSource(std::vector<SourceSetting>& sources, size_t index, int step) {
    if (index >= sources.size()) return std::nullopt;
    if ((step < 0 && index == 0) || (step > 0 && index + 1 >= sources.size())) return std::nullopt;
    size_t to = step < 0 ? index - 1 : index + 1;
    std::swap(sources[index], sources[to]);
    return to;
}

void setSourceKind(SourceSetting& source, SourceKind kind) {
    if (source.kind == kind) return;
    if (trimmed(source.url).empty() || source.url == defaultSourceUrl(source.kind))
        source.url = defaultSourceUrl(kind);
    source.kind = kind;
}

std::wstring sourceBoxText(const SourceSetting& source, SourceBox box) {
    const auto optional = [](const std::optional<double>& v) {
        return v ? settings::sourceNumberText(*v) : std::wstring();
    };
    switch (box) {
        case SourceBox::Url:
            return source.url;
        case SourceBox::Key:
            return source.key;
        case SourceBox::Name:
            return source.name;
        case SourceBox::Unit:
            return source.unit;
        case SourceBox::Decimals:
            return std::to_wstring(source.decimals);
        case SourceBox::Interval:
            return std::to_wstring(source.intervalSeconds);
        case SourceBox::BarMin:
            return optional(source.barMin);
        case SourceBox::BarMax:
            return optional(source.barMax);
        case SourceBox::AlertThreshold:
            return settings::sourceNumberText(source.alertThreshold);
        case SourceBox::AlertSeconds:
            return std::to_wstring(source.alertSeconds);
    }
    return L"";
}

bool setSourceBox(SourceSetting& source, SourceBox box, std::wstring_view text,
                  features::StatusBar& status) {
    switch (box) {
        case SourceBox::Url:
            return assign(source.url, trimmed(text));
        case SourceBox::Key:
            return assign(source.key, trimmed(text));
        case SourceBox::Name:
            return assign(source.name, trimmed(text));
        case SourceBox::Unit:
            return assign(source.unit, trimmed(text));
        case SourceBox::Decimals:
            return setWhole(source.decimals, box, text, 0, settings::kMaxSourceDecimals, status);
        case SourceBox::Interval:
            return setWhole(source.intervalSeconds, box, text, settings::kMinSourceInterval,
                            settings::kMaxSourceInterval, status);
        case SourceBox::AlertSeconds:
            return setWhole(source.alertSeconds, box, text, 1, settings::kMaxSourceAlertSeconds,
                            status);
        case SourceBox::BarMin:
        case SourceBox::BarMax: {
            std::optional<double>& field = box == SourceBox::BarMin ? source.barMin : source.barMax;
            if (trimmed(text).empty()) return assign(field, std::optional<double>());
            std::optional<double> value = settings::parseSourceNumber(text);
            if (!value) {
                status.show(
                    base::format(Text::SourceBadBar, {base::text(boxName(box)), trimmed(text)}));
                return false;
            }
            return assign(field, value);
        }
        case SourceBox::AlertThreshold: {
            std::optional<double> value = settings::parseSourceNumber(text);
            if (!value) {
                status.show(
                    base::format(Text::SourceBadNumber, {base::text(boxName(box)), trimmed(text)}));
                return false;
            }
            return assign(source.alertThreshold, *value);
        }
    }
    return false;
}

bool setSourceToken(SourceSetting& source, std::wstring_view text) {
    std::wstring token = trimmed(text);
    if (token.empty()) return false;
    if (source.tokenState == settings::TokenState::Usable && source.token == token) return false;
    source.token = std::move(token);
    source.storedToken.clear();
    source.tokenState = settings::TokenState::Usable;
    return true;
}

bool clearSourceToken(SourceSetting& source) {
    if (source.tokenState == settings::TokenState::None && source.token.empty()) return false;
    source.token.clear();
    source.storedToken.clear();
    source.tokenState = settings::TokenState::None;
    return true;
}

void pickSourceOffer(SourceSetting& source, const features::SourceOffer& picked,
                     const std::vector<features::SourceOffer>& offers) {
    // The name of what was picked before is still the row's name: it follows the new pick.
    const auto before = std::find_if(offers.begin(), offers.end(),
                                     [&](const auto& offer) { return offer.key == source.key; });
    if (source.name.empty() || (before != offers.end() && before->name == source.name))
        source.name = picked.name;
    source.key = picked.key;
    source.unit = picked.unit;
}

std::wstring sourceStateText(const SourceSetting& source, const features::SourceStatus* status) {
    // Said before any answer: another user's token is never sent.
    if (source.kind == SourceKind::HomeAssistant &&
        source.tokenState == settings::TokenState::Unreadable && source.token.empty())
        return base::text(Text::SourceTokenUnreadable);
    if (!status) return features::sourceReasonText(features::SourceStatus{});
    if (status->value) return features::sourceValueText(*status, source);
    if (status->fault == features::SourceFault::NoSuchKey && trimmed(source.key).empty())
        return base::text(Text::SourceNoKey);
    return features::sourceReasonText(*status);
}

std::wstring offersStateText(const std::wstring& url, const features::SourceOffers* result) {
    if (!result) return base::format(Text::SourceOffersFetching, {url});
    if (!result->offers.empty())
        return base::format(Text::SourceOffersFound, {std::to_wstring(result->offers.size())});
    // An answer with nothing numeric in it is no failure of the fetch.
    if (result->fault == features::SourceFault::None ||
        (result->fault == features::SourceFault::NoSuchKey && result->detail.empty()))
        return base::text(Text::SourceOffersNone);
    features::SourceStatus failed;
    failed.fault = result->fault;
    failed.detail = result->detail;
    failed.waiting = false;
    return base::format(Text::SourceOffersFailed, {features::sourceReasonText(failed)});
}

std::wstring offerLabel(const features::SourceOffer& offer) {
    // Any JSON's numbers go by their pointers: "/drives/0/free_bytes", not "free_bytes" twice.
    if (offer.group.empty()) return offer.key.starts_with(L'/') ? offer.key : offer.name;
    return offer.group + L" \u203a " + offer.name;
}

}  // namespace ui::options
