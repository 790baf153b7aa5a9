#ifndef SHARELESSONBOX_H
#define SHARELESSONBOX_H

#include "core/lessonlink.h"

#include <QDialog>

class ModalBoxes;
class QLabel;
class QLineEdit;
class QSettings;

// この設定を配る: the link of the set-up in use, as text to copy and as a QR code large enough for the class to
// scan off the projector, with the site's address it begins with. The site's address is asked for once, through
// the boxes, and remembered. The twin of web/src/sharebox.js: keep the two in step.
class ShareLessonBox : public QDialog
{
    Q_OBJECT

public:
    // Opens the box over `window`, asking for the site's address first where none is remembered (Cancel: no box).
    static void share(QWidget &window, ProgramNumber program, const Lesson &lesson, ModalBoxes &boxes, QSettings &settings);

private:
    ShareLessonBox(QWidget &window, ProgramNumber program, const Lesson &lesson, ModalBoxes &boxes, QSettings &settings);
    // Asks until siteFolder() takes the answer, which is remembered; empty for Cancel.
    static QString askSite(QWidget *over, const QString &current, ModalBoxes &boxes, QSettings &settings);
    void showLink(const QString &site);

    ProgramNumber m_program;
    Lesson m_lesson;
    ModalBoxes &m_boxes;
    QSettings &m_settings;
    QString m_site;
    QLabel *m_code;
    QLineEdit *m_link;
    QLabel *m_note;
};

#endif
