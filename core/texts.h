#ifndef TEXTS_H
#define TEXTS_H

#include "core/batchengine.h"
#include "core/program.h"

#include <optional>
#include <string>
#include <vector>

// A whole number of zero or more in full-width digits: 60 as "６０".
std::string fullWidthNumber(int number);

// The share of guests who need change as the window, the copied text and the captions say it:
// "お釣りの要る人：60%".
std::string changePercentText(int changePercent);
// The same where a run says it: not at one half, the share of the problem as posed, unless `always`.
std::optional<std::string> changePercentNote(int changePercent, bool always = false);

// The help text of a program, one entry a line, each with its leading full-width blanks; where the share of
// guests who need change is not one half, a line under the problem's says which share is in use.
std::vector<std::string> helpLines(ProgramNumber program, int changePercent = fairChangePercent);

// The question of 終了 and its title.
inline constexpr const char *quitQuestion = "終了していいですか？";
inline constexpr const char *quitTitle = "Talunoの実験";
// After an empty answer to a settings prompt: the same question under its own title.
inline constexpr const char *confirmEndTitle = "確認";

// The faces of the coin, as the result table shows them.
inline constexpr const char *headsText = "表";
inline constexpr const char *tailsText = "裏";

// 画像を保存 where the picture could not be written, followed by the path on a line of its own.
inline constexpr const char *saveFailedText = "画像を保存できませんでした";
// 結果をコピー before there is anything to copy.
inline constexpr const char *nothingToCopyText = "コピーする結果がまだありません。実験をしてから選んでください。";

// Taluno2's count rows, and the note under their titles while the exact law's expected counts stand under
// the counts.
inline constexpr const char *countTitleText = "度　　数";
inline constexpr const char *lawCountTitle = "理論度数";

// c枚用意したら？: the number of coins to try.
inline constexpr const char *shareCoinsPrompt = "用意する500円玉の枚数を、0以上お客人数以下の整数で入力してください．．．";
inline constexpr const char *shareCoinsTitle = " c枚用意したら？";

// お釣りの要る人の割合: the share of guests who need change, in whole percent.
inline constexpr const char *changePercentPrompt = "お釣りの要る人の割合（%）を、1以上99以下の整数で入力してください．．．";
inline constexpr const char *changePercentTitle = " お釣りの要る人の割合";

// クラスの結果をまとめる: the class's results, pasted or typed.
inline constexpr const char *poolPrompt = "クラスの結果を貼り付けるか入力してください。\n"
                                          "実験１の最低の釣り銭枚数の並び（空白・コンマ・改行で区切る）、\n"
                                          "または実験１～３の「結果をコピー」でコピーしたものが使えます．．．";
inline constexpr const char *poolTitle = " クラスの結果をまとめる";
// The most characters the box takes: a class's results are far fewer, and a box beyond it would take the window
// for seconds. A paste beyond it is refused with this line.
inline constexpr int pastedCharactersMost = 1'000'000;
inline constexpr const char *tooMuchPastedText = "貼り付けたものが長すぎます（100万文字まで）。";

// What the graph's description says while it shows no run.
inline constexpr const char *noGraphDescription = "グラフなし";

// ---- Refusals of the class's pasted results --------------------------------------------------------------

struct PoolFailure;

// What the teacher is told of a refusal, quoting its values; empty for RefusalKind::None.
std::string refusalText(const PoolFailure &refusal);

#endif
