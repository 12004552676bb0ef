#include "workbench/main_window.h"

#include "chart/error_chart.h"
#include "info/description_window.h"
#include "runtime/number_text.h"
#include "runtime/random.h"
#include "ui_common/texts.h"
#include "ui_common/toolkit_language.h"
#include "ui_common/user_action.h"
#include "ui_main_window.h"
#include "workbench/accessible_names.h"
#include "workbench/bias_input.h"
#include "workbench/captions.h"
#include "workbench/error_graph_switch.h"
#include "workbench/gate_loader.h"
#include "workbench/grow_to_text.h"
#include "workbench/language_buttons.h"
#include "workbench/lesson_controller.h"
#include "workbench/lesson_files.h"
#include "workbench/neuron_panel.h"
#include "workbench/side_views.h"
#include "workbench/status_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(std::make_unique<Ui::MainWindow>())
{
    auto *form = new QWidget(this);
    ui->setupUi(form);
    setCentralWidget(form);
    setWindowTitle(form->windowTitle());
    setWindowIcon(form->windowIcon());
    resize(form->minimumSize());
    // The window never shrinks below its own content, nor below the views
    // docked beside it.
    layout()->activate();
    Ui::MainWindow &c = *ui;
    // The layout's learning rate, in the user's own number format. Set before
    // the controls are wired, as a layout text is; the session takes it at
    // start-up.
    c.lRateEdit->setText(numtext::localized("0,1"));
    // Edits the layout marks (the lesson counter) grow with their text,
    // never below their designed width.
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        if (growsToText(edit)) {
            edit->setMinimumWidth(edit->width());
            connect(edit, &QLineEdit::textChanged, this, [edit] { growToText(edit); });
        }
    }
    context = std::make_unique<WindowContext>(this, form, c);
    edits = std::make_unique<NeuronEdits>(*context);
    // Before start-up, whose language switch names the views' entries.
    sideViews = std::make_unique<SideViews>(*context, this);
    sideViews->restoreArrangement();
    panel = std::make_unique<NeuronPanel>(*context, *edits, *sideViews);
    errorGraph = std::make_unique<ErrorGraphSwitch>(*context, *edits);
    bias = std::make_unique<BiasInput>(*context, *panel, [this] { nameEditsForScreenReaders(); });
    gates = std::make_unique<GateLoader>(*context, *edits, *panel);
    lessonControl = std::make_unique<LessonController>(*context, *edits, *panel, *errorGraph, *sideViews);
    lessonFiles =
        std::make_unique<LessonFiles>(*context, *panel, *bias, *errorGraph, *sideViews, [this] { applyLanguage(); });
    fillMenus();
    setAcceptDrops(true);
    ControlDispatch &d = context->dispatch;
    d.wire(c.endB, [this] { endProgram(); });
    for (const auto &[radio, language] : languageButtons(c))
        d.wire(radio, [this] { switchLanguage(); });
    d.wire(c.descriptionB, [this] { showDescription(); });
    d.afterEachAction([this] { sideViews->refresh(); });
    runUserAction(this, [this] { startUp(); });
    // Created once, hidden; the description button shows it.
    description = new DescriptionWindow(context->language, this);
}

MainWindow::~MainWindow() = default;

LessonSession &MainWindow::session()
{
    return context->session;
}

const BiasControls &MainWindow::biasControls() const
{
    return context->bias;
}

Language MainWindow::language() const
{
    return context->language;
}

void MainWindow::evaluate()
{
    panel->evaluate();
}

void MainWindow::startUp()
{
    Ui::MainWindow &c = *ui;
    ControlDispatch &d = context->dispatch;
    context->session.makeNeuron(2);
    context->session.setLearningRate(edits->learningRate());
    setCaption(c.in1Lab, text(Text::Input1Label, context->language));
    setCaption(c.in2Lab, text(Text::Input2Label, context->language));
    d.setChecked(c.showAnalogCBox, true);
    d.setChecked(c.biasCBox, false);
    c.nextPatternB->setEnabled(false);
    c.lessonB->setEnabled(false);
    c.errorChart->hide();
    rng::reseedFromClock();
    d.setEditText(c.thresholdEdit, numtext::localized("0,500"));
    d.setEditText(c.repeatEdit, QStringLiteral("100"));
    context->language = Language::German;
    applyLanguage();
    c.deRB->setText(QStringLiteral("DE"));
    c.enRB->setText(QStringLiteral("EN"));
    c.skRB->setText(QStringLiteral("SK"));
    panel->showNeuron();
    setCaption(c.mesLab, UnscrambleText(scrambledStatus()));
}

void MainWindow::saveLesson(const QString &path)
{
    runUserAction(this, [&] { lessonFiles->saveLesson(path); });
}

void MainWindow::openLesson(const QString &path)
{
    runUserAction(this, [&] { lessonFiles->openLesson(path); });
}

