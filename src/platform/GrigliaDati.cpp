#include "platform/GrigliaDati.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QScrollBar>
#include <QTimer>
#include <sqlite3.h>

#include <algorithm>
#include <deque>
#include <map>
#include <optional>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Testo.h"

namespace obx {

namespace {

// Rows whose values are kept in memory; the others are read again by
// their bookmark when they come back into view.
constexpr int kRigheInMemoria = 4096;
// A walk to a far row keeps the values of only the rows just before it.
constexpr int kVicine = 256;
// Rows of a table read at opening; the count of the others follows when
// the event loop turns, so that opening costs the same whatever the size.
constexpr int kPrimoLotto = 64;

bool Numerico(const DefCampo& d)
{
    return d.tipo == TipoCampo::Byte || d.tipo == TipoCampo::Integer || d.tipo == TipoCampo::Long ||
           d.tipo == TipoCampo::Single || d.tipo == TipoCampo::Double;
}

// "dd/MM/yyyy HH:mm:ss", put together without a pattern (on every row).
QString TestoDataOra(const QDateTime& t)
{
    const QDate d = t.date();
    const QTime o = t.time();
    if (!d.isValid() || !o.isValid() || d.year() < 0 || d.year() > 9999) return t.toString();
    char16_t b[19];
    auto due = [&b](int pos, int n) {
        b[pos] = char16_t(u'0' + n / 10);
        b[pos + 1] = char16_t(u'0' + n % 10);
    };
    due(0, d.day());
    b[2] = u'/';
    due(3, d.month());
    b[5] = u'/';
    due(6, d.year() / 100);
    due(8, d.year() % 100);
    b[10] = u' ';
    due(11, o.hour());
    b[13] = u':';
    due(14, o.minute());
    b[16] = u':';
    due(17, o.second());
    return QString(reinterpret_cast<const QChar*>(b), 19);
}

QString TestoPredefinito(const QVariant& v, const DefCampo& d)
{
    if (!v.isValid() || v.isNull()) return QString();
    switch (v.typeId()) {
    case QMetaType::QDateTime: return TestoDataOra(v.toDateTime());
    case QMetaType::Double: {
        QLocale l(QLocale::Italian, QLocale::Italy);
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l.toString(v.toDouble(), 'g', d.tipo == TipoCampo::Single ? 7 : 15);
    }
    default: return v.toString();
    }
}

}  // namespace

namespace {

int g_limiteCalcoloMs = 3000;

// An expression typed by the operator may take the engine as long as it
// likes (a huge text or blob per row): past the limit the engine is told
// to stop, and the statement fails as any other refusal.
class LimiteCalcolo {
public:
    LimiteCalcolo()
    {
        m_db = dbArchivio.Motore();
        m_tempo.start();
        if (!m_db) return;
        // Checked every few steps: one row of a heavy expression may be
        // only a handful of them.
        sqlite3_progress_handler(m_db, 16, &LimiteCalcolo::Controlla, this);
        // One value of a huge size is a single step that no check can stop:
        // it is refused as soon as it grows past what a field may hold.
        m_lunghezza = sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, kLunghezzaMassima);
    }
    ~LimiteCalcolo()
    {
        if (!m_db) return;
        sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
        sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, m_lunghezza);
    }
    LimiteCalcolo(const LimiteCalcolo&) = delete;
    LimiteCalcolo& operator=(const LimiteCalcolo&) = delete;

    static constexpr int kLunghezzaMassima = 10'000'000;

    // Whether the failure `e` (none: the statement ended) is the limit's.
    bool Interrotto(const Errore* e = nullptr) const
    {
        m_troppoGrande = e && e->Descrizione().contains(QLatin1String("string or blob too big"));
        return m_interrotto || m_troppoGrande;
    }
    Errore Rifiuto() const
    {
        if (m_troppoGrande && !m_interrotto)
            return Errore(errdb::kErroreMotore,
                          QStringLiteral("Calcolo interrotto: l'espressione produce un valore di oltre %1 "
                                         "caratteri. Semplificare il filtro o l'ordinamento.")
                              .arg(kLunghezzaMassima));
        return Errore(errdb::kErroreMotore,
                      QStringLiteral("Calcolo interrotto: l'espressione richiedeva più di %1 secondi. "
                                     "Semplificare il filtro o l'ordinamento.")
                          .arg(QLocale(QLocale::Italian).toString(g_limiteCalcoloMs / 1000.0, 'g', 3)));
    }

private:
    static int Controlla(void* p)
    {
        auto* l = static_cast<LimiteCalcolo*>(p);
        if (l->m_tempo.elapsed() >= g_limiteCalcoloMs) l->m_interrotto = true;
        return l->m_interrotto ? 1 : 0;
    }
    sqlite3* m_db = nullptr;
    int m_lunghezza = 0;
    QElapsedTimer m_tempo;
    bool m_interrotto = false;
    mutable bool m_troppoGrande = false;
};

}  // namespace

