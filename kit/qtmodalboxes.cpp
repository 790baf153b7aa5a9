#include "kit/qtmodalboxes.h"

#include "kit/linesbox.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

// Every box shows its text as plain text: a message may quote what was typed or pasted, and Qt would read
// anything that looks like HTML as markup.

QString QtModalBoxes::inputBox(const QString &prompt, const QString &title, const QString &defaultText, bool multiline,
                               int shownLine)
{
    if (multiline) {
        LinesBox box(prompt, title, defaultText, shownLine, QApplication::activeWindow());
        return box.exec() == QDialog::Accepted ? box.text() : QString();
    }
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.findChild<QLabel *>()->setTextFormat(Qt::PlainText);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

bool QtModalBoxes::askYesNo(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtModalBoxes::saveFileName(const QString &title, const QString &suggested)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggested,
                                        QStringLiteral("PNG (*.png)"));
}

void QtModalBoxes::tell(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
