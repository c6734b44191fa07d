// The saved inputs in their INI file: every stored property comes back as it was written, the
// properties sit at the top level, older files without the doors' vibration selector still load, and
// a file that cannot be read is an error.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>

#include <string>
#include <unistd.h>

#include "prices/form_storage.h"
#include "support/config_dir.h"

namespace {

using prices::FormStorage;
using prices::StoredValues;

// A value for every stored property, including characters that INI files quote or escape.
StoredValues AllValues() {
    StoredValues values;
    int n = 0;
    for (const char* key : prices::kStoredProperties)
        values[key] = "v" + std::to_string(++n);
    values["EdFloorL.Text"] = "1500 ";
    values["EdFloorW.Text"] = "     ";
    values["EdHoodL.Text"] = "";
    values["CbHoodNoise.Text"] = "ФН ЛМ 12,5";
    values["CbDoorVibro.Text"] = "КД duo-lam 2.7";
    values["CbRoofVibro.Text"] = "КД plus 2";
    values["ChSeal.Checked"] = "true";
    values["SpNumDoors.Value"] = "4";
    values["StStorePrice.Caption"] = "150:0;0:12,5;0:0;";
    values["CbTailGateHeat.Text"] = "a=b \"quoted\" #hash \\slash";
    return values;
}

class Storage : public ::testing::Test {
  protected:
    testsupport::ScopedConfigDir config;
    QString File() const { return config.Path() + QStringLiteral("/inputs.ini"); }
};

TEST_F(Storage, EveryStoredPropertyComesBack) {
    const StoredValues values = AllValues();
    ASSERT_EQ(values.size(), 28u);
    FormStorage(File()).Store(values);
    EXPECT_EQ(FormStorage(File()).Restore(), values);
}

TEST_F(Storage, PropertiesAreStoredAtTheTopLevel) {
    FormStorage(File()).Store(AllValues());
    QSettings raw(File(), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("CbRoofVibro.Text")).toString(), QStringLiteral("КД plus 2"));
    EXPECT_EQ(raw.value(QStringLiteral("StStorePrice.Caption")).toString(),
              QStringLiteral("150:0;0:12,5;0:0;"));
    QFile file(File());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("[General]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nEdRoofL.Text="))) << text.toStdString();
}

TEST_F(Storage, FileWithoutTheDoorsVibrationSelectorStillLoads) {
    StoredValues older = AllValues();
    older.erase("CbDoorVibro.Text");
    FormStorage(File()).Store(older);
    const StoredValues restored = FormStorage(File()).Restore();
    EXPECT_EQ(restored, older);
    EXPECT_EQ(restored.count("CbDoorVibro.Text"), 0u);
}

TEST_F(Storage, HandWrittenQuotedValuesAreTakenWhole) {
    QFile file(File());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\n"
               "EdRoofL.Text=1500\n"
               "CbHoodNoise.Text=\"\xD0\xA4\xD0\x9D \xD0\x9B\xD0\x9C 12,5\"\n"
               "StStorePrice.Caption=\"0:0;7:8;\"\n");
    file.close();
    const StoredValues restored = FormStorage(File()).Restore();
    EXPECT_EQ(restored, (StoredValues{{"EdRoofL.Text", "1500"},
                                      {"CbHoodNoise.Text", "ФН ЛМ 12,5"},
                                      {"StStorePrice.Caption", "0:0;7:8;"}}));
}

TEST_F(Storage, NothingStoredGivesNoValues) {
    EXPECT_TRUE(FormStorage().Restore().empty());
    EXPECT_TRUE(FormStorage(File()).Restore().empty());
}

TEST_F(Storage, UserStorageLivesInTheConfigurationDirectory) {
    FormStorage().Store(AllValues());
    EXPECT_TRUE(QFile::exists(config.IniFile()));
    EXPECT_EQ(FormStorage(config.IniFile()).Restore(), AllValues());
    EXPECT_EQ(FormStorage().Restore(), AllValues());
}

TEST_F(Storage, PlacementComesBack) {
    const QByteArray placement("\x01\x02geometry\xff", 12);
    FormStorage(File()).StorePlacement(placement);
    EXPECT_EQ(FormStorage(File()).Placement(), placement);
    EXPECT_TRUE(FormStorage(File()).Restore().empty()) << "the placement is no stored property";
}

TEST_F(Storage, DirectoryInPlaceOfTheFileIsAnError) {
    const QString dir = config.Path() + QStringLiteral("/not-a-file.ini");
    ASSERT_TRUE(QDir().mkpath(dir));
    EXPECT_THROW(FormStorage(dir).Restore(), prices::StorageError);
    EXPECT_THROW(FormStorage(dir).Store(AllValues()), prices::StorageError);
}

TEST_F(Storage, UnreadableFileIsAnError) {
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not deny reading to root";
    FormStorage(File()).Store(AllValues());
    ASSERT_TRUE(QFile::setPermissions(File(), QFileDevice::Permissions{}));
    EXPECT_THROW(FormStorage(File()).Restore(), prices::StorageError);
    QFile::setPermissions(File(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace
