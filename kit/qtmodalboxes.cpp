#include "kit/qtmodalboxes.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

QString QtModalBoxes::inputBox(const QString &prompt, const QString &title, const QString &defaultText, bool multiline)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setOption(QInputDialog::UsePlainTextEditForTextInput, multiline);
    dialog.setTextValue(defaultText);
    if (multiline) { // room for a class's list, or a table as copied
        dialog.resize(dialog.fontMetrics().averageCharWidth() * 80, dialog.fontMetrics().height() * 24);
        // What was given before comes back to be mended, not selected to be typed over.
        if (auto *edit = dialog.findChild<QPlainTextEdit *>())
            QTimer::singleShot(0, edit, [edit] { edit->moveCursor(QTextCursor::End); });
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

bool QtModalBoxes::askYesNo(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
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
    QMessageBox::warning(QApplication::activeWindow(), title, text);
}
