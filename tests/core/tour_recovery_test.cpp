#include "tour/recovery_keeper.h"
#include "tour/tour_recovery.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace rovanta {
namespace {
namespace fs = std::filesystem;
using test::TempFolder;

RecoveryRecord sample()
{
    return {"Alps \"north\"",
            "/tours/My Alps.TXT",
            "/maps/FolderId_00\\West.cal",
            {{47.1234567, 11.0000001, "hut"}, {-33.9, -70.25, ""}},
            1765098000,
            4242};
}

struct RoundTripCase {
    const char* name;
    RecoveryRecord record;
};

class RecordRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RecordRoundTrip, TextFileAndTourKeepEverything)
{
    const RecoveryRecord& record = GetParam().record;
    EXPECT_EQ(parseRecoveryRecord(formatRecoveryRecord(record)), record);

    TempFolder dir;
    const fs::path file = recoveryFileFor(dir.path() / "state" / "Rovanta", 7);
    ASSERT_TRUE(writeRecoveryFile(file, record));
    EXPECT_EQ(readRecoveryFile(file), record);

    cl_Tour tour("Other", 2);
    tour.addPoint(cl_RefPoint{});
    restoreTour(record, tour);
    const RecoveryRecord back = recordOfTour(tour, record.mapPath);
    EXPECT_EQ(back.name, record.name);
    EXPECT_EQ(back.path, record.path);
    ASSERT_EQ(back.points.size(), record.points.size());
    for (std::size_t i = 0; i < back.points.size(); ++i) {
        EXPECT_NEAR(back.points[i].latitude, record.points[i].latitude, 1e-9) << i;
        EXPECT_NEAR(back.points[i].longitude, record.points[i].longitude, 1e-9) << i;
        EXPECT_EQ(back.points[i].remark, record.points[i].remark) << i;
    }
}

RecoveryRecord withRemark(std::string remark)
{
    RecoveryRecord record = sample();
    record.points[0].remark = std::move(remark);
    return record;
}

INSTANTIATE_TEST_SUITE_P(Records, RecordRoundTrip,
                         testing::Values(RoundTripCase{"SavedTourOnMap", sample()},
                                         RoundTripCase{"NewTourNoPathNoMapNoPoints", {"New Tour", "", "", {}, 0, 1}},
                                         RoundTripCase{"LineBreaksAndBackslashes", withRemark("a\\nb\nc\r\nd\\")},
                                         RoundTripCase{"BlanksAndUtf8", withRemark("  Hütte  über 2 km ")},
                                         RoundTripCase{"OnlyBlanks", withRemark(" ")},
                                         RoundTripCase{"NameWithLineBreak",
                                                       {"a\nb", "C:\\t\\x.TXT", "", {{0.0, 0.0, ""}}, 1, 2}}),
                         [](const auto& info) { return info.param.name; });

struct DamageCase {
    const char* name;
    std::function<std::string(std::string)> damage;
};

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to);
}

class DamagedRecord : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedRecord, IsRefused)
{
    TempFolder dir;
    const std::string text = GetParam().damage(formatRecoveryRecord(sample()));
    EXPECT_EQ(parseRecoveryRecord(text), std::nullopt) << text;
    EXPECT_EQ(readRecoveryFile(dir.write("tour-1.recovery", text)), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedRecord,
    testing::Values(DamageCase{"Empty", [](std::string) { return std::string(); }},
                    DamageCase{"OtherVersion", [](std::string t) { return replaced(t, "tour 1", "tour 2"); }},
                    DamageCase{"CutBeforeEnd", [](std::string t) { return t.substr(0, t.size() - 4); }},
                    DamageCase{"CutInsideLastLine", [](std::string t) { return t.substr(0, t.size() - 1); }},
                    DamageCase{"LinesMerged", [](std::string t) { return replaced(t, "\nend", "end"); }},
                    DamageCase{"UnknownKey", [](std::string t) { return replaced(t, "name", "nome"); }},
                    DamageCase{"BadLatitude", [](std::string t) { return replaced(t, "47.1", "4x.1"); }},
                    DamageCase{"InfiniteLongitude", [](std::string t) { return replaced(t, "11.000000100", "inf"); }},
                    DamageCase{"MissingLongitude", [](std::string t) { return replaced(t, " 11.000000100 hut", ""); }},
                    DamageCase{"UnknownEscape", [](std::string t) { return replaced(t, "hut", "h\\ut"); }},
                    DamageCase{"BadPid", [](std::string t) { return replaced(t, "pid 4242", "pid 42x"); }},
                    DamageCase{"NulByte", [](std::string t) { return replaced(t, "hut", std::string("h\0t", 3)); }}),
    [](const auto& info) { return info.param.name; });

TEST(LeftRecoveries, OffersOnlyReadableFilesOfEndedRunsNewestFirst)
{
    TempFolder dir;
    const auto put = [&dir](std::int64_t pid, std::int64_t time) {
        RecoveryRecord record = sample();
        record.pid = pid;
        record.writtenAt = time;
        ASSERT_TRUE(writeRecoveryFile(recoveryFileFor(dir.path(), pid), record));
    };
    put(10, 100); // this run's own
    put(11, 300); // another run still going
    put(12, 100);
    put(13, 200);
    dir.write("tour-14.recovery", "damaged");
    fs::copy_file(recoveryFileFor(dir.path(), 12), dir.path() / "tour-12.recovery~");

    const auto left = leftRecoveries(dir.path(), 10, [](std::int64_t pid) { return pid == 11; });
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].file, recoveryFileFor(dir.path(), 13));
    EXPECT_EQ(left[1].record.pid, 12);
    EXPECT_TRUE(leftRecoveries(dir.path() / "missing", 10, [](std::int64_t) { return false; }).empty());
}

