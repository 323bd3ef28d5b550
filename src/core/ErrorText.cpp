#include "core/ErrorText.h"

#include <cerrno>

namespace tintorb {

std::string SystemErrorText(int err) {
  switch (err) {
    case ENOSPC:
      return "ディスクの空き容量が足りません";
    case EDQUOT:
      return "ディスクの使用量の上限を超えています";
    case EROFS:
      return "読み取り専用のファイルシステムです";
    case EACCES:
    case EPERM:
      return "アクセスが拒否されました";
    case ENOENT:
      return "ファイルまたはフォルダが見つかりません";
    case ENOTDIR:
      return "途中の名前がフォルダではありません";
    case EISDIR:
      return "フォルダです";
    case EEXIST:
      return "同じ名前のファイルが既にあります";
    case ENAMETOOLONG:
      return "ファイル名が長すぎます";
    case ELOOP:
      return "シンボリックリンクが多すぎます";
    case EIO:
      return "入出力エラーが発生しました";
    case EFBIG:
      return "ファイルが大きすぎます";
    case EMFILE:
    case ENFILE:
      return "開いているファイルが多すぎます";
    case EBUSY:
    case ETXTBSY:
      return "ファイルが使用中です";
    case EXDEV:
      return "別のファイルシステムには移動できません";
    case EBADF:
      return "ファイルが開かれていません";
    default:
      return "システムエラー " + std::to_string(err);
  }
}

}  // namespace tintorb
