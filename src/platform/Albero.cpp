#include "platform/Albero.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <algorithm>

namespace obx {

namespace {
bool PrimaDi(const NodoAlbero* a, const NodoAlbero* b)
{
    const int c = a->Text().compare(b->Text(), Qt::CaseInsensitive);
    if (c != 0) return c < 0;
    return a->Text() < b->Text();
}
}  // namespace

int NodoAlbero::Level() const
{
    int l = 1;
    for (const NodoAlbero* p = m_padre; p; p = p->m_padre) ++l;
    return l;
}

void NodoAlbero::SetText(const QString& t)
{
    m_testo = t;
    if (m_item) m_item->setText(0, t);
    if (m_padre) {
        if (m_padre->m_ordinato) m_albero->Ordina(m_padre->m_figli, m_padre->m_item);
    } else if (m_albero->m_ordinato) {
        m_albero->Ordina(m_albero->m_radici, nullptr);
    }
}

void NodoAlbero::SetExpanded(bool e)
{
    m_espanso = e;
    if (m_item) m_item->setExpanded(e);
}

void NodoAlbero::SetSorted(bool s)
{
    m_ordinato = s;
    if (s) m_albero->Ordina(m_figli, m_item);
}

Albero::Albero() = default;

Albero::~Albero() { Attach(nullptr); }

NodoAlbero* Albero::Add(const QString& chiavePadre, const QString& chiave, const QString& testo)
{
    if (chiave.isEmpty()) throw Errore(erralbero::kChiaveNonValida, QStringLiteral("Chiave non valida."));
    NodoAlbero* padre = nullptr;
    if (!chiavePadre.isEmpty()) {
        padre = Find(chiavePadre);
        if (!padre)
            throw Errore(erralbero::kElementoNonTrovato,
                         QStringLiteral("Elemento non trovato: nodo '%1'.").arg(chiavePadre));
    }
    if (m_nodi.count(chiave))
        throw Errore(erralbero::kChiaveNonUnivoca,
                     QStringLiteral("Chiave non univoca nell'insieme: '%1'.").arg(chiave));
    auto n = std::make_unique<NodoAlbero>();
    n->m_albero = this;
    n->m_chiave = chiave;
    n->m_testo = testo;
    n->m_padre = padre;
    n->m_ordine = ++m_contatore;
    NodoAlbero* p = n.get();
    m_nodi.emplace(chiave, std::move(n));
    auto& fratelli = padre ? padre->m_figli : m_radici;
    // A sorted parent takes the new child at its place, after its equals.
    auto pos = fratelli.end();
    if (padre ? padre->m_ordinato : m_ordinato) pos = std::upper_bound(fratelli.begin(), fratelli.end(), p, PrimaDi);
    const int indice = int(pos - fratelli.begin());
    fratelli.insert(pos, p);
    CreaItem(p, indice);
    return p;
}

void Albero::CreaItem(NodoAlbero* n, int indice)
{
    if (!m_widget) return;
    auto* it = new QTreeWidgetItem(QStringList{n->m_testo});
    it->setData(0, Qt::UserRole, n->m_chiave);
    n->m_item = it;
    if (n->m_padre) {
        if (QTreeWidgetItem* sopra = n->m_padre->m_item)
            sopra->insertChild(indice < 0 ? sopra->childCount() : indice, it);
    } else {
        m_widget->insertTopLevelItem(indice < 0 ? m_widget->topLevelItemCount() : indice, it);
    }
    it->setExpanded(n->m_espanso);
}

void Albero::Ordina(std::vector<NodoAlbero*>& v, QTreeWidgetItem* sotto)
{
    std::stable_sort(v.begin(), v.end(), PrimaDi);
    if (!m_widget) return;
    // Puts the widget's items in the same order.  An item taken out and put
    // back loses the expanded state of everything under it and may take the
    // widget's highlight elsewhere: both are given back from the nodes.
    m_inSincronia = true;
    for (int i = 0; i < int(v.size()); ++i) {
        QTreeWidgetItem* it = v[i]->m_item;
        if (!it) continue;
        if (sotto) {
            if (sotto->indexOfChild(it) == i) continue;
            sotto->removeChild(it);
            sotto->insertChild(i, it);
        } else {
            const int k = m_widget->indexOfTopLevelItem(it);
            if (k == i) continue;
            if (k >= 0) m_widget->takeTopLevelItem(k);
            m_widget->insertTopLevelItem(i, it);
        }
        RiapreEspansi(v[i]);
    }
    m_inSincronia = false;
    AllineaVista();
}

void Albero::RiapreEspansi(NodoAlbero* n)
{
    if (n->m_item) n->m_item->setExpanded(n->m_espanso);
    for (NodoAlbero* f : n->m_figli) RiapreEspansi(f);
}

void Albero::AllineaVista()
{
    if (!m_widget) return;
    QTreeWidgetItem* it = m_selezionato ? m_selezionato->m_item : nullptr;
    if (m_widget->currentItem() == it && (!it || it->isSelected())) return;
    m_inSincronia = true;
    if (it) {
        m_widget->setCurrentItem(it);
        it->setSelected(true);
        m_widget->scrollToItem(it);
    } else {
        m_widget->setCurrentItem(nullptr);
        m_widget->clearSelection();
    }
    m_inSincronia = false;
}

void Albero::RimuoviRicorsivo(NodoAlbero* n)
{
    for (NodoAlbero* f : n->m_figli) RimuoviRicorsivo(f);
    n->m_figli.clear();
    if (m_selezionato == n) m_selezionato = nullptr;
    n->m_item = nullptr;  // deleted with its parent item
    m_nodi.erase(n->m_chiave);
}

void Albero::Remove(const QString& chiave)
{
    NodoAlbero* n = Find(chiave);
    if (!n) return;
    // A selection inside the removed branch passes to the branch's parent
    // (nothing at the top), never to whatever the widget highlights next.
    for (const NodoAlbero* p = m_selezionato; p; p = p->m_padre)
        if (p == n) {
            m_selezionato = n->m_padre;
            break;
        }
    auto& fratelli = n->m_padre ? n->m_padre->m_figli : m_radici;
    fratelli.erase(std::remove(fratelli.begin(), fratelli.end(), n), fratelli.end());
    QTreeWidgetItem* it = n->m_item;
    RimuoviRicorsivo(n);
    if (it) {
        m_inSincronia = true;
        delete it;
        m_inSincronia = false;
    }
    AllineaVista();
}

void Albero::Clear()
{
    m_selezionato = nullptr;
    m_radici.clear();
    m_nodi.clear();
    if (m_widget) {
        m_inSincronia = true;
        m_widget->clear();
        m_inSincronia = false;
    }
}

NodoAlbero* Albero::Find(const QString& chiave) const
{
    auto it = m_nodi.find(chiave);
    return it == m_nodi.end() ? nullptr : it->second.get();
}

int Albero::Count() const { return int(m_nodi.size()); }

std::vector<NodoAlbero*> Albero::Nodes() const
{
    std::vector<NodoAlbero*> v;
    v.reserve(m_nodi.size());
    for (const auto& [k, n] : m_nodi) v.push_back(n.get());
    std::sort(v.begin(), v.end(), [](const NodoAlbero* a, const NodoAlbero* b) { return a->m_ordine < b->m_ordine; });
    return v;
}

int Albero::Index(const NodoAlbero* n) const
{
    if (!n) return 0;
    int i = 1;
    for (const auto& [k, m] : m_nodi)
        if (m->m_ordine < n->m_ordine) ++i;
    return i;
}

void Albero::SetSorted(bool s)
{
    m_ordinato = s;
    if (s) Ordina(m_radici, nullptr);
}

void Albero::SetSelectedItem(NodoAlbero* n)
{
    m_selezionato = n;
    AllineaVista();
}

QStringList Albero::PercorsoSelezione() const
{
    QStringList chiavi;
    for (const NodoAlbero* p = m_selezionato; p; p = p->m_padre) chiavi << p->m_chiave;
    return chiavi;
}

void Albero::RiprendeSelezione(const QStringList& percorso)
{
    for (const QString& k : percorso)
        if (NodoAlbero* n = Find(k)) {
            SetSelectedItem(n);
            return;
        }
    SetSelectedItem(nullptr);
}

void Albero::Attach(QTreeWidget* w)
{
    for (const auto& c : m_connessioni) QObject::disconnect(c);
    m_connessioni.clear();
    if (m_widget) {
        for (auto& [k, n] : m_nodi) n->m_item = nullptr;
        m_inSincronia = true;
        m_widget->clear();
        m_inSincronia = false;
    }
    m_widget = w;
    if (!w) return;
    w->clear();
    w->setHeaderHidden(true);
    w->setColumnCount(1);
    // Builds the items from the roots down, in display order.
    std::function<void(NodoAlbero*)> crea = [&](NodoAlbero* n) {
        CreaItem(n);
        for (NodoAlbero* f : n->m_figli) crea(f);
        if (n->m_item) n->m_item->setExpanded(n->m_espanso);
    };
    for (NodoAlbero* r : m_radici) crea(r);
    // A widget destroyed first takes its items with it.
    m_connessioni.push_back(QObject::connect(w, &QObject::destroyed, [this]() {
        for (auto& [k, n] : m_nodi) n->m_item = nullptr;
        for (const auto& c : m_connessioni) QObject::disconnect(c);
        m_connessioni.clear();
        m_widget = nullptr;
    }));
    m_connessioni.push_back(
        QObject::connect(w, &QTreeWidget::currentItemChanged, w, [this](QTreeWidgetItem* it, QTreeWidgetItem*) {
            if (m_inSincronia || !it) return;
            NodoAlbero* n = Find(it->data(0, Qt::UserRole).toString());
            m_selezionato = n;
            // The node the commands take is the one highlighted.
            if (!it->isSelected()) {
                m_inSincronia = true;
                it->setSelected(true);
                m_inSincronia = false;
            }
            if (n && NodeClick) NodeClick(n);
        }));
    m_connessioni.push_back(QObject::connect(w, &QTreeWidget::itemExpanded, w, [this](QTreeWidgetItem* it) {
        if (NodoAlbero* n = Find(it->data(0, Qt::UserRole).toString())) n->m_espanso = true;
    }));
    m_connessioni.push_back(QObject::connect(w, &QTreeWidget::itemCollapsed, w, [this](QTreeWidgetItem* it) {
        if (NodoAlbero* n = Find(it->data(0, Qt::UserRole).toString())) n->m_espanso = false;
    }));
}

}  // namespace obx
