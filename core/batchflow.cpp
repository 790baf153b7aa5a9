#include "core/batchflow.h"

#include "core/batchengine.h"
#include "core/classresults.h"
#include "core/decimals.h"
#include "core/frequencygraph.h"
#include "core/meanformatter.h"
#include "core/numberreader.h"
#include "core/surface.h"
#include "core/texts.h"

#include <string>
#include <utility>
#include <variant>

using namespace BatchControls;

BatchFlow::BatchFlow(ProgramView &view, const BatchRules &rules, RandomSource &random, Clock &clock)
    : ProgramFlow(view)
    , m_rules(rules)
    , m_random(random)
    , m_clock(clock)
{
}

void BatchFlow::onActivated()
{
    if (!tellLessonNotice())
        ask(Setting::Guests);
}

void BatchFlow::applyLesson(const Lesson &lesson)
{
    m_lesson = lesson;
    m_changePercent = lesson.changePercent.value_or(m_changePercent);
    showChangePercent(changeShareLabel, m_changePercent);
    for (const Extra extra : lesson.shown)
        this->*toggle(extra) = true;
}

Lesson BatchFlow::lesson() const
{
    const auto set = [](int value, std::optional<int> offered) { return value ? std::optional(value) : offered; };
    Lesson now{set(m_guestCount, m_lesson.guests), set(m_experimentCount, m_lesson.experiments), std::nullopt,
               m_shareCoins ? m_shareCoins : m_lesson.prepare, {}, {}};
    if (m_changePercent != fairChangePercent)
        now.changePercent = m_changePercent;
    for (const ExtraRow &row : programRow(m_rules.program).extras) {
        if (row.toggle && this->*toggle(row.extra))
            now.shown.push_back(row.extra);
    }
    return now;
}

void BatchFlow::onClicked(int control)
{
    switch (control) {
    case startButton: start(); break;
    case quitButton: confirmQuit(); break;
    case resetButton: reset(); break;
    case helpButton: openHelp(m_changePercent); break;
    default: break;
    }
}

bool BatchFlow::drawsGraph() const
{
    switch (programRow(m_rules.program).kind) {
    case ProgramKind::Graph: return true;
    case ProgramKind::Table: return false;
    case ProgramKind::Walk: break;
    }
    unknownProgram("BatchFlow");
}

void BatchFlow::ask(Setting setting)
{
    const SettingRow &row = setting == Setting::Guests ? m_rules.guests : m_rules.experiments;
    const std::optional<int> offered = setting == Setting::Guests ? m_lesson.guests : m_lesson.experiments;
    askInput(row.prompt, row.title, offered ? std::to_string(*offered) : row.defaultText, [this, setting, &row](std::string_view answer) {
        if (answer.empty()) {
            // いいえ: the window waits without the setting, its menu at hand (the class's results pooled straight
            // away); 実験開始 asks for it.
            askYesNo(text(Text::quitQuestion), text(Text::confirmEndTitle), [this](bool yes) {
                if (yes)
                    view().endProgram();
            });
            return;
        }
        const auto value = acceptSetting(answer, row.lowest, row.highest);
        if (!value) {
            ask(setting);
            return;
        }
        if (setting == Setting::Guests) {
            m_guestCount = *value;
            view().setText(guestCountValue, std::to_string(*value));
            ask(Setting::Experiments);
        } else {
            m_experimentCount = *value;
            view().setText(experimentCountValue, std::to_string(*value));
        }
    });
}

void BatchFlow::start()
{
    if (m_guestCount == 0 || m_experimentCount == 0) {
        ask(m_guestCount == 0 ? Setting::Guests : Setting::Experiments);
        return;
    }
    ProgramView &v = view();
    v.yieldToEventLoop();
    v.setBusy(true);
    v.setControlEnabled(quitButton, false);
    v.setControlEnabled(resetButton, false);

    showRun(runBatch(m_guestCount, m_experimentCount, m_rules.lowestBin, m_random, m_clock, m_changePercent), false);
    v.setBusy(false);
}

