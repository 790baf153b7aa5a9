#ifndef TOSSVIEW_H
#define TOSSVIEW_H

class QColor;
class QString;

namespace Taluno1 {

// What the toss walk needs of its window. Cells are numbered 1 to 100, coin pictures 1 (heads)
// and 2 (tails).
class TossView
{
public:
    enum class Button { Command1 = 1, Command2, Command3, Command4, Command5, Command6 };
    enum class Timer { Timer1 = 1, Timer2, Timer3 };

    virtual ~TossView() = default;

    virtual void setResultText(int cell, const QString &text) = 0;
    virtual void setResultColour(int cell, const QColor &colour) = 0;
    virtual void setBalanceText(int cell, const QString &text) = 0;
    virtual void setCoinVisible(int picture, bool visible) = 0;
    virtual void setButtonEnabled(Button button, bool enabled) = 0;
    // A running timer calls its tick handler once a period until it is stopped.
    virtual void setTimerRunning(Timer timer, bool running) = 0;
    virtual void playCue(const QString &fileName) = 0;
};

} // namespace Taluno1

#endif
