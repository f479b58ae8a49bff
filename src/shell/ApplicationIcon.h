#pragma once

#include <QIcon>

namespace quillmark {

// The program's icon, an envelope with an address list, in its 16 x 16 and 32 x 32 pictures (16 colours each).
// The main window, the About window and the application as a whole show it. Needs a running QGuiApplication.
QIcon applicationIcon();

} // namespace quillmark
