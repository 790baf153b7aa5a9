// The class's results pasted into クラスの結果をまとめる: the reader on a class's lists, on Taluno2's largest copied
// tables and on one long line, at a quarter, a half and all of the million characters the box takes (time per
// million characters alike at each: linear); then the desktop's box of many lines taking a paste of a million
// characters and reading it (lines: pooled; one line: given back to be mended, with its message), and refusing
// ten million. Goal: every paste answered within 2 s.
//   bench_paste [rounds]

#include "bench/benchfigures.h"
#include "core/batchengine.h"
#include "core/classresults.h"
#include "core/lesson.h"
#include "core/texts.h"
#include "kit/linesbox.h"
#include "kit/talunoapplication.h"

#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>

#include <cstdlib>
#include <string>

namespace {

// `characters` of what the class pastes, made of `piece` over and over.
std::string repeated(const std::string &piece, std::size_t characters)
{
    std::string text;
    while (text.size() + piece.size() <= characters)
        text += piece;
    return text;
}

// Times `work` in each round, as milliseconds.
template <typename Work>
std::vector<double> timed(int rounds, Work work)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const Stopwatch watch;
        work();
        times.push_back(watch.milliseconds());
    }
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    TalunoApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    constexpr double goalMs = 2000;
    const std::size_t most = pastedCharactersMost;
    std::vector<int> lowests(1002, 10);
    const std::string table = resultTable({1000, 10020, "-25.0", lowests}, true, true, 30) + "\n";
    const struct { const char *what; std::string piece; } kinds[] = {
        {"lists of lowest balances", "-3 -12 0 1\n"},
        {"tables of 1000 guests", table},
        {"one line of digits", "9"},
    };
    std::printf("The reader of the class's results, %d rounds each (ms a million characters)\n", rounds);
    for (const auto &kind : kinds) {
        for (const std::size_t characters : {most / 4, most / 2, most}) {
            const std::string text = repeated(kind.piece, characters);
            std::size_t read = 0;
            const std::vector<double> times = timed(rounds, [&] { read += poolClassResults(text).index(); });
            char what[96];
            std::snprintf(what, sizeof what, "%s, %zu k: %.0f ms/M", kind.what, characters / 1000, median(times) * 1e6 / double(characters));
            printTimes(what, times);
        }
    }

    std::printf("The desktop's box of many lines, %d rounds each\n", rounds);
    bool met = true;
    const struct { const char *what; std::string text; } pastes[] = {
        {"a million characters of lines", repeated(kinds[0].piece, most)},
        {"a million characters on one line", std::string(most, '9')},
        {"ten million characters: refused", std::string(10 * most, '9')},
    };
    for (const auto &paste : pastes) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(paste.text));
        // Pasted and shown; read; offered again to be mended in a box of its own, as after a line it cannot read.
        const std::vector<double> times = timed(rounds, [&] {
            QString taken;
            {
                LinesBox box(QString::fromUtf8(text(Text::poolPrompt)), QString::fromUtf8(text(Text::poolTitle)), {});
                box.show();
                box.findChild<QPlainTextEdit *>()->paste();
                QCoreApplication::processEvents();
                taken = box.text();
            }
            const auto pooled = poolClassResults(taken.toStdString());
            if (const auto *refusal = std::get_if<PoolFailure>(&pooled)) {
                LinesBox again(QString::fromStdString(refusalText(*refusal)), QString::fromUtf8(text(Text::poolTitle)), taken, int(refusal->line));
                again.show();
                QCoreApplication::processEvents();
            }
        });
        printTimes(paste.what, times);
        met = met && median(times) < goalMs;
    }
    std::printf("goal: every paste answered under %.0f ms: %s\n", goalMs, verdict(met));
    return met ? 0 : 1;
}
