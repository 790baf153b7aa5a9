#include "core/texts.h"

#include "core/classresults.h"

#include <span>
#include <string_view>

namespace {

struct HelpLine
{
    int blanks; // leading full-width blanks
    const char *text;
};

// The problem, the same in every program: where the share of guests who need change is not one half, a line
// under the one that says half and half says which share is in use, in place of the blank line under the problem,
// so that the text still fits its window.
const HelpLine problemLines[] = {
    {0, ""},
    {1, "【問　　題】"},
    {8, "クラス会などの幹事を務めることはありませんか。"},
    {8, "幹事になったつもりで考えてみてください。"},
    {8, "仮に、クラス会への参加者人数は３５人で、会費は３５００円であるとします。"},
    {8, "また、参加者は、１０００円札４枚でお釣りを必要とする人と、１０００円札３枚と"},
    {7, "５００円玉１枚でお釣りの要らない人の２通りだけであるとします。"},
    {8, "会費は、会場に到着した者から順に集めて、お釣りの要る人にはその時その場で"},
    {7, "お釣りの５００円玉を渡します。"},
    {8, "ただし、経験上、お釣りの要る人と要らない人の割合は半々であるとします。"},
};
const HelpLine questionLines[] = {
    {8, "さあ、幹事のあなたはお釣りの５００円玉を何枚用意しておけばよいのでしょうか。"},
};
constexpr int shareNoteBlanks = 8;

// The idea of the experiment, the same in every program.
const HelpLine ideaLines[] = {
    {1, "【実験の考え方】"},
    {8, "お釣りの必要な人と必要でない人の割合は半々なので、１枚のコインを投げて、"},
    {7, "表が出たらお釣りの必要でない人が来たと考え、裏が出たらお釣りの必要な人が"},
    {7, "来たと考えます。"},
    {8, "つまり、表が出たら３０００円と５００円が支払われるので、５００円玉が１個増える"},
    {7, "ことになります。"},
    {8, "また、裏が出たら４０００円が支払われるので、お釣りが必要となり、５００円玉が"},
    {7, "１個減ることになります。"},
    {0, ""},
};

// Where the lesson's extras are, which the windows do not show: every program's help ends with it.
constexpr HelpLine menuLine{8, "■右クリック（タブレットでは長押し）で、授業のメニューが開きます。"};

const HelpLine tossLines[] = {
    {1, "【操作方法】"},
    {8, "■コインを投げる実験がコンピュータ上で行えます。"},
    {9, "［自動開始］ボタンをクリックすると、実験が開始されます。"},
    {9, "［自動停止］ボタンをクリックすると、実験を停止します。"},
    {9, "［初期化］ボタンをクリックすると表がクリアーされ、最初から実験をやり直せます。"},
    menuLine,
};

const HelpLine tableLines[] = {
    {1, "【操作方法】"},
    {8, "■お客人数(クラス会参加人数)と実験回数を指定して、不足枚数(幹事が用意し"},
    {8, "ておく５００円玉の数)と実験回数との関係を度数分布表で表示します。"},
    {9, "お客人数の設定と実験回数の設定のウィンドウでは、整数を入力して［ＯＫ］ボ"},
    {8, "タンをクリックします。"},
    {9, "［実験開始］ボタンをクリックすると、度数分布を表示します。"},
    {9, "［初期化］ボタンをクリックすると表がクリアーされ、最初から実験をやり直せます。"},
    menuLine,
};

const HelpLine graphLines[] = {
    {1, "【操作方法】"},
    {8, "■お客人数(クラス会参加人数)と実験回数を指定して、不足枚数(幹事が用意し"},
    {8, "ておく５００円玉の数)と実験回数との関係を度数分布グラフで表示します。"},
    {9, "お客人数の設定と実験回数の設定のウィンドウでは、整数を入力して［ＯＫ］ボ"},
    {8, "タンをクリックします。"},
    {9, "［実験開始］ボタンをクリックすると、度数分布グラフを表示します。"},
    {9, "［初期化］ボタンをクリックすると、グラフがクリアーされ、最初から実験をやり直"},
    {8, "せます。"},
    menuLine,
};

// A line with its leading full-width blanks.
std::string indented(int blanks, std::string_view text)
{
    std::string line;
    for (int i = 0; i < blanks; ++i)
        line += "\u3000"; // a full-width blank
    return line.append(text);
}

void append(std::vector<std::string> &lines, std::span<const HelpLine> part)
{
    for (const HelpLine &line : part)
        lines.push_back(indented(line.blanks, line.text));
}

std::span<const HelpLine> operatingLines(ProgramNumber program)
{
    switch (program) {
    case ProgramNumber::Taluno1: return tossLines;
    case ProgramNumber::Taluno2: return tableLines;
    case ProgramNumber::Taluno3: return graphLines;
    }
    unknownProgram("helpLines");
}

} // namespace

