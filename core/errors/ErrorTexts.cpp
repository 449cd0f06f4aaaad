#include "core/errors/ErrorTexts.h"

const char kUnsupportedErrorTemplate[] =
    "サポートされていないエラーコード 0x%08x が渡されました。";

const char* ErrorTemplate(unsigned id)
{
    switch (id) {
    case 1: return "ファイル %s は既に開かれています。";
    case 2: return "ファイルが開かれていません。";
    case 3: return "ファイル %s を読み込めませんでした。";
    case 4: return "ファイル %s に書き込めませんでした。";
    case 5: return "ファイル %s は%sではありません。";
    case 6: return "ファイル %s を開けませんでした。";
    case 7: return "ファイル %s の形式には対応していません。";
    default: return "";
    }
}
