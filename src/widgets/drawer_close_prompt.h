#pragma once

#include <QDialog>

// The small window of the simulated cash drawer: it stands for the open
// drawer until the user says it is shut. Its only way out is its button.
class DrawerClosePrompt : public QDialog {
    Q_OBJECT
public:
    explicit DrawerClosePrompt(QWidget *parent = nullptr);
    void reject() override {}
};
