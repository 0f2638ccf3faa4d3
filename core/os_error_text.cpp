#include "core/os_error_text.h"

#include <cerrno>

namespace qvr {

std::string OsErrorText(int err)
{
    // The failures a game folder meets in practice: a full or read-only
    // disk, missing rights, a folder where a file should be.
    switch (err) {
    case ENOSPC:
        return "ディスクの空きがありません";
    case EDQUOT:
        return "ディスクの使用量の上限を超えました";
    case EACCES:
    case EPERM:
        return "その場所を使う許可がありません";
    case EROFS:
        return "読み出し専用の場所です";
    case EIO:
        return "ディスクの読み書きでエラーが起きました";
    case ENOENT:
        return "見つかりません";
    case ENOTDIR:
        return "途中にフォルダでないものがあります";
    case EISDIR:
        return "同じ名前のフォルダがあります";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます";
    case ENAMETOOLONG:
        return "名前が長すぎます";
    case EFBIG:
        return "ファイルが大きすぎます";
    case EBUSY:
    case ETXTBSY:
        return "使用中です";
    case ELOOP:
        return "シンボリックリンクがたどれません";
    case EXDEV:
        return "別のディスクをまたいでいます";
    default:
        return "システムのエラー（番号 " + std::to_string(err) + "）";
    }
}

} // namespace qvr
