#pragma once
#include <QDialog>
#include <QString>
#include <vector>

class QLineEdit;
class QPushButton;

// "Данные организации (пользователя)": the agency's particulars, the first row
// of Firm. "Сохранить" stores them; Esc and the close button store nothing.
class TFSprFirm : public QDialog {
    Q_OBJECT
public:
    explicit TFSprFirm(QWidget *parent = nullptr);
    ~TFSprFirm() override;

    // Fills the fields from the stored row and shows the window modally.
    int Execute();
    // Shows the stored row in the fields (empty fields when there is none).
    void LoadFields();
    // Stores the fields into the first row of Firm (adding it to an empty
    // table), closes the window and announces firmSaved.
    void BitBtn1Click();

    QLineEdit *edit(const QString &field) const;

signals:
    // The particulars were stored (the main window's title shows the agency's name).
    void firmSaved();

private:
    struct Item { const char *field, *label; };
    QWidget *buildGroup(const QString &title, std::vector<Item> items);
    bool storeFields();
    void alignLabels();

    std::vector<std::pair<QString, QLineEdit *>> m_edits;
    QPushButton *m_save;
};

extern TFSprFirm *FSprFirm;
