#include "core/layout.h"

#include "core/batchengine.h"
#include "core/batchrules.h"
#include "core/frequencygraph.h"
#include "core/lesson.h"
#include "core/texts.h"
#include "core/walkgraph.h"

#include <array>
#include <string>

namespace {

constexpr Rgb white{255, 255, 255};
// The table's numbers on a projector: 28 pixels of digits and more from 200 %, within their cells.
constexpr double cellProjectorPoints = 16.5;

Control control(ControlKind kind, std::string name, std::string caption, int left, int top, int width, int height,
                double points = 0, bool bold = false)
{
    Control made;
    made.kind = kind;
    made.name = std::move(name);
    made.caption = std::move(caption);
    made.left = left;
    made.top = top;
    made.width = width;
    made.height = height;
    made.points = points;
    made.bold = bold;
    return made;
}

Control button(std::string name, std::string caption, int left, int top, int width, int height, double points,
               bool bold = false)
{
    return control(ControlKind::Button, std::move(name), std::move(caption), left, top, width, height, points, bold);
}

Control label(std::string name, std::string caption, int left, int top, int width, int height, double points,
              bool bold = false, std::optional<Rgb> background = {})
{
    Control made = control(ControlKind::Label, std::move(name), std::move(caption), left, top, width, height, points, bold);
    made.background = background;
    return made;
}

Control line(int x1, int y1, int x2, int y2)
{
    return control(ControlKind::Line, "Line1", {}, x1, y1, x2 - x1, y2 - y1);
}

WindowLayout window(std::string name, std::string title, int width, int height, double points = 0)
{
    WindowLayout made;
    made.name = std::move(name);
    made.title = std::move(title);
    made.width = width;
    made.widestWidth = width;
    made.height = height;
    made.points = points;
    return made;
}

// The share of guests who need change, in red, hidden while it is one half.
Control changeShare(int left, int top, int width, double points)
{
    Control made = label("changeShare", changePercentText(fairChangePercent), left, top, width, 375, points, true, white);
    made.foreground = Rgb{255, 0, 0};
    made.visible = false;
    return made;
}

std::string labelName(int number)
{
    return "Label" + std::to_string(number);
}

// The array of `count` rows from `first` on, by its name.
NamedRows array(std::string name, int first, int count)
{
    NamedRows named{std::move(name), std::vector<int>(static_cast<std::size_t>(count)), true};
    for (int k = 0; k < count; ++k)
        named.rows[static_cast<std::size_t>(k)] = first + k;
    return named;
}

NamedRows named(NamedRow row)
{
    return {std::string(row.name), {row.row}};
}

// The title over a main window's table: "Talunoの実験（その２）".
std::string heading(ProgramNumber program)
{
    const int number = static_cast<int>(program);
    return text(Text::experimentHeading, {{"number", std::to_string(number)}, {"fullWidthNumber", fullWidthNumber(number)}});
}

WindowLayout makeTossWindow()
{
    using namespace TossControls;
    const ProgramRow &program = programRow(ProgramNumber::Taluno1);
    WindowLayout window = ::window("Form1", text(Text::tossWindowTitle, {{"title", program.title}}), 10470, 8685, 11.25);
    window.program = ProgramNumber::Taluno1;
    auto &controls = window.controls;
    controls.push_back(button("Command3", text(Text::quitCaption), 0, 0, 975, 375, 9));
    controls.push_back(label("Label1", heading(ProgramNumber::Taluno1), 2640, 0, 5175, 375, 15.75, true, Rgb{0, 255, 255}));
    controls.back().foreground = Rgb{0, 0, 0};
    controls.push_back(button("Command6", text(Text::helpCaption), 8520, 0, 975, 375, 9));
    controls.push_back(button("Command2", text(Text::resetCaption), 9480, 0, 975, 375, 9));
    controls.push_back(line(0, 360, 10440, 360));
    controls.push_back(button("Command1", text(Text::stopCoinCaption), 240, 7800, 855, 495, 12, true));
    controls.back().enabled = controls.back().visible = false;
    controls.push_back(button("Command5", text(Text::autoStopCaption), 3000, 7920, 1335, 495, 12, true));
    controls.back().background = Rgb{192, 192, 192};
    controls.back().enabled = false;
    controls.push_back(button("Command4", text(Text::autoStartCaption), 4680, 7920, 1335, 495, 12, true));
    controls.back().background = Rgb{192, 192, 192};
    controls.push_back(control(ControlKind::Coin, "coin_1", text(Text::headsText), 6840, 7920, 480, 480));
    controls.push_back(control(ControlKind::Coin, "coin_2", text(Text::tailsText), 6840, 7920, 480, 480));
    controls.back().visible = false;

    // Heading, result and balance row titles band by band, character for character: the later
    // bands' heading titles end in a blank.
    constexpr int rowTitleNumbers[6][3] = {{2, 4, 12}, {3, 5, 13}, {6, 7, 14}, {8, 9, 15}, {16, 11, 10}, {19, 18, 17}};
    const Text rowTitles[3] = {Text::tossRowTitle, Text::faceRowTitle, Text::balanceRowTitle};
    for (int band = 0; band < 6; ++band) {
        for (int row = 0; row < 3; ++row) {
            const std::string blank = band >= 3 && row == 0 ? " " : "";
            controls.push_back(label(labelName(rowTitleNumbers[band][row]), text(rowTitles[row]) + blank, 240,
                                     600 + 1200 * band + 360 * row, 1815, 375, 15, true));
        }
    }
    // Toss k stands in band (k - 1) / 17, column (k - 1) % 17: its heading, its face, the balance after it, each
    // larger on a projector, as large as its cell holds.
    const auto cellLeft = [](int toss) { return 2040 + 480 * ((toss - 1) % tossesPerBand); };
    const auto bandTop = [](int toss) { return 600 + 1200 * ((toss - 1) / tossesPerBand); };
    for (int toss = 1; toss <= tossCount; ++toss) {
        const std::string number = std::to_string(toss);
        controls.push_back(label("Lab_" + number, number, cellLeft(toss), bandTop(toss), 495, 375, 15, true));
        controls.back().projectorPoints = cellProjectorPoints;
    }
    for (int toss = 1; toss <= tossCount; ++toss) {
        const std::string number = std::to_string(toss);
        controls.push_back(label("Labme_" + number, {}, cellLeft(toss), bandTop(toss) + 360, 495, 375, 15, true, white));
        controls.back().description = text(Text::tossFaceDescription, {{"toss", number}});
        controls.back().projectorPoints = cellProjectorPoints;
    }
    for (int toss = 1; toss <= tossCount; ++toss) {
        const std::string number = std::to_string(toss);
        controls.push_back(label("tm_" + number, {}, cellLeft(toss), bandTop(toss) + 720, 495, 375, 15, true, white));
        controls.back().description = text(Text::tossBalanceDescription, {{"toss", number}});
        controls.back().projectorPoints = cellProjectorPoints;
    }

    // Right of the table, in the width the window takes on while they show: narrow enough that a
    // Full HD screen holds the whole window at 180 %, the size at which the back row reads the answer.
    Control graph = control(ControlKind::Surface, "walkGraph", text(Text::walkGraphCaption), 10560, 600, 5160, 5400, 12);
    graph.background = white;
    graph.visible = false;
    graph.description = text(Text::walkNotYet);
    graph.unitsAcross = walkGraphWidth;
    graph.unitsDown = walkGraphHeight;
    controls.push_back(graph);
    // The answer, on two lines under the graph.
    controls.push_back(label("lowestSoFar", {}, 10560, 6120, 5160, 1080, 22, true, white));
    controls.back().visible = false;
    controls.push_back(changeShare(7560, 7980, 2760, 12));

    window.widestWidth = graph.left + graph.width + panelMargin;
    // Upright, the walk across the window under the buttons, as wide as the table and lower, and the answer under it.
    UprightPlaces upright{13680, {{walkGraph, graph}, {lowestSoFarLabel, controls[lowestSoFarLabel]}}};
    for (auto &[row, place] : upright.rows) {
        place.left = 240;
        place.width = 9960;
    }
    upright.rows[0].second.top = 8760;
    upright.rows[0].second.height = 3600;
    upright.rows[1].second.top = 12480;
    window.upright = upright;

    // The result table, between the buttons at the top and those at the bottom: the walk and the answer
    // stay in sight.
    window.spareForHelp = control(ControlKind::Label, "resultTable", {}, 0, 480, 10470, 7380);
    window.focusOrder = {startButton, quitButton, resetButton, tossButton, stopButton, helpButton};
    window.timers = {Timer{"Timer1", 10}, Timer{"Timer2", 500}, Timer{"Timer3", 750}};
    window.names = {named(quitButton), named(titleLabel), named(helpButton), named(resetButton), named(tossButton),
                    named(stopButton), named(startButton), named(headsCoin), named(tailsCoin),
                    array("headingCells", headingCell(1), tossCount), array("resultCells", resultCell(1), tossCount),
                    array("balanceCells", balanceCell(1), tossCount), named(walkGraph), named(lowestSoFarLabel),
                    named(changeShareLabel),
                    // Rows of the timers, not of the controls.
                    named(TossTimers::spin), named(TossTimers::toss), named(TossTimers::nextCycle)};
    return window;
}

WindowLayout makeBatchWindow(ProgramNumber program)
{
    using namespace BatchControls;
    const ProgramRow &row = programRow(program);
    bool graph = false;
    switch (row.kind) {
    case ProgramKind::Graph: graph = true; break;
    case ProgramKind::Table: break;
    case ProgramKind::Walk: unknownProgram("makeBatchWindow");
    }
    WindowLayout window = ::window("Form1", " " + row.title, graph ? 8325 : 8295, 7680);
    window.program = program;
    auto &controls = window.controls;
    controls.push_back(button("Command2", text(Text::quitCaption), 0, 0, 855, 375, 11.25));
    controls.push_back(label("Label84", heading(program), 1920, 0, 4455, 375, 15.75, true,
                             Rgb{128, 255, 255}));
    controls.push_back(button("Command4", text(Text::helpCaption), 6600, 0, 855, 375, 11.25));
    controls.push_back(button("Command3", text(Text::resetCaption), 7440, 0, 855, 375, 11.25));
    controls.push_back(line(0, 360, 8280, 360));
    controls.push_back(label("Label83", text(Text::copyGuests), 240, 6600, 1455, 375, 14.25, true, white));
    controls.push_back(label("Label82", {}, 1680, 6600, 1095, 375, 14.25, false, white));
    controls.push_back(label("Label4", text(Text::copyMean), 3000, 6840, 2295, 375, 14.25, true, white));
    controls.push_back(label("Label3", {}, 5280, 6840, 1095, 375, 14.25, false, white));
    controls.push_back(label("Label1", text(Text::copyExperiments), 240, 7080, 1455, 375, 14.25, true, white));
    controls.push_back(label("Label2", {}, 1680, 7080, 1095, 375, 14.25, false, white));
    controls.push_back(button("Command1", text(Text::startCaption), 6720, 6720, 1335, 615, 11.25));
    controls.push_back(changeShare(3000, 7260, 3375, 14.25));
    // A value alone says nothing to a screen reader; the caption beside it says what it is. On a projector the
    // settings are as large as the table's numbers, the mean, the lesson's answer, as large as its box holds.
    for (int value : {guestCountValue, meanValue, experimentCountValue}) {
        controls[static_cast<std::size_t>(value)].description = controls[static_cast<std::size_t>(value - 1)].caption;
        controls[static_cast<std::size_t>(value)].projectorPoints = value == meanValue ? 18.75 : cellProjectorPoints;
    }

    if (graph) {
        Control surface = control(ControlKind::Surface, "Picture1", text(Text::frequencyGraphCaption), 120, 600, 8055, 5775);
        surface.description = text(Text::noGraphDescription);
        // Its axes' numbers, on a projector, larger than its other text.
        surface.projectorPoints = 14.25;
        surface.unitsAcross = graphWidth;
        surface.unitsDown = graphHeight;
        controls.push_back(surface);
        window.pictureControl = graphSurface;
        window.names.push_back(named(graphSurface));
    } else {
        // Seven pairs of rows, each a row of headings over a row of count cells; the layout numbers
        // pair 1's labels apart from those of the later pairs.
        constexpr int rowTitleNumber[tablePairs] = {5, 16, 18, 20, 22, 24, 26};
        constexpr int firstHeadingNumber[tablePairs] = {7, 28, 37, 46, 55, 64, 73};
        const int lowestBin = batchRules(program).lowestBin;
        const int bins = binCountFor(lowestBin);
        const auto pairTop = [](int bin) { return 600 + 840 * ((bin - 1) / tableColumns); };
        const auto columnLeft = [](int bin) { return 1560 + 720 * ((bin - 1) % tableColumns); };
        const auto heading = [lowestBin, bins](int bin) {
            if (bin == 1)
                return text(Text::tableBinAtMost, {{"value", std::to_string(lowestBin)}});
            if (bin == bins)
                return text(Text::tableBinAtLeast, {{"value", std::to_string(highestSingleValue)}});
            return std::to_string(lowestBin + bin - 2);
        };
        for (int pair = 0; pair < tablePairs; ++pair) {
            controls.push_back(label(labelName(rowTitleNumber[pair]), text(Text::shortageRowTitle), 240, 600 + 840 * pair, 1335, 375, 14.25));
            controls.push_back(label(labelName(rowTitleNumber[pair] + 1), text(Text::countRowTitle), 240, 960 + 840 * pair, 1335,
                                     375, 14.25));
        }
        for (int bin = 1; bin <= bins; ++bin) {
            const bool endBin = bin == 1 || bin == bins; // in the window's font
            controls.push_back(label(labelName(firstHeadingNumber[(bin - 1) / tableColumns] + (bin - 1) % tableColumns),
                                     heading(bin), columnLeft(bin), pairTop(bin), 735, 375, endBin ? 0 : 14.25));
            controls.back().projectorPoints = cellProjectorPoints;
        }
        for (int bin = 1; bin <= bins; ++bin) {
            controls.push_back(label("dosu_" + std::to_string(bin), {}, columnLeft(bin), pairTop(bin) + 360, 735, 375,
                                     14.25, false, white));
            controls.back().projectorPoints = cellProjectorPoints;
            controls.back().description = text(Text::countCellDescription, {{"heading", heading(bin)}});
        }
        window.names.push_back(array("countCells", countCell(1), bins));
        window.names.push_back({"countTitles", {countTitle(0), countTitle(1), countTitle(2), countTitle(3), countTitle(4),
                                                countTitle(5), countTitle(6)}, true});
    }
    // Right of the table or the graph, level with its top.
    window.sidePanels = PanelPlace{(graph ? 120 + 8055 : 7320 + 735) + panelMargin, 600};
    window.focusOrder = {startButton, quitButton, resetButton, helpButton};
    window.names.insert(window.names.begin(), {named(quitButton), named(titleLabel), named(helpButton), named(resetButton),
                                               named(guestCountValue), named(meanValue), named(experimentCountValue),
                                               named(startButton), named(changeShareLabel)});
    window.announcedRows = {guestCountValue, meanValue, experimentCountValue};
    if (graph)
        window.announcedRows.push_back(graphSurface);
    return window;
}

WindowLayout makeHelpWindow(ProgramNumber program)
{
    WindowLayout window = ::window("Form2", text(Text::helpWindowTitle, {{"title", programRow(program).title}}), 9255, 7440);
    window.program = program;
    window.hasIcon = false;
    window.controls.push_back(button("Command1", text(Text::closeCaption), 8400, 0, 735, 375, 0));
    Control helpText = control(ControlKind::Surface, "Picture1", window.title.substr(1), 120, 480, 9015, 6855, 11.25);
    helpText.background = white;
    // The text is only painted: a screen reader reads it from the description.
    for (const std::string &line : helpLines(program))
        helpText.description += (helpText.description.empty() ? "" : "\n") + line;
    // The inner area, inside the border, in twips.
    helpText.unitsAcross = 9015 - 2 * surfaceBorder;
    helpText.unitsDown = 6855 - 2 * surfaceBorder;
    window.controls.push_back(helpText);
    window.controls.push_back(line(120, 360, 9120, 360));
    window.focusOrder = {HelpControls::closeButton, HelpControls::textSurface};
    window.names = {named(HelpControls::closeButton), named(HelpControls::textSurface)};
    return window;
}

} // namespace

