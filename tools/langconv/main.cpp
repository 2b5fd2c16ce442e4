// langconv IN OUT: converts a language source written in UTF-8 into the game's language file,
// Windows-1252 with CR LF line ends.
//
// Line ends: LF becomes CR LF, an existing CR LF stays as it is, a lone CR becomes CR LF.
// A leading UTF-8 byte order mark is dropped. Invalid UTF-8, a control character other than
// tab and line ends, or a character that Windows-1252 cannot hold is an error naming the line;
// then no output file is left behind.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Windows-1252 bytes 0x80..0x9F and the characters they hold (0 = byte not assigned).
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88..8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98..9F
};

// The Windows-1252 byte of a character, or -1 when the code page has none.
int ToWindows1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == c) return 0x80 + i;
    return -1;
}

// Decodes one UTF-8 sequence at in[pos]; returns its length, or 0 when it is invalid
// (stray continuation byte, truncated sequence, overlong form, surrogate, beyond U+10FFFF).
size_t DecodeUtf8(const std::string& in, size_t pos, char32_t& out) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(in[i]); };
    const unsigned char b0 = byte(pos);
    size_t len;
    char32_t c;
    if (b0 < 0x80) { out = b0; return 1; }
    if (b0 >= 0xC2 && b0 <= 0xDF) { len = 2; c = b0 & 0x1F; }
    else if (b0 >= 0xE0 && b0 <= 0xEF) { len = 3; c = b0 & 0x0F; }
    else if (b0 >= 0xF0 && b0 <= 0xF4) { len = 4; c = b0 & 0x07; }
    else return 0;
    if (in.size() - pos < len) return 0;
    for (size_t i = 1; i < len; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if ((len == 3 && c < 0x800) || (len == 4 && (c < 0x10000 || c > 0x10FFFF))) return 0;
    if (c >= 0xD800 && c <= 0xDFFF) return 0;
    out = c;
    return len;
}

// Converts the whole text; on failure fills `error` and returns false.
bool Convert(const std::string& in, std::string& out, std::string& error) {
    size_t pos = 0;
    if (in.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    long line = 1;
    out.reserve(in.size() + in.size() / 16);
    while (pos < in.size()) {
        char32_t c;
        const size_t len = DecodeUtf8(in, pos, c);
        if (len == 0) {
            char buf[96];
            std::snprintf(buf, sizeof buf, "line %ld: invalid UTF-8 (byte 0x%02X)", line,
                          static_cast<unsigned>(static_cast<unsigned char>(in[pos])));
            error = buf;
            return false;
        }
        const std::string utf8 = in.substr(pos, len);
        pos += len;
        if (c == '\r' || c == '\n') {
            if (c == '\r' && pos < in.size() && in[pos] == '\n') ++pos;
            out += "\r\n";
            ++line;
            continue;
        }
        if ((c < 0x20 && c != '\t') || c == 0x7F) {
            // Control characters are never meant in a text; a NUL would even cut it short.
            char buf[96];
            std::snprintf(buf, sizeof buf, "line %ld: control character U+%04X", line, static_cast<unsigned>(c));
            error = buf;
            return false;
        }
        const int b = ToWindows1252(c);
        if (b < 0) {
            char buf[96];
            std::snprintf(buf, sizeof buf, "line %ld: character U+%04X \"", line, static_cast<unsigned>(c));
            error = buf;
            error += utf8 + "\" has no place in Windows-1252";
            return false;
        }
        out += static_cast<char>(b);
    }
    return true;
}

constexpr long kMaxInput = 64L * 1024 * 1024;  // a language file is a few dozen kilobytes

bool ReadFile(const char* path, std::string& data, std::string& error) {
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        error = std::string("cannot open: ") + std::strerror(errno);
        return false;
    }
    char buf[65536];
    size_t n;
    bool ok = true;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        if (data.size() + n > static_cast<size_t>(kMaxInput)) {
            error = "file too large for a language file";
            ok = false;
            break;
        }
        data.append(buf, n);
    }
    if (ok && std::ferror(f)) {
        error = "read error";
        ok = false;
    }
    std::fclose(f);
    return ok;
}

// Writes through a temporary file and a rename, so that a failure never leaves a partial file.
bool WriteFile(const std::string& path, const std::string& data, std::string& error) {
    const std::string tmp = path + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        error = std::string("cannot create ") + tmp + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed || std::rename(tmp.c_str(), path.c_str()) != 0) {
        error = std::string("cannot write ") + path + ": " + std::strerror(errno);
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: langconv IN OUT\n"
                             "converts a UTF-8 language source into a Windows-1252 language file with CR LF line ends\n");
        return 2;
    }
    const char* inPath = argv[1];
    const char* outPath = argv[2];
    std::string in, out, error;
    if (!ReadFile(inPath, in, error)) {
        std::fprintf(stderr, "langconv: %s: %s\n", inPath, error.c_str());
        std::remove(outPath);
        return 1;
    }
    if (!Convert(in, out, error)) {
        std::fprintf(stderr, "langconv: %s: %s\n", inPath, error.c_str());
        std::remove(outPath);  // a stale file from an earlier run must not pass for a result
        return 1;
    }
    if (!WriteFile(outPath, out, error)) {
        std::fprintf(stderr, "langconv: %s\n", error.c_str());
        std::remove(outPath);
        return 1;
    }
    return 0;
}
