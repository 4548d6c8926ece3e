#include "features/source_reading.h"

#include <gtest/gtest.h>

#include <string>

using features::listSourceOffers;
using features::parseFormattedNumber;
using features::readSourceValue;
using features::SourceFault;
using settings::SourceKind;

namespace {

// LibreHardwareMonitor's data.json with its real field set, on a German PC (decimal commas).
const std::string kSensorTree =
    R"json({"id":0,"Text":"Sensor","Min":"Min","Value":"Value","Max":"Max",
 "ImageURL":"","Children":[{"id":1,"Text":"DESKTOP-7","Min":"","Value":"","Max":"",
 "ImageURL":"images_icon/computer.png","Children":[{"id":2,"Text":"AMD Ryzen 7 5800X","Min":"",
 "Value":"","Max":"","ImageURL":"images_icon/cpu.png","HardwareId":"/amdcpu/0","Children":[
  {"id":3,"Text":"Temperatures","Min":"","Value":"","Max":"","ImageURL":"images_icon/temperature.png",
   "Children":[{"id":4,"Text":"Core (Tctl/Tdie)","Min":"35,8 °C","Value":"45,5 °C","Max":"80,1 °C",
   "SensorId":"/amdcpu/0/temperature/2","Type":"Temperature","RawMin":"35,8 °C",
   "RawValue":"45,5 °C","RawMax":"80,1 °C","ImageURL":"images/transparent.png","Children":[]}]},
  {"id":5,"Text":"Clocks","Min":"","Value":"","Max":"","ImageURL":"images_icon/clock.png",
   "Children":[{"id":6,"Text":"Core #1","Min":"550,0 MHz","Value":"4391,2 MHz","Max":"4850,0 MHz",
   "SensorId":"/amdcpu/0/clock/1","Type":"Clock","RawMin":"550,0 MHz","RawValue":"4391,2 MHz",
   "RawMax":"4850,0 MHz","ImageURL":"images/transparent.png","Children":[]}]},
  {"id":7,"Text":"Throughput","Min":"","Value":"","Max":"","ImageURL":"","Children":[
   {"id":8,"Text":"Read Rate","Min":"0,0 KB/s","Value":"1,5 MB/s","Max":"2,0 MB/s",
   "SensorId":"/nvme/0/throughput/0","Type":"Throughput","RawMin":"","RawValue":"1,5 MB/s",
   "RawMax":"","ImageURL":"","Children":[]}]}]}]}]})json";

const std::string kState = R"({"entity_id":"sensor.living_room","state":"21.5",
 "attributes":{"unit_of_measurement":"°C","friendly_name":"Living room"},
 "last_changed":"2026-12-09T10:00:00+00:00"})";

}  // namespace

TEST(SourceReading, HardwareMonitorSensorsAreFoundByIdInTheirLocalesForm) {
    auto temperature =
        readSourceValue(SourceKind::HardwareMonitor, "/amdcpu/0/temperature/2", kSensorTree);
    ASSERT_TRUE(temperature.value);
    EXPECT_DOUBLE_EQ(*temperature.value, 45.5);
    EXPECT_EQ(temperature.unit, L"\u00b0C");

    auto clock = readSourceValue(SourceKind::HardwareMonitor, "/amdcpu/0/clock/1", kSensorTree);
    EXPECT_DOUBLE_EQ(clock.value.value_or(0), 4391.2);
    EXPECT_EQ(clock.unit, L"MHz");
    // MB/s and KB/s alternate as the rate grows: kept in one unit.
    auto rate = readSourceValue(SourceKind::HardwareMonitor, "/nvme/0/throughput/0", kSensorTree);
    EXPECT_DOUBLE_EQ(rate.value.value_or(0), 1.5 * 1024);
    EXPECT_EQ(rate.unit, L"KB/s");

    auto missing =
        readSourceValue(SourceKind::HardwareMonitor, "/gpu/0/temperature/0", kSensorTree);
    EXPECT_FALSE(missing.value);
    EXPECT_EQ(missing.fault, SourceFault::NoSuchKey);
    EXPECT_EQ(missing.detail, L"/gpu/0/temperature/0");
}

