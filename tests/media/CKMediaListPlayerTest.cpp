// CKMediaListPlayer: plays its queue in order, skipping paths that cannot be played, each next file
// started by a deferred call after the end of the one before.
#include <gtest/gtest.h>
#include <windows.h>

#include "KTestSupport.h"
#include "MediaTestFiles.h"
#include "media/CKMediaListPlayer.h"

TEST(CKMediaListPlayer, ObservesItselfAndForgetsItsObserverWhenDestroyed)
{
    CKMediaListPlayer player;
    ASSERT_EQ(1, player.CreateListPlayer());
    EXPECT_TRUE(player.IsKindOf(K_RUNTIME_CLASS(CKMediaPlayer)));
    ASSERT_EQ(1, player.Enqueue(MediaFixture(L"tone.wav").c_str()));
    EXPECT_EQ(1, player.GetQueueCount());

    player.Destroy();
    EXPECT_EQ(KMEDIA_CLOSED, player.GetState());
    player.PlayNext();
    EXPECT_EQ(1, player.GetQueueCount()) << "a destroyed player takes nothing off its queue";
}

TEST(CKMediaListPlayer, PlaysTheQueueInOrderSkippingUnplayablePaths)
{
    ASSERT_TRUE(EnsureTestFrame());
    CKMediaListPlayer player;
    ASSERT_EQ(1, player.CreateListPlayer());
    ASSERT_EQ(1, player.Enqueue(MediaFixture(L"missing.wav").c_str()));
    ASSERT_EQ(1, player.Enqueue(MEDIA_FIXTURE_DIR L"no such file.mp3"));
    ASSERT_EQ(1, player.Enqueue(MediaFixture(L"long.wav").c_str()));
    ASSERT_EQ(1, player.Enqueue(MediaFixture(L"tone.wav").c_str()));
    ASSERT_EQ(4, player.GetQueueCount());

    // The first path fails at once; the skip to the next one is a posted step.
    player.PlayNext();
    EXPECT_EQ(KMEDIA_CLOSED, player.GetState());
    EXPECT_EQ(3, player.GetQueueCount());
    ASSERT_TRUE(PumpUntil([&] { return player.GetState() == KMEDIA_PLAYING; }, 2000));
    EXPECT_EQ(95000, player.GetDuration());
    EXPECT_EQ(1, player.GetQueueCount());

    // While a file is open the step does nothing.
    player.PlayNext();
    EXPECT_EQ(1, player.GetQueueCount());
    EXPECT_EQ(95000, player.GetDuration());

    // At the end of long.wav the next queued file starts.
    ASSERT_EQ(1, player.SetPosition(94800));
    ASSERT_TRUE(PumpUntil([&] { return player.GetDuration() == 1000; }, 3000));
    EXPECT_EQ(KMEDIA_PLAYING, player.GetState());
    EXPECT_EQ(0, player.GetQueueCount());

    // At the end of the last one the player is left closed.
    ASSERT_EQ(1, player.SetPosition(800));
    ASSERT_TRUE(PumpUntil([&] { return player.GetState() == KMEDIA_CLOSED; }, 3000));
    PumpMessagesFor(100);
    EXPECT_EQ(KMEDIA_CLOSED, player.GetState());
}
