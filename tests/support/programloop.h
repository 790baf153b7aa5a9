#ifndef PROGRAMLOOP_H
#define PROGRAMLOOP_H

// What the quit and silence tests of all three programs share: the real modal boxes answered
// as they come up, a window's state as a reader of its captions sees it, and the program's event
// loop run through timed steps.

#include "picturebox.h"
#include "qtmodalboxes.h"
#include "randomsource.h"
#include "scriptedrandom.h"
#include "seams.h"
#include "soundcue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

// Answers the real modal boxes (QtModalBoxes) from a script by clicking their own buttons, and
// records each box. When the script runs out an input box is cancelled and a question answered
// Yes, which ends the program, so that a wrong turn cannot loop for ever.
class BoxAnswerer
{
public:
    enum class Answer { Yes, No, Ok, Cancel };
    struct Step
    {
        Answer answer;
        QString typed = {}; // for Ok: replaces the default text unless empty
    };
    struct Seen
    {
        QString title;
        QString text;        // question or prompt
        QString shownText;   // an input box's text as it came up
        bool afterEnd;
    };

    // `ended` tells whether the program has been ended; boxes after that are recorded as such.
    BoxAnswerer(QList<Step> script, const bool &ended)
        : m_script(std::move(script))
        , m_ended(ended)
    {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { answerOpenBox(); });
        m_poll.start();
    }

    void add(const QList<Step> &steps) { m_script += steps; }
    const QList<Seen> &seen() const { return m_seen; }
    bool ranOut() const { return m_ranOut; }
    bool scriptUsedUp() const { return m_script.isEmpty(); }
    QStringList titles() const
    {
        QStringList titles;
        for (const Seen &box : m_seen)
            titles << box.title;
        return titles;
    }

private:
    void answerOpenBox()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("answered").toBool())
            return;
        modal->setProperty("answered", true);
        Step step{qobject_cast<QMessageBox *>(modal) ? Answer::Yes : Answer::Cancel};
        if (m_script.isEmpty())
            m_ranOut = true;
        else
            step = m_script.takeFirst();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            m_seen << Seen{box->windowTitle(), box->text(), {}, m_ended};
            QAbstractButton *button = box->button(step.answer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (auto *dialog = qobject_cast<QInputDialog *>(modal)) {
            m_seen << Seen{dialog->windowTitle(), dialog->labelText(), dialog->textValue(), m_ended};
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            if (step.answer == Answer::Ok) {
                if (!step.typed.isEmpty()) {
                    auto *edit = dialog->findChild<QLineEdit *>();
                    edit->selectAll();
                    QTest::keyClicks(edit, step.typed);
                }
                QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
            } else {
                QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
            }
        }
    }

    QList<Step> m_script;
    const bool &m_ended;
    QList<Seen> m_seen;
    QTimer m_poll;
    bool m_ranOut = false;
};

// Everything a user can read off a window, one line a control: caption, enabled, shown, text
// colour; surfaces by a digest of their picture; timers by whether they run. Focus is left out.
inline QStringList windowState(const QWidget *window)
{
    if (!window)
        return {QStringLiteral("(no window)")};
    QStringList lines{QStringLiteral("%1 '%2' shown %3").arg(window->objectName(), window->windowTitle())
                          .arg(window->isVisible())};
    for (const QWidget *child : window->findChildren<QWidget *>()) {
        QString line = QStringLiteral("%1 %2 enabled %3 shown %4")
                           .arg(QString::fromLatin1(child->metaObject()->className()), child->objectName())
                           .arg(child->isEnabled())
                           .arg(child->isVisibleTo(window));
        if (const auto *label = qobject_cast<const QLabel *>(child))
            line += QStringLiteral(" '%1' %2").arg(label->text(), label->palette().color(QPalette::WindowText).name());
        else if (const auto *button = qobject_cast<const QAbstractButton *>(child))
            line += QStringLiteral(" '%1'").arg(button->text());
        else if (const auto *picture = qobject_cast<const PictureBox *>(child)) {
            const QImage image = picture->image();
            line += QStringLiteral(" picture ")
                    + QString::fromLatin1(QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                                                   QCryptographicHash::Md5)
                                              .toHex());
        }
        lines << line;
    }
    for (const QTimer *timer : window->findChildren<QTimer *>())
        lines << QStringLiteral("QTimer %1 running %2").arg(timer->objectName()).arg(timer->isActive());
    return lines;
}

// A program on the real modal boxes and the real cue player. Ending it ends the event loop as
// the real program's end does, and is recorded, with the window's state then and what still
// happens after (cues here; a program adds its own).
struct RealBoxRun
{
    RealBoxRun(QList<BoxAnswerer::Step> answers, std::unique_ptr<RandomSource> randomSource)
        : answerer(std::move(answers), ended)
        , random(std::move(randomSource))
    {
        QObject::connect(&cue, &SoundCue::played, [this](const QString &file) {
            cues << file;
            if (ended)
                afterEnd << QStringLiteral("cue ") + file;
        });
    }
    virtual ~RealBoxRun() = default;

    // The program's windows as a reader sees them.
    virtual QStringList state() const = 0;

    void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    bool ended = false;
    int ends = 0;
    QStringList cues;
    QStringList afterEnd;
    QStringList stateAtEnd;
    BoxAnswerer answerer;
    QtModalBoxes boxes;
    SoundCue cue;
    std::unique_ptr<RandomSource> random;
    FixedClock clock;
    Seams seams{boxes, cue, *random, clock, [this] {
                    ++ends;
                    ended = true;
                    stateAtEnd = state();
                    QCoreApplication::exit(0);
                }};
};

// The program's event loop, driven by timed steps: each step runs `delay` ms after the one
// before has returned (a step that opens a modal box returns once the box is answered). The
// loop ends as the program ends it, or, `graceMs` after the last step, by the test.
class ProgramLoop
{
public:
    struct Step
    {
        int delay;
        std::function<void()> action;
    };

    // QApplication::exec()'s status, or std::nullopt if the program was still running at the end.
    std::optional<int> run(QList<Step> steps, int graceMs = 2000)
    {
        m_steps = std::move(steps);
        m_grace = graceMs;
        m_stepsRun = 0;
        m_stoppedByTest = false;
        // Steps still waiting when the program ends must not run in a later test's loop.
        m_guard = std::make_unique<QObject>();
        schedule(0);
        const int status = QApplication::exec();
        m_guard.reset();
        if (m_stoppedByTest)
            return std::nullopt;
        return status;
    }

    int stepsRun() const { return m_stepsRun; }

private:
    void schedule(int index)
    {
        if (index == m_steps.size()) {
            QTimer::singleShot(m_grace, m_guard.get(), [this] {
                m_stoppedByTest = true;
                QCoreApplication::exit(-1);
            });
            return;
        }
        QTimer::singleShot(m_steps.at(index).delay, m_guard.get(), [this, index] {
            const QPointer<QObject> guard = m_guard.get();
            m_steps.at(index).action();
            ++m_stepsRun;
            if (guard)
                schedule(index + 1);
        });
    }

    QList<Step> m_steps;
    int m_grace = 0;
    int m_stepsRun = 0;
    bool m_stoppedByTest = false;
    std::unique_ptr<QObject> m_guard;
};

#endif
