#pragma once

#include <QDialog>
#include <QVector>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

// The hub for one picked learner and the chosen data year: four stages, each
// with a sub-menu of the sections it holds.
class frmSNA_Main : public QDialog
{
    Q_OBJECT
public:
    explicit frmSNA_Main(QWidget *parent = nullptr);

    // Shows stage n's sub-menu (1 to 4) and hides the others; any other n does nothing.
    void show_Sub_Menu(int stage);

    QPushButton *stageButton(int stage) const;
    QGroupBox *stageFrame(int stage) const;
    QPushButton *sectionButton(const QString &objectName) const;

    // Twips to pixels as the screen lays out its frames (15 twips a pixel).
    static int px(int twips) { return twips / 15; }

private:
    struct Stage
    {
        QPushButton *button = nullptr;
        QGroupBox *frame = nullptr;
        QFrame *line = nullptr;
    };

    void buildStage(int stage, const QString &label, const QString &buttonName, const QString &buttonText,
                    const QString &frameName, const QString &frameTitle);
    void addSection(int stage, const QString &buttonName, const QString &text, const QString &screenName);
    void openSection(const QString &screenName);
    // The stage's frame as wide as the layout gives it, or as its caption needs.
    int frameWidth(int stage) const;

    QVector<Stage> m_stages;
    QLabel *m_learner = nullptr;
};