void BatchFlow::showRun(const BatchResult &result, bool pooled)
{
    ProgramView &v = view();
    m_pooled = pooled;
    m_counts = result.counts;
    m_run = {m_guestCount, m_experimentCount, formatMean(result.mean), result.lowests, m_changePercent};
    if (!m_shareCoins)
        m_shareCoins = m_lesson.prepare;
    v.setText(meanValue, m_run.meanText);
    showCounts();

    // 終了 and 初期化 first, so that the focus leaving 実験開始 lands on 終了, which asks, and not on
    // HELP, where a second press of Enter would throw the results away.
    v.setControlEnabled(quitButton, true);
    v.setControlEnabled(resetButton, true);
    v.setControlEnabled(startButton, false);
    // The class's results say the share they were pooled at, even one half.
    showChangePercent(changeShareLabel, m_changePercent, pooled);
}

void BatchFlow::showCounts()
{
    ProgramView &v = view();
    const std::vector<double> expected = m_lawShown
        ? expectedCounts(m_run.guests, m_run.experiments, m_rules.lowestBin, m_run.changePercent)
        : std::vector<double>{};
    if (drawsGraph()) {
        // Drawn afresh: the law's marks come and go with their toggle. A run's axis is fixed; a class's fits it.
        Surface &graph = v.surface(graphSurface);
        const int top = m_pooled ? pooledGraphTop(m_counts) : runGraphTop;
        graph.clear();
        drawFrequencyGraph(graph, m_counts, top);
        drawExpectedMarks(graph, expected, top);
        v.setDescription(graphSurface, describeGraph(m_counts, m_rules.lowestBin));
    } else {
        // The law under the counts, in red, for as long as it is asked for: each count beside its expectation.
        for (int pair = 0; pair < tablePairs; ++pair)
            v.setNote(countTitle(pair), m_lawShown ? text(Text::lawCountTitle) : "", lawColour);
        for (int bin = 1; bin <= static_cast<int>(m_counts.size()); ++bin) {
            const auto k = static_cast<std::size_t>(bin - 1);
            v.setText(countCell(bin), std::to_string(m_counts[k]));
            v.setNote(countCell(bin), m_lawShown ? roundedDecimal(expected[k], 0) : "", lawColour);
        }
    }
    showPanels();
}

void BatchFlow::showPanels()
{
    std::vector<Panel> panels;
    if (m_coinsShown)
        panels.push_back({coinsPanel(m_run), panelPoints, false});
    if (m_shareCoins)
        panels.push_back({sharePanel(m_run, *m_shareCoins), sharePoints, true});
    view().showPanels(panels);
}

void BatchFlow::setExtraShown(Extra extra, bool shown)
{
    this->*toggle(extra) = shown;
    if (!m_counts.empty())
        showCounts();
}

bool BatchFlow::*BatchFlow::toggle(Extra extra)
{
    switch (extra) {
    case Extra::ExactLaw: return &BatchFlow::m_lawShown;
    case Extra::CoinsPanel: return &BatchFlow::m_coinsShown;
    case Extra::CopyResults:
    case Extra::SavePicture:
    case Extra::CoinsShare:
    case Extra::WalkLine:
    case Extra::ChangePercent:
    case Extra::PoolResults:
    case Extra::ShareLesson: break;
    }
    unknownExtra("BatchFlow::toggle", extra);
}

void BatchFlow::chooseExtra(Extra extra)
{
    switch (extra) {
    case Extra::CoinsShare:
        if (!m_counts.empty())
            askShareCoins();
        return;
    case Extra::PoolResults: askPool({}); return;
    case Extra::ChangePercent:
        askChangePercent(m_changePercent, [this](int percent) {
            if (std::exchange(m_changePercent, percent) == percent || m_counts.empty()) {
                showChangePercent(changeShareLabel, percent, m_pooled && !m_counts.empty());
                return;
            }
            clearCounts();
            view().setText(meanValue, {});
            view().setControlEnabled(startButton, true);
        });
        return;
    case Extra::CopyResults:
    case Extra::SavePicture:
    case Extra::ExactLaw:
    case Extra::CoinsPanel:
    case Extra::WalkLine:
    case Extra::ShareLesson: break;
    }
    unknownExtra("BatchFlow::chooseExtra", extra);
}

