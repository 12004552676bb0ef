// How errors end a user action and reach the user, once.

#include "gui_fixture.h"

#include "ui_common/user_action.h"

#include <QTest>

class ErrorReportTest : public QObject {
    Q_OBJECT
private slots:
    void fullStopRule_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Floating point overflow"
                                << "Floating point overflow.";
        QTest::newRow("digit") << "abc 1"
                               << "abc 1.";
        QTest::newRow("full stop") << "Done."
                                   << "Done.";
        QTest::newRow("bracket") << "(x)"
                                 << "(x)";
        QTest::newRow("blank") << "ends in a blank "
                               << "ends in a blank ";
        QTest::newRow("apostrophe") << "'' is not"
                                    << "'' is not.";
        QTest::newRow("quote") << "x'"
                               << "x'";
        QTest::newRow("empty") << ""
                               << "";
    }
    void fullStopRule()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(report::withFullStop(message), shown);
    }

    void titleComesFromTheExecutableName()
    {
        QCOMPARE(report::titleFromExecutable(QStringLiteral("/usr/bin/tivaro")), QStringLiteral("tivaro"));
        QCOMPARE(report::titleFromExecutable(QStringLiteral("/opt/TIVARO.bin.old")), QStringLiteral("Tivaro"));
        QCOMPARE(report::titleFromExecutable(QStringLiteral("x")), QStringLiteral("x"));
        ReportRecorder recorder;
        runUserAction(qApp, [] { throw errors::floatOverflow(); });
        QCOMPARE(recorder.captions, QStringList{report::applicationTitle()});
        QCOMPARE(recorder.errors, QStringList{QStringLiteral("Floating point overflow.")});
    }

    void nestedErrorEndsTheWholeActionAndIsShownOnce()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        // The threshold edit beyond range: every later refresh of the output
        // edit raises from its nested change handler.
        wb.type(c.thresholdEdit, QStringLiteral("-1E39"));
        QCOMPARE(wb.reports.errors.size(), 1);
        wb.reports.errors.clear();

        wb.type(c.weight1Edit, QStringLiteral("0,5"));
        wb.click(c.andGateB); // ShowNeuron writes the output, which fails nested
        QCOMPARE(wb.reports.errors, QStringList{QStringLiteral("Floating point overflow.")});
        // The rest of the gate handler did not run...
        QVERIFY(c.infoLab->text() != QStringLiteral("AND gate"));
        QVERIFY(!c.lessonB->isEnabled());
        // ...but what it did before stays done.
        QCOMPARE(c.targetMemo->toPlainText().split(u'\n').size(), 4);

        // And the program goes on.
        wb.reports.errors.clear();
        wb.type(c.thresholdEdit, QStringLiteral("0,5"));
        wb.click(c.andGateB);
        QVERIFY(wb.reports.errors.isEmpty());
        QCOMPARE(c.infoLab->text(), QStringLiteral("AND gate"));
    }

    void badRepeatCountIsReportedWithItsText()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.type(c.repeatEdit, QString());
        wb.type(c.repeatEdit, QStringLiteral("x1"));
        wb.type(c.repeatEdit, QStringLiteral("-5"));
        QCOMPARE(wb.reports.errors,
                 (QStringList{QStringLiteral("'''' is not a valid integer value."),
                              QStringLiteral("''x1'' is not a valid integer value."),
                              QStringLiteral("Axis Maximum Value must be >= Minimum.")}));
    }
};

TIVARO_GUI_TEST_MAIN(ErrorReportTest)
#include "test_error_report.moc"
