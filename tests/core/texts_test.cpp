#include "base/texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "settings/language.h"

namespace {

using base::Text;

// The texts that name the language choice itself: the same in every language, so that a user
// who reads only one finds it.
bool bilingual(Text id) { return id == Text::LanguageLabel || id == Text::LanguageJapanese; }

bool isJapanese(wchar_t c) {
    return (c >= 0x3000 && c <= 0x30FF) ||  // punctuation, kana
           (c >= 0x3400 && c <= 0x9FFF) ||  // ideographs
           (c >= 0xFF00 && c <= 0xFFEF);    // full-width forms
}

std::multiset<std::wstring> placeholders(const std::wstring& text) {
    std::multiset<std::wstring> found;
    for (size_t i = 0; i + 2 < text.size(); ++i)
        if (text[i] == L'{' && text[i + 2] == L'}' && std::iswdigit(text[i + 1]))
            found.insert(text.substr(i, 3));
    return found;
}

std::map<Text, int> counts(std::span<const base::TextEntry> table) {
    std::map<Text, int> seen;
    for (const base::TextEntry& entry : table) {
        EXPECT_NE(entry.text, nullptr);
        if (entry.text && *entry.text) ++seen[entry.id];
    }
    return seen;
}

std::string read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::wstring widened(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

}  // namespace

TEST(Texts, BothTablesHoldEveryTextOnceWithTheSamePlaceholders) {
    std::map<Text, int> japanese = counts(base::japaneseTexts());
    std::map<Text, int> english = counts(base::englishTexts());
    for (int i = 0; i < base::kTextCount; ++i) {
        const Text id = static_cast<Text>(i);
        SCOPED_TRACE(base::nameOf(id));
        EXPECT_EQ(japanese[id], 1);
        EXPECT_EQ(english[id], 1);
        const std::wstring ja = base::textIn(base::Language::Japanese, id);
        const std::wstring en = base::textIn(base::Language::English, id);
        EXPECT_EQ(placeholders(ja), placeholders(en));
        if (!bilingual(id)) {
            for (wchar_t c : en) EXPECT_FALSE(isJapanese(c)) << "U+" << std::hex << int(c);
        }
    }
}

TEST(Texts, TheChosenLanguageGivesEveryTextAndFormats) {
    settings::LiveSettings live;
    int announced = 0;
    live.notices.subscribe([&](const settings::Change& c) {
        if (c.names(&live.settings.language)) ++announced;
    });
    EXPECT_EQ(settings::languageOf(L""), base::Language::Japanese);
    EXPECT_EQ(settings::languageOf(L"fr"), base::Language::Japanese);
    settings::chooseLanguage(base::Language::English, live);
    EXPECT_EQ(live.settings.language, L"en");
    EXPECT_EQ(std::wstring(base::text(Text::MenuExit)), L"Exit");
    EXPECT_EQ(base::format(Text::MenuReleaseMemory, {L"16"}), L"Release 16 MB of memory");
    settings::chooseLanguage(base::Language::English, live);  // no change, no notice
    settings::chooseLanguage(base::Language::Japanese, live);
    EXPECT_EQ(live.settings.language, L"ja");
    EXPECT_EQ(base::format(Text::MenuReleaseMemory, {L"16"}), L"16MBメモリ開放");
    EXPECT_EQ(announced, 2);
    // A stray brace or a missing argument stays as written or comes out empty, never worse.
    EXPECT_EQ(base::formatText(L"{0}{x}{1}{", {L"a"}), L"a{x}{");
}

// The templates name their texts; a name the table lacks would show as it is.
TEST(Texts, TemplatesNameOnlyTextsOfTheTable) {
    const std::filesystem::path root = KORVANT_SOURCE_DIR;
    const std::regex quoted("\"([^\"]*)\"");
    int named = 0;
    for (const auto& file : std::filesystem::recursive_directory_iterator(root / "ui")) {
        if (file.path().extension() != ".rc") continue;
        const std::string text = read(file.path());
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("//", line.find_first_not_of(' ')) == line.find_first_not_of(' ') ||
                line.find("#include") != std::string::npos || line.find("FONT") == 0)
                continue;
            for (std::sregex_iterator m(line.begin(), line.end(), quoted), end; m != end; ++m) {
                const std::string inside = (*m)[1];
                if (inside.empty() || inside == "Static" || inside == "ListBox" ||
                    inside == "Edit" || inside == "IDI_KORVANT")
                    continue;
                SCOPED_TRACE(file.path().filename().string() + ": " + line);
                ASSERT_EQ(inside[0], '@');
                Text id{};
                EXPECT_TRUE(base::textNamed(widened(inside.substr(1)), id));
                ++named;
            }
        }
    }
    EXPECT_GT(named, 100);
}
