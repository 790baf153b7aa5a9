#ifndef FORM_H
#define FORM_H

#include <QWidget>

// A window of a Taluno program. Form_Activate runs each time it becomes the active window
// coming from another of the program's windows: not on returning from a modal box, nor
// from another application.
class Form : public QWidget
{
    Q_OBJECT

public:
    explicit Form(QWidget *parent = nullptr);

signals:
    // "HELP" was clicked; Taluno2 and Taluno3 then give the window's place to the help window.
    void helpRequested();

protected:
    virtual void Form_Activate() {}
    void changeEvent(QEvent *event) override;
};

#endif
