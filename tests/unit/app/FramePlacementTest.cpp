// Where the main frame comes up: inside the work area, whatever was saved.

#include "app/FramePlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(FramePlacementTest, TheFrameLiesWhollyInsideTheWorkArea)
{
    // A work area below a 30-pixel panel at the top of a 1280x800 screen.
    const wxRect area(0, 30, 1280, 770);
    struct Case {
        const char* what;
        wxSize size;
        std::optional<wxPoint> place;
        wxRect expected;
    };
    const Case cases[] = {
        {"a saved place and size that fit stay", {1100, 720}, wxPoint(120, 70), {120, 70, 1100, 720}},
        {"no place: the middle", {1000, 700}, std::nullopt, {140, 65, 1000, 700}},
        {"reaching below the bottom moves up", {1000, 790}, wxPoint(280, 100), {280, 30, 1000, 770}},
        {"reaching past the right moves left", {1000, 600}, wxPoint(900, 100), {280, 100, 1000, 600}},
        {"above and left of the area moves in", {800, 600}, wxPoint(-300, 0), {0, 30, 800, 600}},
        {"larger than the area shrinks to it", {1600, 1000}, wxPoint(50, 50), {0, 30, 1280, 770}},
        {"larger without a place fills it", {1600, 1000}, std::nullopt, {0, 30, 1280, 770}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitInWorkArea(c.size, c.place, area), c.expected) << c.what;
}

} // namespace
