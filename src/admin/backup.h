#pragma once
// The backup window: a folder and the button that writes today's backup there.
#include <QDialog>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace bv {

class backup : public QDialog {
    Q_OBJECT
public:
    explicit backup(QWidget *parent = nullptr);

    // "ايجاد فايل".
    void createFile();

    // The computer's folders; choosing one writes it into `folder`, where a
    // folder of the database server's machine may also be typed.
    QTreeView *folders;
    QLineEdit *folder;
    QPushButton *ins_btn;

private:
    QFileSystemModel *model_;
};

}  // namespace bv
