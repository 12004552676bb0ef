#pragma once
// The workbench window: shows the neuron, loads gates, runs lessons.
//
// User events arrive through Qt signals into runUserAction(), which shows any
// error once. When code changes a control's state, the control's handler runs
// at once, nested, and only if the state really changed (setEditText,
// setChecked); errors from nested handlers end the whole user action.

#include "workbench/workbench_state.h"

#include <QWidget>
#include <memory>
#include <vector>

namespace Ui { class Form1; }
class QAbstractButton;
class QLineEdit;
class TForm2;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    Ui::Form1 &controls() { return *ui; }
    WorkbenchState &state() { return workbench; }
    TForm2 *descriptionWindow() const { return form2; }

    // Handlers, named after control and event.
    void FormCreate();
    void FormClose();
    void RandomNeuronBClick();
    void popisBClick();
    void EndBClick();

    void AndGateBClick();
    void OrGateBClick();
    void NandGateBClick();
    void XorGateBClick();

    void NextPatternBClick();
    void ThinkBClick();
    void ShowAnalogCBoxClick();
    void sigmoidCBClick();
    void ThresholdEditChange();
    void LRateEditChange();

    void LessonBClick();
    void BiasCBoxClick();
    void RepeatEditChange();
    void ErrGraphCBClick();
    void deRBClick();

    // Operations the handlers share.
    void ApplyLanguage();
    void LoadGate(uint8_t gate);
    void ShowNeuron();

    // Code-driven state changes; return whether the state changed (and so
    // the control's handler ran).
    bool setEditText(QLineEdit *edit, const QString &text);
    bool setChecked(QAbstractButton *box, bool checked);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    using Handler = void (TForm1::*)();
    struct Wiring {
        QObject *control;
        Handler handler;
    };

    void wireControls();
    Handler handlerOf(QObject *control) const;
    void runNested(QObject *control);

    void CreateBiasControls();
    void ResetLesson();
    void loadGateAndThreshold(uint8_t gate, const char *caption, const char *thresholdWithBias,
                              const char *thresholdWithoutBias);
    void rescaleIterationAxis(int64_t count);

    std::unique_ptr<Ui::Form1> ui;
    WorkbenchState workbench;
    std::vector<Wiring> wiring;
    TForm2 *form2 = nullptr; // owned by this window
};
