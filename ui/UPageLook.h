#pragma once

// The look that the two calculator pages share.

class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStatusBar;
class QString;
class QWidget;

namespace PageLook {

// The white body with its raised edge, and the status bar's standing notice.
void SetUp(QFrame* body, QStatusBar* statusBar);

// The amount input boxes' larger font: 16 pixels.
void SetLargeFont(QLineEdit* edit);

// The system's 3-D dark shadow colour for a note.
void SetShadowText(QLabel* label);

// The Tab key reaches the selected one of a radio pair, also after the page
// selects one itself (Qt on its own keeps Tab on the one last focused).
void TabToSelected(QRadioButton* first, QRadioButton* second);

// A label that keeps its left edge and grows to the right with its text.
void SetGrowingText(QLabel* label, const QString& text);

} // namespace PageLook