void BatchFlow::askPool(const PoolFailure &failure)
{
    const std::string refusal = refusalText(failure);
    const std::string prompt = refusal.empty() ? text(Text::poolPrompt) : refusal + "\n\n" + text(Text::poolPrompt);
    askInput(prompt, text(Text::poolTitle), m_poolText, [this](std::string_view answer) {
        if (answer.empty())
            return;
        const auto pooled = poolClassResults(answer);
        // Offered again to be mended, unless it was too long to read.
        const auto *failed = std::get_if<PoolFailure>(&pooled);
        m_poolText = failed && failed->kind == RefusalKind::TooMuchPasted ? std::string() : std::string(answer);
        if (failed) {
            askPool(*failed);
            return;
        }
        const PooledResults &results = std::get<PooledResults>(pooled);
        // The copies' share is the window's from now on; lowest balances alone are taken at the window's.
        m_changePercent = results.changePercent.value_or(m_changePercent);
        m_guestCount = results.guests;
        m_experimentCount = results.experiments;
        view().setText(guestCountValue, std::to_string(m_guestCount));
        view().setText(experimentCountValue, std::to_string(m_experimentCount));
        m_shareCoins.reset();
        showRun(tallyLowests(results.lowests, m_rules.lowestBin), true);
    }, true, failure.line);
}

void BatchFlow::askShareCoins()
{
    // The mean's magnitude as the window shows it, in tenths, rounded up: -2.0 offers 2 coins, -2.1 offers 3.
    int tenths = 0;
    for (const char c : m_run.meanText) {
        if (c >= '0' && c <= '9')
            tenths = tenths * 10 + (c - '0');
    }
    const int suggested = m_shareCoins.value_or((tenths + 9) / 10);
    askWholeNumber(text(Text::shareCoinsPrompt), text(Text::shareCoinsTitle), suggested, 0, m_run.guests, [this](std::optional<int> coins) {
        m_shareCoins = coins;
        showPanels();
    });
}

std::string BatchFlow::copyText() const
{
    return m_counts.empty() ? std::string() : resultTable(m_run, m_lawShown, m_coinsShown, m_shareCoins);
}

std::vector<std::string> BatchFlow::pictureCaption() const
{
    if (m_counts.empty() || !drawsGraph())
        return {};
    std::vector<std::string> lines{text(Text::pictureSettingsLine, {{"guests", std::to_string(m_run.guests)},
                                                                    {"experiments", std::to_string(m_run.experiments)},
                                                                    {"mean", m_run.meanText}})};
    if (const auto note = changePercentNote(m_run.changePercent))
        lines.push_back(*note);
    if (m_lawShown)
        lines.push_back(text(Text::lawMarksCaption));
    if (m_coinsShown) {
        // "50 %：7枚／6枚", a share a line under their heading, so that even 1000 guests fit the picture.
        const CellTable coins = coinsPanel(m_run);
        const std::vector<std::string> &heads = coins.rows.front();
        lines.push_back(text(Text::pictureCoinsHeading, {{"heading", coins.heading}, {"run", heads[1]}, {"law", heads[2]}}));
        for (auto row = coins.rows.begin() + 1; row != coins.rows.end(); ++row)
            lines.push_back(text(Text::pictureCoinsRow, {{"share", (*row)[0]}, {"run", (*row)[1]}, {"law", (*row)[2]}}));
    }
    if (m_shareCoins) {
        // On one line, without the share of guests who need change, which has a line of its own above.
        const CellTable share = sharePanel(m_run, *m_shareCoins);
        lines.push_back(share.heading + share.rows[0][0] + share.rows[1][0]);
    }
    return lines;
}

void BatchFlow::clearCounts()
{
    ProgramView &v = view();
    m_counts.clear();
    m_shareCoins.reset();
    v.showPanels({});
    showChangePercent(changeShareLabel, m_changePercent);
    if (drawsGraph()) {
        v.surface(graphSurface).clear();
        v.setDescription(graphSurface, text(Text::noGraphDescription));
        return;
    }
    for (int pair = 0; pair < tablePairs; ++pair)
        v.setNote(countTitle(pair), "", lawColour);
    for (int bin = 1; bin <= binCountFor(m_rules.lowestBin); ++bin) {
        v.setText(countCell(bin), {});
        v.setNote(countCell(bin), "", lawColour);
    }
}

void BatchFlow::reset()
{
    ProgramView &v = view();
    v.playCue(Cue::Pinpon);
    v.setControlEnabled(startButton, true);
    clearCounts();
    v.setText(experimentCountValue, {});
    v.setText(meanValue, {});
    v.setText(guestCountValue, {});
    ask(Setting::Guests);
}
