#include "framework/TextFormat.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
std::atomic<bool> decimalComma{false};

// The length modifier and conversion of one printf directive.
struct Directive {
    size_t length = 0;  // characters from '%' through the conversion
    char conversion = 0;
    int longs = 0;      // 'l' count
    bool longDouble = false;
    bool sizeOrPointer = false;  // z, t, j
    bool shortish = false;       // h, hh
};

Directive ParseDirective(const char* p) {
    Directive d;
    size_t i = 1;
    while (p[i] != '\0' && std::strchr("-+ #0123456789.*", p[i]) != nullptr) ++i;
    while (p[i] != '\0' && std::strchr("hlLqjzt", p[i]) != nullptr) {
        if (p[i] == 'l') ++d.longs;
        else if (p[i] == 'L' || p[i] == 'q') d.longDouble = true;
        else if (p[i] == 'h') d.shortish = true;
        else d.sizeOrPointer = true;
        ++i;
    }
    d.conversion = p[i];
    d.length = p[i] == '\0' ? i : i + 1;
    return d;
}

// Formats one directive with its value(s) and appends it; the decimal point of a number with a
// fraction becomes a comma when the language writes one.
void AppendDirective(std::string& out, const char* p, const Directive& d, va_list& args) {
    char spec[64];
    if (d.length >= sizeof spec) return;
    std::memcpy(spec, p, d.length);
    spec[d.length] = '\0';
    int stars[2] = {};
    int starCount = 0;
    for (size_t i = 0; i < d.length && starCount < 2; ++i)
        if (spec[i] == '*') stars[starCount++] = va_arg(args, int);
    char buffer[kMaxTextLength + 1];
    int n = -1;
    auto put = [&](auto value) {
        if (starCount == 0) n = std::snprintf(buffer, sizeof buffer, spec, value);
        else if (starCount == 1) n = std::snprintf(buffer, sizeof buffer, spec, stars[0], value);
        else n = std::snprintf(buffer, sizeof buffer, spec, stars[0], stars[1], value);
    };
    switch (d.conversion) {
        case 'd': case 'i': case 'u': case 'x': case 'X': case 'o': case 'c':
            if (d.longs >= 2) put(va_arg(args, long long));
            else if (d.longs == 1) put(va_arg(args, long));
            else if (d.sizeOrPointer) put(va_arg(args, size_t));
            else put(va_arg(args, int));
            break;
        case 'f': case 'F': case 'g': case 'G': case 'e': case 'E': case 'a': case 'A':
            if (d.longDouble) put(va_arg(args, long double));
            else put(va_arg(args, double));
            if (decimalComma && n > 0)
                for (int i = 0; i < n && i < static_cast<int>(sizeof buffer) - 1; ++i)
                    if (buffer[i] == '.') buffer[i] = ',';
            break;
        case 's': put(va_arg(args, const char*)); break;
        case 'p': put(va_arg(args, void*)); break;
        case '%': n = std::snprintf(buffer, sizeof buffer, "%%"); break;
        default: return;  // 'n' and unknown conversions write nothing and take nothing
    }
    if (n < 0) return;
    out.append(buffer, static_cast<size_t>(n) < sizeof buffer ? static_cast<size_t>(n) : sizeof buffer - 1);
}

void AppendV(std::string& out, const char* format, va_list args) {
    if (format == nullptr || out.size() >= kMaxTextLength) return;
    va_list rest;
    va_copy(rest, args);
    for (const char* p = format; *p != '\0' && out.size() < kMaxTextLength;) {
        const char* percent = std::strchr(p, '%');
        if (percent == nullptr) {
            out.append(p);
            break;
        }
        out.append(p, static_cast<size_t>(percent - p));
        const Directive d = ParseDirective(percent);
        AppendDirective(out, percent, d, rest);
        p = percent + d.length;
    }
    va_end(rest);
    if (out.size() > kMaxTextLength) out.resize(kMaxTextLength);
}
}  // namespace

void SetDecimalComma(bool comma) { decimalComma = comma; }
bool DecimalComma() { return decimalComma; }

std::string FormatText(const char* format, ...) {
    std::string out;
    va_list args;
    va_start(args, format);
    AppendV(out, format, args);
    va_end(args);
    return out;
}

void AppendText(std::string& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    AppendV(out, format, args);
    va_end(args);
}
