#include "features/export_formats.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace features {
namespace {

using base::Text;

// The shortest of 15, 16 or 17 digits that reads back as the same value (printf's, not
// std::to_chars: its tables would add a sixth to the program's size).
std::string number(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "+Inf" : "-Inf";
    char buffer[32];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
        if (std::strtod(buffer, nullptr) == value) break;
    }
    return buffer;
}

std::string number(std::int64_t value) { return std::to_string(value); }

std::string jsonNumber(double value) { return std::isfinite(value) ? number(value) : "null"; }

// A label value: backslash, double quote and line feed escaped, as the text format asks.
std::string labelValue(const std::string& value) {
    std::string out;
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

// Writes each family once: its HELP and TYPE, then its samples. Names take the program's
// prefix, but for the process's own, which every client library names alike.
class Exposition {
public:
    void family(const char* name, const char* type, const char* help,
                const char* prefix = "korvant_") {
        name_ = std::string(prefix) + name;
        text_ += "# HELP " + name_ + ' ' + help + "\n# TYPE " + name_ + ' ' + type + '\n';
    }
    void sample(const std::string& value) { line("", value); }
    void sample(const char* label, const std::string& labelText, const std::string& value) {
        line(std::string("{") + label + "=\"" + labelValue(labelText) + "\"}", value);
    }
    void sample(const char* label, const std::string& labelText, const char* label2,
                const std::string& labelText2, const std::string& value) {
        line(std::string("{") + label + "=\"" + labelValue(labelText) + "\"," + label2 + "=\"" +
                 labelValue(labelText2) + "\"}",
             value);
    }
    std::string take() { return std::move(text_); }

private:
    void line(const std::string& labels, const std::string& value) {
        text_ += name_;
        text_ += labels;
        text_ += ' ';
        text_ += value;
        text_ += '\n';
    }
    std::string text_;
    std::string name_;
};

constexpr AlertRule kRules[] = {AlertRule::Cpu, AlertRule::Memory, AlertRule::Drive,
                                AlertRule::Traffic};

}  // namespace

const char* alertRuleName(AlertRule rule) {
    switch (rule) {
        case AlertRule::Cpu:
            return "cpu";
        case AlertRule::Memory:
            return "memory";
        case AlertRule::Drive:
            return "drive";
        case AlertRule::Traffic:
            return "traffic";
    }
    return "";
}

