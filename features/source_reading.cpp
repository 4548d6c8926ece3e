#include "features/source_reading.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>

#include "platform/text_encoding.h"

namespace features {
namespace {

using settings::SourceKind;

std::wstring wide(std::string_view utf8) {
    return platform::decodeUnicode(utf8, platform::TextEncoding::Utf8).value_or(L"");
}

// One scalar of the answer as it came.
struct Scalar {
    enum class Type { Number, String, Other } type = Type::Other;
    double number = 0;
    std::string text;  // a string's text, or a number as written
};

// A captured field of an object, and whether its key came more than once.
struct Field {
    Scalar value;
    int count = 0;
};

// The fields an object's reading needs; everything else passes by without being kept.
bool kept(const std::string& key) {
    static const char* const kKept[] = {"Text",     "Value",         "RawValue",
                                        "SensorId", "Type",          "entity_id",
                                        "state",    "friendly_name", "unit_of_measurement"};
    return std::any_of(std::begin(kKept), std::end(kKept), [&](const char* k) { return key == k; });
}

struct Frame {
    bool array = false;
    std::size_t index = 0;  // of the next element, in an array
    std::string key;        // of the next value, in an object
    std::string keyInParent;
    std::map<std::string, Field> fields;
};

// Walks an answer once without building it: the readings below are told each scalar with its
// path and each object's kept fields as it ends, and may stop the walk.
class Walker : public nlohmann::json_sax<nlohmann::json> {
public:
    using Leaf = std::function<bool(const std::vector<std::string>& path, const Scalar&)>;
    using ObjectEnd = std::function<bool(const std::vector<Frame>& stack, Frame& object)>;

    Walker(Leaf leaf, ObjectEnd objectEnd) : leaf_(std::move(leaf)), end_(std::move(objectEnd)) {}

    SourceFault fault = SourceFault::None;
    std::wstring detail;

    bool null() override { return scalar({}); }
    bool boolean(bool) override { return scalar({}); }
    bool number_integer(number_integer_t v) override {
        return scalar({Scalar::Type::Number, static_cast<double>(v), std::to_string(v)});
    }
    bool number_unsigned(number_unsigned_t v) override {
        return scalar({Scalar::Type::Number, static_cast<double>(v), std::to_string(v)});
    }
    bool number_float(number_float_t v, const string_t& text) override {
        return scalar({Scalar::Type::Number, v, text});
    }
    bool string(string_t& v) override { return scalar({Scalar::Type::String, 0, std::move(v)}); }
    bool binary(binary_t&) override { return scalar({}); }
    bool start_object(std::size_t) override { return open(false); }
    bool start_array(std::size_t) override { return open(true); }
    bool key(string_t& k) override {
        stack_.back().key = std::move(k);
        return true;
    }
    bool end_object() override {
        Frame done = std::move(stack_.back());
        stack_.pop_back();
        path_.pop_back();
        if (end_ && !end_(stack_, done)) return false;
        // A nested attribute object's fields belong to its parent, as "name/field".
        if (!stack_.empty() && !stack_.back().array && done.keyInParent == "attributes")
            for (auto& [k, f] : done.fields) {
                Field& to = stack_.back().fields["attributes/" + k];
                to.value = std::move(f.value);
                to.count += f.count;
            }
        return advance();
    }
    bool end_array() override {
        stack_.pop_back();
        path_.pop_back();
        return advance();
    }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& error) override {
        if (fault != SourceFault::None) return false;
        // 406: a number beyond a double's range ("1e999").
        if (error.id == 406) {
            fault = SourceFault::NotFinite;
            return false;
        }
        fault = SourceFault::NotJson;
        detail = L"@" + std::to_wstring(position);
        return false;
    }

private:
    // The path's last token names the value now arriving.
    void name() {
        if (stack_.empty()) return;
        Frame& f = stack_.back();
        path_.back() = f.array ? std::to_string(f.index) : f.key;
    }
    bool advance() {
        if (!stack_.empty() && stack_.back().array) ++stack_.back().index;
        return true;
    }
    bool scalar(Scalar value) {
        name();
        if (!stack_.empty() && !stack_.back().array && kept(stack_.back().key)) {
            Field& f = stack_.back().fields[stack_.back().key];
            f.value = value;
            ++f.count;
        }
        if (leaf_ && !leaf_(path_, value)) return false;
        return advance();
    }
    bool open(bool array) {
        if (static_cast<int>(stack_.size()) >= kMaxSourceDepth) {
            fault = SourceFault::TooDeep;
            return false;
        }
        name();
        Frame f;
        f.array = array;
        f.keyInParent = stack_.empty() || stack_.back().array ? "" : stack_.back().key;
        stack_.push_back(std::move(f));
        path_.emplace_back();
        return true;
    }

