// The dockable list of the texts that read badly, worst first, and the bound they are judged by.
#pragma once

#include "contrastswatches.h"

#include "design/contrast.h"

#include <QDockWidget>

#include <vector>

class QComboBox;
class QListWidget;

namespace tintora {

struct ContrastRow {
    ContrastPlace place;
    ContrastSwatches swatches;
};

class ContrastPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit ContrastPanel(QWidget *parent = nullptr);

    // The rows below their bound, in the order given. The row last clicked stays selected
    // while its element is among them.
    void showRows(const std::vector<ContrastRow> &rows);
    // The rows' figures in the words of tintora-cli check, as their tooltips give them.
    QStringList rows() const;
    // The rows' sentences as shown.
    QStringList sentences() const;
    // The element of the row clicked last, while it is shown; 0 for none.
    int chosenElement() const { return chosenElement_; }
    // 0 to kContrastBoundCount - 1, as ReadContrastBound gives it; shown without a signal.
    void showBound(int bound);
    void retranslate();

signals:
    void elementChosen(int element);
    void boundChosen(int bound);

private:
    QComboBox *boundCombo_;
    QListWidget *list_;
    int chosenElement_ = 0;
};

}  // namespace tintora
