// The lesson files a command line names: as absolute local paths, in order,
// whether typed as a path or handed over by a desktop as a file:// URL.

#include "app/command_line.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void filesBecomeAbsoluteLocalPaths()
    {
        QTemporaryDir workingDir;
        QVERIFY(workingDir.isValid());
        const QString here = QDir::currentPath();
        QVERIFY(QDir::setCurrent(workingDir.path()));
        const QString cwd = QDir::currentPath();

        const QStringList files = lessonFilesIn({
            QStringLiteral("tivaro"),
            QStringLiteral("first.tivaro"),
            QStringLiteral("/lessons/and.tivaro"),
            QStringLiteral("file:///lessons/two%20words.tivaro"),
            QString(), // names no file
            QStringLiteral("colon:in-name.tivaro"),
            QStringLiteral("--"),
            QStringLiteral("-dash.tivaro"),
        });
        QDir::setCurrent(here);

        QCOMPARE(files,
                 QStringList({
                     cwd + QStringLiteral("/first.tivaro"),
                     QStringLiteral("/lessons/and.tivaro"),
                     QStringLiteral("/lessons/two words.tivaro"),
                     cwd + QStringLiteral("/colon:in-name.tivaro"),
                     cwd + QStringLiteral("/-dash.tivaro"),
                 }));
    }

    void optionsAreNoFiles()
    {
        QVERIFY(lessonFilesIn({QStringLiteral("tivaro")}).isEmpty());
        QCOMPARE(lessonFilesIn({QStringLiteral("tivaro"), QStringLiteral("--version"), QStringLiteral("/a.tivaro")}),
                 QStringList({QStringLiteral("/a.tivaro")}));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