void GrigliaDati::ImpostaLimiteCalcolo(int millisecondi) { g_limiteCalcoloMs = std::max(1, millisecondi); }

QString TestoErrore(const Errore& e)
{
    return QStringLiteral("Errore: ") + QString::number(e.Numero()) + u' ' + e.Descrizione();
}

// ===========================================================================
// The model: the rows of the record set, walked as they are needed.

class ModelloGriglia : public QAbstractTableModel {
public:
    struct Sorgente {
        bool tabella = false;
        QString nome, indice, filtro, ordine;  // table
        QString sql;                           // query
        QVariantList valori;
    };
    struct ColonnaInterna {
        QString campo, titolo;
        std::function<QString(const QVariant&)> formato;
        int pos = 0;
        DefCampo def;
        bool scrivibile = false;
    };

    explicit ModelloGriglia(GrigliaDati* g) : QAbstractTableModel(g), m_griglia(g) {}

    // ---- source -----------------------------------------------------------

    void Apri(const Sorgente& s)
    {
        Recordset nuovo, lettore;
        bool pigra = false;
        if (s.tabella && TrimSpazi(s.filtro).isEmpty() && TrimSpazi(s.ordine).isEmpty()) {
            nuovo = dbArchivio.OpenTable(s.nome, s.indice);
            lettore = dbArchivio.OpenTable(s.nome, s.indice);
            pigra = true;
        } else if (s.tabella) {
            // The operator's texts stand inside a fixed statement on the table.
            QString sql = QStringLiteral("SELECT * FROM [%1]").arg(s.nome);
            if (!TrimSpazi(s.filtro).isEmpty()) {
                Database::ControllaEspressione(s.filtro, false);
                sql += QStringLiteral(" WHERE (") + s.filtro + u')';
            }
            if (!TrimSpazi(s.ordine).isEmpty()) {
                Database::ControllaEspressione(s.ordine, true);
                sql += QStringLiteral(" ORDER BY ") + s.ordine;
            }
            LimiteCalcolo limite;
            try {
                nuovo = dbArchivio.OpenQuery(sql);
            } catch (const Errore& e) {
                if (limite.Interrotto(&e)) throw limite.Rifiuto();
                throw;
            }
            if (limite.Interrotto()) throw limite.Rifiuto();
        } else {
            nuovo = dbArchivio.OpenQuery(s.sql, s.valori);
        }
        const int totale = pigra ? 0 : nuovo.RecordCount();
        std::vector<ColonnaInterna> colonne = Colonne(nuovo);

        beginResetModel();
        m_rs = std::move(nuovo);
        m_lettore = std::move(lettore);
        m_pigra = pigra;
        m_sorgente = s;
        m_colonne = std::move(colonne);
        m_totale = totale;
        Azzera();
        m_aperta = true;
        if (pigra) {
            Cammina(kPrimoLotto - 1);
            m_totale = int(m_segni.size());
            m_contoInSospeso = !m_finito;
        }
        endResetModel();
        if (m_contoInSospeso)
            QTimer::singleShot(0, this, [this, generazione = m_generazione] {
                if (generazione == m_generazione) CompletaConteggio();
            });
    }

    // The rows past the first ones, counted; the walk reads them when they
    // come into view.
    void CompletaConteggio()
    {
        if (!m_contoInSospeso) return;
        m_contoInSospeso = false;
        int n = 0;
        try {
            n = m_finito ? int(m_segni.size()) : Lettore().RecordCount();
        } catch (const Errore& e) {
            Differisci(e);
            return;
        }
        if (n <= m_totale) return;  // fewer now: the walk finds out at the end
        beginInsertRows(QModelIndex(), m_totale, n - 1);
        if (m_rigaModifica == m_totale) m_rigaModifica = n;  // the new row stays last
        m_totale = n;
        endInsertRows();
    }

    void Chiudi()
    {
        beginResetModel();
        m_rs.Close();
        m_lettore.Close();
        m_aperta = false;
        m_totale = 0;
        Azzera();
        endResetModel();
    }

