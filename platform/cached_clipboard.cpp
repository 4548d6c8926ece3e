#include "platform/cached_clipboard.h"

namespace platform {

ClipboardRead CachedClipboard::readText(size_t maxChars) {
    if (maxChars != lastMaxChars_) haveLast_ = false;
    const std::uint32_t writes = ownWrites();
    if (watching() && !changed_ && writes == writesSeen_ && haveLast_) return last_;
    changed_ = false;  // a change made while reading is told again
    std::uint32_t sequence = sequenceNumber();
    if (haveLast_ && sequence != 0 && sequence == lastSequence_) {
        writesSeen_ = writes;
        return last_;
    }
    ClipboardRead read = readNow(maxChars);
    if (!read.opened) {  // busy: try again next time
        changed_ = true;
        return read;
    }
    writesSeen_ = writes;
    lastSequence_ = sequence;
    lastMaxChars_ = maxChars;
    haveLast_ = true;
    last_ = read;
    return read;
}

}  // namespace platform
