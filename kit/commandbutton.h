#ifndef COMMANDBUTTON_H
#define COMMANDBUTTON_H

#include <QPushButton>

// A push button that Enter and Return press as well as Space, without becoming a default
// button that would take Enter from the rest of the window.
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

#endif