TEST(SourceReading, HardwareMonitorTreeListsEverySensorWithItsPlaceAndUnit) {
    auto listed = listSourceOffers(SourceKind::HardwareMonitor, kSensorTree);
    ASSERT_EQ(listed.fault, SourceFault::None);
    ASSERT_EQ(listed.offers.size(), 3u);
    EXPECT_EQ(listed.offers[0].key, L"/amdcpu/0/temperature/2");
    EXPECT_EQ(listed.offers[0].name, L"Core (Tctl/Tdie)");
    EXPECT_EQ(listed.offers[0].group, L"AMD Ryzen 7 5800X \u203a Temperatures");
    EXPECT_EQ(listed.offers[0].unit, L"\u00b0C");
    EXPECT_EQ(listed.offers[0].valueText, L"45,5 \u00b0C");
    EXPECT_EQ(listed.offers[1].unit, L"MHz");
}

TEST(SourceReading, HomeAssistantStatesAndTheirNumericEntities) {
    auto state = readSourceValue(SourceKind::HomeAssistant, "sensor.living_room", kState);
    EXPECT_DOUBLE_EQ(state.value.value_or(0), 21.5);
    EXPECT_EQ(state.unit, L"\u00b0C");

    auto gone =
        readSourceValue(SourceKind::HomeAssistant, "sensor.x",
                        R"({"entity_id":"sensor.x","state":"unavailable","attributes":{}})");
    EXPECT_EQ(gone.fault, SourceFault::Unavailable);
    EXPECT_EQ(gone.detail, L"unavailable");
    auto word = readSourceValue(SourceKind::HomeAssistant, "light.x",
                                R"({"entity_id":"light.x","state":"on","attributes":{}})");
    EXPECT_EQ(word.fault, SourceFault::NotANumber);

    auto listed = listSourceOffers(SourceKind::HomeAssistant, "[" + kState + R"(,
        {"entity_id":"light.kitchen","state":"on","attributes":{"friendly_name":"Kitchen"}},
        {"entity_id":"sensor.power","state":"1234","attributes":{"unit_of_measurement":"W"}}])");
    ASSERT_EQ(listed.offers.size(), 2u);
    EXPECT_EQ(listed.offers[0].key, L"sensor.living_room");
    EXPECT_EQ(listed.offers[0].name, L"Living room");
    EXPECT_EQ(listed.offers[0].unit, L"\u00b0C");
    EXPECT_EQ(listed.offers[1].name, L"sensor.power");  // no friendly name: the id
    EXPECT_EQ(listed.offers[1].unit, L"W");

    settings::SourceSetting s;
    s.kind = SourceKind::HomeAssistant;
    s.url = L"http://homeassistant.local:8123/";
    s.key = L"sensor.living_room/../../x";
    EXPECT_EQ(features::sourceValueUrl(s),
              L"http://homeassistant.local:8123/api/states/sensor.living_room....x");
}

TEST(SourceReading, JsonPointersReachEveryLeafWithTheirEscapes) {
    const std::string body = R"({"cpu_usage_ratio":0.25,"a/b":{"m~n":[1,2,{"x":"7,5"}]},
        "drives":[{"name":"C:","free_bytes":1234567890123}],"text":"hello","flag":true})";
    EXPECT_DOUBLE_EQ(readSourceValue(SourceKind::Json, "/cpu_usage_ratio", body).value.value_or(0),
                     25);
    EXPECT_EQ(readSourceValue(SourceKind::Json, "/cpu_usage_ratio", body).unit, L"%");
    EXPECT_DOUBLE_EQ(readSourceValue(SourceKind::Json, "/a~1b/m~0n/1", body).value.value_or(0), 2);
    EXPECT_DOUBLE_EQ(readSourceValue(SourceKind::Json, "/a~1b/m~0n/2/x", body).value.value_or(0),
                     7.5);
    EXPECT_DOUBLE_EQ(
        readSourceValue(SourceKind::Json, "/drives/0/free_bytes", body).value.value_or(0),
        1234567890123.0);
    EXPECT_EQ(readSourceValue(SourceKind::Json, "/text", body).fault, SourceFault::NotANumber);
    EXPECT_EQ(readSourceValue(SourceKind::Json, "/drives/1/free_bytes", body).fault,
              SourceFault::NoSuchKey);
    EXPECT_EQ(readSourceValue(SourceKind::Json, "/a~2", body).fault, SourceFault::NoSuchKey);

    auto listed = listSourceOffers(SourceKind::Json, body);
    std::vector<std::wstring> keys;
    for (auto& o : listed.offers) keys.push_back(o.key);
    EXPECT_EQ(keys,
              (std::vector<std::wstring>{L"/cpu_usage_ratio", L"/a~1b/m~0n/0", L"/a~1b/m~0n/1",
                                         L"/a~1b/m~0n/2/x", L"/drives/0/free_bytes"}));
    EXPECT_EQ(listed.offers[0].valueText, L"25%");
    EXPECT_EQ(features::pointerOf(*features::pointerTokens("/a~1b/m~0n")), "/a~1b/m~0n");
}

