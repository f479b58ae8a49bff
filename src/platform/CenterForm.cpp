#include "platform/CenterForm.h"

#include "core/text.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QWidget>

namespace quillmark {

void CenterForm(QWidget& window, Platform& platform)
{
    const double dpiX = platform.logicalDpiX();
    const double dpiY = platform.logicalDpiY();
    const QSize screen = platform.screenSize();
    const auto placement = core::centerPosition(pixelsToTwips(screen.width(), dpiX),
        pixelsToTwips(screen.height(), dpiY), pixelsToTwips(window.width(), dpiX),
        pixelsToTwips(window.height(), dpiY));
    window.move(twipsToPixels(placement.left, dpiX), twipsToPixels(placement.top, dpiY));
}

} // namespace quillmark