std::string metricsText(const ExportSnapshot& s) {
    Exposition e;
    e.family("cpu_usage_ratio", "gauge", "Processor load of all processors, 0 to 1.");
    if (s.cpuRatio) e.sample(number(*s.cpuRatio));
    e.family("cpu_core_usage_ratio", "gauge", "Processor load of one processor, 0 to 1.");
    for (std::size_t core = 0; core < s.coreRatios.size(); ++core)
        e.sample("core", std::to_string(core), number(s.coreRatios[core]));
    e.family("memory_used_bytes", "gauge", "Physical memory in use, in bytes.");
    e.sample(number(s.memoryUsedBytes));
    e.family("memory_total_bytes", "gauge", "Physical memory installed, in bytes.");
    e.sample(number(s.memoryTotalBytes));
    e.family("cpu_seconds_total", "counter",
             "Processor time of all processors together since the system started, by mode.");
    if (s.cpuSeconds) {
        e.sample("mode", "idle", number(s.cpuSeconds->idle));
        e.sample("mode", "user", number(s.cpuSeconds->user));
        e.sample("mode", "system", number(s.cpuSeconds->system));
    }
    e.family("network_received_bytes_total", "counter",
             "Bytes received on the chosen interface since the program started.");
    if (!s.interfaceName.empty()) e.sample("interface", s.interfaceName, number(s.receivedBytes));
    e.family("network_sent_bytes_total", "counter",
             "Bytes sent on the chosen interface since the program started.");
    if (!s.interfaceName.empty()) e.sample("interface", s.interfaceName, number(s.sentBytes));
    e.family("drive_free_bytes", "gauge", "Free space of a shown drive, in bytes.");
    for (const ExportDrive& d : s.drives) e.sample("drive", d.name, number(d.freeBytes));
    e.family("drive_size_bytes", "gauge", "Size of a shown drive, in bytes.");
    for (const ExportDrive& d : s.drives) e.sample("drive", d.name, number(d.sizeBytes));
    e.family("source_value", "gauge",
             "A reading taken from another program, in its own unit; absent while it has no "
             "current value.");
    for (const ExportSource& source : s.sources)
        if (source.value) e.sample("name", source.name, "unit", source.unit, number(*source.value));
    e.family("process_cpu_usage_ratio", "gauge",
             "Processor load of the busiest executables (their processes together) as a share "
             "of all processors, 0 to 1.");
    for (const ExportProcess& p : s.busiestByCpu) e.sample("name", p.name, number(p.cpuRatio));
    e.family("process_private_bytes", "gauge",
             "Private memory of the executables (their processes together) that hold the most, "
             "in bytes.");
    for (const ExportProcess& p : s.busiestByMemory)
        e.sample("name", p.name, number(p.privateBytes));
    e.family("system_uptime_seconds", "gauge", "Time since the system started, in seconds.");
    e.sample(number(s.uptimeSeconds));
    e.family("boot_time_seconds", "gauge", "When the system started, in seconds since 1970.");
    e.sample(number(s.bootUnixSeconds));
    e.family("alert_active", "gauge", "1 while an alert rule is on and its threshold is crossed.");
    for (AlertRule rule : kRules)
        e.sample("rule", alertRuleName(rule),
                 s.alertActive[static_cast<std::size_t>(rule)] ? "1" : "0");
    e.family("build_info", "gauge", "The program's version, as a label; always 1.");
    e.sample("version", s.version, "1");
    e.family("process_start_time_seconds", "gauge",
             "When the program started, in seconds since 1970.", "");
    e.sample(number(s.processStartUnixSeconds));
    e.family("process_cpu_seconds_total", "counter",
             "Processor time the program has used, user and system, in seconds.", "");
    e.sample(number(s.processCpuSeconds));
    e.family("process_resident_memory_bytes", "gauge",
             "Physical memory the program holds (its working set), in bytes.", "");
    e.sample(number(s.processResidentBytes));
    return e.take();
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7f) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else if (c == '<') {
                    out += "\\u003c";  // safe inside a page's script element as well
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string utf8(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = static_cast<std::uint32_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            std::uint32_t low = static_cast<std::uint32_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;  // a lone surrogate
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string rfc3339(std::int64_t unixSeconds) {
    using namespace std::chrono;
    const sys_seconds at{seconds(unixSeconds)};
    const sys_days day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss clock{at - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                  int(clock.minutes().count()), int(clock.seconds().count()));
    return text;
}

std::string dataJson(const ExportSnapshot& s) {
    std::string j = "{\"time\":" + jsonString(rfc3339(s.unixSeconds));
    j += ",\"version\":" + jsonString(s.version);
    if (s.cpuRatio) j += ",\"cpu_usage_ratio\":" + jsonNumber(*s.cpuRatio);
    j += ",\"cpu_core_usage_ratio\":[";
    for (std::size_t i = 0; i < s.coreRatios.size(); ++i)
        j += (i ? "," : "") + jsonNumber(s.coreRatios[i]);
    j += "],\"memory_used_bytes\":" + number(s.memoryUsedBytes);
    j += ",\"memory_total_bytes\":" + number(s.memoryTotalBytes);
    if (s.cpuSeconds) {
        j += ",\"cpu_seconds_total\":{\"idle\":" + jsonNumber(s.cpuSeconds->idle);
        j += ",\"user\":" + jsonNumber(s.cpuSeconds->user);
        j += ",\"system\":" + jsonNumber(s.cpuSeconds->system) + "}";
    }
    j += ",\"network_interface\":" + jsonString(s.interfaceName);
    j += ",\"network_received_bytes_total\":" + number(s.receivedBytes);
    j += ",\"network_sent_bytes_total\":" + number(s.sentBytes);
    j += ",\"system_uptime_seconds\":" + jsonNumber(s.uptimeSeconds);
    j += ",\"boot_time_seconds\":" + number(s.bootUnixSeconds);
    j += ",\"process_start_time_seconds\":" + jsonNumber(s.processStartUnixSeconds);
    j += ",\"process_cpu_seconds_total\":" + jsonNumber(s.processCpuSeconds);
    j += ",\"process_resident_memory_bytes\":" + number(s.processResidentBytes);
    j += ",\"drives\":[";
    for (std::size_t i = 0; i < s.drives.size(); ++i) {
        const ExportDrive& d = s.drives[i];
        j += (i ? ",{\"drive\":" : "{\"drive\":") + jsonString(d.name);
        j += ",\"free_bytes\":" + number(d.freeBytes);
        j += ",\"size_bytes\":" + number(d.sizeBytes) + "}";
    }
    j += "],\"sources\":[";
    for (std::size_t i = 0; i < s.sources.size(); ++i) {
        const ExportSource& source = s.sources[i];
        j += (i ? ",{\"name\":" : "{\"name\":") + jsonString(source.name);
        j += ",\"unit\":" + jsonString(source.unit);
        j += ",\"value\":" + (source.value ? jsonNumber(*source.value) : std::string("null")) + "}";
    }
    auto processes = [&](const char* key, const std::vector<ExportProcess>& list, bool cpu) {
        j += "],\"";
        j += key;
        j += "\":[";
        for (std::size_t i = 0; i < list.size(); ++i) {
            const ExportProcess& p = list[i];
            j += (i ? ",{\"name\":" : "{\"name\":") + jsonString(p.name);
            j += ",\"processes\":" + std::to_string(p.count);
            j += ",\"value\":" + (cpu ? jsonNumber(p.cpuRatio) : number(p.privateBytes)) + "}";
        }
    };
    processes("process_cpu_usage_ratio", s.busiestByCpu, true);
    processes("process_private_bytes", s.busiestByMemory, false);
    j += "],\"alert_active\":{";
    for (AlertRule rule : kRules) {
        j += rule == AlertRule::Cpu ? "\"" : ",\"";
        j += alertRuleName(rule);
        j += s.alertActive[static_cast<std::size_t>(rule)] ? "\":true" : "\":false";
    }
    return j + "}}";
}

std::vector<ChartPoint> lastHour(const HistoryRing& ring, int step) {
    std::vector<ChartPoint> points;
    if (ring.empty() || step <= 0) return points;
    const std::int64_t newest = ring.newestSecond();
    for (std::int64_t second = newest - 3600 + step; second <= newest; second += step) {
        ChartPoint point{NAN, NAN};
        if (auto sample = ring.at(second))
            point = {sample->cpuPercent / 100.0f, sample->memoryPercent / 100.0f};
        points.push_back(point);
    }
    return points;
}

}  // namespace features
