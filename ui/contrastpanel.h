// The dockable list of the texts that read badly, worst first.
#pragma once

#include "design/contrast.h"

#include <QDockWidget>

#include <vector>

class QListWidget;

namespace tintora {

class ContrastPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit ContrastPanel(QWidget *parent = nullptr);

    // The places below their bound, in the order given, one row each.
    void showPlaces(const std::vector<ContrastPlace> &places);
    // The rows as shown.
    QStringList rows() const;

signals:
    void elementChosen(int element);

private:
    QListWidget *list_;
};

}  // namespace tintora
