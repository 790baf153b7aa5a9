#include "core/tosswalk.h"

#include "core/clock.h"
#include "core/lesson.h"
#include "core/randomsource.h"
#include "core/surface.h"
#include "core/texts.h"
#include "core/walkgraph.h"

#include <string>
#include <utility>

using namespace TossControls;

namespace {

int coinControl(CoinFace face)
{
    return face == CoinFace::Heads ? headsCoin : tailsCoin;
}

} // namespace

TossWalk::TossWalk(ProgramView &view, RandomSource &random, Clock &clock)
    : ProgramFlow(view)
    , m_random(random)
    , m_clock(clock)
{
}

void TossWalk::onActivated()
{
    if (tellLessonNotice())
        return;
    m_random.reseed(static_cast<float>(m_clock.secondsSinceMidnight()));
}

void TossWalk::onClicked(int control)
{
    switch (control) {
    case tossButton: toss(); break;
    case resetButton: reset(); break;
    case quitButton: confirmQuit(); break;
    case startButton: start(); break;
    case stopButton: stop(); break;
    case helpButton: openHelp(m_changePercent); break;
    default: break;
    }
}

void TossWalk::onTick(int timer)
{
    switch (timer) {
    case TossTimers::spin:
        spin();
        break;
    case TossTimers::toss:
        toss();
        view().setTimerRunning(TossTimers::spin, false);
        view().setTimerRunning(TossTimers::toss, false);
        break;
    case TossTimers::nextCycle:
        start();
        break;
    default:
        break;
    }
}

void TossWalk::toss()
{
    ProgramView &v = view();
    v.setControlEnabled(tossButton, false);
    v.setControlEnabled(resetButton, true);
    v.setControlEnabled(startButton, true);
    v.setControlVisible(headsCoin, false);
    v.setControlVisible(tailsCoin, false);

    // floor(2r) + 1 for r in [0, 1) at one half: heads, a guest who pays exactly, below the threshold.
    m_face = m_random.next() < changeThreshold(m_changePercent) ? CoinFace::Heads : CoinFace::Tails;
    m_heads.push_back(m_face == CoinFace::Heads);
    if (m_face == CoinFace::Heads) {
        v.setTextColour(resultCell(m_nextCell), headsColour);
        ++m_coinBalance;
    } else {
        v.setTextColour(resultCell(m_nextCell), tailsColour);
        --m_coinBalance;
    }
    v.setText(balanceCell(m_nextCell), std::to_string(m_coinBalance));
    v.setText(resultCell(m_nextCell), m_face == CoinFace::Heads ? text(Text::headsText) : text(Text::tailsText));
    v.setControlVisible(coinControl(m_face), true);

    if (m_nextCell < tossCount) {
        ++m_nextCell;
    } else {
        v.setControlEnabled(quitButton, true);
        v.setControlEnabled(startButton, false);
        v.setControlEnabled(stopButton, false);
        setTimers(false);
    }
    v.setTimerRunning(TossTimers::spin, false);
    showWalk();
}

void TossWalk::start()
{
    ProgramView &v = view();
    v.setControlEnabled(tossButton, true);
    v.setControlEnabled(stopButton, true);
    v.setControlEnabled(resetButton, false);
    v.setControlEnabled(quitButton, false);
    v.setControlEnabled(startButton, false);
    v.setControlEnabled(helpButton, false);
    setTimers(true);
}

void TossWalk::stop()
{
    ProgramView &v = view();
    setTimers(false);
    for (int button : {resetButton, quitButton, startButton, stopButton, helpButton})
        v.setControlEnabled(button, true);
}

void TossWalk::reset()
{
    ProgramView &v = view();
    v.playCue(Cue::Pinpon);
    m_coinBalance = 0;
    m_heads.clear();
    m_face = CoinFace::Heads;
    m_spinFrame = CoinFace::Heads;
    m_nextCell = 1;
    v.setControlVisible(headsCoin, false);
    v.setControlVisible(tailsCoin, false);
    v.setControlVisible(coinControl(m_face), true);
    for (int cell = 1; cell <= tossCount; ++cell) {
        // The colours stay: a toss sets its cell's colour before it writes the face.
        v.setText(resultCell(cell), {});
        v.setText(balanceCell(cell), {});
    }
    v.setControlEnabled(tossButton, false);
    v.setControlEnabled(quitButton, true);
    v.setControlEnabled(startButton, true);
    setTimers(false);
    showWalk();
}

