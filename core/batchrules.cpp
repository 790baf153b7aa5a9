#include "core/batchrules.h"

namespace {

const SettingRow guestRow{"10以上1000以下の整数を入力してください．．．", " お客人数の設定", "100", 10, 1000};

const BatchRules taluno2{ProgramNumber::Taluno2, guestRow,
                         {"1以上10000以下の整数を入力してください．．．", " 実験回数の設定", "1000", 1, 10000},
                         -57};

const BatchRules taluno3{ProgramNumber::Taluno3, guestRow,
                         {"1以上1000以下の整数を入力してください．．．", " 実験回数の設定", "100", 1, 1000},
                         -114};

} // namespace

const BatchRules &batchRules(ProgramNumber program)
{
    switch (program) {
    case ProgramNumber::Taluno2: return taluno2;
    case ProgramNumber::Taluno3: return taluno3;
    case ProgramNumber::Taluno1: break; // one walk, no batches
    }
    unknownProgram("batchRules");
}