    Leaf leaf_;
    ObjectEnd end_;
    std::vector<Frame> stack_;
    // One token per open container and one for the value in hand; the first is the root's.
    std::vector<std::string> path_{std::string()};
};

// Runs the walk; a stop asked by a reading is no fault.
void walk(std::string_view body, Walker& walker, bool& stopped) {
    if (body.size() > kMaxSourceBytes) {
        walker.fault = SourceFault::TooLarge;
        return;
    }
    if (body.size() >= 2 && static_cast<unsigned char>(body[0]) == 0x1f &&
        static_cast<unsigned char>(body[1]) == 0x8b) {
        walker.fault = SourceFault::Compressed;
        walker.detail = L"gzip";
        return;
    }
    bool whole = nlohmann::json::sax_parse(body.begin(), body.end(), &walker);
    stopped = !whole && walker.fault == SourceFault::None;
}

std::wstring fieldText(const std::map<std::string, Field>& fields, const char* name) {
    auto f = fields.find(name);
    return f == fields.end() ? L"" : wide(f->second.value.text);
}

// The path's tokens from the root's value on (the walker's first token stands for the root).
bool pathIs(const std::vector<std::string>& path, const std::vector<std::string>& tokens) {
    return path.size() == tokens.size() + 1 &&
           std::equal(tokens.begin(), tokens.end(), path.begin() + 1);
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// A KorvaNT ratio (0-1) reads as a percentage.
bool isRatioKey(std::string_view lastToken) { return endsWith(lastToken, "_ratio"); }

// A scalar as a number: a JSON number, or a string holding one (in any locale's form).
std::optional<double> numberOf(const Scalar& s, std::string* unit = nullptr) {
    if (s.type == Scalar::Type::Number) return s.number;
    if (s.type == Scalar::Type::String) return parseFormattedNumber(s.text, unit);
    return std::nullopt;
}

SourceValue finished(std::optional<double> value, std::wstring unit, SourceFault fault,
                     std::wstring detail) {
    if (value && !std::isfinite(*value)) return {std::nullopt, SourceFault::NotFinite, {}, {}};
    return {fault == SourceFault::None ? value : std::nullopt, fault, std::move(detail),
            std::move(unit)};
}

SourceValue readHardwareMonitor(std::string_view key, std::string_view body) {
    int matches = 0;
    Scalar found;
    std::string type;
    Walker walker(nullptr, [&](const std::vector<Frame>&, Frame& object) {
        auto id = object.fields.find("SensorId");
        if (id == object.fields.end() || id->second.value.text != key) return true;
        matches += id->second.count;
        auto value = object.fields.find("Value");
        if (value == object.fields.end() || !numberOf(value->second.value))
            value = object.fields.find("RawValue");
        if (value != object.fields.end()) found = value->second.value;
        if (auto t = object.fields.find("Type"); t != object.fields.end())
            type = t->second.value.text;
        return true;
    });
    bool stopped = false;
    walk(body, walker, stopped);
    const std::wstring name = wide(key);
    if (walker.fault != SourceFault::None) return finished({}, {}, walker.fault, walker.detail);
    if (matches == 0) return finished({}, {}, SourceFault::NoSuchKey, name);
    if (matches > 1) return finished({}, {}, SourceFault::Ambiguous, name);
    std::string unit;
    std::optional<double> value = numberOf(found, &unit);
    if (!value) return finished({}, {}, SourceFault::NotANumber, wide(found.text));
    // Throughput comes in KB/s or MB/s as it grows: one unit keeps the history and alerts whole.
    if (unit == "MB/s") *value *= 1024, unit = "KB/s";
    if (unit == "GB/s") *value *= 1024 * 1024, unit = "KB/s";
    std::wstring shownUnit = unit.empty() ? hardwareMonitorUnit(type) : wide(unit);
    return finished(value, shownUnit, SourceFault::None, {});
}

SourceValue readHomeAssistant(std::string_view body) {
    std::optional<Frame> top;
    Walker walker(nullptr, [&](const std::vector<Frame>& stack, Frame& object) {
        if (stack.empty()) top = std::move(object);
        return true;
    });
    bool stopped = false;
    walk(body, walker, stopped);
    if (walker.fault != SourceFault::None) return finished({}, {}, walker.fault, walker.detail);
    if (!top) return finished({}, {}, SourceFault::NoSuchKey, L"state");
    auto state = top->fields.find("state");
    if (state == top->fields.end()) return finished({}, {}, SourceFault::NoSuchKey, L"state");
    if (state->second.count > 1) return finished({}, {}, SourceFault::Ambiguous, L"state");
    const Scalar& s = state->second.value;
    if (s.type == Scalar::Type::String && (s.text == "unavailable" || s.text == "unknown"))
        return finished({}, {}, SourceFault::Unavailable, wide(s.text));
    std::optional<double> value = numberOf(s);
    if (!value) return finished({}, {}, SourceFault::NotANumber, wide(s.text));
    return finished(value, fieldText(top->fields, "attributes/unit_of_measurement"),
                    SourceFault::None, {});
}

SourceValue readPointer(std::string_view key, std::string_view body) {
    auto tokens = pointerTokens(key);
    if (!tokens) return finished({}, {}, SourceFault::NoSuchKey, wide(key));
    int matches = 0;
    Scalar found;
    Walker walker(
        [&](const std::vector<std::string>& path, const Scalar& value) {
            if (pathIs(path, *tokens)) ++matches, found = value;
            return true;
        },
        nullptr);
    bool stopped = false;
    walk(body, walker, stopped);
    if (walker.fault != SourceFault::None) return finished({}, {}, walker.fault, walker.detail);
    if (matches == 0) return finished({}, {}, SourceFault::NoSuchKey, wide(key));
    if (matches > 1) return finished({}, {}, SourceFault::Ambiguous, wide(key));
    std::string unit;
    std::optional<double> value = numberOf(found, &unit);
    if (!value) return finished({}, {}, SourceFault::NotANumber, wide(found.text));
    if (!tokens->empty() && isRatioKey(tokens->back())) return finished(*value * 100, L"%", {}, {});
    return finished(value, wide(unit), SourceFault::None, {});
}

std::wstring joined(const std::vector<std::wstring>& parts) {
    std::wstring out;
    for (const std::wstring& p : parts) {
        if (p.empty()) continue;
        if (!out.empty()) out += L" \u203a ";
        out += p;
    }
    return out;
}

}  // namespace

SourceValue readSourceValue(SourceKind kind, std::string_view key, std::string_view body) {
    switch (kind) {
        case SourceKind::HardwareMonitor:
            return readHardwareMonitor(key, body);
        case SourceKind::HomeAssistant:
            return readHomeAssistant(body);
        case SourceKind::Json:
            break;
    }
    return readPointer(key, body);
}

SourceOffers listSourceOffers(SourceKind kind, std::string_view body, std::size_t limit) {
    SourceOffers result;
    auto add = [&](SourceOffer offer) {
        if (result.offers.size() >= limit) return false;
        result.offers.push_back(std::move(offer));
        return true;
    };
    Walker::Leaf leaf;
    Walker::ObjectEnd objectEnd;
    if (kind == SourceKind::Json) {
        leaf = [&](const std::vector<std::string>& path, const Scalar& value) {
            std::string unit;
            std::optional<double> number = numberOf(value, &unit);
            if (!number) return true;
            std::vector<std::string> tokens(path.begin() + 1, path.end());
            SourceOffer offer{wide(pointerOf(tokens)),
                              {},
                              tokens.empty() ? L"" : wide(tokens.back()),
                              wide(unit),
                              wide(value.text)};
            if (!tokens.empty() && isRatioKey(tokens.back())) {
                offer.unit = L"%";
                offer.valueText = settings::sourceNumberText(*number * 100) + L"%";
            }
            return add(std::move(offer));
        };
    } else if (kind == SourceKind::HardwareMonitor) {
        objectEnd = [&](const std::vector<Frame>& stack, Frame& object) {
            auto id = object.fields.find("SensorId");
            if (id == object.fields.end()) return true;
            std::vector<std::wstring> groups;
            // Past the tree's root and the machine: the hardware and the sensor type.
            int objects = 0;
            for (const Frame& f : stack)
                if (!f.array && ++objects > 2) groups.push_back(fieldText(f.fields, "Text"));
            return add({wide(id->second.value.text), joined(groups),
                        fieldText(object.fields, "Text"),
                        hardwareMonitorUnit(object.fields.count("Type")
                                                ? object.fields.at("Type").value.text
                                                : std::string()),
                        fieldText(object.fields, "Value")});
        };
    } else {
        objectEnd = [&](const std::vector<Frame>& stack, Frame& object) {
            // The entities of /api/states: the array's objects.
            if (stack.size() != 1 || !stack.back().array) return true;
            auto state = object.fields.find("state");
            auto id = object.fields.find("entity_id");
            if (state == object.fields.end() || id == object.fields.end() ||
                !numberOf(state->second.value))
                return true;
            std::wstring name = fieldText(object.fields, "attributes/friendly_name");
            std::wstring unit = fieldText(object.fields, "attributes/unit_of_measurement");
            std::wstring entity = wide(id->second.value.text);
            std::wstring domain = entity.substr(0, entity.find(L'.'));
            return add({entity, domain, name.empty() ? entity : name, unit,
                        wide(state->second.value.text) + (unit.empty() ? L"" : L" " + unit)});
        };
    }
    Walker walker(leaf, objectEnd);
    bool stopped = false;
    walk(body, walker, stopped);
    result.fault = walker.fault;
    result.detail = walker.detail;
    if (result.fault == SourceFault::None && result.offers.empty())
        result.fault = SourceFault::NoSuchKey;
    return result;
}

std::wstring sourceValueUrl(const settings::SourceSetting& source) {
    if (source.kind != SourceKind::HomeAssistant) return source.url;
    std::wstring base = source.url;
    while (!base.empty() && base.back() == L'/') base.pop_back();
    // An entity id is letters, digits, "_" and one "."; anything else would change the path.
    std::wstring id;
    for (wchar_t c : source.key)
        if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
            c == L'_' || c == L'.')
            id += c;
    return base + L"/api/states/" + id;
}

