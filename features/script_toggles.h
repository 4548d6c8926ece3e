#pragma once
#include <cstdint>
#include <string>

#include "monitor/readings.h"
#include "platform/dialogs.h"
#include "platform/registry.h"

namespace features {

constexpr std::int16_t kPolicyAllow = 0;
constexpr std::int16_t kPolicyDisallow = 3;

// The policy a toggle writes, from the state the item shows: "OFF" allows, anything else
// disallows.
std::int16_t scriptPolicyAfterToggle(const std::wstring& shownText);

// Active scripting ("1400", item 108) and Java applet scripting ("1402", item 109).
bool toggleActiveScripting(platform::Registry& registry, platform::Dialogs& dialogs,
                           const monitor::ValueTexts& shown);
bool toggleJavaScripting(platform::Registry& registry, platform::Dialogs& dialogs,
                         const monitor::ValueTexts& shown);

}  // namespace features