namespace {

// The one local file a drag brings, if it brings one and no more.
QString droppedFile(const QMimeData *data)
{
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openLesson(path);
}

void MainWindow::fillMenus()
{
    const auto separator = [this] {
        auto *line = new QAction(this);
        line->setSeparator(true);
        return line;
    };
    QAction *saveLessonEntry = lessonFiles->saveLessonAction();
    QAction *openLessonEntry = lessonFiles->openLessonAction();
    QAction *decisionEntry = sideViews->decisionViewAction();
    QAction *workedStepEntry = sideViews->workedStepViewAction();
    ui->diagramImage->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui->diagramImage->addActions({saveLessonEntry, openLessonEntry, separator(), decisionEntry, workedStepEntry});
    ui->errorChart->setExtraMenuActions({lessonFiles->saveErrorsAction(), separator(), saveLessonEntry, openLessonEntry,
                                         separator(), decisionEntry, workedStepEntry});
    // The keys work from a view that floats in a window of its own too.
    for (QDockWidget *dock : {sideViews->decisionDock(), sideViews->workedStepDock()})
        dock->addActions({saveLessonEntry, openLessonEntry});
}

void MainWindow::releaseNeuron()
{
    context->session.releaseNeuron();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    runUserAction(this, [this] {
        sideViews->saveArrangement();
        releaseNeuron();
    });
    QMainWindow::closeEvent(event);
}

void MainWindow::changeEvent(QEvent *event)
{
    // The user changed the system's number format while we run.
    if (event->type() == QEvent::LocaleChange)
        numtext::setDecimalSeparator(numtext::systemDecimalSeparator());
    QMainWindow::changeEvent(event);
}

void MainWindow::endProgram()
{
    close();
}

void MainWindow::showDescription()
{
    if (!description)
        return;
    // This window takes no action while the description is open; a close
    // of it closes the description first, then this window.
    ActionHold hold(this, nullptr, description);
    hold.lockControls();
    hold.onCloseRequest([this] { description->close(); });
    description->showModally();
}

void MainWindow::switchLanguage()
{
    for (const auto &[radio, language] : languageButtons(*ui))
        if (radio->isChecked())
            context->language = language;
    applyLanguage();
}

void MainWindow::nameEditsForScreenReaders()
{
    Ui::MainWindow &c = *ui;
    nameEditsAfterLabels({
        {c.in1Edit, c.in1Lab},
        {c.in2Edit, c.in2Lab},
        {c.weight1Edit, c.w1Lab},
        {c.weight2Edit, c.w2Lab},
        {c.outputEdit, c.outputLab},
        {c.thresholdEdit, c.thresholdLab},
        {c.lRateEdit, c.learningRateLab},
        {c.repeatEdit, c.repeatLab},
        {c.lessonCntEdit, c.lesonDoneLab},
        {c.targetMemo, c.targetLab},
        {context->bias.biasEdit, context->bias.biasLab},
        {context->bias.weight0Edit, context->bias.weight0Lab},
    });
}

void MainWindow::applyLanguage()
{
    const Language language = context->language;
    Ui::MainWindow &c = *ui;
    const std::pair<QWidget *, Text> captions[] = {
        {c.showAnalogCBox, Text::ShowAnalogBox},
        {c.randomNeuronB, Text::RandomiseButton},
        {c.targetLab, Text::TargetLabel},
        {c.lessonB, Text::LessonButton},
        {c.descriptionB, Text::DescriptionButton},
        {c.repeatLab, Text::RepeatLabel},
        {c.lesonDoneLab, Text::DoneLabel},
        {c.infoLab, Text::ChooseGatePrompt},
        {c.nextPatternB, Text::NextPatternButton},
        {c.learningRateLab, Text::LearningRateLabel},
        {c.biasCBox, Text::BiasBox},
        {c.errGraphCB, Text::ErrorGraphBox},
        {c.endB, Text::EndButton},
        {c.sigmoidCB, Text::SigmoidBox},
        {c.spracheRG, Text::LanguageGroup},
    };
    for (const auto &[control, key] : captions) {
        // The prompt to choose a gate only while none is chosen: a loaded
        // gate keeps its name, which reads the same in every language.
        if (control == c.infoLab && context->session.gateLoaded())
            continue;
        setCaption(control, text(key, language));
    }
    c.errorChart->leftAxis().setTitle(text(Text::ErrorAxisTitle, language));
    c.errorChart->bottomAxis().setTitle(text(Text::IterationAxisTitle, language));
    useToolkitLanguage(language);
    c.errorChart->setTexts(pictureMenuTexts(language));
    // The chart has no caption of its own to announce.
    c.errorChart->setAccessibleName(
        QStringLiteral("Tivaro: %1 / %2").arg(c.errorChart->leftAxis().title(), c.errorChart->bottomAxis().title()));
    nameEditsForScreenReaders();
    sideViews->retitle();
    lessonFiles->retitle();
    if (description)
        description->setLanguage(language);
}
