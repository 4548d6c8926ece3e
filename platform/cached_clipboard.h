#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/clipboard.h"

namespace platform {

// A clipboard reader that reads the clipboard again only after it changed: told by change
// notices where the system sends them, and by the sequence number otherwise.
//
// The notices come through the message queue, so right after the program's own write the
// reader has not been told yet. A write therefore counts as a possible change until a read has
// looked at the sequence number: no read answers with a text older than the program's own last
// write.
class CachedClipboard : public Clipboard {
public:
    ClipboardRead readText(size_t maxChars) final;

protected:
    // A change notice arrived.
    void changeNoticed() { changed_ = true; }

    // Whether change notices come at all; without them every read asks the sequence number.
    virtual bool watching() = 0;
    // Changes with every change of the clipboard's contents; 0 where the system keeps none.
    virtual std::uint32_t sequenceNumber() = 0;
    // The text as it stands; not opened while another program holds the clipboard.
    virtual ClipboardRead readNow(size_t maxChars) = 0;
    // How many times the program has written the clipboard so far.
    virtual std::uint32_t ownWrites() = 0;

private:
    bool changed_ = true;
    bool haveLast_ = false;
    std::uint32_t lastSequence_ = 0;
    std::uint32_t writesSeen_ = 0;
    size_t lastMaxChars_ = 0;
    ClipboardRead last_;
};

}  // namespace platform
