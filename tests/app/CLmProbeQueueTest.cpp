// The probe of tags and durations without a page: a stand-in holds the rows, over real WAV files,
// and the steps run as posted calls of the test's frame. The walk over many rows, a row that
// becomes unmeasured behind it, the one write at its end, and a record without a title.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KTestSupport.h"
#include "PlayerTestSupport.h"
#include "app/CLmMediaInfo.h"
#include "app/CLmProbeQueue.h"

namespace {

// Rows of records; a length the tags do not give is not measured here.
class KStandInRows : public CLmProbeHost
{
public:
    ~KStandInRows()
    {
        for (CLmMediaInfo* row : rows)
            row->Release();
    }
    bool CanProbe() const override { return true; }
    int GetProbeRowCount() const override { return (int)rows.size(); }
    CLmMediaInfo* GetProbeRow(int row) const override { return rows[(size_t)row]; }
    int MeasureDuration(const wchar_t*, CLmMediaInfo*) override { return 0; }
    void OnRowProbed(int row, CLmMediaInfo*) override { probed.push_back(row); }
    void OnProbeChangedRecords() override { writes++; }

    std::vector<CLmMediaInfo*> rows;   // each counted once
    std::vector<int> probed;
    int writes = 0;
};

class CLmProbeQueueTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(EnsureTestFrame()); }
    void TearDown() override { RemoveTree(folder); }

    // A silent WAV of `ms` in the test's folder; its full path.
    std::wstring MakeWav(const wchar_t* name, int ms)
    {
        const std::wstring path = folder + name;
        return WriteSilentWav(path, ms) ? path : std::wstring();
    }
    // Starts the probe unless it is under way, and runs its steps until `done` holds.
    bool ProbeUntil(const std::function<bool()>& done, int timeoutMs)
    {
        probe.Post(false, 0);
        return PumpUntil(done, timeoutMs);
    }

    std::wstring folder = MakeTempDir(L"probe");
    KStandInRows page;
    CLmProbeQueue probe{&page};   // after the rows: its waiting step is cancelled first
};

} // namespace

TEST_F(CLmProbeQueueTest, ARowLeftUnmeasuredBehindWhereTheWalkGotToIsMeasuredBeforeItEnds)
{
    // Many rows of one file: the probe takes several steps over them.
    const std::wstring file = MakeWav(L"one.wav", 1000);
    constexpr int ROWS = 2000;
    for (int i = 0; i < ROWS; i++)
        page.rows.push_back(NewRecord(file.c_str(), 0, L"one", L"", L""));
    std::vector<CLmMediaInfo*>& rows = page.rows;
    ASSERT_TRUE(ProbeUntil([&] { return rows[50]->GetDuration() != 0; }, 10000));
    ASSERT_EQ(rows[ROWS - 1]->GetDuration(), 0) << "the probe is still under way";
    // The first row becomes unmeasured again once the probe has moved past it (as a sort can
    // bring an unmeasured row in front): it is measured before the probe ends.
    rows[0]->SetDuration(KMEDIA_DURATION_UNMEASURED);
    ASSERT_TRUE(ProbeUntil([&] { return page.writes > 0; }, 30000))
        << "the playlists are written when the walk ends";
    EXPECT_NEAR(rows[0]->GetDuration(), 1000, 5);
    EXPECT_NEAR(rows[ROWS - 1]->GetDuration(), 1000, 5);
    PumpMessagesFor(100);
    EXPECT_EQ(page.writes, 1);
    EXPECT_FALSE(probe.IsPending());
    EXPECT_EQ(page.probed.size(), (size_t)ROWS + 1);
}

TEST_F(CLmProbeQueueTest, AProbedRecordWithoutTitleTakesItsBaseName)
{
    const std::wstring path = MakeWav(L"Untitled Song.wav", 1500);
    page.rows.push_back(NewRecord(path.c_str(), 0, L"", L"", L""));
    ASSERT_TRUE(ProbeUntil([&] { return page.writes > 0; }, 5000));
    EXPECT_NEAR(page.rows[0]->GetDuration(), 1500, 5);
    EXPECT_STREQ(page.rows[0]->GetTitle(), L"Untitled Song");
    EXPECT_EQ(page.probed, std::vector<int>{0});
}
