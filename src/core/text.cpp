#include "core/text.h"

#include <cmath>
#include <cstdio>

namespace quillmark::core {

std::string countText(std::int64_t value)
{
    std::string digits = std::to_string(value);
    return value >= 0 ? " " + digits : digits;
}

std::string elapsedText(std::int64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    const auto inDay = seconds % 86400;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60));
    return text;
}

namespace {
    // Nearest integer, exact halves to the even neighbour.
    std::int32_t roundHalfEven(double value)
    {
        const double floor = std::floor(value);
        const double diff = value - floor;
        double result = floor;
        if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0.0))
            result = floor + 1.0;
        return static_cast<std::int32_t>(result);
    }
}

Placement centerPosition(std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t width, std::int32_t height)
{
    Placement placement;
    // Only the vertical free space is shrunk, which lifts windows a little above the true centre.
    placement.top = roundHalfEven((static_cast<double>(screenHeight) - height) * 0.95) / 2;
    placement.left = roundHalfEven(static_cast<double>(screenWidth) - width) / 2;
    return placement;
}

} // namespace quillmark::core
