// The program's message box: how every failure and notice reaches the player.
#pragma once
#include <QString>

class QWidget;

// A modal message box titled "Zento" with a single OK button. Tests may take
// the messages instead, through their seam (TestSeams.h).
void ShowMessageBox(QWidget* Parent, const QString& Text);
// The same box with Yes and No, No the default, so that Enter or Escape
// given without a thought changes nothing; answers whether Yes was chosen.
bool AskQuestion(QWidget* Parent, const QString& Text);
