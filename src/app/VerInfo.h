#pragma once
#include <QString>
#include <QWidget>

class QLineEdit;

// The version reader: never shown; reads the version information of a file
// and keeps six of its texts in edit fields, from which the about window reads.
class TFVerInfo : public QWidget {
    Q_OBJECT
public:
    explicit TFVerInfo(QWidget *parent = nullptr);
    ~TFVerInfo() override;

    // Reads the file's version information. Throws AppError with
    // "File not found: ", "Invalid version info record in file " or
    // "Invalid language info in file " followed by the file name.
    void SetFilename(const QString &fileName);

    QString Filename;
    QString LanguageInfo;
    QString CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright,
        OriginalFilename, ProductName, ProductVersion, Comments;

    QLineEdit *ECompanyName, *EFileVersion, *EOriginalFilename, *EProductName, *EProductVersion, *EComments;

private:
    QLineEdit *edit(const QString &name);
};

extern TFVerInfo *FVerInfo;
