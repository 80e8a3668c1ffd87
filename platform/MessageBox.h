// The program's message box: how every failure and notice reaches the player.
#pragma once
#include <QString>

class QWidget;

// A modal message box titled "Zento" with a single OK button. Tests may take
// the messages instead, through their seam (TestSeams.h).
void ShowMessageBox(QWidget* Parent, const QString& Text);
