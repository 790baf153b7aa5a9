#ifndef LAYOUT_H
#define LAYOUT_H

#include "core/program.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The windows as data: every control with its name, kind, caption, place, font and colours.
// The Qt windows and the web pages both build themselves from these tables.

// Geometry is given in twips; 15 twips make one pixel. At a scale (a desktop window shown larger),
// each edge is rounded on its own, so that controls that meet in the layout meet at every scale.
constexpr int twipsPerPixel = 15;
constexpr int pixelsFromTwips(int twips, double scale = 1.0)
{
    const double pixels = twips * scale / twipsPerPixel;
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

// The pixel size of a font given in points for 96 dots per inch.
inline int fontPixels(double points, double scale = 1.0)
{
    return static_cast<int>(std::lround(points * scale * 96.0 / 72.0));
}

// The sizes a projector uses, from which on the numbers the class reads may take more of their boxes: the back row
// reads the answer's digits at 36 pixels or more, every other number at 28 or more, at the size each program opens
// at on a Full HD screen.
inline constexpr double projectorScale = 1.5;

// The programs' own font, asked for by name; each face substitutes what it has.
inline constexpr const char *fontFamily = "ＭＳ Ｐゴシック";
// The size of text where neither the control nor its window gives one.
inline constexpr double defaultPoints = 9;

struct Rgb
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb &) const = default;
};

// The exact law wherever it stands beside a run: Taluno3's marks, Taluno2's expected counts.
inline constexpr Rgb lawColour{255, 0, 0};

enum class ControlKind {
    Button,
    Label,   // single-line border, centred text
    Line,    // one pixel wide
    Surface, // a sunken drawing surface
    Coin,    // the picture of one face of the coin
};

struct Control
{
    std::string name;    // the control's name in the layout, kept as the widget's object name
    ControlKind kind = ControlKind::Label;
    std::string caption; // a coin: the mark on its face; a surface: what it is called
    // Twips inside the window's client area; a line runs from (left, top) to (left + width, top + height).
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    double points = 0; // 0: the window's font
    // A number the class reads: at a projector's sizes, these points where more than `points`, which its box holds;
    // a surface's numbers beside its axes (its other text keeps its `points`).
    double projectorPoints = 0;
    bool bold = false;
    std::optional<Rgb> background; // unset: the platform's own
    std::optional<Rgb> foreground;
    bool visible = true;
    bool enabled = true;
    std::string description; // what a screen reader is told besides the caption
    // A surface: how many of its units span its inner area across and down.
    double unitsAcross = 0;
    double unitsDown = 0;
};

// Whether a control's numbers take their larger type at a view scale.
inline bool enlargedAt(const Control &control, double scale)
{
    return scale >= projectorScale && control.projectorPoints > control.points;
}

// The points of a control's text at a view scale: its own, or at a projector's sizes its projector points.
inline double pointsAt(const Control &control, double scale)
{
    return enlargedAt(control, scale) ? control.projectorPoints : control.points;
}

// Enlarged, the numbers of a row under an axis are narrowed to this share of their width (in %) to stand apart.
inline constexpr int enlargedAxisRowStretch = 80;

struct Timer
{
    std::string name;
    int periodMs;
};

// Where the side panels of a main window stand (the coins that are enough, the share of c coins), in
// twips: one below the other from (left, top), right of the window's own controls. The window widens
// to hold them while they show, by the widest and a margin.
struct PanelPlace
{
    int left = 0;
    int top = 0;
};
inline constexpr int panelMargin = 120;
// The side panels' text: the coins that are enough as large as the table's numbers, the share of c
// coins larger still.
inline constexpr double panelPoints = 14.25;
inline constexpr double sharePoints = 18;
// The lines under a saved picture that say what it shows.
inline constexpr double captionPoints = 12;
// The faces' drawing, the same on the desktop and in the pages: the sunken border of a drawing surface,
// the ends of a line on it, the resolution of a saved picture and the spacing of its caption.
inline constexpr int surfaceBorder = 30; // twips on each side
enum class LineCap { Flat, Square };
inline constexpr LineCap surfaceLineCap = LineCap::Square; // a line reaches half its width past its ends
inline constexpr int savedPictureScale = 2;
inline int captionLinePixels()
{
    return static_cast<int>(std::lround(fontPixels(captionPoints) * 1.25));
}

// A row of a window's layout by the name the code gives it; the name also reaches the pages, which
// find the row by it. It stands for its row number wherever a number is wanted.
struct NamedRow
{
    int row;
    std::string_view name;
    constexpr operator int() const { return row; }
};

// A row, or an array of rows, of the layout by the name the code gives it ("startButton", "countCells").
struct NamedRows
{
    std::string name;
    std::vector<int> rows;
    bool array = false;
};

// Where rows stand instead on a screen taller than wide (a tablet held upright), in twips, while the
// window has widened for them: under its table rather than beside it, the window no wider than its
// layout and as tall as `height`. The pages follow it; the desktop's windows stand on wide screens.
struct UprightPlaces
{
    int height = 0;
    std::vector<std::pair<int, Control>> rows;
};

struct WindowLayout
{
    ProgramNumber program = ProgramNumber::Taluno1;
    std::string name;  // "Form1", "Form2"
    std::string title; // begins with one half-width blank
    int width = 0;     // client area, twips
    int height = 0;
    double points = 0;        // the window's font; 0: the default
    bool hasIcon = true;
    std::vector<Control> controls; // in the order they are made: a later one lies above an earlier one
    std::vector<int> focusOrder;   // the order of the keyboard focus; the first has it when the window opens
    std::vector<Timer> timers;
    std::vector<NamedRows> names;  // the rows the programs' code names, for faces in other languages

