// Mutated lesson files, opened as a user opens one: from a fixed, printed
// seed, bits flipped, files cut, lines doubled or dropped (keys doubled or
// missing), numbers and texts made huge or odd. Each file opens whole, or
// the window stays exactly as it was, with one message; nothing crashes.

#include "gui_fixture.h"

#include "workbench/lesson_files.h"

#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <random>

namespace {

uint64_t fuzzSeed()
{
    bool ok = false;
    const uint64_t seed = qEnvironmentVariable("TIVARO_FUZZ_SEED").toULongLong(&ok);
    const uint64_t chosen = ok ? seed : 20261209;
    qInfo("fuzz seed %llu (TIVARO_FUZZ_SEED=N runs another)", static_cast<unsigned long long>(chosen));
    return chosen;
}

int caseCount()
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("TIVARO_FUZZ_CASES", &ok);
    return ok && count > 0 ? count : 100000;
}

QByteArray saved(Workbench &wb, const QString &path)
{
    wb.window().saveLesson(path);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Mutator {
public:
    explicit Mutator(uint64_t seed) : random(seed) {}

    QByteArray mutate(QByteArray bytes)
    {
        const int rounds = 1 + below(3);
        for (int i = 0; i < rounds && !bytes.isEmpty(); ++i)
            bytes = once(bytes);
        return bytes;
    }

private:
    int below(qsizetype n) { return int(std::uniform_int_distribution<qsizetype>(0, n - 1)(random)); }

    QByteArray once(QByteArray bytes)
    {
        QList<QByteArray> lines = bytes.split('\n');
        switch (below(6)) {
        case 0: bytes[below(bytes.size())] = char(bytes[below(bytes.size())] ^ (1 << below(8))); return bytes;
        case 1: return bytes.left(below(bytes.size()));
        case 2: lines.insert(below(lines.size()), lines.at(below(lines.size()))); break;
        case 3: lines.removeAt(below(lines.size())); break;
        case 4: return oddNumber(bytes);
        default: return oddText(bytes);
        }
        return lines.join('\n');
    }

    // A number, bare or in quotes, replaced by one no lesson has.
    QByteArray oddNumber(QByteArray bytes)
    {
        static const QByteArray odd[] = {"1e999", "-1",   "9223372036854775808",  "-0", "1e-999", "nan",  "4",
                                         "0.5",   "1e39", "-9223372036854775809", "2",  "0x10",   "\"5\""};
        const qsizetype at = bytes.indexOf(": ", below(bytes.size()));
        if (at < 0)
            return bytes;
        qsizetype start = at + 2, end = start;
        if (start >= bytes.size())
            return bytes;
        const bool quoted = bytes.at(start) == '"';
        if (quoted)
            ++start;
        end = start;
        while (end < bytes.size() && bytes.at(end) != ',' && bytes.at(end) != '\n' && bytes.at(end) != '"')
            ++end;
        return bytes.replace(start, end - start, odd[below(std::size(odd))]);
    }

    // A text made long, broken across lines or emptied.
    QByteArray oddText(QByteArray bytes)
    {
        static const QByteArray odd[] = {"", "\\n", "\\u0000", QByteArray(40000, 'x'), "AND", "NOR", "null", "en"};
        const qsizetype at = bytes.indexOf(": \"", below(bytes.size()));
        if (at < 0)
            return bytes;
        const qsizetype start = at + 3;
        const qsizetype end = bytes.indexOf('"', start);
        return end < 0 ? bytes : bytes.replace(start, end - start, odd[below(std::size(odd))]);
    }

    std::mt19937_64 random;
};

} // namespace

class LessonFuzzTest : public QObject {
    Q_OBJECT
private slots:
    // Three lessons to start from, a third of the cases each: as the window
    // starts, after a lesson with the graph, and with the bias input, the
    // sigmoid and typed texts.
    void mutatedFilesOpenWholeOrNotAtAll_data()
    {
        QTest::addColumn<int>("start");
        QTest::newRow("as at start") << 0;
        QTest::newRow("after a lesson") << 1;
        QTest::newRow("bias and texts") << 2;
    }
    void mutatedFilesOpenWholeOrNotAtAll()
    {
        QFETCH(int, start);
        QTemporaryDir folder;
        QByteArray base;
        {
            Workbench wb;
            const QString path = folder.filePath(QStringLiteral("base.tivaro"));
            if (start >= 1) {
                wb.click(wb.c().andGateB);
                wb.click(wb.c().errGraphCB);
                wb.type(wb.c().repeatEdit, QStringLiteral("50"));
                wb.click(wb.c().lessonB);
            }
            if (start >= 2) {
                wb.click(wb.c().biasCBox);
                wb.click(wb.c().xorGateB);
                wb.click(wb.c().sigmoidCB);
                wb.click(wb.c().skRB);
                wb.type(wb.c().weight1Edit, QStringLiteral("-1,5e3"));
                wb.type(wb.c().lessonCntEdit, QStringLiteral("0 / 12"));
            }
            base = saved(wb, path);
        }

        // zlib's complaint about a damaged block is no failure here.
        static const QtMessageHandler shown = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &where, const QString &message) {
            if (!message.startsWith(QLatin1String("qUncompress")))
                shown(type, where, message);
        });
        Mutator mutator(fuzzSeed() + uint64_t(start));
        Workbench wb;
        int opened = 0;
        const int cases = (caseCount() + 2) / 3;
        for (int n = 0; n < cases; ++n) {
            const QByteArray bytes = mutator.mutate(base);
            // A new file each time: rewriting one in place makes the file
            // system write it out at every close, the slow part of a case.
            const QString path = folder.filePath(QStringLiteral("case-%1.tivaro").arg(n));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            const LessonFile before = wb.window().files().lessonShown();
            const qsizetype messages = wb.reports.errors.size();
            wb.window().openLesson(path);
            const LessonFile after = wb.window().files().lessonShown();
            const QByteArray where = "case " + QByteArray::number(n);
            if (wb.reports.errors.size() > messages) {
                QVERIFY2(wb.reports.errors.size() == messages + 1, where);
                QVERIFY2(after == before, where + ": refused, yet the window changed");
            } else {
                const auto read = lessonFromJson(bytes);
                QVERIFY2(std::holds_alternative<LessonFile>(read), where);
                QVERIFY2(after == std::get<LessonFile>(read), where + ": opened, yet not as the file says");
                ++opened;
            }
            QFile::remove(path);
            if (wb.reports.errors.size() > 1000)
                wb.reports.errors.clear();
        }
        qInfo("%d of %d mutated files opened whole; the rest changed nothing", opened, cases);
        QVERIFY(opened > 0 && opened < cases);
    }
};

TIVARO_GUI_TEST_MAIN(LessonFuzzTest)
#include "test_lesson_fuzz.moc"
