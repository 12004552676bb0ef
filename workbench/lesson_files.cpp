#include "workbench/lesson_files.h"

#include "chart/error_chart.h"
#include "chart/points_csv.h"
#include "runtime/app_error.h"
#include "ui_common/action_hold.h"
#include "ui_common/file_saving.h"
#include "ui_common/texts.h"
#include "ui_common/user_action.h"
#include "ui_main_window.h"
#include "workbench/bias_input.h"
#include "workbench/captions.h"
#include "workbench/error_graph_switch.h"
#include "workbench/gate_loader.h"
#include "workbench/language_buttons.h"
#include "workbench/neuron_panel.h"
#include "workbench/side_views.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <utility>

namespace {

const QString lessonSuffix = QStringLiteral(".tivaro");

Text reasonOf(LessonFileProblem::Kind kind)
{
    switch (kind) {
    case LessonFileProblem::Kind::NotALesson: return Text::LessonNotALesson;
    case LessonFileProblem::Kind::Damaged: return Text::LessonDamaged;
    case LessonFileProblem::Kind::Newer: return Text::LessonNewer;
    case LessonFileProblem::Kind::OutOfRange: return Text::LessonOutOfRange;
    case LessonFileProblem::Kind::TooLarge: return Text::LessonTooLarge;
    }
    return Text::LessonDamaged;
}

// The edits whose text the file keeps, each with its place in the file.
std::array<std::pair<QLineEdit *, QString LessonFile::Texts::*>, 9> editTexts(const Ui::MainWindow &c)
{
    using T = LessonFile::Texts;
    return {{{c.in1Edit, &T::input1},
             {c.in2Edit, &T::input2},
             {c.weight1Edit, &T::weight1},
             {c.weight2Edit, &T::weight2},
             {c.outputEdit, &T::output},
             {c.thresholdEdit, &T::threshold},
             {c.lRateEdit, &T::learningRate},
             {c.repeatEdit, &T::repeat},
             {c.lessonCntEdit, &T::counter}}};
}

} // namespace

LessonFiles::LessonFiles(WindowContext &context, NeuronPanel &panel, BiasInput &bias, ErrorGraphSwitch &errorGraph,
                         SideViews &views, std::function<void()> applyLanguage)
    : context(context), panel(panel), bias(bias), errorGraph(errorGraph), views(views),
      applyLanguage(std::move(applyLanguage)), saveEntry(addEntry(QKeySequence::Save, &LessonFiles::askToSaveLesson)),
      openEntry(addEntry(QKeySequence::Open, &LessonFiles::askToOpenLesson)),
      errorsEntry(addEntry({}, &LessonFiles::askToSaveErrors))
{
    retitle();
}

QAction *LessonFiles::addEntry(const QKeySequence &key, void (LessonFiles::*ask)())
{
    QWidget *window = context.window;
    auto *action = new QAction(window); // the window owns it
    if (!key.isEmpty()) {
        // Ctrl+S and Ctrl+O are no keys of a line edit's own: they reach
        // the window from inside one.
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, window, ask] { runUserAction(window, [&] { (this->*ask)(); }); });
    return action;
}

void LessonFiles::retitle()
{
    const Language language = context.language;
    saveEntry->setText(text(Text::SaveLessonEntry, language));
    openEntry->setText(text(Text::OpenLessonEntry, language));
    errorsEntry->setText(text(Text::SaveErrorsEntry, language));
}

void LessonFiles::askToSaveLesson()
{
    const Language language = context.language;
    // The lesson as the user asked to save it: the dialog holds the window.
    const LessonFile lesson = lessonShown();
    // The window takes no other action while the dialog is up, a screen
    // reader's neither.
    ActionHold hold(context.window);
    hold.lockControls();
    const QString path =
        QFileDialog::getSaveFileName(context.window, text(Text::SaveLessonTitle, language),
                                     QStringLiteral("lesson") + lessonSuffix, text(Text::LessonFileFilter, language));
    if (!path.isEmpty())
        saveLesson(path, lesson);
}

void LessonFiles::askToOpenLesson()
{
    const Language language = context.language;
    ActionHold hold(context.window);
    hold.lockControls();
    const QString path = QFileDialog::getOpenFileName(context.window, text(Text::OpenLessonTitle, language), {},
                                                      text(Text::LessonFileFilter, language));
    if (!path.isEmpty())
        openLesson(path);
}

void LessonFiles::askToSaveErrors()
{
    const Language language = context.language;
    ActionHold hold(context.window);
    hold.lockControls();
    const QString path =
        QFileDialog::getSaveFileName(context.window, text(Text::SaveErrorsTitle, language),
                                     QStringLiteral("tivaro.csv"), text(Text::CsvFileFilter, language));
    if (!path.isEmpty())
        saveErrors(path);
}

void LessonFiles::saveLesson(QString path, const LessonFile &lesson) const
{
    if (!path.endsWith(lessonSuffix, Qt::CaseInsensitive))
        path += lessonSuffix;
    const Language language = context.language;
    const QString failed = text(Text::LessonSaveFailed, language);
    const QByteArray json = lessonToJson(lesson);
    // Never a file that could not be opened again as it was.
    const auto readBack = lessonFromJson(json);
    if (!std::holds_alternative<LessonFile>(readBack) || std::get<LessonFile>(readBack) != lesson)
        throw AppError(failed.arg(QDir::toNativeSeparators(path), text(Text::LessonTooLargeToSave, language)));
    saveWhole(
        path, [&json](QIODevice &file) { return file.write(json) == json.size(); }, failed, saveReasons(language));
}