    // Main windows only.
    std::optional<int> pictureControl;    // what 画像を保存 saves, if not the whole window
    std::vector<int> announcedRows;       // what a screen reader hears after a run: values with their captions, pictures
    std::optional<PanelPlace> sidePanels; // Taluno2 and Taluno3
    // Where a help window may lie over the window when the screen has no room beside it, in twips:
    // what the lesson can do without while the help is read. Unset: nowhere.
    std::optional<Control> spareForHelp;
    // Twips: the width while what stands beside the controls shows (Taluno1's walk), for which a window's
    // first size leaves room; the side panels, as wide as their text, widen it further.
    int widestWidth = 0;
    std::optional<UprightPlaces> upright;
};

// Taluno1's main window: buttons, the 100-toss result table in six bands, and the coin.
const WindowLayout &tossWindowLayout();
// The main window of Taluno2 (a frequency table) or Taluno3 (a frequency graph).
const WindowLayout &batchWindowLayout(ProgramNumber program);
// The help window of each program.
const WindowLayout &helpWindowLayout(ProgramNumber program);
// The main window of any program.
const WindowLayout &mainWindowLayout(ProgramNumber program);

// Rows of Taluno1's main window.
namespace TossControls {
inline constexpr NamedRow quitButton{0, "quitButton"};  // 終了
inline constexpr NamedRow titleLabel{1, "titleLabel"};
inline constexpr NamedRow helpButton{2, "helpButton"};  // HELP
inline constexpr NamedRow resetButton{3, "resetButton"}; // 初期化
inline constexpr int rule = 4;
inline constexpr NamedRow tossButton{5, "tossButton"};  // コイン止まる: the toss, never shown
inline constexpr NamedRow stopButton{6, "stopButton"};  // 自動停止
inline constexpr NamedRow startButton{7, "startButton"}; // 自動開始
inline constexpr NamedRow headsCoin{8, "headsCoin"};
inline constexpr NamedRow tailsCoin{9, "tailsCoin"};
inline constexpr int tossCount = 100;
inline constexpr int tossesPerBand = 17;
inline constexpr int firstRowTitle = 10; // three a band: heading, result and balance rows
constexpr int headingCell(int toss) { return firstRowTitle + 18 + toss - 1; }
constexpr int resultCell(int toss) { return headingCell(tossCount) + toss; }
constexpr int balanceCell(int toss) { return resultCell(tossCount) + toss; }
// The walk as a line beside the table, and the lowest balance so far under it: hidden until asked for.
inline constexpr NamedRow walkGraph{balanceCell(tossCount) + 1, "walkGraph"};
inline constexpr NamedRow lowestSoFarLabel{walkGraph + 1, "lowestSoFarLabel"};
// The share of guests who need change, hidden while it is one half.
inline constexpr NamedRow changeShareLabel{lowestSoFarLabel + 1, "changeShareLabel"};
} // namespace TossControls

// Taluno1's timers.
namespace TossTimers {
inline constexpr NamedRow spin{0, "spinTimer"}; // flips the coin pictures
inline constexpr NamedRow toss{1, "tossTimer"}; // stops the coin: the toss
inline constexpr NamedRow nextCycle{2, "nextCycleTimer"}; // starts the next spin
} // namespace TossTimers

// Rows of the main window of Taluno2 and Taluno3.
namespace BatchControls {
inline constexpr NamedRow quitButton{0, "quitButton"};  // 終了
inline constexpr NamedRow titleLabel{1, "titleLabel"};
inline constexpr NamedRow helpButton{2, "helpButton"};  // HELP
inline constexpr NamedRow resetButton{3, "resetButton"}; // 初期化
inline constexpr int rule = 4;
inline constexpr int guestCaption = 5;
inline constexpr NamedRow guestCountValue{6, "guestCountValue"};
inline constexpr int meanCaption = 7;
inline constexpr NamedRow meanValue{8, "meanValue"};
inline constexpr int experimentCaption = 9;
inline constexpr NamedRow experimentCountValue{10, "experimentCountValue"};
inline constexpr NamedRow startButton{11, "startButton"}; // 実験開始
// The share of guests who need change, under the mean, hidden while it is one half.
inline constexpr NamedRow changeShareLabel{12, "changeShareLabel"};
inline constexpr NamedRow graphSurface{13, "graphSurface"}; // Taluno3
// Taluno2's table: row titles, then the headings, then the count cells, each in bin order.
inline constexpr int firstTableRowTitle = 13;
inline constexpr int tableColumns = 9;
inline constexpr int tablePairs = 7;
constexpr int countTitle(int pair) { return firstTableRowTitle + 2 * pair + 1; } // pair 0 first
constexpr int headingOfBin(int bin) { return firstTableRowTitle + 2 * tablePairs + bin - 1; }
constexpr int countCell(int bin) { return headingOfBin(tableColumns * tablePairs) + bin; }
} // namespace BatchControls

// Rows of the help window.
namespace HelpControls {
inline constexpr NamedRow closeButton{0, "closeButton"}; // 閉じる
inline constexpr NamedRow textSurface{1, "textSurface"};
inline constexpr int rule = 2;
} // namespace HelpControls

#endif
