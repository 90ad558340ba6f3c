// The library's start-up and shut-down: every module's step in its place.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "media/KLibrary.h"

// True when every entry of `steps` appears in `order`, in the same relative order.
static bool FollowsOrder(const std::vector<std::string>& steps, const std::vector<std::string>& order)
{
    size_t at = 0;
    for (const std::string& step : steps) {
        while (at < order.size() && order[at] != step)
            at++;
        if (at == order.size())
            return false;
        at++;
    }
    return true;
}

TEST(KLibrary, ModulesStartAndStopInTheirOrder)
{
    // Every module that has a step takes its place in these sequences; later modules depend on
    // earlier ones (files before metrics, images before drawing, drawables before fonts go away).
    const std::vector<std::string> startOrder = {"resources", "application", "timers",
                                                 "random numbers", "images", "device metrics",
                                                 "drawing", "windows", "drawables",
                                                 "title bars", "information alert"};
    const std::vector<std::string> stopOrder = {"drawables", "COM", "file list", "windows",
                                                "drawing", "images", "timers", "windows",
                                                "application", "windows"};
    int startCount = 0, stopCount = 0;
    const KStartupStep* start = GetStartupSteps(&startCount);
    const KShutdownStep* stop = GetShutdownSteps(&stopCount);
    std::vector<std::string> started, stopped;
    for (int i = 0; i < startCount; i++)
        started.push_back(start[i].module);
    for (int i = 0; i < stopCount; i++)
        stopped.push_back(stop[i].module);
    EXPECT_TRUE(FollowsOrder(started, startOrder)) << ::testing::PrintToString(started);
    EXPECT_TRUE(FollowsOrder(stopped, stopOrder)) << ::testing::PrintToString(stopped);
    EXPECT_TRUE(FollowsOrder({"resources", "application", "timers"}, started));
    EXPECT_TRUE(FollowsOrder({"timers", "application"}, stopped));
    // The application step ran: the frame class is registered.
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    EXPECT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"KAppClassName", &wc));
}
