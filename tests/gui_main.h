#pragma once
// The entry of every test that shows a window: the application is set up as
// the program sets itself up, fonts and all, before the first window exists.

#include "ui_common/application_setup.h"

#include <QApplication>
#include <QTest>

#define TIVARO_GUI_TEST_MAIN(TestObject) QTEST_MAIN_WRAPPER(TestObject, QTEST_MAIN_SETUP() setUpApplication();)
