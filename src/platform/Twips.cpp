#include "platform/Twips.h"

#include <cmath>

namespace quillmark {

int twipsToPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

int pixelsToTwips(int pixels, double dpi)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}

} // namespace quillmark
