// The face the windows are drawn in: it must carry every letter the program
// shows, draw bold as bold, and leave every caption room in every language.

#include "gui_fixture.h"
#include "ui_common/window_fonts.h"

#include "info/description_window.h"
#include "ui_common/texts.h"
#include "ui_description_window.h"
#include "workbench/captions.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>

namespace {

// Every text the program can show: the caption tables, the chart's menu,
// the description window, and what the main window holds after each gate.
QStringList builtInTexts()
{
    QStringList texts;
    for (Language language : {Language::German, Language::English, Language::Slovak}) {
        for (std::size_t key = 0; key < textCount; ++key)
            texts << text(static_cast<Text>(key), language);
        texts << descriptionLines(language);
    }
    Workbench wb;
    Ui::MainWindow &c = wb.c();
    wb.click(c.biasCBox);
    for (QAbstractButton *gate : {c.andGateB, c.orGateB, c.nandGateB, c.xorGateB}) {
        wb.click(gate);
        for (const QLabel *label : wb.window().findChildren<QLabel *>())
            texts << label->text();
        for (const QAbstractButton *button : wb.window().findChildren<QAbstractButton *>())
            texts << button->text();
        texts << c.targetMemo->toPlainText() << c.spracheRG->title();
    }
    texts << QStringLiteral("Missing input values!") << wb.window().windowTitle();
    return texts;
}

// Pixels darker than mid-grey when `word` is drawn black on white.
int inkPixels(const QFont &font, const QString &word)
{
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(word) + 8, metrics.height() + 8, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(4, 4 + metrics.ascent(), word);
    }
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            ink += row[x] < 128;
    }
    return ink;
}

// The width the style leaves for a button's or a box's caption.
int captionRoom(const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox *>(button))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton *>(button))
        element = QStyle::SE_RadioButtonContents;
    return button->style()->subElementRect(element, &option, button).width();
}

QStringList cutCaptions(QWidget &window)
{
    QStringList cut;
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        const QFontMetrics metrics(label->font());
        if (metrics.horizontalAdvance(label->text()) > label->contentsRect().width() ||
            metrics.height() > label->contentsRect().height())
            cut << label->objectName() + QStringLiteral(": ") + label->text();
    }
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        if (button->fontMetrics().horizontalAdvance(button->text()) > captionRoom(button))
            cut << button->objectName() + QStringLiteral(": ") + button->text();
    }
    for (const QGroupBox *group : window.findChildren<QGroupBox *>()) {
        // The title sits 6 px in, with 2 px of padding on either side.
        if (group->fontMetrics().horizontalAdvance(group->title()) + 10 > group->width())
            cut << group->objectName() + QStringLiteral(": ") + group->title();
    }
    return cut;
}

} // namespace

class WindowFontsTest : public QObject {
    Q_OBJECT
private slots:
    void layoutsDrawInTheChosenFace()
    {
        Workbench wb;
        const QString family = windowFontFamily();
        QCOMPARE(QFontInfo(wb.c().endB->font()).family(), family);
        QCOMPARE(QFontInfo(wb.c().errorChart->font()).family(), family);
        QCOMPARE(QFontInfo(wb.window().descriptionWindow()->controls().infoMemo->font()).family(), family);
        // What no layout sets: the chart's numbers and titles, tips, menus, boxes.
        const QValueAxis &axis = *wb.c().errorChart->bottomAxis().valueAxis();
        for (const QFont &font : {axis.labelsFont(), axis.titleFont(), wb.c().errorChart->chart()->titleFont(),
                                  QToolTip::font(), QApplication::font("QMenu"), QApplication::font("QMessageBox")})
            QCOMPARE(QFontInfo(font).family(), family);
    }

    void everyLetterIsInTheFace()
    {
        const QFontMetrics metrics{QFont(windowFontFamily())};
        QString missing;
        for (const QString &text : builtInTexts())
            for (char32_t letter : text.toUcs4())
                if (letter >= u' ' && !metrics.inFontUcs4(letter) && !missing.contains(QString::fromUcs4(&letter, 1)))
                    missing += QString::fromUcs4(&letter, 1);
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("not in ") + windowFontFamily() + QStringLiteral(": ") + missing));
    }

    void boldIsHeavierThanRegular()
    {
        for (const char *word : {"Ende", "output: ", "0,5000"}) {
            QFont regular(windowFontFamily());
            regular.setPointSize(14);
            QFont bold = regular;
            bold.setBold(true);
            const int thin = inkPixels(regular, QString::fromLatin1(word));
            const int heavy = inkPixels(bold, QString::fromLatin1(word));
            QVERIFY2(heavy > thin * 6 / 5, qPrintable(QStringLiteral("%1: %2 vs %3").arg(word).arg(heavy).arg(thin)));
        }
    }

    void everyCaptionFitsInEveryLanguage()
    {
        Workbench wb;
        Ui::MainWindow &c = wb.c();
        wb.click(c.biasCBox); // the bias controls' captions too
        for (QAbstractButton *radio : {c.deRB, c.enRB, c.skRB}) {
            wb.click(radio);
            const QStringList cut = cutCaptions(wb.window());
            QVERIFY2(cut.isEmpty(), qPrintable(radio->text() + QStringLiteral(": ") + cut.join(QStringLiteral("; "))));
            const QPushButton *close = wb.window().descriptionWindow()->controls().end2B;
            const QString caption = text(Text::DescriptionClose, wb.window().language());
            QVERIFY2(close->fontMetrics().horizontalAdvance(caption) <= close->width() - 8, qPrintable(caption));
        }
    }

    void windowCannotShrinkBelowItsDesign()
    {
        Workbench wb;
        QCOMPARE(wb.window().minimumSize(), QSize(896, 523));
    }
};

TIVARO_GUI_TEST_MAIN(WindowFontsTest)
#include "test_window_fonts.moc"
