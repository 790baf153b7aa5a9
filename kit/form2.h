#ifndef FORM2_H
#define FORM2_H

#include "form.h"

#include <QPointer>

class PictureBox;
class QPushButton;

// The help window: the problem, the idea of the experiment and how to operate program 1, 2 or 3,
// printed afresh on every activation.
class Form2 : public Form
{
    Q_OBJECT

public:
    explicit Form2(int program, QWidget *parent = nullptr);

    QPushButton *Command1;
    PictureBox *Picture1;

signals:
    // "閉じる" closed the window (the frame's close control does not emit it).
    void closeClicked();

protected:
    void Form_Activate() override;

private:
    void Command1_Click();

    int m_program;
};

// Taluno1's way: the help window opens beside `main`, or the one already open comes to the front.
Form2 *openHelpBeside(QWidget *main, QPointer<Form2> &help, int program);

#endif