std::wstring sourceOffersUrl(SourceKind kind, const std::wstring& url) {
    if (kind != SourceKind::HomeAssistant) return url;
    std::wstring base = url;
    while (!base.empty() && base.back() == L'/') base.pop_back();
    return base + L"/api/states";
}

std::optional<double> parseFormattedNumber(std::string_view text, std::string* unit) {
    // Blanks, including the no-break spaces some locales group thousands with.
    auto skipBlanks = [](std::string_view& t) {
        for (;;) {
            if (!t.empty() && (t.front() == ' ' || t.front() == '\t')) {
                t.remove_prefix(1);
            } else if (t.starts_with("\xc2\xa0")) {
                t.remove_prefix(2);
            } else if (t.starts_with("\xe2\x80\xaf")) {
                t.remove_prefix(3);
            } else {
                return;
            }
        }
    };
    skipBlanks(text);
    std::string digits;
    size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) digits += text[i++];
    int lastComma = -1, lastDot = -1, commas = 0, dots = 0;
    size_t end = i;
    bool any = false;
    for (size_t k = i; k < text.size();) {
        char c = text[k];
        if (c >= '0' && c <= '9') {
            digits += c;
            any = true;
            end = ++k;
        } else if (c == ',' || c == '.') {
            (c == ',' ? lastComma : lastDot) = static_cast<int>(digits.size());
            (c == ',' ? commas : dots)++;
            digits += c;
            ++k;
        } else if (any && (text.substr(k).starts_with("\xc2\xa0") ||
                           text.substr(k).starts_with("\xe2\x80\xaf") || c == '\'')) {
            // A thousands group mark inside the number ("1 234,5", "1'234.5").
            size_t width = c == '\'' ? 1 : (text[k] == '\xc2' ? 2 : 3);
            if (k + width < text.size() && text[k + width] >= '0' && text[k + width] <= '9')
                k += width;
            else
                break;
        } else if (c == 'e' || c == 'E') {
            // An exponent belongs to the number only when digits follow it.
            size_t e = k + 1;
            if (e < text.size() && (text[e] == '-' || text[e] == '+')) ++e;
            if (!any || e >= text.size() || text[e] < '0' || text[e] > '9') break;
            digits += 'e';
            digits.append(text.substr(k + 1, e - k - 1));
            k = e;
            while (k < text.size() && text[k] >= '0' && text[k] <= '9') digits += text[k++];
            end = k;
            break;
        } else {
            break;
        }
    }
    if (!any) return std::nullopt;
    // The decimal mark is the last of the two kinds; the other groups thousands. One kind alone,
    // once, is the decimal mark (the sensor texts never group); more than once, it groups.
    char decimal = 0;
    if (commas && dots)
        decimal = lastComma > lastDot ? ',' : '.';
    else if (commas == 1)
        decimal = ',';
    else if (dots == 1)
        decimal = '.';
    std::string plain;
    for (char c : digits) {
        if (c == ',' || c == '.') {
            if (c == decimal) plain += '.';
            continue;
        }
        plain += c;
    }
    // Trailing marks of the scan ("12." before a unit) are dropped with the text after them.
    while (!plain.empty() && plain.back() == '.') plain.pop_back();
    double value = 0;
    const char* first = plain.data() + (plain.starts_with('+') ? 1 : 0);
    auto result = std::from_chars(first, plain.data() + plain.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = plain.starts_with('-') ? -HUGE_VAL : HUGE_VAL;
    else if (result.ec != std::errc() || result.ptr != plain.data() + plain.size())
        return std::nullopt;
    std::string_view rest = text.substr(end);
    // Marks after the last digit were no part of the number.
    while (!rest.empty() && (rest.front() == ',' || rest.front() == '.')) rest.remove_prefix(1);
    skipBlanks(rest);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
    // Only a short unit may follow; longer text makes it no number ("12 days ago").
    if (rest.size() > 12 || rest.find(' ') != std::string_view::npos) return std::nullopt;
    if (unit) *unit = std::string(rest);
    return value;
}

