#include <windows.h>

#include <string>

#include "platform/win32/profile_file_win32.h"

namespace win32 {
namespace {

// Drops the profile functions' cached copy of a file, so that the next read comes from disk.
void dropCached(const std::wstring& path) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

// A list of NUL-ended texts from a profile function, grown until it fits.
template <typename Read>
std::wstring readList(Read read) {
    for (DWORD size = 4096; size <= (64u << 20); size *= 4) {
        std::wstring buffer(size, L'\0');
        DWORD n = read(buffer.data(), size);
        if (n < size - 2) return buffer.substr(0, n);
    }
    return L"<too large>";
}

// Every section with its lines, as the profile functions see the file.
std::wstring wholeView(const std::wstring& path) {
    std::wstring names = readList(
        [&](wchar_t* b, DWORD n) { return GetPrivateProfileSectionNamesW(b, n, path.c_str()); });
    std::wstring view;
    for (size_t at = 0; at < names.size() && names[at]; at = names.find(L'\0', at) + 1) {
        std::wstring name = names.c_str() + at;
        view += L"[" + name + L"]\n" + readList([&](wchar_t* b, DWORD n) {
                    return GetPrivateProfileSectionW(name.c_str(), b, n, path.c_str());
                });
    }
    return view;
}

ULONGLONG fileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return ~0ull;
    return (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// Counts the writes that reach the copy.
class CountingProfile : public platform::ProfileFile {
public:
    explicit CountingProfile(ProfileFileWin32& file) : file_(file) {}
    int getInt(const std::wstring& s, const std::wstring& k, int def) override {
        return file_.getInt(s, k, def);
    }
    std::wstring getString(const std::wstring& s, const std::wstring& k,
                           const std::wstring& def) override {
        return file_.getString(s, k, def);
    }
    bool write(const std::wstring& s, const std::wstring& k, const std::wstring& v) override {
        ++writes;
        return file_.write(s, k, v);
    }
    bool remove(const std::wstring& s, const std::wstring& k) override {
        ++writes;
        return file_.remove(s, k);
    }
    bool update(const std::function<bool(platform::ProfileFile&)>& apply) override {
        return apply(*this);
    }
    int writes = 0;

private:
    ProfileFileWin32& file_;
};

}  // namespace

bool ProfileFileWin32::update(const std::function<bool(platform::ProfileFile& copy)>& writes) {
    const std::wstring temp = path_ + L".tmp";
    dropCached(temp);
    DeleteFileW(temp.c_str());
    bool exists = GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
    bool ok = !exists ||
              (CopyFileW(path_.c_str(), temp.c_str(), FALSE) && fileSize(temp) == fileSize(path_));
    ProfileFileWin32 copyFile(temp);
    CountingProfile copy(copyFile);
    ok = ok && writes(copy);
    if (ok && copy.writes == 0) {  // nothing to replace
        DeleteFileW(temp.c_str());
        return true;
    }
    // The profile functions report success although a full disk cut the file they wrote
    // (measured under Wine), so the copy must read back from disk as they hold it in memory.
    if (ok) {
        std::wstring intended = wholeView(temp);
        dropCached(temp);
        ok = wholeView(temp) == intended;
    }
    if (ok) {
        dropCached(path_);
        ok = MoveFileExW(temp.c_str(), path_.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!ok) {
        dropCached(temp);
        DeleteFileW(temp.c_str());
    }
    return ok;
}

}  // namespace win32
