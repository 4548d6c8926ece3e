#pragma once
#include <cstdint>
#include <string>

namespace platform {

enum class Hive { CurrentUser, LocalMachine };

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;

// How a string write went: the key may have had to be created first.
enum class StringWrite { KeyFailed, WriteFailed, WrittenToExistingKey, WrittenToNewKey };

struct RegistryRead {
    bool ok = false;          // key opened and value read into the 1023-byte buffer
    std::uint32_t type = 0;   // stays 0 when the read failed
    std::wstring text;        // the buffer up to its first zero byte
    std::uint32_t dword = 0;  // the first four bytes, for REG_DWORD
};

class Registry {
public:
    virtual ~Registry() = default;
    virtual RegistryRead read(Hive hive, const std::wstring& keyPath,
                              const std::wstring& valueName) = 0;
    // Whether a value under the keys read so far may have changed since the last call: a reader
    // that keeps what it read asks once per round instead of reading again. A registry that
    // cannot watch its keys always says true.
    virtual bool changedSinceLastAsked() { return true; }
    // Both writers work on HKEY_CURRENT_USER and create a missing key.
    virtual bool writeDword(const std::wstring& keyPath, const std::wstring& valueName,
                            std::uint32_t value) = 0;
    // REG_SZ holding the text as the ANSI code page carries it, without a terminating NUL.
    virtual StringWrite writeString(const std::wstring& keyPath, const std::wstring& valueName,
                                    const std::wstring& value) = 0;
    // Removes a value of HKEY_CURRENT_USER; a value or key that is not there counts as removed.
    virtual bool deleteValue(const std::wstring& keyPath, const std::wstring& valueName) = 0;
};

}  // namespace platform