    std::vector<ColonnaInterna> Colonne(const Recordset& rs) const
    {
        std::vector<ColonnaInterna> out;
        const QStringList nomi = rs.FieldNames();
        auto aggiungi = [&](const QString& campo, const QString& titolo,
                            const std::function<QString(const QVariant&)>& formato) {
            int pos = -1;
            for (int i = 0; i < nomi.size(); ++i)
                if (nomi.at(i).compare(campo, Qt::CaseInsensitive) == 0) pos = i;
            if (pos < 0)
                throw Errore(errdb::kCampoNonTrovato,
                             QStringLiteral("Elemento non trovato nell'insieme: campo '%1'.").arg(campo));
            ColonnaInterna c;
            c.campo = nomi.at(pos);
            c.titolo = titolo.isEmpty() ? c.campo : titolo;
            c.formato = formato;
            c.pos = pos;
            c.def = rs.FieldDef(c.campo);
            c.scrivibile = rs.Updatable() && !(c.def.attributi & kAttrAutoIncremento);
            out.push_back(std::move(c));
        };
        if (m_scelte.empty())
            for (const QString& n : nomi) aggiungi(n, QString(), {});
        else
            for (const GrigliaDati::Colonna& c : m_scelte) aggiungi(c.campo, c.titolo, c.formato);
        return out;
    }

    void Azzera()
    {
        ++m_generazione;
        m_contoInSospeso = false;
        m_segni.clear();
        m_cache.clear();
        m_fifo.clear();
        m_finito = false;
        m_sullUltimo = false;
        m_rigaModifica = -1;
        m_valori.clear();
        m_erroreDifferito.reset();
    }

    // ---- walking ----------------------------------------------------------

    // The record set that reads rows by bookmark and takes the edits: for a
    // table a second one, so that the walk is never moved.
    Recordset& Lettore() const { return m_pigra ? m_lettore : m_rs; }

    std::vector<QVariant> LeggeCorrente(const Recordset& rs) const
    {
        std::vector<QVariant> v;
        v.reserve(m_colonne.size());
        for (const ColonnaInterna& c : m_colonne) v.push_back(rs.FieldAt(c.pos));
        return v;
    }

    void Metti(int r, std::vector<QVariant> valori) const
    {
        if (!m_cache.contains(r)) {
            m_fifo.push_back(r);
            while (int(m_fifo.size()) > kRigheInMemoria) {
                m_cache.remove(m_fifo.front());
                m_fifo.pop_front();
            }
        }
        m_cache.insert(r, std::move(valori));
    }

    // Walks the source until row `fino` has its bookmark; false when the
    // source ends before it.
    // The archive was closed under the grid (its copy, its repair): the
    // source is opened again once the painting that found it is over.
    bool Chiusa() const
    {
        if (!m_aperta || (m_rs.IsOpen() && (!m_pigra || m_lettore.IsOpen()))) return false;
        if (!m_riaperturaProgrammata) {
            m_riaperturaProgrammata = true;
            QTimer::singleShot(0, const_cast<ModelloGriglia*>(this), [this] {
                auto* m = const_cast<ModelloGriglia*>(this);
                m->m_riaperturaProgrammata = false;
                if (!m->m_aperta || !Chiusa()) return;
                try {
                    const Sorgente s = m->m_sorgente;
                    m->Apri(s);
                    m->m_griglia->m_selezione.clear();
                } catch (const Errore& e) {
                    m->Chiudi();
                    m->m_griglia->Segnala(e);
                }
            });
        }
        return true;
    }

    bool Cammina(int fino) const
    {
        if (fino < int(m_segni.size())) return true;
        if (m_finito || !m_aperta || Chiusa()) return false;
        const int vicine = fino - kVicine;
        try {
            while (int(m_segni.size()) <= fino) {
                if (m_segni.empty()) {
                    m_rs.MoveFirst();
                } else {
                    if (!m_sullUltimo) m_rs.SetBookmark(m_segni.back());
                    m_rs.MoveNext();
                }
                m_sullUltimo = true;
                if (m_rs.Eof()) {
                    m_finito = true;
                    if (int(m_segni.size()) != m_totale) PianificaConteggio();
                    return false;
                }
                const int r = int(m_segni.size());
                m_segni.push_back(m_rs.Bookmark());
                if (r >= vicine) Metti(r, LeggeCorrente(m_rs));
            }
        } catch (const Errore& e) {
            m_finito = true;
            Differisci(e);
            PianificaConteggio();
            return false;
        }
        return true;
    }