std::string TossWalk::copyText() const
{
    return m_heads.empty() ? std::string() : tossTable(m_heads, m_changePercent);
}

void TossWalk::setExtraShown(Extra extra, bool shown)
{
    switch (extra) {
    case Extra::WalkLine: {
        m_walkShown = shown;
        ProgramView &v = view();
        v.setControlVisible(walkGraph, shown);
        v.setControlVisible(lowestSoFarLabel, shown);
        const WindowLayout &layout = tossWindowLayout();
        v.setWindowWidth(shown ? layout.widestWidth : layout.width);
        showWalk();
        return;
    }
    case Extra::CopyResults:
    case Extra::SavePicture:
    case Extra::ExactLaw:
    case Extra::CoinsPanel:
    case Extra::CoinsShare:
    case Extra::ChangePercent:
    case Extra::PoolResults:
    case Extra::ShareLesson: break;
    }
    unknownExtra("TossWalk::setExtraShown", extra);
}

void TossWalk::chooseExtra(Extra extra)
{
    switch (extra) {
    case Extra::ChangePercent:
        // A walk is tossed at one share throughout: a new share starts afresh.
        askChangePercent(m_changePercent, [this](int percent) {
            showChangePercent(changeShareLabel, percent);
            if (std::exchange(m_changePercent, percent) != percent && !m_heads.empty())
                reset();
        });
        return;
    case Extra::CoinsShare:
        if (m_walkShown)
            askWalkCoins();
        return;
    case Extra::CopyResults:
    case Extra::SavePicture:
    case Extra::ExactLaw:
    case Extra::CoinsPanel:
    case Extra::WalkLine:
    case Extra::PoolResults:
    case Extra::ShareLesson: break;
    }
    unknownExtra("TossWalk::chooseExtra", extra);
}

void TossWalk::applyLesson(const Lesson &lesson)
{
    m_changePercent = lesson.changePercent.value_or(m_changePercent);
    showChangePercent(changeShareLabel, m_changePercent);
    m_walkCoins = lesson.prepare;
    for (const Extra extra : lesson.shown)
        setExtraShown(extra, true);
}

Lesson TossWalk::lesson() const
{
    Lesson now;
    now.prepare = m_walkCoins;
    if (m_changePercent != fairChangePercent)
        now.changePercent = m_changePercent;
    if (m_walkShown)
        now.shown.push_back(Extra::WalkLine);
    return now;
}

void TossWalk::askWalkCoins()
{
    const int suggested = m_walkCoins.value_or(meanCoins(lowestBalanceLaw(tossCount, m_changePercent)));
    askWholeNumber(text(Text::shareCoinsPrompt), text(Text::shareCoinsTitle), suggested, 0, tossCount, [this](std::optional<int> coins) {
        m_walkCoins = coins;
        showWalk();
    });
}

void TossWalk::showWalk()
{
    if (!m_walkShown)
        return;
    Surface &graph = view().surface(walkGraph);
    graph.clear();
    drawWalk(graph, m_heads, m_walkCoins);
    view().setDescription(walkGraph, describeWalk(m_heads, m_walkCoins));
    view().setText(lowestSoFarLabel, lowestSoFarText(m_heads, m_walkCoins));
}

void TossWalk::spin()
{
    view().setControlVisible(coinControl(m_spinFrame), false);
    m_spinFrame = m_spinFrame == CoinFace::Heads ? CoinFace::Tails : CoinFace::Heads;
    view().setControlVisible(coinControl(m_spinFrame), true);
}

void TossWalk::setTimers(bool running)
{
    for (int timer : {TossTimers::spin, TossTimers::toss, TossTimers::nextCycle})
        view().setTimerRunning(timer, running);
}
