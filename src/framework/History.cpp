#include "framework/History.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>

#include "framework/SafeFile.h"

namespace {
constexpr char kHeader[] =
    "Datum\tSpiel\tStufe\tNote\tSekunden\tRichtig\tFalsch\tAbgebrochen\tSchnitt\tBeste\tSchlechteste";
constexpr int kColumns = 11;
constexpr size_t kMaxStem = 40;
constexpr double kMaxSeconds = 1.0e7;
constexpr int kMaxCount = 1000000;

bool ParseInt(std::string_view s, int lo, int hi, int& out) {
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return false;
    out = v;
    return true;
}

bool ParseDouble(std::string_view s, double lo, double hi, double& out) {
    double v = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v) || v < lo || v > hi) return false;
    out = v;
    return true;
}

// An empty column is a count the game does not keep.
bool ParseCount(std::string_view s, int& out) {
    if (s.empty()) {
        out = -1;
        return true;
    }
    return ParseInt(s, 0, kMaxCount, out);
}

// "YYYY-MM-DDThh:mm:ss" with digits where digits belong.
bool GoodTimestamp(std::string_view s) {
    static constexpr char kPattern[] = "dddd-dd-ddTdd:dd:dd";
    if (s.size() != sizeof kPattern - 1) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (kPattern[i] == 'd' ? (s[i] < '0' || s[i] > '9') : s[i] != kPattern[i]) return false;
    }
    return true;
}

bool GoodStem(std::string_view s) {
    if (s.empty() || s.size() > kMaxStem) return false;
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

void AppendNumber(std::string& out, const char* format, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, value);
    out += buf;
}

void AppendCount(std::string& out, int value) {
    if (value >= 0) out += std::to_string(value);
}
}  // namespace

std::string HistoryTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &local);
    return buf;
}

// Names in the source are UTF-8; the file holds Windows-1252, where the letters of Latin-1
// are one byte each. Other characters become '?'.
std::string HistoryStem(const char* saveFileName) {
    std::string stem;
    if (saveFileName == nullptr) return stem;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(saveFileName);
    for (; *p != 0 && stem.size() < kMaxStem; ++p) {
        if (*p < 0x80) {
            stem += static_cast<char>(*p);
        } else if ((*p == 0xC2 || *p == 0xC3) && (p[1] & 0xC0) == 0x80) {
            stem += static_cast<char>(((*p & 0x03) << 6) | (p[1] & 0x3F));
            ++p;
        } else if ((*p & 0xC0) != 0x80) {
            stem += '?';
        }
    }
    const size_t dot = stem.rfind(".sav");
    if (dot != std::string::npos && dot + 4 == stem.size()) stem.resize(dot);
    return stem;
}

std::string FormatHistoryLine(const HistoryRecord& r) {
    std::string line = r.when;
    line += '\t';
    line += r.game;
    line += '\t';
    line += std::to_string(r.level);
    line += '\t';
    AppendNumber(line, "%.6g", r.grade);
    line += '\t';
    AppendNumber(line, "%.1f", r.seconds);
    line += '\t';
    AppendCount(line, r.right);
    line += '\t';
    AppendCount(line, r.wrong);
    line += '\t';
    line += r.leftEarly ? '1' : '0';
    for (double v : {r.average, r.best, r.worst}) {
        line += '\t';
        if (r.IsSeries()) AppendNumber(line, "%.6g", v);
    }
    return line;
}

