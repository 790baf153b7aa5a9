#include "helptext.h"

#include <QStringView>

namespace {

struct HelpLine
{
    int blanks; // leading full-width blanks
    const char16_t *text;
};

// The problem and the idea of the experiment, the same in every program.
const HelpLine commonLines[] = {
    {0, u""},
    {1, u"【問　　題】"},
    {8, u"クラス会などの幹事を務めることはありませんか。"},
    {8, u"幹事になったつもりで考えてみてください。"},
    {8, u"仮に、クラス会への参加者人数は３５人で、会費は３５００円であるとします。"},
    {8, u"また、参加者は、１０００円札４枚でお釣りを必要とする人と、１０００円札３枚と"},
    {7, u"５００円玉１枚でお釣りの要らない人の２通りだけであるとします。"},
    {8, u"会費は、会場に到着した者から順に集めて、お釣りの要る人にはその時その場で"},
    {7, u"お釣りの５００円玉を渡します。"},
    {8, u"ただし、経験上、お釣りの要る人と要らない人の割合は半々であるとします。"},
    {8, u"さあ、幹事のあなたはお釣りの５００円玉を何枚用意しておけばよいのでしょうか。"},
    {0, u""},
    {1, u"【実験の考え方】"},
    {8, u"お釣りの必要な人と必要でない人の割合は半々なので、１枚のコインを投げて、"},
    {7, u"表が出たらお釣りの必要でない人が来たと考え、裏が出たらお釣りの必要な人が"},
    {7, u"来たと考えます。"},
    {8, u"つまり、表が出たら３０００円と５００円が支払われるので、５００円玉が１個増える"},
    {7, u"ことになります。"},
    {8, u"また、裏が出たら４０００円が支払われるので、お釣りが必要となり、５００円玉が"},
    {7, u"１個減ることになります。"},
    {0, u""},
};

const HelpLine tossLines[] = {
    {1, u"【操作方法】"},
    {8, u"■コインを投げる実験がコンピュータ上で行えます。"},
    {9, u"［自動開始］ボタンをクリックすると、実験が開始されます。"},
    {9, u"［自動停止］ボタンをクリックすると、実験を停止します。"},
    {9, u"［初期化］ボタンをクリックすると表がクリアーされ、最初から実験をやり直せます。"},
};

const HelpLine tableLines[] = {
    {1, u"【操作方法】"},
    {8, u"■お客人数(クラス会参加人数)と実験回数を指定して、不足枚数(幹事が用意し"},
    {8, u"ておく５００円玉の数)と実験回数との関係を度数分布表で表示します。"},
    {9, u"お客人数の設定と実験回数の設定のウィンドウでは、整数を入力して［ＯＫ］ボ"},
    {8, u"タンをクリックします。"},
    {9, u"［実験開始］ボタンをクリックすると、度数分布を表示します。"},
    {9, u"［初期化］ボタンをクリックすると表がクリアーされ、最初から実験をやり直せます。"},
};

const HelpLine graphLines[] = {
    {1, u"【操作方法】"},
    {8, u"■お客人数(クラス会参加人数)と実験回数を指定して、不足枚数(幹事が用意し"},
    {8, u"ておく５００円玉の数)と実験回数との関係を度数分布グラフで表示します。"},
    {9, u"お客人数の設定と実験回数の設定のウィンドウでは、整数を入力して［ＯＫ］ボ"},
    {8, u"タンをクリックします。"},
    {9, u"［実験開始］ボタンをクリックすると、度数分布グラフを表示します。"},
    {9, u"［初期化］ボタンをクリックすると、グラフがクリアーされ、最初から実験をやり直"},
    {8, u"せます。"},
};

QString lineText(const HelpLine &line)
{
    return QString(line.blanks, QChar(0x3000)) + QStringView(line.text).toString();
}

} // namespace

QStringList helpText(int program)
{
    QStringList lines;
    for (const HelpLine &line : commonLines)
        lines << lineText(line);
    const auto append = [&lines](const auto &section) {
        for (const HelpLine &line : section)
            lines << lineText(line);
    };
    switch (program) {
    case 1: append(tossLines); break;
    case 2: append(tableLines); break;
    default: append(graphLines); break;
    }
    return lines;
}
