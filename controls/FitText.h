#pragma once

class QLabel;

// Values from files (a database name, a description line) can be longer than the fixed label
// that shows them: the label then takes a narrow face of the same size, which fits a name of a
// dozen or more characters. Call after each change of the label's text.
void fitTextToWidth(QLabel* label);