bool ParseHistoryLine(const char* text, size_t length, HistoryRecord& r) {
    std::string_view line(text, length);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view col[kColumns];
    int n = 0;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        if (n == kColumns) return false;  // too many columns
        col[n++] = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    if (n != kColumns || !GoodTimestamp(col[0]) || !GoodStem(col[1])) return false;
    HistoryRecord out;
    out.when.assign(col[0]);
    out.game.assign(col[1]);
    if (!ParseInt(col[2], 0, 2, out.level) || !ParseDouble(col[3], 1.0, 6.0, out.grade) ||
        !ParseDouble(col[4], 0.0, kMaxSeconds, out.seconds) || !ParseCount(col[5], out.right) ||
        !ParseCount(col[6], out.wrong) || (col[7] != "0" && col[7] != "1"))
        return false;
    out.leftEarly = col[7] == "1";
    if (out.IsSeries()) {
        if (!ParseDouble(col[8], 1.0, 6.0, out.average) || !ParseDouble(col[9], 1.0, 6.0, out.best) ||
            !ParseDouble(col[10], 1.0, 6.0, out.worst))
            return false;
    } else if (!col[8].empty() || !col[9].empty() || !col[10].empty()) {
        return false;
    }
    r = std::move(out);
    return true;
}

void History::Load() {
    records_.clear();
    fileLines_ = 0;
    endsInLine_ = true;
    FILE* f = std::fopen(path_.c_str(), "rb");
    if (f == nullptr) return;
    // Only the tail that can hold the last kKeep lines is read.
    constexpr long kWindow = static_cast<long>((kKeep + kMargin) * kMaxLine);
    struct stat st{};
    long size = fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode) ? static_cast<long>(st.st_size) : 0;
    const bool fromEnd = size > kWindow;
    if (fromEnd && std::fseek(f, size - kWindow, SEEK_SET) != 0) {
        std::fclose(f);
        return;
    }
    std::string bytes(static_cast<size_t>(fromEnd ? kWindow : size), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);

    size_t pos = 0;
    if (fromEnd) {  // the first line read is a line's tail
        const size_t nl = bytes.find('\n');
        pos = nl == std::string::npos ? bytes.size() : nl + 1;
    }
    HistoryRecord r;
    while (pos < bytes.size()) {
        const size_t nl = bytes.find('\n', pos);
        if (nl == std::string::npos) {  // cut off in the middle of a write: damaged
            endsInLine_ = false;
            ++fileLines_;
            break;
        }
        ++fileLines_;
        if (nl - pos <= kMaxLine && ParseHistoryLine(bytes.data() + pos, nl - pos, r)) {
            records_.push_back(std::move(r));
            if (records_.size() > kKeep) records_.pop_front();
        }
        pos = nl + 1;
    }
    // A file read from its end is longer than the cap: the next booking cuts it back.
    if (fromEnd) fileLines_ = kKeep + kMargin;
}

bool History::Append(const HistoryRecord& record) {
    records_.push_back(record);
    if (records_.size() > kKeep) records_.pop_front();
    if (fileLines_ + 1 >= kKeep + kMargin) return Rewrite();

    const int fd = open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat st{};
    const bool fresh = fstat(fd, &st) == 0 && st.st_size == 0;
    std::string bytes;
    if (fresh) {
        bytes = std::string(kHeader) + "\r\n";
        fileLines_ = 1;
    } else if (!endsInLine_) {
        bytes = "\r\n";  // closes a line cut off by a crash, so that this one stays whole
    }
    bytes += FormatHistoryLine(record);
    bytes += "\r\n";
    size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<size_t>(n);
    }
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok) {
        endsInLine_ = true;
        fileLines_ += 1;
        if (fresh) {  // the new file's name is made durable too
            const size_t slash = path_.find_last_of('/');
            const std::string folder = slash == std::string::npos ? "." : path_.substr(0, slash + 1);
            const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (dir >= 0) {
                fsync(dir);
                close(dir);
            }
        }
    }
    return ok;
}

bool History::Forget(const std::string& game) {
    std::erase_if(records_, [&](const HistoryRecord& r) { return game.empty() || r.game == game; });
    return Rewrite();
}

// The header and the records held (the last kKeep), written in place of the file.
bool History::Rewrite() {
    std::string bytes = std::string(kHeader) + "\r\n";
    bytes.reserve(records_.size() * 64);
    for (const HistoryRecord& r : records_) {
        bytes += FormatHistoryLine(r);
        bytes += "\r\n";
    }
    if (!WriteFileAtomically(path_, bytes)) return false;
    fileLines_ = records_.size() + 1;
    endsInLine_ = true;
    return true;
}