// A tour of `points` points, a clock and a timer that fires only when told.
struct FakeHost : RecoveryHost {
    int points = 0;
    bool unsaved = false;
    std::vector<int> timers;
    std::optional<RecoveryRecord> unsavedTour() override
    {
        if (!unsaved)
            return std::nullopt;
        RecoveryRecord record{"New Tour", "", "", {}, 0, 0};
        record.points.resize(static_cast<std::size_t>(points));
        return record;
    }
    std::int64_t now() const override { return 1765098000; }
    void startTimer(int milliseconds) override { timers.push_back(milliseconds); }
};

enum class Step { kEdit, kSave, kTimer, kSignal, kClose };

struct KeeperCase {
    const char* name;
    std::vector<Step> steps;
    int timersStarted;
    int pointsInFile; ///< -1: no file
};

class Keeper : public testing::TestWithParam<KeeperCase> {};

TEST_P(Keeper, WritesWithinASecondAndRemovesWhenSettled)
{
    TempFolder dir;
    FakeHost host;
    RecoveryKeeper keeper(recoveryFileFor(dir.path(), 5), 5, host);
    for (const Step step : GetParam().steps) {
        switch (step) {
        case Step::kEdit:
            ++host.points;
            host.unsaved = true;
            keeper.changed();
            break;
        case Step::kSave:
            host.unsaved = false;
            keeper.changed();
            break;
        case Step::kTimer:
            keeper.flush();
            break;
        case Step::kSignal:
            keeper.keepForNextStart();
            break;
        case Step::kClose:
            keeper.discard();
            break;
        }
    }
    EXPECT_EQ(static_cast<int>(host.timers.size()), GetParam().timersStarted);
    for (const int delay : host.timers)
        EXPECT_LE(delay, 1000);
    const auto written = readRecoveryFile(keeper.file());
    EXPECT_EQ(written ? static_cast<int>(written->points.size()) : -1, GetParam().pointsInFile);
    if (written) {
        EXPECT_EQ(written->pid, 5);
        EXPECT_EQ(written->writtenAt, 1765098000);
    }
}

using enum Step;
INSTANTIATE_TEST_SUITE_P(
    Scenarios, Keeper,
    testing::Values(KeeperCase{"EditsWaitForTheTimer", {kEdit, kEdit, kEdit}, 1, -1},
                    KeeperCase{"EditsCoalesceIntoOneWrite", {kEdit, kEdit, kEdit, kTimer}, 1, 3},
                    KeeperCase{"EditAfterWriteStartsANewTimer", {kEdit, kTimer, kEdit}, 2, 1},
                    KeeperCase{"SecondWriteFollows", {kEdit, kTimer, kEdit, kTimer}, 2, 2},
                    KeeperCase{"SaveRemovesAtOnce", {kEdit, kTimer, kSave}, 1, -1},
                    KeeperCase{"TimerAfterSaveWritesNothing", {kEdit, kSave, kTimer}, 1, -1},
                    KeeperCase{"EditAfterSaveIsKeptAgain", {kEdit, kTimer, kSave, kEdit, kTimer}, 2, 2},
                    KeeperCase{"SignalWritesWithoutWaiting", {kEdit, kEdit, kSignal, kEdit, kTimer}, 1, 2},
                    KeeperCase{"NormalExitRemoves", {kEdit, kTimer, kClose, kEdit, kTimer}, 1, -1},
                    KeeperCase{"ExitAfterSignalKeepsTheFile", {kEdit, kSignal, kClose}, 1, 1}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rovanta
