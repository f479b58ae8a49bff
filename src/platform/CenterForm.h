#pragma once

class QWidget;

namespace quillmark {

class Platform;

// Places window horizontally centred on the screen and slightly above the vertical centre, from the window's
// size and the screen's, both taken in twips. Changes only the window's position.
void CenterForm(QWidget& window, Platform& platform);

} // namespace quillmark
