#pragma once

#include "QuillonControlsExport.h"

#include <QDialog>
#include <QString>

#include <vector>

class QRadioButton;

// A question of the synchronisation answered with one of a few radio buttons: the mode dialog
// and the two conflict dialogs. Captions come from the core's caption table of the dialog; the
// first choice is preselected and OK takes the checked one, the cancel button (Storno, or
// "end synchronisation") answers nothing.
class QUILLON_CONTROLS_EXPORT SyncChoiceDlg : public QDialog {
    Q_OBJECT
public:
    // A label of the dialog and the value shown beside it.
    struct Fact {
        int labelControl;
        QString value;
        QString objectName; // of the value's label
    };
    struct Layout {
        int dialog = 0;
        QString objectName;
        int textControl = 0; // the explanation above the choices; 0 for none
        std::vector<Fact> facts;
        int groupControl = 0;             // a group box around the choices; 0 for none
        int firstChoice = 0;              // the choices' controls follow one another
        std::vector<QString> choiceNames; // object names of the radio buttons, in order
        QString cancelName;               // object name of the cancel button
    };

    explicit SyncChoiceDlg(const Layout& layout, QWidget* parent = nullptr);

    // The chosen index, or -1 when the dialog was cancelled.
    int Choose();

private:
    QWidget* BuildFacts(const Layout& layout);
    QWidget* BuildChoices(const Layout& layout);

    std::vector<QRadioButton*> m_choices;
};
