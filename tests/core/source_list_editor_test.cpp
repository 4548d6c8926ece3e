#include "ui/options/source_list_editor.h"

#include <gtest/gtest.h>

#include "base/texts.h"

using namespace ui::options;
using settings::SourceKind;
using settings::SourceSetting;
using settings::TokenState;

namespace {

std::vector<std::wstring> keys(const std::vector<SourceSetting>& sources) {
    std::vector<std::wstring> k;
    for (const auto& s : sources) k.push_back(s.key);
    return k;
}

}  // namespace

TEST(SourceListEditor, AddsUpToTheBoundRemovesAndMovesWithinTheList) {
    std::vector<SourceSetting> sources;
    features::StatusBar status;
    for (size_t i = 0; i < settings::kMaxSources; ++i) {
        ASSERT_EQ(addSource(sources, status), i);
        sources.back().key = std::to_wstring(i);
    }
    // A new source reads LibreHardwareMonitor on this PC, every two seconds, shown.
    EXPECT_EQ(sources[0].kind, SourceKind::HardwareMonitor);
    EXPECT_EQ(sources[0].url, L"http://127.0.0.1:8085/data.json");
    EXPECT_EQ(sources[0].intervalSeconds, 2);
    EXPECT_TRUE(sources[0].shown);
    EXPECT_EQ(status.text, L"");
    EXPECT_FALSE(addSource(sources, status));
    EXPECT_EQ(sources.size(), settings::kMaxSources);
    EXPECT_EQ(status.text, L"外部の値は 16 個までです");

    sources.resize(3);
    EXPECT_EQ(moveSource(sources, 0, -1), std::nullopt);
    EXPECT_EQ(moveSource(sources, 2, +1), std::nullopt);
    EXPECT_EQ(moveSource(sources, 5, -1), std::nullopt);
    EXPECT_EQ(moveSource(sources, 0, +1), 1u);
    EXPECT_EQ(keys(sources), (std::vector<std::wstring>{L"1", L"0", L"2"}));
    EXPECT_EQ(moveSource(sources, 2, -1), 1u);
    EXPECT_EQ(keys(sources), (std::vector<std::wstring>{L"1", L"2", L"0"}));

    // The row after the removed one is selected next, or the new last one.
    sources[2].name = L"CPU";
    EXPECT_EQ(removeSource(sources, 2, status), 1u);
    EXPECT_EQ(status.text, L"「CPU」を削除しました");
    EXPECT_EQ(removeSource(sources, 0, status), 0u);
    EXPECT_EQ(status.text, L"「（名前なし）」を削除しました");
    EXPECT_EQ(removeSource(sources, 3, status), std::nullopt);
    EXPECT_EQ(removeSource(sources, 0, status), std::nullopt);
    EXPECT_TRUE(sources.empty());
}

TEST(SourceListEditor, AnotherKindMovesOnlyAnAddressStillAtTheUsualPlace) {
    SourceSetting source;
    source.url = defaultSourceUrl(SourceKind::HardwareMonitor);
    setSourceKind(source, SourceKind::HomeAssistant);
    EXPECT_EQ(source.url, L"http://homeassistant.local:8123");
    setSourceKind(source, SourceKind::Json);
    EXPECT_EQ(source.url, L"");
    source.url = L"http://192.168.1.20:19180/data.json";
    setSourceKind(source, SourceKind::HardwareMonitor);
    EXPECT_EQ(source.kind, SourceKind::HardwareMonitor);
    EXPECT_EQ(source.url, L"http://192.168.1.20:19180/data.json");
}