void LessonFiles::openLesson(const QString &path)
{
    const Language language = context.language;
    const auto refuse = [&](const QString &reason) {
        return AppError(text(Text::LessonOpenFailed, language).arg(QDir::toNativeSeparators(path), reason));
    };
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        throw refuse(text(Text::LessonNoFile, language));
    // Refused by its size before anything is read.
    if (info.size() > LessonFile::mostBytes)
        throw refuse(text(Text::LessonTooLarge, language));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw refuse(info.isReadable() ? file.errorString() : text(Text::LessonNoPermission, language));
    // One byte more than it held: a file that grew since is refused too.
    const auto read = lessonFromJson(file.read(info.size() + 1));
    if (const auto *problem = std::get_if<LessonFileProblem>(&read)) {
        const QString reason = text(reasonOf(problem->kind), language);
        throw refuse(problem->kind == LessonFileProblem::Kind::OutOfRange ? reason.arg(problem->where) : reason);
    }
    show(std::get<LessonFile>(read));
}

void LessonFiles::saveErrors(const QString &path) const
{
    const Language language = context.language;
    const QByteArray csv = pointsCsv(context.c.errorChart->keptPoints(), text(Text::CsvIterationColumn, language),
                                     text(Text::CsvErrorColumn, language));
    saveWhole(
        path, [&csv](QIODevice &file) { return file.write(csv) == csv.size(); }, text(Text::ErrorsSaveFailed, language),
        saveReasons(language));
}

LessonFile LessonFiles::lessonShown() const
{
    const Ui::MainWindow &c = context.c;
    LessonFile lesson;
    lesson.language = context.language;
    for (const auto &[radio, language] : languageButtons(c))
        if (radio->isChecked())
            lesson.languageChosen = language;
    lesson.biasBox = c.biasCBox->isChecked();
    lesson.sumBox = c.showAnalogCBox->isChecked();
    lesson.sigmoidBox = c.sigmoidCB->isChecked();
    lesson.graphBox = c.errGraphCB->isChecked();
    for (const auto &[edit, place] : editTexts(c))
        lesson.texts.*place = edit->text();
    if (context.bias.weight0Edit)
        lesson.texts.weight0 = context.bias.weight0Edit->text();
    lesson.texts.targets = c.targetMemo->toPlainText();
    lesson.nextInputEnabled = c.nextPatternB->isEnabled();
    lesson.lessonEnabled = c.lessonB->isEnabled();
    lesson.session = context.session.state();
    lesson.decisionOpen = views.decisionViewOpen();
    lesson.workedStepOpen = views.workedStepViewOpen();
    lesson.presentedPattern = panel.patternPresented();
    lesson.lastStep = views.stepNoted();
    lesson.trail = views.decisionTrail();
    lesson.chartPoints = c.errorChart->pointsToBytes();
    lesson.axisMaximum = c.errorChart->bottomAxis().maximum();
    return lesson;
}

void LessonFiles::show(const LessonFile &lesson)
{
    Ui::MainWindow &c = context.c;
    // Every value is set as it was saved; no handler runs.
    context.session.restore(lesson.session);
    showWindowState(lesson);
    ErrorChart &chart = *c.errorChart;
    chart.restorePoints(lesson.chartPoints);
    chart.bottomAxis().setMaximum(lesson.axisMaximum);
    chart.bottomAxis().setIncrement(1.0);
    chart.bottomAxis().recompute();
    errorGraph.showGraph(lesson.graphBox);
    panel.presentPattern(lesson.presentedPattern);
    views.restore(lesson.decisionOpen, lesson.workedStepOpen, lesson.lastStep, lesson.trail);
}

void LessonFiles::showWindowState(const LessonFile &lesson)
{
    Ui::MainWindow &c = context.c;
    bias.showBiasControls(lesson.biasBox);
    ControlDispatch::setCheckedQuietly(c.biasCBox, lesson.biasBox);
    ControlDispatch::setCheckedQuietly(c.showAnalogCBox, lesson.sumBox);
    ControlDispatch::setCheckedQuietly(c.sigmoidCB, lesson.sigmoidBox);
    ControlDispatch::setCheckedQuietly(c.errGraphCB, lesson.graphBox);
    for (const auto &[edit, place] : editTexts(c))
        ControlDispatch::setEditTextQuietly(edit, lesson.texts.*place);
    if (context.bias.weight0Edit)
        ControlDispatch::setEditTextQuietly(context.bias.weight0Edit, lesson.texts.weight0);
    {
        const QSignalBlocker quiet(c.targetMemo);
        c.targetMemo->setPlainText(lesson.texts.targets);
    }
    c.nextPatternB->setEnabled(lesson.nextInputEnabled);
    c.lessonB->setEnabled(lesson.lessonEnabled);

    context.language = lesson.language;
    // No button at all may be checked, as at start.
    for (const auto &[radio, language] : languageButtons(c)) {
        radio->setAutoExclusive(false);
        ControlDispatch::setCheckedQuietly(radio, lesson.languageChosen == language);
        radio->setAutoExclusive(true);
    }
    applyLanguage();
    if (const std::optional<Gate> gate = context.session.gate())
        setCaption(c.infoLab, gateCaption(*gate, context.language));
}
