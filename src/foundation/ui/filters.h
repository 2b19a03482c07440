#pragma once
// The filter check box of the browsers: ticking it enables its inputs, colours
// them yellow and puts the focus in the first; unticking disables them and
// gives them back the window's colours. A search adds the filter's condition
// only while it is active, with the text read through typedText().
#include <QCheckBox>
#include <QList>
#include <QStringList>

#include <optional>

class QAction;
class QListWidget;
class QPushButton;

namespace bv {

class FilterCheck : public QCheckBox {
    Q_OBJECT
public:
    FilterCheck(const QString &text, QList<QWidget *> inputs, QWidget *parent = nullptr);

    // True while the inputs are enabled.
    bool active() const;
    // While active, the typed text (typedText) of `input`, by default the first
    // input; nullopt while inactive.
    std::optional<QString> entry(const QWidget *input = nullptr) const;

private:
    void apply(bool on);
    QList<QWidget *> inputs_;
};

// A list filter: its check box, the input whose typed text "+" appends, the
// list of entries that take part in the search, and the box that shows the list.
// Ticking or unticking hides and empties the list; an empty ticked list is a
// filter that matches nothing.
class FilterList : public QObject {
    Q_OBJECT
public:
    FilterList(const QString &caption, QWidget *input, const QString &removeCaption, QWidget *parent);
    // The entries while the filter is ticked.
    std::optional<QStringList> entries() const;
    // Appends the entry normalised as typed text.
    void append(const QString &entry);
    void clear();

    FilterCheck *check;
    QWidget *input;
    QPushButton *add;
    QListWidget *list;
    QCheckBox *show;
    QAction *remove;
};

// The check box of a browser opened on a selection another window handed it,
// such as a bar of the overview: hidden until a selection is shown, it names
// the selection and narrows the list while ticked; unticking drops it for good.
class SelectionCheck : public QCheckBox {
    Q_OBJECT
public:
    explicit SelectionCheck(QWidget *parent = nullptr);
    // Unticks every filter of the window, so the list is the selection alone.
    void showSelection(const QString &caption);
    // Unticks and hides it, as opening the browser from its menu does.
    void drop();
};

}  // namespace bv