    // The values of a row; nullptr past the end, an empty row for a row
    // that the archive no longer holds.
    const std::vector<QVariant>* Valori(int r) const
    {
        if (r < 0 || r >= m_totale) return nullptr;
        const bool chiusa = Chiusa();  // rows already read are shown meanwhile
        if (auto it = m_cache.constFind(r); it != m_cache.constEnd()) return &it.value();
        if (chiusa || !Cammina(r)) return nullptr;
        if (auto it = m_cache.constFind(r); it != m_cache.constEnd()) return &it.value();
        Recordset& l = Lettore();
        try {
            l.SetBookmark(m_segni[size_t(r)]);
            if (&l == &m_rs) m_sullUltimo = false;
            Metti(r, LeggeCorrente(l));
        } catch (const Errore& e) {
            if (e.Numero() != errdb::kNessunRecord && e.Numero() != errdb::kRecordEliminato) Differisci(e);
            Metti(r, {});
        }
        return &m_cache.find(r).value();
    }

    // A failure met while painting is shown after it.
    void Differisci(const Errore& e) const
    {
        if (m_erroreDifferito) return;
        m_erroreDifferito = e;
        QTimer::singleShot(0, m_griglia, [g = m_griglia, e] { g->Segnala(e); });
    }

    // The count taken at opening no longer matches the source: the grid
    // follows, outside the painting that found it.
    void PianificaConteggio() const
    {
        QTimer::singleShot(0, const_cast<ModelloGriglia*>(this),
                           [this] { const_cast<ModelloGriglia*>(this)->CorreggiConteggio(); });
    }

    void CorreggiConteggio()
    {
        if (!m_finito) return;
        m_contoInSospeso = false;
        const int trovate = int(m_segni.size());
        if (trovate < m_totale) {
            beginRemoveRows(QModelIndex(), trovate, m_totale - 1);
            for (int r = trovate; r < m_totale; ++r) m_cache.remove(r);
            if (m_rigaModifica >= trovate && m_rigaModifica < m_totale) {
                m_rigaModifica = -1;
                m_valori.clear();
            }
            m_totale = trovate;
            endRemoveRows();
        } else if (trovate > m_totale) {
            beginInsertRows(QModelIndex(), m_totale, trovate - 1);
            if (m_rigaModifica == m_totale) m_rigaModifica = trovate;  // the new row moves down
            m_totale = trovate;
            endInsertRows();
        }
    }

    // The whole source walked (before a row is added at its end).
    void CamminaTutto()
    {
        if (!m_pigra) return;
        while (!m_finito) Cammina(int(m_segni.size()));
        CorreggiConteggio();
    }

    // ---- Qt model ---------------------------------------------------------

    bool RigaNuova(int r) const { return AggiuntaAttiva() && r == m_totale; }
    bool AggiuntaAttiva() const { return m_aperta && m_aggiunta && m_rs.Updatable(); }

    int rowCount(const QModelIndex& p = QModelIndex()) const override
    {
        if (p.isValid() || !m_aperta) return 0;
        return m_totale + (AggiuntaAttiva() ? 1 : 0);
    }
    int columnCount(const QModelIndex& p = QModelIndex()) const override
    {
        return p.isValid() || !m_aperta ? 0 : int(m_colonne.size());
    }

    QVariant ValoreCella(int r, int c, bool* eliminata = nullptr) const
    {
        if (r == m_rigaModifica) {
            auto it = m_valori.find(c);
            if (it != m_valori.end()) return it->second;
        }
        if (RigaNuova(r)) return QVariant();
        const std::vector<QVariant>* v = Valori(r);
        if (!v) return QVariant();
        if (v->empty()) {
            if (eliminata) *eliminata = true;
            return QVariant();
        }
        return (*v)[size_t(c)];
    }

    QString Testo(int r, int c) const
    {
        bool eliminata = false;
        const QVariant v = ValoreCella(r, c, &eliminata);
        if (eliminata) return QStringLiteral("#Eliminato");
        const ColonnaInterna& col = m_colonne[size_t(c)];
        return col.formato ? col.formato(v) : TestoPredefinito(v, col.def);
    }

    QVariant data(const QModelIndex& i, int ruolo) const override
    {
        if (!i.isValid() || i.column() >= int(m_colonne.size())) return QVariant();
        const ColonnaInterna& col = m_colonne[size_t(i.column())];
        switch (ruolo) {
        case Qt::DisplayRole: return Testo(i.row(), i.column());
        case Qt::EditRole: {
            const QVariant v = ValoreCella(i.row(), i.column());
            const QString t = TestoPredefinito(v, col.def);
            return col.def.tipo == TipoCampo::Text ? RTrimSpazi(t) : t;
        }
        case Qt::TextAlignmentRole:
            return Numerico(col.def) ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                                     : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
        default: return QVariant();
        }
    }

