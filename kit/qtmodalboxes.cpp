#include "kit/qtmodalboxes.h"

#include "kit/linesbox.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

// Every box shows its text as plain text: a message may quote what was typed or pasted, and Qt would read
// anything that looks like HTML as markup.

namespace {

// A box as large as the window it asks for, at the view's size.
void sizedLikeItsWindow(QWidget &box)
{
    if (box.parentWidget())
        box.setFont(box.parentWidget()->font());
}

} // namespace

QString QtModalBoxes::inputBox(QWidget *window, const QString &prompt, const QString &title, const QString &defaultText,
                               bool multiline, int shownLine)
{
    if (multiline) {
        LinesBox box(prompt, title, defaultText, shownLine, window);
        return box.exec() == QDialog::Accepted ? box.text() : QString();
    }
    QInputDialog dialog(window);
    sizedLikeItsWindow(dialog);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.findChild<QLabel *>()->setTextFormat(Qt::PlainText);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

bool QtModalBoxes::askYesNo(QWidget *window, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, window);
    sizedLikeItsWindow(box);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtModalBoxes::saveFileName(QWidget *window, const QString &title, const QString &suggested)
{
    return QFileDialog::getSaveFileName(window, title, suggested, QStringLiteral("PNG (*.png)"));
}

void QtModalBoxes::tell(QWidget *window, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, window);
    sizedLikeItsWindow(box);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
