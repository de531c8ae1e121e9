// List controls with the selection behaviour the program's windows rely on:
// setting the selection from code runs the control's selection handler at
// once, nested inside the caller, exactly as an operator's choice does, and
// also when the index does not change.  Filling and emptying the list never
// runs it.  The handler is the plain function `Click`; the operator's choice
// (mouse or keyboard) runs the same function.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <functional>

namespace obx {

// Drop-down list.  A new list has nothing selected (ListIndex -1), also
// after its first entry is added.
class ElencoCombo : public QComboBox {
public:
    explicit ElencoCombo(QWidget* genitore = nullptr);

    std::function<void()> Click;

    int ListIndex() const { return currentIndex(); }
    // Selects entry i (-1 nothing) and runs Click.  An index outside the
    // list selects nothing, as -1 does.
    void SetListIndex(int i);

    int ListCount() const { return count(); }
    QString List(int i) const { return itemText(i); }
    QString Text() const { return currentText(); }
    void AddItem(const QString& testo);
    void RemoveItem(int i);
    void Clear();

private:
    bool m_daCodice = false;
};

// List box.  The operator's selection runs Click once per change of the
// selected row.
class ElencoLista : public QListWidget {
public:
    explicit ElencoLista(QWidget* genitore = nullptr);

    std::function<void()> Click;

    int ListIndex() const { return currentRow(); }
    // Selects row i (-1 nothing) and runs Click.
    void SetListIndex(int i);

    int ListCount() const { return count(); }
    QString List(int i) const;
    QString Text() const;  // the selected row, empty when none
    void AddItem(const QString& testo);
    void RemoveItem(int i);
    // Removes the first row equal to testo; false when there is none.
    bool RimuoviTesto(const QString& testo);
    void Clear();

private:
    bool m_daCodice = false;
};

}  // namespace obx
