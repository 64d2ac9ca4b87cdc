#pragma once

class QWidget;

// Windows are laid out at fixed positions for a small classic font; a group box title in
// today's styles and fonts needs more height than that left, so the first row would sit on
// the frame line. This moves the contents of every group box of `window` below the room the
// style asks for, growing the box by the same amount; boxes with room enough are untouched.
void giveGroupBoxesTitleRoom(QWidget* window);
