#pragma once

class QKeyEvent;
class QLineEdit;
class QWidget;

// Number boxes that fill themselves in turn: a key pressed in a box one character short of its
// limit moves the focus on to the next control in the window's tab order, while the key itself
// still goes to the box it was pressed in. So the second digit completes the box and typing
// carries on in the next one.
namespace AutoAdvance {

// Call for every key press in `edit`, before the box handles it.
void keyDown(QWidget* window, QLineEdit* edit, const QKeyEvent& event);

// The next control after `from` that Tab would reach: shown, enabled and taking tab focus.
QWidget* nextInTabOrder(const QWidget* window, QWidget* from);

} // namespace AutoAdvance
