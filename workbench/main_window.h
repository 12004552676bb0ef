#pragma once
// The workbench window: the view over the lesson. Its own content, built
// from the layout, is the central widget, and the views beside it sit in
// docks. It hands the controls to the parts that handle them, each with the
// controls of one role; it keeps the window's life, the language switch and
// the description button.

#include "ui_common/language.h"

#include <QMainWindow>
#include <memory>

namespace Ui {
class MainWindow;
}
struct BiasControls;
class BiasInput;
class DescriptionWindow;
class ErrorGraphSwitch;
class GateLoader;
class LessonController;
class LessonFiles;
class LessonSession;
class NeuronEdits;
class NeuronPanel;
class SideViews;
struct WindowContext;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // For tests and the bench: the window as a user meets it, the lesson
    // session below it, and the windows beside it.
    Ui::MainWindow &controls() { return *ui; }
    LessonSession &session();
    const BiasControls &biasControls() const;
    Language language() const;
    SideViews &views() { return *sideViews; }
    DescriptionWindow *descriptionWindow() const { return description; }
    // The evaluation, which the next-pattern button runs; no control of its
    // own starts it.
    void evaluate();
    // As the entries, keys, a drop and the command line do: each a user
    // action, which reports what fails.
    void saveLesson(const QString &path);
    void openLesson(const QString &path);
    LessonFiles &files() { return *lessonFiles; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    // A lesson file dropped on the window opens.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Once, before the window is first shown.
    void startUp();
    void releaseNeuron();
    void endProgram();
    void showDescription();
    void switchLanguage();
    void applyLanguage();
    // The entries of the diagram's and the chart's menus.
    void fillMenus();
    void nameEditsForScreenReaders();

    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<WindowContext> context;
    std::unique_ptr<NeuronEdits> edits;
    std::unique_ptr<SideViews> sideViews;
    std::unique_ptr<NeuronPanel> panel;
    std::unique_ptr<ErrorGraphSwitch> errorGraph;
    std::unique_ptr<BiasInput> bias;
    std::unique_ptr<GateLoader> gates;
    std::unique_ptr<LessonController> lessonControl;
    std::unique_ptr<LessonFiles> lessonFiles;
    DescriptionWindow *description = nullptr; // owned by this window
};
