// ProxyList.txt and CloseList.txt as any bytes: loading, counting closes and writing back; a list
// written once reads back to the same lines. The same bytes as Unicode files: decoded text
// encodes back to them.
#include <fuzzer/FuzzedDataProvider.h>

#include "fakes/fake_text_files.h"
#include "fuzz_input.h"
#include "platform/text_encoding.h"
#include "settings/side_lists.h"

using namespace settings;

namespace {

std::vector<std::wstring> linesOf(const std::string& bytes) {
    std::vector<std::wstring> lines;
    for (const platform::EncodedLine& line :
         platform::splitEncodedLines(bytes, platform::TextEncoding::Ansi))
        lines.push_back(fuzz::wideText(std::string(line.bytes)));
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using platform::TextEncoding;
    std::string_view raw(reinterpret_cast<const char*>(data), size);
    for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be})
        if (auto text = platform::decodeUnicode(raw, encoding))
            fuzz::require(platform::encodeUnicode(*text, encoding) == raw,
                          "a Unicode text does not encode back to its bytes");
    FuzzedDataProvider input(data, size);
    fakes::FakeTextFiles files;
    files.files[L"proxy"] = linesOf(input.ConsumeRandomLengthString());
    const int closes = input.ConsumeIntegralInRange(0, 3);
    files.files[L"close"] = linesOf(input.ConsumeRemainingBytesAsString());

    std::vector<std::wstring> proxies = loadProxyList(files, L"proxy");
    fuzz::require(proxies == files.files[L"proxy"], "the proxy list is not its file's lines");
    WriteProxyList(files, L"proxy", proxies);
    fuzz::require(loadProxyList(files, L"proxy") == proxies, "the proxy list changes on saving");

    std::vector<CloseEntry> entries = loadCloseList(files, L"close");
    fuzz::require(entries.size() == files.files[L"close"].size(), "a close-list line is lost");
    for (CloseEntry& entry : entries) {
        for (int i = 0; i < closes; ++i) increaseCloseCount(entry);
        fuzz::require(entry.sortKey.size() == kCloseCountChars, "a sort key of the wrong size");
    }
    WriteCloseList(files, L"close", entries);
    const std::vector<std::wstring> written = files.files[L"close"];
    std::vector<CloseEntry> reread = loadCloseList(files, L"close");
    for (size_t i = 0; i < entries.size(); ++i) {
        fuzz::require(reread[i].title == entries[i].title, "a title changes on saving");
        fuzz::require(reread[i].sortKey == entries[i].sortKey, "a count changes on saving");
    }
    WriteCloseList(files, L"close", reread);
    fuzz::require(files.files[L"close"] == written, "the close list changes on a second save");
    return 0;
}
