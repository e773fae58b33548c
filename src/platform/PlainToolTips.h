#pragma once

class QApplication;

// Qt renders a tool-tip that looks like markup as rich text, loading any picture it names.
// Tool-tips come from language files, which anyone can edit: once this is installed, every
// tool-tip of the program shows its text exactly as written. toolTip() itself stays plain, so
// screen readers, which read it as the description, are not given markup either.
void showToolTipsAsPlainText(QApplication &app);
