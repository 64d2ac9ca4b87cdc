#pragma once

class QKeyEvent;
class QLineEdit;
class QWidget;

// Auto-advance of the entry boxes: a key pressed in a box that is one character short of full
// moves focus to the next control in `window`'s tab order, and the key still goes to the box,
// so the last character typed fills it and the next box is ready. Tab and lone modifier keys
// are left alone. Returns the control that received focus, or nullptr.
QWidget* autoAdvance(QWidget* window, QLineEdit* edit, const QKeyEvent& event);