    QVariant headerData(int s, Qt::Orientation o, int ruolo) const override
    {
        if (ruolo != Qt::DisplayRole) return QVariant();
        if (o == Qt::Horizontal) return s >= 0 && s < int(m_colonne.size()) ? m_colonne[size_t(s)].titolo : QString();
        if (RigaNuova(s) && s != m_rigaModifica) return QStringLiteral("*");
        if (s == m_rigaModifica) return QStringLiteral("\u270E");
        return QString();
    }

    bool Scrivibile(int r, int c) const
    {
        if (!m_aperta || r < 0 || c < 0 || c >= int(m_colonne.size()) || !m_colonne[size_t(c)].scrivibile) return false;
        if (RigaNuova(r)) return true;
        return m_modifica && r < m_totale;
    }

    Qt::ItemFlags flags(const QModelIndex& i) const override
    {
        if (!i.isValid()) return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (Scrivibile(i.row(), i.column())) f |= Qt::ItemIsEditable;
        return f;
    }

    bool setData(const QModelIndex& i, const QVariant& valore, int ruolo) override
    {
        if (ruolo != Qt::EditRole || !i.isValid()) return false;
        return Scrive(i.row(), i.column(), valore.toString());
    }

    // ---- editing ----------------------------------------------------------

    // The "*" row comes and goes with the switch.
    void ImpostaAggiunta(bool consenti)
    {
        if (consenti == m_aggiunta) return;
        if (!consenti && RigaNuova(m_rigaModifica)) Annulla();
        const bool prima = AggiuntaAttiva();
        const int r = m_totale;
        if (!m_aperta || !m_rs.Updatable()) {
            m_aggiunta = consenti;
            return;
        }
        if (!prima)
            beginInsertRows(QModelIndex(), r, r);
        else
            beginRemoveRows(QModelIndex(), r, r);
        m_aggiunta = consenti;
        if (!prima)
            endInsertRows();
        else
            endRemoveRows();
    }

    bool Scrive(int r, int c, const QString& testo)
    {
        if (!Scrivibile(r, c)) return false;
        if (m_rigaModifica >= 0 && m_rigaModifica != r && !m_griglia->SalvaModifiche()) return false;
        if (r > m_totale) return false;  // the row moved while the other was stored
        const ColonnaInterna& col = m_colonne[size_t(c)];
        const bool testuale = col.def.tipo == TipoCampo::Text || col.def.tipo == TipoCampo::Memo;
        const QVariant grezzo = (!testuale && TrimSpazi(testo).isEmpty()) ? QVariant() : QVariant(testo);
        QVariant valore;
        try {
            valore = Lettore().CheckField(col.campo, grezzo);
        } catch (const Errore& e) {
            m_griglia->Segnala(e);
            return false;
        }
        // The same value again changes nothing.
        const bool gia = r == m_rigaModifica && m_valori.count(c);
        if (!gia && !RigaNuova(r) && ValoreCella(r, c) == valore) return true;
        const int prima = m_rigaModifica;
        m_rigaModifica = r;
        m_valori[c] = valore;
        emit dataChanged(index(r, c), index(r, c));
        if (prima != r) emit headerDataChanged(Qt::Vertical, r, r);
        return true;
    }

    void Annulla()
    {
        if (m_rigaModifica < 0) return;
        const int r = m_rigaModifica;
        m_rigaModifica = -1;
        m_valori.clear();
        if (r < rowCount()) {
            emit dataChanged(index(r, 0), index(r, columnCount() - 1));
            emit headerDataChanged(Qt::Vertical, r, r);
        }
    }