TEST(SourceReading, NumbersInEachLocalesFormAndWithTheirUnits) {
    struct Case {
        const char* text;
        double value;
        const char* unit;
    };
    const Case cases[] = {
        {"45,5 °C", 45.5, "°C"},
        {"4391,2 MHz", 4391.2, "MHz"},
        {"45.5", 45.5, ""},
        {"1.234,5 MB", 1234.5, "MB"},
        {"1,234.5 MB", 1234.5, "MB"},
        {"1\xc2\xa0"
         "234,5",
         1234.5, ""},
        {"1\xe2\x80\xaf"
         "234,5 W",
         1234.5, "W"},
        {"-3,1 V", -3.1, "V"},
        {"1'234.5", 1234.5, ""},
        {" 12 % ", 12, "%"},
        {"2.5e3", 2500, ""},
        {"1.000.000", 1000000, ""},
    };
    for (const Case& c : cases) {
        std::string unit;
        auto value = parseFormattedNumber(c.text, &unit);
        ASSERT_TRUE(value) << c.text;
        EXPECT_DOUBLE_EQ(*value, c.value) << c.text;
        EXPECT_EQ(unit, c.unit) << c.text;
    }
    for (const char* text : {"", "-", "abc", "12 days ago", ",", "NaN", "°C"})
        EXPECT_FALSE(parseFormattedNumber(text)) << text;
}

TEST(SourceReading, HostileAnswersEndInAReasonNeverAValue) {
    struct Case {
        std::string body;
        SourceFault fault;
    };
    std::string deep(1000000, '[');
    std::string huge = "{\"x\":\"" + std::string(features::kMaxSourceBytes, 'a') + "\"}";
    const Case cases[] = {
        {deep, SourceFault::TooDeep},
        {huge, SourceFault::TooLarge},
        {R"({"x":1e999})", SourceFault::NotFinite},
        {R"({"x":-1e999})", SourceFault::NotFinite},
        {R"({"x":NaN})", SourceFault::NotJson},
        {R"({"x":"1e999"})", SourceFault::NotFinite},
        {R"({"x":1,"x":2})", SourceFault::Ambiguous},
        {"{\"x\":\"\xff\xfe\"}", SourceFault::NotJson},
        {"\x1f\x8b\x08\x00\x00\x00", SourceFault::Compressed},
        {"<html>401 Unauthorized</html>", SourceFault::NotJson},
        {"", SourceFault::NotJson},
        {R"({"x":1)", SourceFault::NotJson},
    };
    for (const Case& c : cases) {
        auto read = readSourceValue(SourceKind::Json, "/x", c.body);
        EXPECT_FALSE(read.value) << c.body.substr(0, 40);
        EXPECT_EQ(read.fault, c.fault) << c.body.substr(0, 40);
        // The list of offers stops at the same reasons an answer as a whole has.
        if (c.fault != SourceFault::Ambiguous && c.fault != SourceFault::NotFinite) {
            EXPECT_EQ(listSourceOffers(SourceKind::Json, c.body).fault, c.fault);
        }
    }
    // A sensor id twice in the tree is no one value.
    auto twice = readSourceValue(
        SourceKind::HardwareMonitor, "/a",
        R"({"Children":[{"SensorId":"/a","Value":"1"},{"SensorId":"/a","Value":"2"}]})");
    EXPECT_EQ(twice.fault, SourceFault::Ambiguous);
    // The list of offers stays bounded, whatever the answer holds.
    std::string many = "[";
    for (int i = 0; i < 20000; ++i) many += "1,";
    many += "1]";
    EXPECT_EQ(listSourceOffers(SourceKind::Json, many, 5000).offers.size(), 5000u);
}
