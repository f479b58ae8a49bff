#pragma once

namespace quillmark {

// Twips (1440 to the inch) to pixels at a logical dpi, to the nearest pixel.
int twipsToPixels(int twips, double dpi);
// Pixels to twips at a logical dpi, to the nearest twip.
int pixelsToTwips(int pixels, double dpi);

} // namespace quillmark
