#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Keeps a secret from being read by anyone but the user who protected it (DPAPI on Windows).
class SecretBox {
public:
    virtual ~SecretBox() = default;
    // The protected bytes; nothing when the system would not protect it.
    virtual std::optional<std::string> protect(std::string_view plain) = 0;
    // The secret again; nothing when these bytes were protected for another user or machine,
    // or are no protected secret at all.
    virtual std::optional<std::string> unprotect(std::string_view protectedBytes) = 0;
};

// A box that keeps nothing: what a program without the system's protection (or a test) uses.
class NoSecretBox : public SecretBox {
public:
    std::optional<std::string> protect(std::string_view) override { return std::nullopt; }
    std::optional<std::string> unprotect(std::string_view) override { return std::nullopt; }
};
inline SecretBox& noSecrets() {
    static NoSecretBox box;
    return box;
}

}  // namespace platform
