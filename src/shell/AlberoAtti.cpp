#include "shell/AlberoAtti.h"

#include <cmath>
#include <vector>

#include "platform/Albero.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Testo.h"
#include "shell/Campi.h"
#include "shell/Globali.h"
#include "shell/RecordAtti.h"

namespace obx {

namespace {

struct Regola {
    int livello;
    const char* padri;
    const char* ammessi;
    const char* gruppi;
};

// Which types may stand under which parent, level by level.
const Regola kGrammatica[] = {
    {2, "BFU", "AJDOZ", "abbcd"},
    {2, "QP", "EOZ", "abc"},
    {2, "M", "EX", "ab"},
    {2, "I", "M", ""},
    {2, "X", "E", ""},
    {3, "JOZX", "E", ""},
    {3, "M", "EX", "ab"},
    {3, "ED", "L", ""},
    {4, "X", "E", ""},
    {4, "E", "L", ""},
    {4, "L", "C", ""},
    {5, "E", "L", ""},
    {5, "L", "C", ""},
    {5, "C", "9", ""},
    {6, "L", "C", ""},
    {6, "C", "9", ""},
};
const char* const kPrimoLivello = "KIGHMVQPBUFXNWYRST";

const Regola* Trova(int livello, const QString& padre)
{
    if (padre.size() != 1) return nullptr;
    for (const Regola& r : kGrammatica)
        if (r.livello == livello && QString::fromLatin1(r.padri).contains(padre.at(0))) return &r;
    return nullptr;
}

QString Testo(const QVariant& v) { return v.isValid() ? TrimSpazi(v.toString()) : QString(); }

// The number an identifier reads as, as far as it goes; 0 for none.
qint64 Numero(const QVariant& v)
{
    const double x = Val(Testo(v));
    return std::isfinite(x) ? qint64(x) : 0;
}

QString Segmento(const QString& chiave, int da, int n) { return PadTaglia(chiave.mid(da, n), n); }

struct Duplicato {
    int codice;
    QString nodo;
};

void CaricaLivello(Albero& oAlbero, int iLivello, const QString& cTipoPadre, const QString& cChiavePadre,
                   const QString& cNodoPadre, int iOpzioni, std::vector<Duplicato>& duplicati)
{
    if (iLivello < 1 || iLivello > kLivelliAlbero) return;
    const QString ammessi = TipiAmmessi(iLivello, cTipoPadre, QString());
    const QString campoId = CampoIDLivello(iLivello);
    const QString tabella = cTabelle[5];
    for (const QChar t : ammessi) {
        // The acts of type t directly under the parent: their key starts
        // with the parent's key and t, and is blank after their own segment.
        QString prefisso = cChiavePadre + t;
        if (prefisso.size() > kLunghezzaChiave) prefisso = prefisso.left(kLunghezzaChiave);
        const int coda = int(prefisso.size()) + 11;
        Recordset rs = dbArchivio.OpenQuery(
            QStringLiteral("SELECT * FROM %1 WHERE substr(cTreeKeyLG, 1, ?) = ? COLLATE BINARY "
                           "AND rtrim(substr(cTreeKeyLG, ?), ' ') = '' ORDER BY cTreeKeyLG, iCodLeggeLG")
                .arg(tabella),
            {int(prefisso.size()), prefisso, coda});
        for (; !rs.Eof(); rs.MoveNext()) {
            const QString id = Testo(rs.Field(campoId));
            const QString parametri = rs.Field(QStringLiteral("cParametriLG")).toString();
            const QString chiaveRiga = rs.Field(QStringLiteral("cTreeKeyLG")).toString();
            const int codice = rs.Field(QStringLiteral("iCodLeggeLG")).toInt();
            const QString nodo = cNodoPadre + t + id + cSepara;
            const QString numero = iLivello == 1 ? Testo(rs.Field(QStringLiteral("cNumeroAttoLG"))) : id;
            const QString stato = parametri.mid(1, 1);
            const QString testo = TestoNodoAtto(cTipoPadre, QString(t), iLivello, numero, stato, iOpzioni);
            NodoAlbero* n = nullptr;
            try {
                n = oAlbero.Add(iLivello > 1 ? cNodoPadre : QString(), nodo, testo);
            } catch (const Errore& e) {
                if (e.Numero() != erralbero::kChiaveNonUnivoca) throw;
                // A sibling with the same type and identifier: this row and
                // its subtree (loaded under the first one) are skipped.
                duplicati.push_back({codice, nodo});
                continue;
            }
            n->SetSorted(true);
            n->SetTag(TagNodoAtto(QString(t), iLivello, stato, codice));
            n->SetExpanded(true);
            if (iLivello < kLivelliAlbero)
                CaricaLivello(oAlbero, iLivello + 1, QString(t), Segmento(chiaveRiga, 0, iLivello * kSegmentoChiave),
                              nodo, iOpzioni, duplicati);
        }
        rs.Close();
    }
}

int g_profondita = 0;

}  // namespace

QString TipiAmmessi(int iLivello, const QString& cTipoPadre, const QString& cTipoFiglio)
{
    QString ammessi, gruppi;
    if (iLivello == 1) {
        ammessi = QString::fromLatin1(kPrimoLivello);
    } else if (const Regola* r = Trova(iLivello, cTipoPadre)) {
        ammessi = QString::fromLatin1(r->ammessi);
        gruppi = QString::fromLatin1(r->gruppi);
    }
    if (cTipoFiglio.isEmpty()) return ammessi;
    if (cTipoFiglio.size() != 1) return QString();
    const int p = int(ammessi.indexOf(cTipoFiglio.at(0)));
    if (p < 0) return QString();
    return (p < gruppi.size() ? QString(gruppi.at(p)) : QString()) + u'.';
}

QString CampoIDLivello(int iLivello)
{
    static const char* const campi[] = {"cIDLeggeLG",  "cIDArticoloLG", "cIDEmendaLG",
                                        "cIDSubEmeLG", "cIDSubSubLG",   "cIDSubSubSubLG"};
    if (iLivello < 1 || iLivello > kLivelliAlbero) return QString();
    return QString::fromLatin1(campi[iLivello - 1]);
}

QString ChiaveFiglio(const QString& cChiavePadre, int iLivello, const QString& cTipo, const QString& cId)
{
    const int n = (iLivello - 1) * kSegmentoChiave;
    const QString chiave = Segmento(cChiavePadre, 0, n) + cTipo.left(1) + PadTaglia(cId, kSegmentoChiave - 1);
    return PadTaglia(chiave, kLunghezzaChiave);
}

int LivelloChiave(const QString& cTreeKey)
{
    int l = 0;
    for (int k = 0; k < kLivelliAlbero; ++k) {
        if (TrimSpazi(cTreeKey.mid(k * kSegmentoChiave, kSegmentoChiave)).isEmpty()) break;
        l = k + 1;
    }
    return l;
}

QString CalcolaIDLegge(const QString& cChiave, const QString& cTipo, int iLivello)
{
    const QString campoId = CampoIDLivello(iLivello);
    if (campoId.isEmpty() || cTipo.size() != 1) return QStringLiteral("1");
    const int n = (iLivello - 1) * kSegmentoChiave;
    const QString prefisso = iLivello == 1 ? QString() : Segmento(cChiave, 0, n);
    // Acts of the same type directly under the same parent.  The parent's
    // key and the type are matched exactly, whatever characters they hold.
    QString sql = QStringLiteral("SELECT * FROM %1 WHERE (substr(cTreeKeyLG, 1, ?) = ? COLLATE BINARY "
                                 "AND rtrim(substr(cTreeKeyLG, ?), ' ') = ''")
                      .arg(cTabelle[5]);
    QVariantList valori = {n + 1, prefisso + cTipo, n + 12};
    // An added article is numbered after the amendments of every article
    // of the same law as well.
    const bool aggiuntivo = iLivello == 2 && cTipo == u"D";
    if (aggiuntivo) {
        sql += QStringLiteral(" OR (substr(cTreeKeyLG, 1, ?) = ? COLLATE BINARY "
                              "AND substr(cTreeKeyLG, ?, 1) = 'E' COLLATE BINARY "
                              "AND rtrim(substr(cTreeKeyLG, ?), ' ') = '')");
        valori << n + 1 << prefisso + u'J' << n + 12 << n + 23;
    }
    sql += u')';
    Recordset rs = dbArchivio.OpenQuery(sql, valori);
    qint64 massimo = 0;
    for (; !rs.Eof(); rs.MoveNext()) {
        if (aggiuntivo) {
            const qint64 e = Numero(rs.Field(QStringLiteral("cIDEmendaLG")));
            massimo = std::max(massimo, e);
            if (e == 0) massimo = std::max(massimo, Numero(rs.Field(campoId)));
        } else {
            massimo = std::max(massimo, Numero(rs.Field(campoId)));
        }
    }
    return QString::number(massimo + 1);
}

void CaricaAlbero(Albero& oAlbero, int iLivello, const QString& cTipoPadre, const QString& cChiavePadre,
                  const QString& cNodoPadre, int iOpzioni)
{
    static std::vector<Duplicato> duplicati;
    if (g_profondita == 0) duplicati.clear();
    ++g_profondita;
    auto riporta = [&]() {
        --g_profondita;
        if (g_profondita > 0 || duplicati.empty()) return;
        QStringList righe;
        for (const Duplicato& d : duplicati) righe << QStringLiteral("Atto %1: %2").arg(d.codice).arg(d.nodo);
        duplicati.clear();
        UI().MsgBox(QStringLiteral("Chiave Duplicata\nAtti non caricati nell'albero:\n") + righe.join(u'\n'),
                    vbExclamation, kTitoloOBX);
    };
    try {
        CaricaLivello(oAlbero, iLivello, cTipoPadre, cChiavePadre, cNodoPadre, iOpzioni, duplicati);
    } catch (...) {
        riporta();
        throw;
    }
    riporta();
}

}  // namespace obx