    // Stores the changed row; false (changes kept) when the archive refused it.
    bool Salva()
    {
        if (m_rigaModifica < 0) return true;
        if (m_valori.empty()) {
            Annulla();
            return true;
        }
        if (m_griglia->PrimaDiSalvare && !m_griglia->PrimaDiSalvare()) {
            Annulla();
            return true;
        }
        const bool nuova = RigaNuova(m_rigaModifica);
        if (nuova) CamminaTutto();  // the new row goes after every row walked
        if (m_rigaModifica < 0) return true;
        const int r = m_rigaModifica;
        Recordset& l = Lettore();
        qint64 segno = -1;
        try {
            if (nuova) {
                l.AddNew();
            } else {
                l.SetBookmark(m_segni[size_t(r)]);
                if (&l == &m_rs) m_sullUltimo = false;
                l.Edit();
            }
            for (const auto& [c, v] : m_valori) l.SetField(m_colonne[size_t(c)].campo, v);
            l.Update();
            segno = nuova ? l.LastModified() : m_segni[size_t(r)];
            l.SetBookmark(segno);
            if (&l == &m_rs) m_sullUltimo = false;
        } catch (const Errore& e) {
            try {
                if (l.IsOpen() && l.EditMode() != dbEditNone) l.CancelUpdate();
            } catch (const Errore&) {
            }
            m_griglia->Segnala(e);
            return false;
        }
        std::vector<QVariant> letta;
        try {
            letta = LeggeCorrente(l);
        } catch (const Errore&) {
        }
        m_rigaModifica = -1;
        m_valori.clear();
        if (nuova) {
            m_segni.push_back(segno);
            Metti(r, std::move(letta));
            beginInsertRows(QModelIndex(), m_totale + 1, m_totale + 1);
            ++m_totale;
            endInsertRows();
        } else {
            Metti(r, std::move(letta));
        }
        emit dataChanged(index(r, 0), index(r, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, r, std::min(r + 1, rowCount() - 1));
        return true;
    }

    bool Elimina(int r)
    {
        if (!m_aperta || !m_eliminazione || r < 0 || r >= m_totale || !m_rs.Updatable()) return false;
        if (m_rigaModifica == r)
            Annulla();
        else if (m_rigaModifica >= 0 && !m_griglia->SalvaModifiche())
            return false;
        if (r >= m_totale || !Cammina(r)) return false;
        if (m_griglia->PrimaDiEliminare && !m_griglia->PrimaDiEliminare()) return false;
        if (r >= m_totale) return false;
        const qint64 segno = m_segni[size_t(r)];
        Recordset& l = Lettore();
        try {
            l.SetBookmark(segno);
            if (&l == &m_rs) m_sullUltimo = false;
            l.Delete();
        } catch (const Errore& e) {
            m_griglia->Segnala(e);
            return false;
        }
        beginRemoveRows(QModelIndex(), r, r);
        m_segni.erase(m_segni.begin() + r);
        QHash<int, std::vector<QVariant>> cache;
        std::deque<int> fifo;
        for (int k : m_fifo) {
            if (k == r) continue;
            const int n = k > r ? k - 1 : k;
            cache.insert(n, m_cache.value(k));
            fifo.push_back(n);
        }
        m_cache = std::move(cache);
        m_fifo = std::move(fifo);
        if (m_rigaModifica > r) --m_rigaModifica;
        --m_totale;
        endRemoveRows();
        m_griglia->m_selezione.removeAll(segno);
        return true;
    }

    GrigliaDati* m_griglia;
    std::vector<GrigliaDati::Colonna> m_scelte;
    Sorgente m_sorgente;
    bool m_aperta = false;
    bool m_pigra = false;
    mutable Recordset m_rs;
    mutable Recordset m_lettore;
    std::vector<ColonnaInterna> m_colonne;
    int m_totale = 0;
    mutable std::vector<qint64> m_segni;
    mutable QHash<int, std::vector<QVariant>> m_cache;
    mutable std::deque<int> m_fifo;
    mutable bool m_finito = false;
    bool m_contoInSospeso = false;
    int m_generazione = 0;
    mutable bool m_riaperturaProgrammata = false;
    mutable bool m_sullUltimo = false;
    mutable std::optional<Errore> m_erroreDifferito;
    bool m_modifica = false, m_aggiunta = false, m_eliminazione = false;
    int m_rigaModifica = -1;
    std::map<int, QVariant> m_valori;
};

// ===========================================================================
// The view

GrigliaDati::GrigliaDati(QWidget* padre) : QTableView(padre)
{
    m_modello = new ModelloGriglia(this);
    setModel(m_modello);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setWordWrap(false);
    setAlternatingRowColors(true);
    // Rows of one height: the view never measures the rows it does not show.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("MM")));
    // A caption is clicked, not a column selected.
    QHeaderView* h = horizontalHeader();
    disconnect(h, &QHeaderView::sectionPressed, nullptr, nullptr);
    disconnect(h, &QHeaderView::sectionEntered, nullptr, nullptr);
    h->setSectionsClickable(true);
    h->setHighlightSections(false);
    connect(h, &QHeaderView::sectionClicked, this, [this](int c) {
        if (ClicIntestazione) ClicIntestazione(c);
    });
}

GrigliaDati::~GrigliaDati() = default;

void GrigliaDati::Segnala(const Errore& e)
{
    if (MostraErrore)
        MostraErrore(e);
    else
        UI().MsgBox(TestoErrore(e), vbOKOnly, kTitoloOBX);
}

void GrigliaDati::ImpostaColonne(std::vector<Colonna> colonne)
{
    m_modello->m_scelte = std::move(colonne);
    if (m_modello->m_aperta) {
        ModelloGriglia::Sorgente s = m_modello->m_sorgente;
        m_modello->Apri(s);
        m_selezione.clear();
        Adatta();
    }
}

void GrigliaDati::Adatta()
{
    const QFontMetrics fm = fontMetrics();
    const int carattere = fm.averageCharWidth();
    for (int c = 0; c < int(m_modello->m_colonne.size()); ++c) {
        const auto& col = m_modello->m_colonne[size_t(c)];
        int caratteri = 12;
        switch (col.def.tipo) {
        case TipoCampo::Text: caratteri = std::min(std::max(col.def.dimensione, 1), 40); break;
        case TipoCampo::Memo: caratteri = 40; break;
        case TipoCampo::Date: caratteri = 19; break;
        case TipoCampo::Byte: caratteri = 4; break;
        case TipoCampo::Integer: caratteri = 6; break;
        default: break;
        }
        const int titolo = fm.horizontalAdvance(col.titolo) + 2 * carattere + 8;
        // A date is all digits, wider than the average letter: shown whole.
        const int larghezza = col.def.tipo == TipoCampo::Date
                                  ? fm.horizontalAdvance(QStringLiteral("00/00/0000 00:00:00")) + 12
                                  : carattere * caratteri + 12;
        setColumnWidth(c, std::max(titolo, larghezza));
    }
}

void GrigliaDati::ApriTabella(const QString& tabella, const QString& indice, const QString& filtro,
                              const QString& ordine)
{
    ModelloGriglia::Sorgente s;
    s.tabella = true;
    s.nome = tabella;
    s.indice = indice;
    s.filtro = filtro;
    s.ordine = ordine;
    m_modello->Apri(s);
    m_selezione.clear();
    Adatta();
}

void GrigliaDati::ApriQuery(const QString& sql, const QVariantList& valori)
{
    ModelloGriglia::Sorgente s;
    s.sql = sql;
    s.valori = valori;
    m_modello->Apri(s);
    m_selezione.clear();
    Adatta();
}

void GrigliaDati::Aggiorna()
{
    if (!m_modello->m_aperta) return;
    const int riga = RigaCorrente(), colonna = ColonnaCorrente();
    const int scorrimento = verticalScrollBar()->value();
    ModelloGriglia::Sorgente s = m_modello->m_sorgente;
    m_modello->Apri(s);
    m_selezione.clear();
    m_modello->CompletaConteggio();  // the view goes back where it stood
    if (riga >= 0 && riga < m_modello->rowCount()) ImpostaCorrente(riga, colonna);
    verticalScrollBar()->setValue(scorrimento);
}

void GrigliaDati::Chiudi()
{
    m_modello->Chiudi();
    m_selezione.clear();
}

bool GrigliaDati::Aperta() const { return m_modello->m_aperta; }

void GrigliaDati::ConsentiModifica(bool consenti)
{
    m_modello->m_modifica = consenti;
    if (!consenti && m_modello->m_rigaModifica >= 0 && !m_modello->RigaNuova(m_modello->m_rigaModifica))
        m_modello->Annulla();
}

void GrigliaDati::ConsentiAggiunta(bool consenti) { m_modello->ImpostaAggiunta(consenti); }

void GrigliaDati::ConsentiEliminazione(bool consenti) { m_modello->m_eliminazione = consenti; }

int GrigliaDati::Righe() const
{
    m_modello->CompletaConteggio();
    return m_modello->m_aperta ? m_modello->m_totale : 0;
}

QStringList GrigliaDati::Campi() const
{
    QStringList out;
    for (const auto& c : m_modello->m_colonne) out << c.campo;
    return out;
}

QString GrigliaDati::CampoColonna(int colonna) const
{
    if (colonna < 0 || colonna >= int(m_modello->m_colonne.size())) return QString();
    return m_modello->m_colonne[size_t(colonna)].campo;
}

qint64 GrigliaDati::Segnalibro(int riga) const
{
    if (riga < 0 || riga >= Righe() || !m_modello->Cammina(riga)) return -1;
    return m_modello->m_segni[size_t(riga)];
}

QVariant GrigliaDati::Valore(int riga, const QString& campo) const
{
    if (riga >= m_modello->m_totale) m_modello->CompletaConteggio();
    for (int c = 0; c < int(m_modello->m_colonne.size()); ++c)
        if (m_modello->m_colonne[size_t(c)].campo.compare(campo, Qt::CaseInsensitive) == 0)
            return m_modello->ValoreCella(riga, c);
    return QVariant();
}

QString GrigliaDati::TestoCella(int riga, int colonna) const
{
    if (riga >= m_modello->m_totale) m_modello->CompletaConteggio();
    if (riga < 0 || riga >= m_modello->rowCount() || colonna < 0 || colonna >= m_modello->columnCount())
        return QString();
    return m_modello->Testo(riga, colonna);
}

int GrigliaDati::RigaCorrente() const { return currentIndex().isValid() ? currentIndex().row() : -1; }
int GrigliaDati::ColonnaCorrente() const { return currentIndex().isValid() ? currentIndex().column() : -1; }

void GrigliaDati::ImpostaCorrente(int riga, int colonna)
{
    if (riga >= m_modello->m_totale) m_modello->CompletaConteggio();
    const QModelIndex i = m_modello->index(riga, std::max(colonna, 0));
    if (!i.isValid()) return;
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::NoUpdate);
    scrollTo(i);
}

