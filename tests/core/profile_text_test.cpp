#include "platform/profile_text.h"

#include <gtest/gtest.h>

#include "platform/text_encoding.h"
#include "settings/server_addresses.h"

namespace {

// The lines of a UTF-8 file without its mark, each kept with its bytes.
platform::ProfileText profileOf(const std::string& bytes) {
    std::vector<platform::ProfileLine> lines;
    for (const auto& line : platform::splitEncodedLines(bytes, platform::TextEncoding::Utf8))
        lines.push_back({*platform::decodeUnicode(line.bytes, platform::TextEncoding::Utf8),
                         std::string(line.bytes) + std::string(line.end), !line.end.empty()});
    return platform::ProfileText(std::move(lines));
}

std::string bytesOf(const platform::ProfileText& text) {
    return text.bytes([](std::wstring_view line) {
        return platform::encodeUnicode(line, platform::TextEncoding::Utf8);
    });
}

}  // namespace

TEST(ProfileText, WritesTouchOnlyTheirLinesAndEverythingElseStaysAsItStood) {
    const std::string file =
        "; kept comment\n"
        "[options]\r\n"
        "  Ver = 336  \r\n"
        "Name=\"quoted\"\r\n"
        "Gone=1\r\n"
        "\r\n"
        "[Other]\n"
        "Key=ü\r\n"
        "[Options]\r\n"
        "Ver=999\r\n"
        "Last=x";
    platform::ProfileText text = profileOf(file);
    EXPECT_EQ(text.getInt(L"OPTIONS", L"ver", 5), 336);  // the first section of the name
    EXPECT_EQ(text.getString(L"Options", L"Name", L""), L"quoted");
    EXPECT_EQ(text.getString(L"Options", L"Missing", L"def"), L"def");
    EXPECT_EQ(text.getInt(L"Options", L"Last", 5), 5);  // only in the second section

    // The values it holds already: nothing changes, not even the spacing.
    text.write(L"Options", L"VER", L"336");
    text.write(L"Other", L"Key", L"  ü");
    EXPECT_FALSE(text.changed());
    EXPECT_EQ(bytesOf(text), file);

    text.write(L"Options", L"Ver", L"337");
    text.write(L"Options", L"Added", L"1");
    text.remove(L"Options", L"Gone");
    text.write(L"New", L"Key", L"ユ");
    text.write(L"Other", L"Key", L"v");
    EXPECT_TRUE(text.changed());
    EXPECT_EQ(bytesOf(text),
              "; kept comment\n"
              "[options]\r\n"
              "Ver=337\r\n"
              "Name=\"quoted\"\r\n"
              "Added=1\r\n"
              "\r\n"
              "[Other]\n"
              "Key=v\r\n"
              "[Options]\r\n"
              "Ver=999\r\n"
              "Last=x\r\n"
              "[New]\r\n"
              "Key=ユ\r\n");
    EXPECT_EQ(text.getInt(L"Options", L"Ver", 5), 337);
}

TEST(ProfileText, AnEmptyFileTakesItsKeysInTheOrderWritten) {
    platform::ProfileText text = profileOf("");
    text.write(L"Options", L"Ver", L"336");
    text.write(L"Colors", L"Back", L"1");
    text.write(L"Options", L"IPMC", L"0");
    text.remove(L"Colors", L"Missing");
    EXPECT_EQ(bytesOf(text), "[Options]\r\nVer=336\r\nIPMC=0\r\n[Colors]\r\nBack=1\r\n");
}

// A section written by hand before the others keeps its place: the sections the file lacks come
// before it, in the writer's order, and one the order puts after it still ends the file.
TEST(ProfileText, MissingSectionsGoBeforeALaterSectionTheFileHolds) {
    platform::ProfileText text = profileOf("; mine\r\n[Export]\r\nOn=1\r\n[Foreign]\r\nA=1\r\n");
    text.orderSections({L"Options", L"Colors", L"EXPORT", L"Last"});
    text.write(L"Options", L"Ver", L"336");
    text.write(L"Colors", L"C", L"1");
    text.write(L"Export", L"Port", L"9184");
    text.write(L"Last", L"L", L"1");
    text.write(L"Unlisted", L"U", L"1");
    EXPECT_EQ(bytesOf(text),
              "; mine\r\n[Options]\r\nVer=336\r\n[Colors]\r\nC=1\r\n[Export]\r\nOn=1\r\n"
              "Port=9184\r\n[Foreign]\r\nA=1\r\n[Last]\r\nL=1\r\n[Unlisted]\r\nU=1\r\n");
    EXPECT_EQ(text.getInt(L"export", L"On", 0), 1);
    EXPECT_EQ(text.getInt(L"Foreign", L"A", 0), 1);
}

// A value cut short by a lone CR is read as the profile functions read it, and its key is named.
TEST(ProfileText, KeysWhoseLineEndsInALoneCrAreNamed) {
    platform::ProfileText text = profileOf(
        "[Servers]\r\nIpPage=http://a/ip\rrest=1\r\nUpdatePage=http://b/u\r\nHomePage=h\r");
    EXPECT_EQ(text.keysEndedByLoneCr(L"SERVERS"),
              (std::vector<std::wstring>{L"IpPage", L"HomePage"}));
    EXPECT_TRUE(text.keysEndedByLoneCr(L"Options").empty());
    settings::ServerAddresses servers = settings::readServerAddresses(text);
    EXPECT_EQ(servers.ipPage, L"http://a/ip");
    EXPECT_EQ(servers.cutKeys, (std::vector<std::wstring>{L"IpPage", L"HomePage"}));
    EXPECT_FALSE(text.changed());
}
