#pragma once

class QWidget;

// A caption that names an entry box ("7" under the seventh number, "Bonus") means nothing
// without it: from now on `caption` is shown and hidden with `box`, whichever code shows or
// hides the box.
void keepCaptionWithBox(QWidget* caption, QWidget* box);