std::wstring hardwareMonitorUnit(std::string_view type) {
    struct Unit {
        const char* type;
        const wchar_t* unit;
    };
    static const Unit kUnits[] = {
        {"Temperature", L"\u00b0C"},
        {"Fan", L"RPM"},
        {"Power", L"W"},
        {"Load", L"%"},
        {"Clock", L"MHz"},
        {"Voltage", L"V"},
        {"Data", L"GB"},
        {"SmallData", L"MB"},
        {"Throughput", L"KB/s"},
        {"Control", L"%"},
        {"Level", L"%"},
        {"Frequency", L"Hz"},
        {"Current", L"A"},
        {"Flow", L"L/h"},
        {"Energy", L"mWh"},
        {"Noise", L"dBA"},
        {"Humidity", L"%"},
        {"Conductivity", L"\u00b5S/cm"},
    };
    for (const Unit& u : kUnits)
        if (type == u.type) return u.unit;
    return L"";
}

std::optional<std::vector<std::string>> pointerTokens(std::string_view pointer) {
    std::vector<std::string> tokens;
    if (pointer.empty()) return tokens;
    if (pointer.front() != '/') return std::nullopt;
    pointer.remove_prefix(1);
    for (;;) {
        size_t slash = pointer.find('/');
        std::string_view raw = pointer.substr(0, slash);
        std::string token;
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '~') {
                token += raw[i];
                continue;
            }
            if (i + 1 >= raw.size() || (raw[i + 1] != '0' && raw[i + 1] != '1'))
                return std::nullopt;
            token += raw[++i] == '0' ? '~' : '/';
        }
        tokens.push_back(std::move(token));
        if (slash == std::string_view::npos) return tokens;
        pointer.remove_prefix(slash + 1);
    }
}

std::string pointerOf(const std::vector<std::string>& tokens) {
    std::string out;
    for (const std::string& t : tokens) {
        out += '/';
        for (char c : t) {
            if (c == '~')
                out += "~0";
            else if (c == '/')
                out += "~1";
            else
                out += c;
        }
    }
    return out;
}

}  // namespace features
