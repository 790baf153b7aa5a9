#include "form.h"

#include <QEvent>
#include <QPointer>

namespace {
// The program's window that was last activated; modal boxes are not forms and do not count.
QPointer<QWidget> lastActiveForm;
}

Form::Form(QWidget *parent)
    : QWidget(parent)
{
}

void Form::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && lastActiveForm != this) {
        lastActiveForm = this;
        Form_Activate();
    }
}
