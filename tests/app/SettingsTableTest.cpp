// The one table of stored settings values: the constructor gives each field
// the default of its row.
#include "app/settings/Settings.h"

#include <gtest/gtest.h>

TEST(SettingsTable, ConstructedRecordHoldsEveryDefault)
{
    Settings constructed;
    size_t count = 0;
    const SettingsValue* values = Settings::Values(count);
    for (size_t i = 0; i < count; ++i) {
        const SettingsValue& v = values[i];
        SCOPED_TRACE(v.name);
        EXPECT_EQ(&v, Settings::FindValue(v.name));
        if (v.isText()) EXPECT_EQ(v.textDefault, constructed.*v.textField);
        else if (v.signedField) EXPECT_EQ(int32_t(v.numberDefault), constructed.*v.signedField);
        else EXPECT_EQ(v.numberDefault, constructed.*v.unsignedField);
    }
    EXPECT_EQ(nullptr, Settings::FindValue("RealTimeEncode"));  // held, never stored
}
