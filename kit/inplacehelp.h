#ifndef INPLACEHELP_H
#define INPLACEHELP_H

#include <QObject>
#include <QPointer>

#include <functional>

class Form;
class Form2;

// Taluno2 and Taluno3 show their main window or their help window, never both: "HELP"
// discards the main window for the help window, whose "閉じる" builds the main window afresh.
// Closing either by its frame leaves no window, and the program ends.
class InPlaceHelp : public QObject
{
    Q_OBJECT

public:
    using MainFactory = std::function<Form *()>;
    InPlaceHelp(int program, MainFactory makeMain, QObject *parent = nullptr);

    // Builds the main window from its design state and shows it.
    void showMain();
    void showHelp();

    Form *mainWindow() const;
    Form2 *helpWindow() const;

private:
    int m_program;
    MainFactory m_makeMain;
    QPointer<Form> m_main;
    QPointer<Form2> m_help;
};

#endif
