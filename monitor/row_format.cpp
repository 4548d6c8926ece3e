#include "monitor/row_format.h"

#include "base/texts.h"
#include "monitor/network_sampler.h"
#include "monitor/status_items.h"
#include "render/rate_scale.h"
#include "render/rounding.h"

namespace monitor {
namespace {

using settings::Item;

using base::Text;

constexpr Text kProcessorNames[settings::kProcessorItems] = {Text::RowCpu1, Text::RowCpu2,
                                                             Text::RowCpu3, Text::RowCpu4};
constexpr Text kSwitchNames[] = {Text::RowProxyEnable, Text::RowActiveScripting,
                                 Text::RowJavaScripting};

std::wstring percentText(int percent) { return std::to_wstring(percent) + L"%"; }

FormattedRow valueRow(Text name, std::wstring value, int rightEdge,
                      std::optional<int> bar = std::nullopt, int nameY = 1,
                      std::optional<int> valueEndsAt = std::nullopt) {
    FormattedRow row;
    row.picture = render::pictureOf(
        {base::text(name), std::wstring(shownValue(value)), rightEdge, bar, nameY, valueEndsAt});
    row.value = std::move(value);
    return row;
}

FormattedRow textRow(std::wstring text) {
    FormattedRow row;
    row.picture.texts.push_back(render::textAt(5, 1, text));
    row.value = std::move(text);
    return row;
}

FormattedRow trafficRow(Item item, const Readings& r, const FormatInputs& in,
                        const std::wstring& previous) {
    const settings::Settings& s = in.settings;
    bool receive = item == Item::ReceiveRate;
    const Traffic& traffic = receive ? r.in : r.out;
    std::wstring value = r.ratesRead ? rateText(traffic.rate, s.rateUnit) : previous;
    int scale = receive ? s.receiveFullScale : s.sendFullScale;
    return valueRow(receive ? Text::RowReceiveRate : Text::RowSendRate, value, 143,
                    rateBarWidth(traffic.rate, render::rateFullScale(scale, s.rateUnit)));
}

FormattedRow totalRow(Item item, const Readings& r, const FormatInputs& in,
                      const std::wstring& previous) {
    bool receive = item == Item::ReceiveTotal;
    std::int64_t shown =
        receive ? r.in.total - in.receiveTotalBase : r.out.total - in.sendTotalBase;
    // Before the first reading the texts stay as they are.
    std::wstring value = r.totalsRead ? totalText(shown, in.symbols) : previous;
    return valueRow(receive ? Text::RowReceiveTotal : Text::RowSendTotal, value, 148);
}

FormattedRow memoRow(const std::wstring& memo, const std::wstring& previous) {
    FormattedRow row;
    std::vector<std::wstring> lines = memoLines(memo);
    row.lines = static_cast<int>(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        row.picture.texts.push_back(
            render::textAt(5, render::kRowHeight * static_cast<int>(i), lines[i]));
    row.value = previous;
    return row;
}

FormattedRow powerItemRow(const platform::PowerStatus& status, const std::wstring& previous) {
    PowerRow power = powerRow(status);
    FormattedRow row;
    row.picture.barWidth = power.barWidth;
    row.value = previous;
    for (const render::RowText& text : power.texts) {
        row.picture.texts.push_back(text);
        row.value = text.text;
    }
    return row;
}

}  // namespace

FormattedRow formatRow(Item item, const Readings& r, const FormatInputs& in,
                       const std::wstring& previous) {
    const settings::Settings& s = in.settings;
    switch (item) {
        case Item::CpuTotal:
            return valueRow(Text::RowCpuTotal, percentText(r.cpuTotalPercent), 148,
                            render::barWidthFor(r.cpuTotalPercent));
        case Item::Cpu1:
        case Item::Cpu2:
        case Item::Cpu3:
        case Item::Cpu4: {
            int n = settings::slotOf(item) - settings::slotOf(Item::Cpu1);
            return valueRow(kProcessorNames[n], percentText(r.cpuPercent[n]), 148,
                            render::barWidthFor(r.cpuPercent[n]));
        }
        case Item::Memory:
            return valueRow(
                Text::RowMemory,
                memoryText(s.memoryFormat, r.memoryTotalMB, r.memoryFreeMB).value_or(previous), 143,
                render::barWidthFor(r.memoryPercent));
        case Item::ReceiveRate:
        case Item::SendRate:
            return trafficRow(item, r, in, previous);
        case Item::ReceiveTotal:
        case Item::SendTotal:
            return totalRow(item, r, in, previous);
        case Item::LanAddress:
            return valueRow(Text::RowLanAddress, r.lanAddress, 160);
        case Item::ProxyServer:
            return valueRow(Text::RowProxyServer, r.proxyServer, 150);
        case Item::ProxyEnable:
        case Item::ActiveScripting:
        case Item::JavaScripting: {
            int i = settings::slotOf(item) - settings::slotOf(Item::ProxyEnable);
            return valueRow(kSwitchNames[i], r.switches[i], 150);
        }
        case Item::PublicAddress:
            return valueRow(Text::RowPublicAddress, in.pages.publicAddress, 158, std::nullopt, 1,
                            ipValueEnd(in.pages.publicAddress));
        case Item::DateTime: {
            FormattedRow row;
            row.picture.texts.push_back(
                render::textAt(5, 1, r.dateTime.day, render::TextRole::Label));
            render::RowText time = render::textAt(0, 1, r.dateTime.time, render::TextRole::Value);
            time.followsPrevious = true;
            row.picture.texts.push_back(std::move(time));
            row.value = r.dateTime.full();
            return row;
        }
        case Item::Uptime:
            return valueRow(Text::RowUptime, uptimeText(r.tickCount).text, 138, std::nullopt, 0,
                            kUptimeValueEnd);
        case Item::Clipboard:
            // Only the first line fits the row.
            return textRow(r.clipboardText.substr(0, r.clipboardText.find_first_of(L"\r\n")));
        case Item::Memo:
            return memoRow(in.memo, previous);
        case Item::Power:
            return powerItemRow(r.power, previous);
        case Item::Drives:
        case Item::Graph:
            break;  // drawn by their own painters
    }
    return {previous, {}, 1};
}

std::wstring rateText(std::int64_t rate, int rateUnit) {
    return base::format(
        rateUnit == settings::kKilobitsPerSecond ? Text::RateKilobits : Text::RateKilobytes,
        {std::to_wstring(rate)});
}

std::wstring_view shownValue(const std::wstring& value) {
    if (value == kLoadingText) return base::text(Text::Loading);
    if (value == kUnreachableText) return base::text(Text::IpUnreachable);
    if (value == kAfterRestartText) return base::text(Text::IpAfterRestart);
    return value;
}

std::wstring totalText(std::int64_t bytes, const render::NumberSymbols& symbols) {
    if (bytes == 0) return L"0";
    // Megabytes with kilobyte resolution.
    double megabytes = static_cast<double>(bytes / 1024) / 1024.0;
    return render::formatNumber(megabytes, L"##GB ###.00", symbols) + L"MB";
}

std::optional<std::wstring> memoryText(int format, int total, int free) {
    auto mb = [](int value) { return std::to_wstring(value) + L"MB"; };
    switch (format) {
        case settings::kUsedOfTotal:
            return mb(total - free) + L"/" + mb(total);
        case settings::kFreeOfTotal:
            return mb(free) + L"/" + mb(total);
        case settings::kUsedAndFree:
            return mb(total - free) + L"/" + mb(free);
        default:
            return std::nullopt;
    }
}

}  // namespace monitor
