// Which files share the answer of their extension and which are asked
// one by one, because their icon is their own.
#include "app/browser/FileTypeCache.h"

#include <gtest/gtest.h>

namespace {

TEST(FileTypeCache, FilesWithAnIconOfTheirOwnAreAskedOneByOne)
{
    const struct {
        const char* name;
        const char* key;  // empty: asked itself
    } rows[] = {
        {"song.mid", ".mid"}, {"SONG.MID", ".MID"}, {"a.b.txt", ".txt"}, {"tool.exe", ""},
        {"TOOL.EXE", ""},     {"face.ico", ""},     {"link.lnk", ""},    {"arrow.cur", ""},
        {"busy.ani", ""},     {"saver.scr", ""},    {"old.pif", ""},     {"site.url", ""},
        {"noextension", ""},  {".hidden", ""},      {"dot.", ""},        {"kana.\x83\x7e", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(FileTypeCache::KeyOf(row.name), row.key) << row.name;
    // And so are the files of a type whose registered icon is each file's own.
    const struct {
        const char* extension;
        const char* icon;
        bool fromFile;
    } types[] = {{".vlmtesta", "%1", true}, {".vlmtestb", "\"%1\",0", true}, {".vlmtestc", "shell32.dll,3", false}};
    for (const auto& row : types) {
        const std::string type = std::string("velmora.test") + row.extension;
        RegSetKeyValueA(HKEY_CLASSES_ROOT, row.extension, nullptr, REG_SZ, type.c_str(), DWORD(type.size() + 1));
        RegSetKeyValueA(HKEY_CLASSES_ROOT, (type + "\\DefaultIcon").c_str(), nullptr, REG_SZ, row.icon,
                        DWORD(strlen(row.icon) + 1));
        EXPECT_EQ(FileTypeCache::IconFromFile(row.extension), row.fromFile) << row.extension;
        RegDeleteTreeA(HKEY_CLASSES_ROOT, type.c_str());
        RegDeleteTreeA(HKEY_CLASSES_ROOT, row.extension);
    }
    EXPECT_FALSE(FileTypeCache::IconFromFile(".vlmunregistered"));
}

}  // namespace
