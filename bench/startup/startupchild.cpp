// Starts one program as its main.cpp does and leaves at once when the main window has painted.
#include "form1.h"
#include "talunoapplication.h"

#if TALUNO_PROGRAM == 2
#define TALUNO_FORM Taluno2::Form1
#elif TALUNO_PROGRAM == 3
#define TALUNO_FORM Taluno3::Form1
#endif
#if TALUNO_PROGRAM != 1
#include "inplacehelp.h"
#endif

#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            // Leave after the paint has been delivered, not before it.
            QTimer::singleShot(0, [] {
                std::puts("painted");
                std::fflush(stdout);
                _exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    TalunoApplication app(argc, argv);
    FirstPaint firstPaint;
#if TALUNO_PROGRAM == 1
    Taluno1::Form1 form(app.seams());
    form.installEventFilter(&firstPaint);
    form.show();
#else
    InPlaceHelp program(TALUNO_PROGRAM, [&] {
        auto *form = new TALUNO_FORM(app.seams());
        form->installEventFilter(&firstPaint);
        return form;
    });
    program.showMain();
#endif
    return app.exec();
}
