#pragma once
// The description window: explains the learning rule in the interface
// language. It keeps nothing: every opening rebuilds its texts.

#include "ui_common/language.h"

#include <QDialog>
#include <cstdint>
#include <memory>

namespace Ui { class Form2; }

class TForm2 : public QDialog {
    Q_OBJECT
public:
    // `language` is the workbench's; it is read at every opening.
    TForm2(const Language &language, QWidget *parent);
    ~TForm2() override;

    Ui::Form2 &controls() { return *ui; }

    // Shows the window maximised; returns when it is closed. Its owner must
    // hold its own window meanwhile (ActionHold), as a modal one would be.
    void showModally();

    void FormActivate();
    void end2BClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::Form2> ui;
    const Language &language;
};
