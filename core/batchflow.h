#ifndef BATCHFLOW_H
#define BATCHFLOW_H

#include "core/batchrules.h"
#include "core/classresults.h"
#include "core/lesson.h"
#include "core/programflow.h"

#include <optional>
#include <vector>

class Clock;
class RandomSource;

// The main window of Taluno2 and Taluno3: it asks for the guest count and the experiment count
// when it opens and after 初期化, runs them all on 実験開始 and shows the tally (Taluno2 as a
// table, Taluno3 as a graph) with the mean. 実験開始 then waits for 初期化.
class BatchFlow : public ProgramFlow
{
public:
    BatchFlow(ProgramView &view, const BatchRules &rules, RandomSource &random, Clock &clock);

    // Asks for the settings.
    void onActivated() override;
    void onClicked(int control) override;

    // The batch run and its results; before both settings are accepted, the prompt of the one missing.
    void start();
    // Clears the results and asks for the settings again.
    void reset();

    int guestCount() const { return m_guestCount; }
    int experimentCount() const { return m_experimentCount; }
    // The tally of the last run, bin 1 first; empty before a run and after 初期化.
    const std::vector<int> &counts() const { return m_counts; }

    // The extras of the context menu, off at the start: the exact law beside the run (Taluno3 a mark
    // on each bar, Taluno2 the expected counts in the table's place) and the panel of how many coins
    // are enough.
    void setExtraShown(Extra extra, bool shown) override;
    // c枚用意したら？: asks for a number of coins and shows in how many experiments of the run they were
    // enough, beside the law's share; Cancel takes the share away. Nothing before a run.
    // クラスの結果をまとめる: asks for the class's results, pasted or typed, until they read or Cancel; then shows
    // them as a run, which 初期化 ends. お釣りの要る人の割合: asks for the share of guests who need change;
    // a change clears the run shown, ready for a run at the new share.
    void chooseExtra(Extra extra) override;
    std::string copyText() const override;
    // Taluno3's graph alone says nothing of the run: the settings, the mean and the extras that are on.
    std::vector<std::string> pictureCaption() const override;
    Lesson lesson() const override;

protected:
    // The link's settings are offered by the prompts from now on, its c shown with every run.
    void applyLesson(const Lesson &lesson) override;

private:
    enum class Setting { Guests, Experiments };
    // Asks until an answer lies in the row's range; an empty answer asks whether to end, and No leaves the
    // setting unanswered until 実験開始.
    void ask(Setting setting);
    void askShareCoins();
    // The class's results, after `failure` where the last could not be read: its message first, its line shown.
    void askPool(const PoolFailure &failure);
    // The run's results, or the class's pooled: the mean, the tally and the extras; 実験開始 waits for 初期化.
    void showRun(const BatchResult &result, bool pooled);
    void showCounts();
    void showPanels();
    void clearCounts();
    // The tally as a graph, else as a table.
    bool drawsGraph() const;
    // The setting behind one of the window's toggled extras.
    static bool BatchFlow::*toggle(Extra extra);

    const BatchRules &m_rules;
    RandomSource &m_random;
    Clock &m_clock;
    int m_guestCount = 0;
    int m_experimentCount = 0;
    std::vector<int> m_counts;
    LessonRun m_run;
    bool m_lawShown = false;
    bool m_coinsShown = false;
    std::optional<int> m_shareCoins; // shown while set
    int m_changePercent = fairChangePercent;
    std::string m_poolText; // what was last given to pool, offered again
    bool m_pooled = false;  // the results shown are the class's: the graph's axis fits them
    Lesson m_lesson;        // the lesson link the window was opened with
};

#endif
