#include "shell/ApplicationIcon.h"

#include <QPixmap>

// Both pictures are drawn by resources/icons/make_icons.py; XPM is C source, so they are compiled in.
#include "quillmark-16.xpm"
#include "quillmark-32.xpm"

namespace quillmark {

QIcon applicationIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap(quillmark_16_xpm));
    icon.addPixmap(QPixmap(quillmark_32_xpm));
    return icon;
}

} // namespace quillmark
