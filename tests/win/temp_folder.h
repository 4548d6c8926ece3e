#pragma once
#include <windows.h>

#include <string>

// A fresh folder under the temp path for one test, removed with its files afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& name) {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ =
            std::wstring(base) + L"korvant-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do DeleteFileW((path_ + L"\\" + data.cFileName).c_str());
            while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(path_.c_str());
    }
    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

    std::string readBytes(const std::wstring& name) const {
        std::string bytes;
        HANDLE h = CreateFileW(file(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return bytes;
        char buffer[4096];
        DWORD n = 0;
        while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n) bytes.append(buffer, n);
        CloseHandle(h);
        return bytes;
    }
    void writeBytes(const std::wstring& name, const std::string& bytes) const {
        HANDLE h =
            CreateFileW(file(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        CloseHandle(h);
    }

private:
    std::wstring path_;
};