QList<qint64> GrigliaDati::SelBookmarks() const { return m_selezione; }

void GrigliaDati::SelezionaRiga(int riga, bool aggiungi)
{
    if (riga >= m_modello->m_totale) m_modello->CompletaConteggio();
    const QModelIndex i = m_modello->index(riga, std::max(ColonnaCorrente(), 0));
    if (!i.isValid()) return;
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::NoUpdate);
    selectionModel()->select(i, (aggiungi ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect) |
                                    QItemSelectionModel::Rows);
}

void GrigliaDati::AzzeraSelezione()
{
    selectionModel()->clearSelection();
    m_selezione.clear();
}

bool GrigliaDati::ScriveCella(int riga, int colonna, const QString& testo)
{
    if (riga >= m_modello->m_totale) m_modello->CompletaConteggio();
    if (riga != RigaCorrente()) ImpostaCorrente(riga, colonna);
    if (m_modello->m_rigaModifica >= 0 && m_modello->m_rigaModifica != riga) return false;  // left unstored
    return m_modello->Scrive(riga, colonna, testo);
}

bool GrigliaDati::SalvaModifiche()
{
    if (m_inSalvataggio) return false;
    m_inSalvataggio = true;
    const bool ok = m_modello->Salva();
    m_inSalvataggio = false;
    return ok;
}

