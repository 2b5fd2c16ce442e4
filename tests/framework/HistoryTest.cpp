// The history of results on disk: what is appended comes back, damaged and cut-off lines are
// skipped without losing the lines after them, and the file is held to its cap.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "framework/History.h"

namespace {
std::string ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

HistoryRecord Game(double grade, int level = 1) {
    HistoryRecord r;
    r.when = "2026-03-04T05:06:07";
    r.game = "ged\xE4" "chtnis";
    r.level = level;
    r.grade = grade;
    r.seconds = 83.5;
    return r;
}

size_t Lines(const std::string& bytes) { return static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')); }
}  // namespace

TEST(History, AppendedRecordsComeBackAndDamagedLinesAreSkipped) {
    History h;
    h.Load();  // a missing file is an empty history
    EXPECT_TRUE(h.Records().empty());
    HistoryRecord typed = Game(2.25, 2);
    typed.right = 9;
    typed.wrong = 1;
    HistoryRecord series = Game(5.41, 0);
    series.game = kSeriesStem;
    series.leftEarly = true;
    series.average = 2.5;
    series.best = 2.0;
    series.worst = 3.0;
    ASSERT_TRUE(h.Append(typed));
    ASSERT_TRUE(h.Append(series));
    const std::string file = ReadAll(kHistoryFile);
    EXPECT_EQ(file.rfind("Datum\tSpiel\tStufe\tNote\t", 0), 0u);
    EXPECT_NE(file.find("2026-03-04T05:06:07\tged\xE4" "chtnis\t2\t2.25\t83.5\t9\t1\t0\t\t\t\r\n"), std::string::npos);
    EXPECT_NE(file.find("\tserie\t0\t5.41\t83.5\t\t\t1\t2.5\t2\t3\r\n"), std::string::npos);

    // Damage: a bad level, a grade beyond 6, a missing column, a series column on a game, a
    // very long line; then a line cut off by a crash. The good lines around them stay.
    std::ofstream(kHistoryFile, std::ios::binary | std::ios::app)
        << "2026-03-04T05:06:07\tuhr\t3\t2\t1\t\t\t0\t\t\t\r\n"
        << "2026-03-04T05:06:07\tuhr\t0\t6.5\t1\t\t\t0\t\t\t\r\n"
        << "2026-03-04T05:06:07\tuhr\t0\t2\t1\t\t0\t\t\t\r\n"
        << "2026-03-04T05:06:07\tuhr\t0\t2\t1\t\t\t0\t2\t\t\r\n"
        << std::string(5000, 'x') << "\r\n"
        << FormatHistoryLine(Game(1.5)) << "\r\n"
        << "2026-03-04T05:06:07\tuhr\t0\t2";
    History back;
    back.Load();
    ASSERT_EQ(back.Records().size(), 3u);
    EXPECT_EQ(back.Records()[0].right, 9);
    EXPECT_EQ(back.Records()[0].wrong, 1);
    EXPECT_TRUE(back.Records()[1].IsSeries());
    EXPECT_DOUBLE_EQ(back.Records()[1].average, 2.5);
    EXPECT_EQ(back.Records()[2].right, -1);
    // The next booking starts on a line of its own, so neither it nor later lines are lost.
    ASSERT_TRUE(back.Append(Game(3.0)));
    History again;
    again.Load();
    ASSERT_EQ(again.Records().size(), 4u);
    EXPECT_DOUBLE_EQ(again.Records()[3].grade, 3.0);
}

TEST(History, KeepsTheLastTenThousandAndCutsTheFileBack) {
    // 30,000 lines, more than the reader looks at: it reads the file from its end.
    {
        std::ofstream out(kHistoryFile, std::ios::binary);
        out << "header\r\n";
        for (int i = 0; i < 30000; ++i) out << FormatHistoryLine(Game(1.0 + (i % 500) / 100.0)) << "\r\n";
    }
    History h;
    h.Load();
    ASSERT_EQ(h.Records().size(), History::kKeep);
    EXPECT_DOUBLE_EQ(h.Records().back().grade, 1.0 + (29999 % 500) / 100.0);
    ASSERT_TRUE(h.Append(Game(1.25)));
    const std::string file = ReadAll(kHistoryFile);
    EXPECT_EQ(Lines(file), History::kKeep + 1);  // header and the last 10,000
    EXPECT_EQ(file.rfind("Datum\t", 0), 0u);
    // From then on it grows by appending until the margin is used up, then is cut back again.
    for (size_t i = 0; i + 2 < History::kMargin; ++i) ASSERT_TRUE(h.Append(Game(2.0)));
    EXPECT_EQ(Lines(ReadAll(kHistoryFile)), History::kKeep + History::kMargin - 1);
    ASSERT_TRUE(h.Append(Game(4.0)));
    EXPECT_EQ(Lines(ReadAll(kHistoryFile)), History::kKeep + 1);
    History back;
    back.Load();
    ASSERT_EQ(back.Records().size(), History::kKeep);
    EXPECT_DOUBLE_EQ(back.Records().back().grade, 4.0);
}
