#include "common/ColumnTable.h"

// Half-width katakana where the header must stay narrow.
const ColumnInfo kColumns[kColumnCount] = {
    {"名前", false},        {"種類", false},     {"サイズ", true},   {"作成日時", false},
    {"更新日時", false},    {"最終ｱｸｾｽ日", false}, {"属性", true},     {"DOS名", false},
    {"会社名", false},      {"説明", false},     {"ﾊﾞｰｼﾞｮﾝ", false}, {"内部名", false},
    {"著作権", false},      {"正式ﾌｧｲﾙ名", false}, {"製品名", false},   {"製品ﾊﾞｰｼﾞｮﾝ", false},
    {"パス", false},
};
