#pragma once

class QLabel;
class QString;

// Shows `text` in `label` as it is (a stored date keeps its leading blank, which scripts and
// assistive technology read), but placed one blank further left, so that its first figure
// stands under the first figures of the values above it.
void showPastLeadingBlank(QLabel& label, const QString& text);
