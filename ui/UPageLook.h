#pragma once

// What the two calculator pages share: their look, and how they pass texts
// to and from the engine.

#include <string>

class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStatusBar;
class QString;
class QWidget;

namespace PageLook {

// The decimal separator of the user's locale, by which amounts are read and shown.
std::string DecimalSeparator();

// An engine text (UTF-8) for a control.
QString Text(const std::string& text);

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

// A screen reader names the box after the caption that the eye reads beside it:
// the caption's text without its closing colon and blanks. The caption becomes
// the box's buddy, so it is also reported as the box's label.
void NameAfterCaption(QLabel* caption, QWidget* box);

// A message about an input box. Beside the label's own change of name, a new
// message raises an alert, and the box describes the problem for as long as it
// stands, so that it is read out when the focus arrives there.
void SetMessage(QLabel* label, QWidget* box, const QString& text);

} // namespace PageLook