const WindowLayout &tossWindowLayout()
{
    return madeInLanguage(makeTossWindow);
}

const WindowLayout &batchWindowLayout(ProgramNumber program)
{
    const auto &windows = madeInLanguage([] {
        return std::pair{makeBatchWindow(ProgramNumber::Taluno2), makeBatchWindow(ProgramNumber::Taluno3)};
    });
    switch (program) {
    case ProgramNumber::Taluno2: return windows.first;
    case ProgramNumber::Taluno3: return windows.second;
    case ProgramNumber::Taluno1: break;
    }
    unknownProgram("batchWindowLayout");
}

const WindowLayout &helpWindowLayout(ProgramNumber program)
{
    const auto &windows = madeInLanguage([] {
        return std::array<WindowLayout, 3>{makeHelpWindow(ProgramNumber::Taluno1), makeHelpWindow(ProgramNumber::Taluno2),
                          makeHelpWindow(ProgramNumber::Taluno3)};
    });
    switch (program) {
    case ProgramNumber::Taluno1: return windows[0];
    case ProgramNumber::Taluno2: return windows[1];
    case ProgramNumber::Taluno3: return windows[2];
    }
    unknownProgram("helpWindowLayout");
}

const WindowLayout &mainWindowLayout(ProgramNumber program)
{
    switch (programRow(program).kind) {
    case ProgramKind::Walk: return tossWindowLayout();
    case ProgramKind::Table:
    case ProgramKind::Graph: return batchWindowLayout(program);
    }
    unknownProgram("mainWindowLayout");
}
