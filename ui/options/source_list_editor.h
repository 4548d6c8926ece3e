#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "features/source_poller.h"
#include "features/source_reading.h"
#include "features/status_bar.h"
#include "settings/source_settings.h"

namespace ui::options {

// The page of external readings edits the live list of sources: its order is the order of their
// rows in the main list. These are its rules; the page only moves texts between boxes and them.

// Where each kind usually answers: LibreHardwareMonitor's remote web server on this PC, Home
// Assistant's own name on the local network; any other JSON has no usual place.
std::wstring defaultSourceUrl(settings::SourceKind kind);

// "追加": a new source at the end of the list, shown, reading LibreHardwareMonitor on this PC.
// Nothing (and the reason on the status bar) when the list is full. Returns its index.
std::optional<size_t> addSource(std::vector<settings::SourceSetting>& sources,
                                features::StatusBar& status);
// "削除": the source goes, named on the status bar. Returns the row to select afterwards.
std::optional<size_t> removeSource(std::vector<settings::SourceSetting>& sources, size_t index,
                                   features::StatusBar& status);
// "↑" / "↓": the source swaps with its neighbour. Returns its new index; nothing at an end.
std::optional<size_t> moveSource(std::vector<settings::SourceSetting>& sources, size_t index,
                                 int step);

// Another kind: an address still at the old kind's usual place (or none) moves to the new one's.
void setSourceKind(settings::SourceSetting& source, settings::SourceKind kind);

// The boxes of a source, each taken when it is left or Enter is pressed.
enum class SourceBox {
    Url,
    Key,
    Name,
    Unit,
    Decimals,
    Interval,
    BarMin,
    BarMax,
    AlertThreshold,
    AlertSeconds,
};
// What a box shows of the source.
std::wstring sourceBoxText(const settings::SourceSetting& source, SourceBox box);
// The box's text into the source when it is a value for it; otherwise the source stays as it
// was and the status bar names the box, the text and what it takes. True when the source changed.
bool setSourceBox(settings::SourceSetting& source, SourceBox box, std::wstring_view text,
                  features::StatusBar& status);

// A token typed in: kept for the user (protected when saved), replacing what the file held.
// An empty box leaves the token as it is, since the box never shows the stored one.
bool setSourceToken(settings::SourceSetting& source, std::wstring_view text);
// "消去": no token at all.
bool clearSourceToken(settings::SourceSetting& source);

// An offer picked from the source's list: its key and unit, and its name when the source has
// none yet or still has the name of the offer it had picked before (found among `offers`).
void pickSourceOffer(settings::SourceSetting& source, const features::SourceOffer& picked,
                     const std::vector<features::SourceOffer>& offers);

// What a source's row and the line under its settings show: its value now, or why it has none
// (nothing known yet when there is no status).
std::wstring sourceStateText(const settings::SourceSetting& source,
                             const features::SourceStatus* status);
// The line while a source's offers are listed: fetching from `url` (no result yet), why the
// list failed, or how many there are.
std::wstring offersStateText(const std::wstring& url, const features::SourceOffers* result);

// An offer's place and name as one text ("AMD Ryzen 7 › Temperatures › Core").
std::wstring offerLabel(const features::SourceOffer& offer);

}  // namespace ui::options
