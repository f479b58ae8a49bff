#pragma once

#include <cstdint>
#include <string>

namespace quillmark::core {

// A count as the captions show it: one blank before a number that is not negative ("Removed: " + " 12").
std::string countText(std::int64_t value);

// Elapsed whole seconds as "nn:ss": minutes and seconds of the time of day, hours and days dropped.
// A negative difference (the clock went back) counts as 0.
std::string elapsedText(std::int64_t seconds);

// Window placement on twips: the window centred horizontally and slightly above the vertical centre.
struct Placement
{
    std::int32_t left;
    std::int32_t top;
};
Placement centerPosition(std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t width, std::int32_t height);

} // namespace quillmark::core
