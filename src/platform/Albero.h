// A tree view of keyed nodes, as the acts tree needs it: every node has a
// unique key, a text, a tag, an expanded mark and a sorted mark (a sorted
// node keeps its children in the order of their texts).  It works without a
// window; attached to a QTreeWidget it shows itself there and follows the
// operator's selection.
#pragma once

#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/Errore.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace obx {

// Error numbers of the tree view.
namespace erralbero {
inline constexpr int kElementoNonTrovato = 35601;  // parent key not in the tree
inline constexpr int kChiaveNonUnivoca = 35602;    // key already in the tree
inline constexpr int kChiaveNonValida = 35603;     // empty key
}  // namespace erralbero

class Albero;

class NodoAlbero {
public:
    const QString& Key() const { return m_chiave; }
    const QString& Text() const { return m_testo; }
    const QString& Tag() const { return m_tag; }
    bool Expanded() const { return m_espanso; }
    bool Sorted() const { return m_ordinato; }
    NodoAlbero* Parent() const { return m_padre; }
    // Children in display order (sorted by text when the node is sorted).
    const std::vector<NodoAlbero*>& Children() const { return m_figli; }
    int Level() const;  // 1 for a top-level node

    void SetText(const QString& t);
    void SetTag(const QString& t) { m_tag = t; }
    void SetExpanded(bool e);
    void SetSorted(bool s);

private:
    friend class Albero;
    Albero* m_albero = nullptr;
    QString m_chiave, m_testo, m_tag;
    bool m_espanso = false, m_ordinato = false;
    NodoAlbero* m_padre = nullptr;
    std::vector<NodoAlbero*> m_figli;
    QTreeWidgetItem* m_item = nullptr;
    uint64_t m_ordine = 0;  // order of addition
};

class Albero {
public:
    Albero();
    ~Albero();
    Albero(const Albero&) = delete;
    Albero& operator=(const Albero&) = delete;

    // Adds a node under the node keyed `chiavePadre` (empty: at the top).
    // Throws Errore kChiaveNonUnivoca for a key already present (the tree
    // is unchanged), kElementoNonTrovato for an unknown parent.
    NodoAlbero* Add(const QString& chiavePadre, const QString& chiave, const QString& testo);
    // Removes the node and its subtree; unknown keys are ignored.
    void Remove(const QString& chiave);
    void Clear();

    NodoAlbero* Find(const QString& chiave) const;  // nullptr when absent
    int Count() const;
    // Top-level nodes, in order of addition (or of text when the tree is sorted).
    const std::vector<NodoAlbero*>& Roots() const { return m_radici; }
    // Every node in order of addition; Index() is the 1-based position in it.
    std::vector<NodoAlbero*> Nodes() const;
    int Index(const NodoAlbero* n) const;

    // Whether the top-level nodes are kept sorted by text.
    void SetSorted(bool s);
    bool Sorted() const { return m_ordinato; }

    // The selected node is the one the widget highlights and holds as its
    // current item, whatever is added, removed, renamed or re-sorted; a
    // removed selection passes to the parent of the removed branch.
    NodoAlbero* SelectedItem() const { return m_selezionato; }
    void SetSelectedItem(NodoAlbero* n);
    // The keys of the selected node and of its ancestors, nearest first, to
    // select again after the tree is loaded anew: the first still present
    // is selected (none: nothing).
    QStringList PercorsoSelezione() const;
    void RiprendeSelezione(const QStringList& percorso);
    // Called when the operator selects a node in the attached widget.
    std::function<void(NodoAlbero*)> NodeClick;

    // Shows the tree in `w` (nullptr detaches); the widget is not owned and
    // must outlive the attachment or be detached first.
    void Attach(QTreeWidget* w);

private:
    friend class NodoAlbero;
    void Ordina(std::vector<NodoAlbero*>& v, QTreeWidgetItem* sotto);
    void Scollega(NodoAlbero* n);
    void RimuoviRicorsivo(NodoAlbero* n);
    void CreaItem(NodoAlbero* n, int indice = -1);
    void RiapreEspansi(NodoAlbero* n);
    void AllineaVista();

    std::map<QString, std::unique_ptr<NodoAlbero>> m_nodi;
    std::vector<NodoAlbero*> m_radici;
    NodoAlbero* m_selezionato = nullptr;
    bool m_ordinato = false;
    uint64_t m_contatore = 0;
    QTreeWidget* m_widget = nullptr;
    std::vector<QMetaObject::Connection> m_connessioni;
    bool m_inSincronia = false;
};

}  // namespace obx
