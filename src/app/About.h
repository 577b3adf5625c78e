#pragma once
#include <QDialog>

class QLabel;
class QVariantAnimation;

// The about window: the product name with the version read from the program's
// file, a picture, and a text presenting the program that scrolls upward once
// each time the window is shown.
class TFAbout : public QDialog {
    Q_OBJECT
public:
    // Reads the version of `executable` through the version reader; on failure
    // the error is reported and the version text stays as it was.
    explicit TFAbout(const QString &executable, QWidget *parent = nullptr);
    ~TFAbout() override;

    QString versionText() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildStrip();
    QWidget *buildScrollPanel();

    QLabel *m_version;
    QLabel *m_text;
    QVariantAnimation *m_scroll;
};

extern TFAbout *FAbout;
