#include <QString>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "../core/temp_folder.h"
#include "ui/qt_settings.h"

using namespace qvr;
using namespace qvr::test;

TEST(QtSettings, WindowGeometryUnderAJapaneseTitleSurvivesARestart)
{
    // Qt reads the user's configuration folder once, at the first QSettings,
    // so the folder lives as long as the test program.
    static TempFolder dir;
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    {
        QtSettingsStore store;
        store.setValue("Version", "Major", "1");
        store.setValue("迷宮　地下１階", "Width", "7200");
        store.setValue("zedure", "Left", "-120");
    }
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "QVR" / "QVR.conf"));

    QtSettingsStore again;
    EXPECT_EQ(again.value("Version", "Major"), "1");
    EXPECT_EQ(again.number("迷宮　地下１階", "Width", 5000), 7200);
    EXPECT_EQ(again.number("zedure", "Left", 100), -120);
    EXPECT_EQ(again.value("zedure", "Top"), std::nullopt);
    EXPECT_EQ(again.number("zedure", "Top", 100), 100);
    EXPECT_EQ(again.value("迷宮　地下２階", "Width"), std::nullopt);
}

TEST(QtSettings, AFileOfItsOwnKeepsSectionsApart)
{
    TempFolder dir;
    QString path = QString::fromStdString((dir.path() / "settings.ini").string());
    {
        QtSettingsStore store(path);
        store.setValue("設定", "Left", "10");
        store.setValue("zedure", "Left", "20");
    }
    QtSettingsStore again(path);
    EXPECT_EQ(again.value("設定", "Left"), "10");
    EXPECT_EQ(again.value("zedure", "Left"), "20");
}