TEST(SourceListEditor, BoxesTakeValuesInRangeAndNameWhatTheyRefuse) {
    SourceSetting source;
    features::StatusBar status;
    EXPECT_TRUE(setSourceBox(source, SourceBox::Url, L"  http://pc2:8085/data.json ", status));
    EXPECT_EQ(source.url, L"http://pc2:8085/data.json");
    EXPECT_FALSE(setSourceBox(source, SourceBox::Url, L"http://pc2:8085/data.json", status));

    EXPECT_TRUE(setSourceBox(source, SourceBox::Decimals, L" 6 ", status));
    EXPECT_EQ(source.decimals, 6);
    EXPECT_TRUE(setSourceBox(source, SourceBox::Interval, L"3600", status));
    EXPECT_TRUE(setSourceBox(source, SourceBox::AlertSeconds, L"1", status));
    EXPECT_EQ(status.text, L"");
    // Out of range, not whole, or no number: the source keeps its value, the bar says why.
    for (const wchar_t* bad : {L"7", L"-1", L"1.5", L"", L"x", L"99999999999999"}) {
        status.text.clear();
        EXPECT_FALSE(setSourceBox(source, SourceBox::Decimals, bad, status)) << bad;
        EXPECT_FALSE(status.text.empty()) << bad;
    }
    EXPECT_EQ(source.decimals, 6);
    EXPECT_EQ(status.text,
              L"小数桁数「99999999999999」は使えません: 0～6 の整数を入力してください");
    EXPECT_FALSE(setSourceBox(source, SourceBox::Interval, L"0", status));
    EXPECT_FALSE(setSourceBox(source, SourceBox::Interval, L"3601", status));
    EXPECT_EQ(source.intervalSeconds, 3600);
    EXPECT_EQ(status.text, L"更新間隔「3601」は使えません: 1～3600 の整数を入力してください");
    EXPECT_FALSE(setSourceBox(source, SourceBox::AlertSeconds, L"0", status));
    EXPECT_EQ(source.alertSeconds, 1);

    // A bar end may be empty (no bar) or a number, with either decimal mark.
    EXPECT_TRUE(setSourceBox(source, SourceBox::BarMin, L"20,5", status));
    EXPECT_EQ(source.barMin, 20.5);
    EXPECT_TRUE(setSourceBox(source, SourceBox::BarMax, L"95", status));
    EXPECT_TRUE(source.hasBar());
    EXPECT_EQ(sourceBoxText(source, SourceBox::BarMin), L"20.5");
    EXPECT_FALSE(setSourceBox(source, SourceBox::BarMax, L"1e999", status));
    EXPECT_EQ(source.barMax, 95.0);
    EXPECT_TRUE(setSourceBox(source, SourceBox::BarMax, L" ", status));
    EXPECT_FALSE(source.hasBar());
    EXPECT_EQ(sourceBoxText(source, SourceBox::BarMax), L"");

    // The threshold must be a number: empty is no threshold of 0.
    EXPECT_TRUE(setSourceBox(source, SourceBox::AlertThreshold, L"-12.25", status));
    EXPECT_EQ(source.alertThreshold, -12.25);
    EXPECT_FALSE(setSourceBox(source, SourceBox::AlertThreshold, L"", status));
    EXPECT_FALSE(setSourceBox(source, SourceBox::AlertThreshold, L"NaN", status));
    EXPECT_EQ(source.alertThreshold, -12.25);
    EXPECT_EQ(status.text, L"しきい値「NaN」は使えません: 数値を入力してください");
}

TEST(SourceListEditor, ATokenTypedReplacesAnUnreadableOneAndIsNeverLostToAnEmptyBox) {
    SourceSetting source;
    source.kind = SourceKind::HomeAssistant;
    source.storedToken = L"dpapi:AAAA";
    source.tokenState = TokenState::Unreadable;
    EXPECT_FALSE(setSourceToken(source, L"  "));
    EXPECT_EQ(source.tokenState, TokenState::Unreadable);
    EXPECT_TRUE(setSourceToken(source, L" abc.def "));
    EXPECT_EQ(source.token, L"abc.def");
    EXPECT_EQ(source.storedToken, L"");
    EXPECT_EQ(source.tokenState, TokenState::Usable);
    EXPECT_FALSE(setSourceToken(source, L"abc.def"));
    EXPECT_TRUE(clearSourceToken(source));
    EXPECT_EQ(source.token, L"");
    EXPECT_EQ(source.tokenState, TokenState::None);
    EXPECT_FALSE(clearSourceToken(source));
}

TEST(SourceListEditor, APickFillsKeyAndUnitAndANameNobodyChose) {
    const std::vector<features::SourceOffer> offers = {
        {L"/amdcpu/0/temperature/2", L"AMD Ryzen 7 › Temperatures", L"Core (Tctl/Tdie)", L"°C",
         L"45.5 °C"},
        {L"/amdcpu/0/load/0", L"AMD Ryzen 7 › Load", L"CPU Total", L"%", L"12.0 %"},
        {L"/cpu_usage_ratio", L"", L"", L"%", L"12"},
    };
    SourceSetting source;
    pickSourceOffer(source, offers[0], offers);
    EXPECT_EQ(source.key, L"/amdcpu/0/temperature/2");
    EXPECT_EQ(source.name, L"Core (Tctl/Tdie)");
    EXPECT_EQ(source.unit, L"°C");
    // Still the first pick's name: the second pick renames it.
    pickSourceOffer(source, offers[1], offers);
    EXPECT_EQ(source.name, L"CPU Total");
    EXPECT_EQ(source.unit, L"%");
    // A name of the user's own stays.
    source.name = L"CPU";
    pickSourceOffer(source, offers[0], offers);
    EXPECT_EQ(source.key, L"/amdcpu/0/temperature/2");
    EXPECT_EQ(source.name, L"CPU");
    EXPECT_EQ(source.unit, L"°C");

    EXPECT_EQ(offerLabel(offers[0]), L"AMD Ryzen 7 › Temperatures › Core (Tctl/Tdie)");
    EXPECT_EQ(offerLabel(offers[2]), L"/cpu_usage_ratio");
    EXPECT_EQ(offerLabel({L"sensor.room", L"", L"Room", L"°C", L"21"}), L"Room");
}

TEST(SourceListEditor, StateTextsSayWhatIsMissingBeforeWhatFailed) {
    SourceSetting source;
    source.kind = SourceKind::Json;
    source.decimals = 1;
    features::SourceStatus status;
    status.waiting = false;
    status.fault = features::SourceFault::NoSuchKey;
    // No key yet: the page says how to choose one, not that "" was not found.
    EXPECT_EQ(sourceStateText(source, &status), L"キーがありません: 「一覧」から選んでください");
    source.key = L"/room/temperature";
    status.detail = source.key;
    EXPECT_EQ(sourceStateText(source, &status), features::sourceReasonText(status));
    status.value = 21.54;
    status.fault = features::SourceFault::None;
    EXPECT_NE(sourceStateText(source, &status).find(L"21.5"), std::wstring::npos);
    EXPECT_EQ(sourceStateText(source, nullptr), features::sourceReasonText({}));
    // Another user's token: said whatever the poller last knew.
    source.kind = SourceKind::HomeAssistant;
    source.tokenState = TokenState::Unreadable;
    EXPECT_EQ(sourceStateText(source, &status),
              std::wstring(base::text(base::Text::SourceTokenUnreadable)));

    features::SourceOffers offers;
    EXPECT_EQ(offersStateText(L"http://pc2/data.json", nullptr),
              L"http://pc2/data.json の一覧を取得しています…");
    offers.fault = features::SourceFault::NoSuchKey;  // nothing numeric in the answer
    EXPECT_EQ(offersStateText(L"", &offers), L"数値が見つかりません");
    offers.fault = features::SourceFault::Unauthorized;
    offers.detail = L"401";
    EXPECT_EQ(offersStateText(L"", &offers),
              L"一覧を取得できません: 認証されません（401）: トークンを確認してください");
    offers.fault = features::SourceFault::None;
    offers.offers.resize(3);
    EXPECT_EQ(offersStateText(L"", &offers),
              L"3 件: ダブルクリックか「選択」でキー・名前・単位に入れます");
}
