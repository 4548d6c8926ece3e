#pragma once
#include <string>
#include <vector>

namespace platform {

// The lines of a text file's bytes: CR LF, a lone CR and a lone LF each end a line; the last
// line needs no end.
std::vector<std::string> splitLines(const std::string& bytes);

}  // namespace platform