void GrigliaDati::AnnullaModifiche() { m_modello->Annulla(); }

bool GrigliaDati::InModifica() const { return m_modello->m_rigaModifica >= 0; }

bool GrigliaDati::EliminaRiga(int riga)
{
    if (riga >= m_modello->m_totale) m_modello->CompletaConteggio();
    return m_modello->Elimina(riga);
}

void GrigliaDati::currentChanged(const QModelIndex& corrente, const QModelIndex& precedente)
{
    QTableView::currentChanged(corrente, precedente);
    const int r = m_modello->m_rigaModifica;
    if (r >= 0 && corrente.row() != r && !m_inSalvataggio) SalvaModifiche();
}

void GrigliaDati::selectionChanged(const QItemSelection& scelte, const QItemSelection& tolte)
{
    QTableView::selectionChanged(scelte, tolte);
    for (const QItemSelectionRange& t : tolte)
        for (int r = t.top(); r <= t.bottom(); ++r) {
            if (selectionModel()->isRowSelected(r, QModelIndex())) continue;
            if (r < int(m_modello->m_segni.size())) m_selezione.removeAll(m_modello->m_segni[size_t(r)]);
        }
    for (const QItemSelectionRange& s : scelte)
        for (int r = s.top(); r <= s.bottom(); ++r) {
            const qint64 segno = Segnalibro(r);
            if (segno >= 0 && !m_selezione.contains(segno)) m_selezione.append(segno);
        }
}

QItemSelectionModel::SelectionFlags GrigliaDati::selectionCommand(const QModelIndex& indice, const QEvent* evento) const
{
    // Rows are selected with their selectors at the left; a click or a move
    // among the cells only moves the current cell and lets go of the rows.
    if (evento) {
        switch (evento->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress: return QItemSelectionModel::Clear;
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: return QItemSelectionModel::NoUpdate;
        default: break;
        }
    }
    return QTableView::selectionCommand(indice, evento);
}

void GrigliaDati::keyPressEvent(QKeyEvent* e)
{
    if (state() != QAbstractItemView::EditingState) {
        if (e->key() == Qt::Key_Delete && e->modifiers() == Qt::NoModifier && m_modello->m_eliminazione) {
            if (RigaCorrente() >= 0) EliminaRiga(RigaCorrente());
            e->accept();
            return;
        }
        if (e->key() == Qt::Key_Escape && InModifica()) {
            AnnullaModifiche();
            e->accept();
            return;
        }
    }
    QTableView::keyPressEvent(e);
}

}  // namespace obx
