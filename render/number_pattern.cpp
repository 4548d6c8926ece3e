#include "render/number_pattern.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace render {

namespace {

struct Pattern {
    std::wstring whole;     // up to the decimal point, "," removed
    std::wstring fraction;  // after it
    bool hasPoint = false;
    bool grouping = false;
    int fractionPlaces = 0;
};

bool isPlace(wchar_t c) { return c == L'0' || c == L'#'; }

Pattern parsePattern(const std::wstring& text) {
    Pattern p;
    size_t point = text.find(L'.');
    std::wstring whole = text.substr(0, point);
    for (wchar_t c : whole) {
        if (c == L',')
            p.grouping = true;
        else
            p.whole += c;
    }
    if (point != std::wstring::npos) {
        p.hasPoint = true;
        p.fraction = text.substr(point + 1);
        for (wchar_t c : p.fraction) p.fractionPlaces += isPlace(c);
    }
    return p;
}

// A number as decimal digits: whole part without leading zeros ("" for zero) and exactly
// `places` decimals.
struct Digits {
    std::string whole;
    std::string fraction;
    bool negative = false;
};

// Adds one unit in the last place of whole+fraction.
void carryOne(Digits& d) {
    for (size_t i = d.fraction.size(); i-- > 0;) {
        if (d.fraction[i] != '9') {
            ++d.fraction[i];
            return;
        }
        d.fraction[i] = '0';
    }
    for (size_t i = d.whole.size(); i-- > 0;) {
        if (d.whole[i] != '9') {
            ++d.whole[i];
            return;
        }
        d.whole[i] = '0';
    }
    d.whole.insert(d.whole.begin(), '1');
}

Digits digitsOf(double value, int places) {
    Digits d;
    if (!std::isfinite(value)) value = 0;
    d.negative = value < 0;
    // The 15 significant digits a double holds, then decimal rounding half away from zero,
    // so that 0.285 is 0.29 as a user reads it.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string mantissa;
    const char* c = buf;
    for (; *c && *c != 'e'; ++c)
        if (*c >= '0' && *c <= '9') mantissa += *c;
    int exponent = *c == 'e' ? std::atoi(c + 1) : 0;
    std::string fraction;
    if (exponent >= 0) {
        if (static_cast<size_t>(exponent) + 1 >= mantissa.size()) {
            d.whole = mantissa + std::string(exponent + 1 - mantissa.size(), '0');
        } else {
            d.whole = mantissa.substr(0, exponent + 1);
            fraction = mantissa.substr(exponent + 1);
        }
    } else {
        fraction = std::string(-exponent - 1, '0') + mantissa;
    }
    bool roundUp = fraction.size() > static_cast<size_t>(places) && fraction[places] >= '5';
    fraction.resize(places, '0');
    d.fraction = fraction;
    if (roundUp) carryOne(d);
    size_t first = d.whole.find_first_not_of('0');
    d.whole = first == std::string::npos ? "" : d.whole.substr(first);
    return d;
}

Digits digitsOf(std::int64_t value, int places) {
    Digits d;
    d.negative = value < 0;
    // Through unsigned, so that the most negative value keeps its digits.
    unsigned long long magnitude =
        d.negative ? 0ULL - static_cast<unsigned long long>(value) : value;
    if (magnitude != 0) d.whole = std::to_string(magnitude);
    d.fraction.assign(places, '0');
    return d;
}

std::wstring layOut(const Pattern& p, Digits d, const NumberSymbols& symbols) {
    std::vector<size_t> places;  // positions of the digit places in p.whole
    for (size_t i = 0; i < p.whole.size(); ++i)
        if (isPlace(p.whole[i])) places.push_back(i);
    const size_t count = places.size();

    // "0" places from the first one on always show a digit.
    size_t minimum = 0;
    for (size_t j = 0; j < count; ++j)
        if (p.whole[places[j]] == L'0') {
            minimum = count - j;
            break;
        }
    if (d.whole.size() < minimum) d.whole.insert(0, minimum - d.whole.size(), '0');

    std::wstring out;
    bool nonZero = d.whole.find_first_not_of('0') != std::string::npos ||
                   d.fraction.find_first_not_of('0') != std::string::npos;
    if (d.negative && nonZero) out += L'-';

    const long long n = static_cast<long long>(d.whole.size());
    auto emit = [&](long long index) {
        out += static_cast<wchar_t>(d.whole[index]);
        long long fromRight = n - 1 - index;
        if (p.grouping && fromRight > 0 && fromRight % 3 == 0) out += symbols.grouping;
    };
    if (count == 0)  // no digit places: the whole digits lead
        for (long long i = 0; i < n; ++i) emit(i);
    size_t place = 0;
    for (size_t i = 0; i < p.whole.size(); ++i) {
        if (!isPlace(p.whole[i])) {
            out += p.whole[i];
            continue;
        }
        long long last = n - static_cast<long long>(count - place);  // this place's digit
        long long first = place == 0 ? 0 : last;                     // the first takes the rest
        for (long long k = std::max(0LL, first); k <= last; ++k) emit(k);
        ++place;
    }

    if (p.hasPoint) {
        out += symbols.decimal;
        // "#" decimals at the end drop their zeros.
        std::vector<bool> shown;
        size_t digit = 0;
        for (wchar_t c : p.fraction)
            if (isPlace(c)) shown.push_back(true);
        for (size_t j = shown.size(), i = p.fraction.size(); j > 0 && i-- > 0;) {
            if (!isPlace(p.fraction[i])) continue;
            --j;
            if (p.fraction[i] == L'#' && d.fraction[j] == '0')
                shown[j] = false;
            else
                break;
        }
        for (wchar_t c : p.fraction) {
            if (isPlace(c)) {
                if (shown[digit]) out += static_cast<wchar_t>(d.fraction[digit]);
                ++digit;
            } else {
                out += c;
            }
        }
    }
    return out;
}

}  // namespace

std::wstring formatNumber(double value, const std::wstring& pattern, const NumberSymbols& symbols) {
    Pattern p = parsePattern(pattern);
    return layOut(p, digitsOf(value, p.fractionPlaces), symbols);
}

std::wstring formatWholeNumber(std::int64_t value, const std::wstring& pattern,
                               const NumberSymbols& symbols) {
    Pattern p = parsePattern(pattern);
    return layOut(p, digitsOf(value, p.fractionPlaces), symbols);
}

}  // namespace render
