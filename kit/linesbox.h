#ifndef LINESBOX_H
#define LINESBOX_H

#include <QDialog>

class QLabel;
class QPlainTextEdit;

// The input box of many lines, for a class's pasted results: OK and キャンセル, its prompt as plain text
// whatever it quotes, the lines unwrapped (wrapping a long line would take the window for seconds), and a
// paste beyond what the programs read refused with a line above the prompt.
class LinesBox : public QDialog
{
    Q_OBJECT

public:
    // `shownLine` (1 first): the line selected and in view; 0: the cursor at the end.
    LinesBox(const QString &prompt, const QString &title, const QString &text, int shownLine = 0, QWidget *parent = nullptr);
    QString text() const;

private:
    QLabel *m_prompt;
    QPlainTextEdit *m_lines;
};

#endif
