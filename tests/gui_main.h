#pragma once
// The entry of every test that shows a window: the application is set up as
// the program sets itself up, fonts and all, before the first window exists,
// and its settings (where the views were docked) are its own, empty at start
// and gone at the end, whatever the machine has kept.

#include "ui_common/application_setup.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

inline void useFreshSettings()
{
    static QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
}

#define TIVARO_GUI_TEST_MAIN(TestObject)                                                                               \
    QTEST_MAIN_WRAPPER(TestObject, QTEST_MAIN_SETUP() useFreshSettings(); setUpApplication();)
