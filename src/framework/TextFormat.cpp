#include "framework/TextFormat.h"

#include <cstdarg>
#include <cstdio>

namespace {
void AppendV(std::string& out, const char* format, va_list args) {
    if (format == nullptr || out.size() >= kMaxTextLength) return;
    char buffer[kMaxTextLength + 1];
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (n < 0) return;
    size_t len = static_cast<size_t>(n) < sizeof buffer ? static_cast<size_t>(n) : sizeof buffer - 1;
    out.append(buffer, len);
    if (out.size() > kMaxTextLength) out.resize(kMaxTextLength);
}
}  // namespace

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
