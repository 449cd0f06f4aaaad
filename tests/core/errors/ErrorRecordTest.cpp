#include "core/errors/ErrorRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(ErrorRecord, CodesGetBit29AndTextsTheirArguments)
{
    ErrorRecord record;
    EXPECT_EQ(0x20000005u, SetError(record, 0x20000005, "b.mid", "midiファイル"));
    EXPECT_EQ(0x20000005u, record.code);
    EXPECT_LT(std::string(record.text).find("b.mid"), std::string(record.text).find("midiファイル"));
    // Bit 28 as well as bit 29: unchanged, and unsupported.
    EXPECT_EQ(0x30000001u, SetError(record, 0x30000001));
    EXPECT_STREQ("サポートされていないエラーコード 0x30000001 が渡されました。", record.text);
    // Long arguments are cut to the buffer.
    EXPECT_EQ(0x20000006u, SetError(record, 6, std::string(5000, 'p').c_str()));
    EXPECT_EQ(ErrorRecord::kTextSize - 1, std::strlen(record.text));
}
