#include "settingsprompt.h"

#include "modalboxes.h"
#include "numberreader.h"
#include "seams.h"

namespace {

SettingRow guestRow()
{
    return {QStringLiteral("10以上1000以下の整数を入力してください．．．"), QStringLiteral(" お客人数の設定"),
            QStringLiteral("100"), 10, 1000};
}

SettingRow experimentRow(int highest, const QString &defaultText)
{
    return {QStringLiteral("1以上%1以下の整数を入力してください．．．").arg(highest), QStringLiteral(" 実験回数の設定"),
            defaultText, 1, highest};
}

} // namespace

SettingRows taluno2Rows()
{
    return {guestRow(), experimentRow(10000, QStringLiteral("1000"))};
}

SettingRows taluno3Rows()
{
    return {guestRow(), experimentRow(1000, QStringLiteral("100"))};
}

std::optional<int> askSetting(const Seams &seams, const SettingRow &row)
{
    for (;;) {
        const QString answer = seams.boxes.inputBox(row.prompt, row.title, row.defaultText);
        if (answer.isEmpty()) {
            if (seams.boxes.askYesNo(QStringLiteral("終了していいですか？"), QStringLiteral("確認"))) {
                seams.endProgram();
                return std::nullopt;
            }
            continue;
        }
        if (const auto setting = acceptSetting(answer.toStdString(), row.lowest, row.highest))
            return setting;
    }
}