std::string fullWidthNumber(int number)
{
    std::string text;
    for (const char digit : std::to_string(number))
        text += {'\xEF', '\xBC', static_cast<char>(0x90 + digit - '0')};
    return text;
}

std::string changePercentText(int changePercent)
{
    return "お釣りの要る人：" + std::to_string(changePercent) + "%";
}

std::optional<std::string> changePercentNote(int changePercent, bool always)
{
    if (changePercent == fairChangePercent && !always)
        return std::nullopt;
    return changePercentText(changePercent);
}

std::vector<std::string> helpLines(ProgramNumber program, int changePercent)
{
    std::vector<std::string> lines;
    append(lines, problemLines);
    const bool noted = changePercentNote(changePercent).has_value();
    if (noted)
        lines.push_back(indented(shareNoteBlanks, "（いまは、お釣りの要る人の割合を" + fullWidthNumber(changePercent) + "％にしています。）"));
    append(lines, questionLines);
    if (!noted)
        lines.emplace_back();
    append(lines, ideaLines);
    append(lines, operatingLines(program));
    return lines;
}

// ---- Refusals of the class's pasted results --------------------------------------------------------------

namespace {

// A number as a refusal writes it, with the minus sign U+2212.
std::string signedText(long long value)
{
    return value < 0 ? "−" + std::to_string(-value) : std::to_string(value);
}

} // namespace

std::string refusalText(const PoolFailure &refusal)
{
    const std::string line = std::to_string(refusal.line);
    const std::string found = std::to_string(refusal.found);
    const std::string expected = std::to_string(refusal.expected);
    const std::string where = "（" + std::to_string(refusal.expectedLine) + "行目）と";
    switch (refusal.kind) {
    case RefusalKind::None: return {};
    case RefusalKind::TooMuchPasted: return tooMuchPastedText;
    case RefusalKind::NothingToPool: return "まとめる結果がありません。";
    case RefusalKind::Unreadable: return line + "行目が読めません：「" + refusal.quoted + "」";
    case RefusalKind::NumberUnclear: return line + "行目は、どの数が結果か分かりません：「" + refusal.quoted + "」";
    case RefusalKind::LowestOutOfRange:
        return line + "行目の" + signedText(refusal.found) + "は、お客人数" + expected + "人の不足枚数になりません（−" + expected + "以上1以下）。";
    case RefusalKind::MixedGuests:
        return "お客人数の違う結果はまとめられません：" + expected + "人" + where + found + "人（" + line + "行目）。";
    case RefusalKind::MixedShares:
        return "お釣りの要る人の割合の違う結果はまとめられません：" + expected + "%" + where + found + "%（" + line + "行目）。";
    case RefusalKind::TableUnreadable: return line + "行目からの表が読めません。";
    case RefusalKind::CountsMismatch: return line + "行目からの表の度数の合計（" + found + "）が実験回数（" + expected + "）と合いません。";
    case RefusalKind::TooManyExperiments: return "実験回数の合計が多すぎます（" + expected + "回まで）。";
    }
    unknownChoice("refusalText", "refusal kind " + std::to_string(static_cast<int>(refusal.kind)));
}
