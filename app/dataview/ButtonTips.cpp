#include "app/dataview/ButtonTips.h"

#include "resources/resource.h"

namespace {

struct Tip {
    UINT id;
    const char* text;
};

constexpr Tip kTips[] = {
    {IDM_BACK, "戻る"},
    {IDM_FORWARD, "進む"},
    {IDM_UP, "上のフォルダーへ"},
    {IDM_TREEVIEW, "フォルダーツリー"},
    {IDM_DATAVIEW, "データビュー"},
    {IDM_STATUSBAR, "ステータスバー"},
    {IDM_MIDIONLY, "MIDI ファイルだけを表示"},
    {IDM_OPTION_CHANNELS, "オプションのチャンネル"},
    {IDM_COPY, "コピー"},
    {IDM_COMPLETE_READING, "完全読み込み"},
    {IDM_NORMALIZE_RESOLUTION, "480 に揃える"},
};

}  // namespace

std::string ButtonTip(UINT id)
{
    if (id >= IDM_CHANNEL_FIRST && id <= IDM_CHANNEL_LAST)
        return "チャンネル " + std::to_string(id - IDM_CHANNEL_FIRST + 1);
    for (const Tip& tip : kTips)
        if (tip.id == id) return tip.text;
    return std::string();
}

bool AnswerButtonTip(NMHDR* header)
{
    if (!header || header->code != TTN_GETDISPINFOA) return false;
    const std::string tip = ButtonTip(UINT(header->idFrom));
    if (tip.empty()) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    lstrcpynA(info->szText, tip.c_str(), sizeof info->szText);
    info->lpszText = info->szText;
    info->hinst = nullptr;
    return true;
}
