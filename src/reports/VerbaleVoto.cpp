#include "reports/VerbaleVoto.h"

#include <QDateTime>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

#include "platform/Avanzamento.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Testo.h"
#include "reports/PassiStampa.h"
#include "reports/Stampa.h"
#include "shell/Anagrafe.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

namespace obx {

namespace {

// Print mask flags.
constexpr int kTotali = 1;
constexpr int kNomi = 2;
constexpr int kPresenze = 4;
constexpr int kAutocertificazione = 8;

// The name of the report (its file when printed to one).
const QString kNomeStampa = QStringLiteral("Verbale_Voto");

// Fewest rows a page is taken to hold, so that a header, a row of the item
// and the column headings always leave room for a name: every page break
// moves the minutes on.
constexpr int kRigheMinime = 30;

// Width of the item text in the regional assembly, from column 5.
constexpr int kLarghezzaArgomento = 70;

// Columns of the three name lists.
constexpr std::array<int, 3> kColonne = {5, 29, 53};

const QString kCrLf = QStringLiteral("\r\n");

// Everything printed for one vote.
struct DatiVoto {
    // 0 mask, 1 present, 2 yes, 3 no, 4 abstain, 5 threshold, 6 vote on
    // immediate executability, 7 item position, 8 effective threshold,
    // 9 absent, 10 seats, 11 non-voters, 12 present by key.
    std::array<int, 13> iValori{};
    // 0 president, 1 mayor or head of the executive, 2 secretary,
    // 3 tellers, 4 item, 5 note, 6 sub-item, 11 second secretary (empty
    // when nobody), 12 vote-kind letter, 13..15 requesters.
    std::array<QString, 16> cValori;
    // Start of the vote, and the key of every seat of aPosti (index 0
    // unused): the report's own copies, so that printing stored votes
    // leaves the console's running vote alone.
    QDateTime dInizio;
    std::vector<QString> cTasti;

    QString Lettera() const { return cValori[12].left(1); }
};

bool Vuoto(const QString& s) { return TrimSpazi(s).isEmpty(); }

int Maschera(const QString& lettera)
{
    if (lettera == u"A") return kTotali | kNomi | kPresenze | kAutocertificazione;
    if (lettera == u"V" || lettera == u"W") return kTotali | kNomi | kPresenze;
    if (lettera == u"I" || lettera == u"J") return kTotali | kNomi;
    if (lettera == u"H") return kTotali;
    return iTipoAssemblea == 4 ? kTotali : kTotali | kNomi;
}

QString Titolo(const QString& lettera)
{
    static const std::pair<const char*, const char*> titoli[] = {
        {"A", "*  Autocertificazione delle Presenze  *"}, {"V", "*       Verifica Numero Legale        *"},
        {"W", "* Verifica Numero Legale per chiamata *"}, {"I", "*          Appello Nominale           *"},
        {"J", "*    Appello Nominale per chiamata    *"}, {"P", "*          Votazione Palese           *"},
        {"H", "*         Votazione Segreta           *"}, {"M", "*       Modifica Sequenza O.d.G.      *"},
        {"C", "*             Controprova             *"}, {"R", "*       Rinvio alla Commissione       *"},
        {"S", "*       Rinvio ad altra Seduta        *"},
    };
    for (const auto& [l, t] : titoli)
        if (lettera == QLatin1String(l)) return QString::fromUtf8(t);
    // A vote stored without a kind still gets a frame of the same width.
    return QStringLiteral("*              Votazione              *");
}

QString Nome30(int iPosto)
{
    if (!SeggioValido(iPosto)) return QString();
    return PadTaglia(aPosti[size_t(iPosto)].cNomeAN, 30);
}

int Seggi() { return int(aPosti.size()) - 1; }

int PresentiDaTasto(const DatiVoto& v)
{
    int n = 0;
    for (size_t i = 1; i < v.cTasti.size(); ++i)
        if (v.cTasti[i] == u"+") ++n;
    return n;
}

// Absent and non-voters by the kind of vote.
void AssentiNonVotanti(DatiVoto& v, bool bArchivio)
{
    auto& iv = v.iValori;
    const QString l = v.Lettera();
    iv[12] = PresentiDaTasto(v);
    const int espressi = iv[2] + iv[3] + iv[4];
    if (l == u"A") {
        iv[11] = 0;
        iv[9] = iv[10] - iv[12];
        // The roll call stores no counts: those who answered are its
        // present, in the archive as at the console.
        iv[2] = iv[12];
    } else if (l == u"V" || l == u"W") {
        iv[11] = iv[3];
        iv[9] = iv[10] - espressi;
    } else {
        iv[11] = iv[1] - espressi;
        iv[9] = bArchivio ? iv[10] - iv[1] : iv[10] - espressi;
    }
}

// The sub-item is stored cut in two fields of 30 characters: where the cut
// fell on a blank, the first field ends with it, and the blank is kept
// between the two parts (once).
QString UnisceDettaglio(const QString& cDettaglio, const QString& cExtra)
{
    const QString primo = RTrimSpazi(cDettaglio);
    const QString secondo = RTrimSpazi(cExtra);
    if (Vuoto(secondo)) return primo;
    const bool spazio = cDettaglio.size() < 30 || cDettaglio.endsWith(u' ');
    return spazio ? primo + u' ' + secondo : primo + secondo;
}

class Verbale {
public:
    // The first failure is shown, the later ones are not.
    template <typename F>
    bool Prova(F&& f)
    {
        return m_passi.Prova(std::forward<F>(f));
    }

    QVariant Campo(const Recordset& rs, const char* nome)
    {
        QVariant v;
        Prova([&] { v = rs.Field(QString::fromLatin1(nome)); });
        return v;
    }
    QString Testo(const Recordset& rs, const char* nome) { return Campo(rs, nome).toString(); }
    int Intero(const Recordset& rs, const char* nome) { return Campo(rs, nome).toInt(); }

    void DaConsole(DatiVoto& v);
    void DaArchivio(DatiVoto& v, const Recordset& rs, const std::vector<std::pair<int, QString>>& delibere);
    void Stampa(const DatiVoto& v);

private:
    void Intestazione(bool xRipetuta);
    void TestoArgomento(const QStringList& righe, int iColonna, bool xRipetuta);
    void Colonne();
    void SaltoPagina();
    void Controllo()
    {
        if (iRigaStampa > m_limite) SaltoPagina();
    }
    void Avanza(int n)
    {
        iRigaStampa += n;
        Controllo();
    }
    void Totali();
    void Nome(size_t iPosto, int c, bool xControllo);

    PassiStampa m_passi;
    const DatiVoto* m_v = nullptr;
    std::array<int, 3> m_righe{};
    int m_limite = kRigheMinime;  // last row of a page for the names and totals
};

void Verbale::DaConsole(DatiVoto& v)
{
    auto& iv = v.iValori;
    auto& cv = v.cValori;
    cv[12] = cTipoVoto;
    iv[0] = Maschera(v.Lettera());
    const bool immEsec = SogliaImmEsec();
    iv[1] = iPresenti;
    iv[2] = iFavorevoli;
    iv[3] = iContrari;
    iv[4] = iAstenuti;
    iv[5] = immEsec ? iQuorum[4] : iQuorum[3];
    iv[6] = immEsec ? 1 : 0;
    iv[7] = iDelibera;
    iv[10] = Seggi();
    v.dInizio = dInizioVoto;
    v.cTasti.assign(aPosti.size(), QString());
    for (size_t i = 1; i < aPosti.size(); ++i) v.cTasti[i] = aPosti[i].cVoto;
    AssentiNonVotanti(v, false);

    // Officers: the seats of the chair and of the mayor, the secretaries
    // (guests outside the regional assembly, present seats in it) and the
    // tellers.
    QString segretario2;
    int segretariPresenti = 0;
    for (size_t i = 1; i < aPosti.size(); ++i) {
        const Posto& p = aPosti[i];
        const QString nome = PadTaglia(p.cNomeAN, 30);
        if (p.cTipoAN == u"P")
            cv[0] = nome;
        else if (p.cTipoAN == u"S")
            cv[1] = nome;
        else if (p.cTipoAN == u"G" && iTipoAssemblea == 4 && (p.iStato & kPresente)) {
            if (++segretariPresenti == 1)
                cv[2] = nome;
            else if (segretariPresenti == 2)
                segretario2 = nome;
        }
        if ((p.iStato & (kPresente | kScrutatore | kAssenteDichiarato)) == (kPresente | kScrutatore)) cv[3] += nome;
    }
    if (iTipoAssemblea != 4) {
        for (size_t i = 1; i < aOspiti.size(); ++i) {
            const Ospite& o = aOspiti[i];
            if (o.cTipoAN == u"G")
                cv[2] = PadTaglia(o.cNomeAN, 30);
            else if (o.cTipoAN == u"V")
                segretario2 = PadTaglia(o.cNomeAN, 30);
        }
    }
    if (!Vuoto(segretario2)) cv[11] = iTipoAssemblea == 4 ? segretario2 : QStringLiteral("Vice ") + segretario2;

    cv[4] = iTipoAssemblea == 4 ? cArgomento[6] + cArgomento[7] : cArgomento[5];
    cv[5] = cNotaArgomento;
    cv[6] = cArgomentoPendente;
    // Storing the vote moved its requesters to the entries of the vote
    // before the next one.
    for (int k = 0; k < 3; ++k) cv[size_t(13 + k)] = Nome30(iRichiedenti[size_t(4 + k)]);
}

void Verbale::DaArchivio(DatiVoto& v, const Recordset& rs, const std::vector<std::pair<int, QString>>& delibere)
{
    auto& iv = v.iValori;
    auto& cv = v.cValori;
    iv.fill(0);
    for (QString& c : cv) c.clear();

    v.dInizio = Campo(rs, "dDataOraIniVT").toDateTime();
    cv[12] = Testo(rs, "cPaleseVT");
    const QString l = v.Lettera();
    iv[0] = Maschera(l);
    iv[1] = Intero(rs, "iPresentiVT");
    iv[2] = Intero(rs, "iFavorevoliVT");
    iv[3] = Intero(rs, "iContrariVT");
    iv[4] = Intero(rs, "iAstenutiVT");
    iv[5] = Intero(rs, "iQuorumVT");
    const int delibera = Intero(rs, "iDeliberaVT");
    iv[6] = delibera < 0 ? 1 : 0;
    iv[7] = std::abs(delibera);
    iv[10] = Seggi();

    cv[0] = Testo(rs, "cPresidenteVT");
    cv[1] = Testo(rs, "cSindacoVT");
    cv[2] = Testo(rs, "cSegretarioVT");
    const QString vice = LeggeCampo(Campo(rs, "cSegretario2VT"), 0, QString());
    if (!Vuoto(vice)) cv[11] = iTipoAssemblea == 4 ? vice : QStringLiteral("Vice ") + vice;
    cv[3] = Testo(rs, "cScrutatore1VT") + Testo(rs, "cScrutatore2VT") + Testo(rs, "cScrutatore3VT");

    // The keys of every seat, from who keyed and what.
    const QString votanti = Testo(rs, "cVotantiVT");
    const QString voti = Testo(rs, "cVotiVT");
    v.cTasti.assign(aPosti.size(), QString());
    for (size_t i = 1; i < aPosti.size(); ++i) {
        const int codice = aPosti[i].bCodiceAN;
        const bool votato = StringaPosti::Valido(codice) && votanti.contains(QChar(codice)) && codice <= voti.size();
        v.cTasti[i] = votato ? QString(voti.at(codice - 1)) : QStringLiteral("0");
    }
    AssentiNonVotanti(v, true);

    // Item text; outside the laws mode the agenda's own title.
    if (l == u"V" || l == u"W")
        cv[4] = RTrimSpazi(iv[7] != 0 ? Testo(rs, "cArgomentoVT") : Testo(rs, "cExtraDetVT"));
    else if (l != u"A")
        cv[4] = RTrimSpazi(Testo(rs, "cArgomentoVT"));
    if (iTipoAssemblea != 4) {
        for (const auto& [posizione, titolo] : delibere)
            if (posizione == iv[7]) {
                cv[4] = RTrimSpazi(titolo);
                break;
            }
    }

    // Requesters and note.
    const QString nota = Testo(rs, "cNotaVotoVT");
    auto richiedente = [&nota](int da) { return Nome30(int(Val(nota.mid(da - 1, 2)))); };
    if (l == u"I" || l == u"J") {
        cv[13] = richiedente(115);
        cv[14] = richiedente(117);
        cv[15] = richiedente(119);
        cv[5] = RTrimSpazi(nota.left(114));
    } else if (l == u"V" || l == u"W") {
        cv[13] = nota.size() >= 2 ? Nome30(int(Val(nota.right(2)))) : QString();
        cv[5] = RTrimSpazi(nota.left(118));
    } else {
        cv[5] = RTrimSpazi(nota);
    }
    const QString dettaglio = Testo(rs, "cDettaglioVT");
    if (!Vuoto(dettaglio)) cv[6] = UnisceDettaglio(dettaglio, Testo(rs, "cExtraDetVT"));
}

void Verbale::Stampa(const DatiVoto& v)
{
    m_v = &v;
    // The page ends where the printable area leaves room for "segue pag."
    // under the last row.
    m_limite = std::max(iRighePagina, kRigheMinime);
    const int maschera = v.iValori[0];
    iPaginaStampa = 1;
    Intestazione(false);

    if ((maschera & 6) == kNomi || (maschera & 6) == (kNomi | kPresenze)) {
        // The headings and a first name must fit under the item.
        if (iRigaStampa + 3 > m_limite)
            SaltoPagina();
        else
            Colonne();
    }
    if ((maschera & 6) == kNomi) {
        for (size_t i = 1; i < aPosti.size(); ++i) {
            const QString& k = v.cTasti[i];
            if (k == u"3")
                Nome(i, 0, true);
            else if (k == u"6")
                Nome(i, 1, true);
            else if (k == u"5")
                Nome(i, 2, true);
        }
    } else if ((maschera & 6) == (kNomi | kPresenze)) {
        bool seconda = false;
        for (size_t i = 1; i < aPosti.size(); ++i) {
            if (v.cTasti[i] == u"+") {
                Nome(i, seconda ? 1 : 0, seconda);
                seconda = !seconda;
            } else {
                Nome(i, 2, true);
            }
        }
    }
    Totali();
    m_v = nullptr;
}

// The name of the seat in column c (0, 1, 2) at that column's row; the
// row counter moves on and, when it passes the lowest row printed so far,
// becomes the current row and the page-break check runs (with xControllo).
void Verbale::Nome(size_t iPosto, int c, bool xControllo)
{
    const size_t k = size_t(c);
    StampaXY(m_righe[k], kColonne[k], aPosti[iPosto].cNomeAN.left(23));
    if (++m_righe[k] > iRigaStampa && xControllo) {
        iRigaStampa = m_righe[k];
        Controllo();
    }
}

void Verbale::Intestazione(bool xRipetuta)
{
    const DatiVoto& v = *m_v;
    const auto& iv = v.iValori;
    const auto& cv = v.cValori;
    const QString l = v.Lettera();

    StampaXY(2, 5,
             QStringLiteral("Votazione di ") + DataDiStampa(v.dInizio) + QStringLiteral(" alle ore ") +
                 v.dInizio.time().toString(QStringLiteral("h:mm")));
    StampaXY(3, 70, QStringLiteral("pag.") + Str(iPaginaStampa));

    if (iTipoAssemblea == 4) {
        StampaXY(4, 5, QStringLiteral("Presiede: ") + cv[0]);
        iRigaStampa = 6;
    } else {
        StampaXY(4, 5, QStringLiteral("Erano Presenti:"));
        StampaXY(6, 5, QStringLiteral("Il Presidente del Consiglio ") + cv[0]);
        StampaXY(8, 5,
                 (iTipoAssemblea == 2 ? QStringLiteral("Il Presidente della Giunta ") : QStringLiteral("Il Sindaco ")) +
                     cv[1]);
        iRigaStampa = 10;
    }

    if (!Vuoto(cv[2])) {
        StampaXY(iRigaStampa, 5, QStringLiteral("Il Segretario ") + cv[2]);
        iRigaStampa += 2;
    }
    if (!Vuoto(cv[11])) {
        StampaXY(iRigaStampa, 5, QStringLiteral("Il Segretario ") + cv[11]);
        iRigaStampa += 2;
    }
    if (!Vuoto(cv[3])) {
        StampaXY(iRigaStampa, 5, QStringLiteral("Gli Scrutatori"));
        ++iRigaStampa;
        StampaXY(iRigaStampa, 5, cv[3]);
        iRigaStampa += 2;
    }

    const QString stelle(39, u'*');
    StampaXY(iRigaStampa, 21, stelle);
    ++iRigaStampa;
    StampaXY(iRigaStampa, 21, Titolo(l));
    ++iRigaStampa;
    StampaXY(iRigaStampa, 21, stelle);
    ++iRigaStampa;

    if (!cv[13].isEmpty()) {
        if (l == u"V" || l == u"W") {
            ++iRigaStampa;
            StampaXY(iRigaStampa, 5, QStringLiteral("Richiesto da ") + RTrimSpazi(cv[13]));
            iRigaStampa += 2;
        } else if (l == u"I" || l == u"J") {
            ++iRigaStampa;
            StampaXY(iRigaStampa, 5,
                     QStringLiteral("Richiesto da ") + RTrimSpazi(cv[13]) + QStringLiteral(", ") + RTrimSpazi(cv[14]) +
                         QStringLiteral(", ") + RTrimSpazi(cv[15]));
            iRigaStampa += 2;
        }
    }

    if (iTipoAssemblea == 4 && (iv[0] & kAutocertificazione) == 0 && iv[5] >= 1) {
        StampaXY(iRigaStampa, 35, QStringLiteral("Quorum: ") + Formato(iv[5], QStringLiteral("000")));
        ++iRigaStampa;
    }

    if (iv[7] == 0) {
        if (!Vuoto(cv[5])) TestoArgomento(DivideTestoACapo(cv[5], 50), 5, xRipetuta);
    } else if (iTipoAssemblea != 4) {
        StampaXY(iRigaStampa, 5, QStringLiteral("OdG n.") + Str(iv[7]));
        QString testo = RTrimSpazi(cv[4]);
        if (iv[6]) testo = QStringLiteral("Immediata Esecutività") + kCrLf + testo;
        if (!Vuoto(cv[6])) testo += kCrLf + RTrimSpazi(cv[6]);
        if (!Vuoto(cv[5])) testo += kCrLf + RTrimSpazi(cv[5]);
        TestoArgomento(DivideTestoACapo(testo, 50), 21, xRipetuta);
    } else {
        // The item's title may be long: wrapped like the others.
        const QStringList righe = DivideTestoACapo(cv[4], kLarghezzaArgomento);
        if (righe.isEmpty())
            ++iRigaStampa;
        else
            TestoArgomento(righe, 5, xRipetuta);
    }
}

// The rows of the item's text from the current row.  On the first page a
// text that passes the page goes on over the next ones, under their date
// and page number; repeated on the pages of the names it is cut at two
// thirds of the page, to leave them room (it stands whole on the first).
void Verbale::TestoArgomento(const QStringList& righe, int iColonna, bool xRipetuta)
{
    const DatiVoto& v = *m_v;
    const int fine = xRipetuta ? m_limite * 2 / 3 : m_limite;
    for (qsizetype i = 0; i < righe.size(); ++i) {
        if (i > 0 && iRigaStampa > fine) {
            if (xRipetuta) return;
            ++iPaginaStampa;
            iRigaStampa += 2;
            StampaXY(iRigaStampa, 5, QStringLiteral("segue pag.") + Str(iPaginaStampa));
            NuovaPagina();
            StampaXY(2, 5,
                     QStringLiteral("Votazione di ") + DataDiStampa(v.dInizio) + QStringLiteral(" alle ore ") +
                         v.dInizio.time().toString(QStringLiteral("h:mm")));
            StampaXY(3, 70, QStringLiteral("pag.") + Str(iPaginaStampa));
            iRigaStampa = 5;
        }
        StampaXY(iRigaStampa, iColonna, righe.at(i));
        ++iRigaStampa;
    }
}

void Verbale::Colonne()
{
    const int maschera = m_v->iValori[0] & 6;
    ++iRigaStampa;
    if (maschera == kNomi || maschera == (kNomi | kPresenze)) {
        const bool presenze = maschera == (kNomi | kPresenze);
        StampaXY(iRigaStampa, kColonne[0], presenze ? QStringLiteral("Presenti") : QStringLiteral("Favorevoli"));
        StampaXY(iRigaStampa, kColonne[1], presenze ? QStringLiteral("Presenti") : QStringLiteral("Contrari"));
        StampaXY(iRigaStampa, kColonne[2], presenze ? QStringLiteral("Assenti") : QStringLiteral("Astenuti"));
        ++iRigaStampa;
        const QString trattini(23, u'-');
        for (int c : kColonne) StampaXY(iRigaStampa, c, trattini);
        ++iRigaStampa;
    }
    m_righe.fill(iRigaStampa);
}

void Verbale::SaltoPagina()
{
    ++iPaginaStampa;
    iRigaStampa += 2;
    StampaXY(iRigaStampa, 5, QStringLiteral("segue pag.") + Str(iPaginaStampa));
    NuovaPagina();
    Intestazione(true);
    Colonne();
}

void Verbale::Totali()
{
    const DatiVoto& v = *m_v;
    const auto& iv = v.iValori;
    const QString l = v.Lettera();
    const int si = iv[2], no = iv[3], astenuti = iv[4];
    const int soglia = iv[5];
    const int efficace = soglia != 0 ? soglia : no + 1;
    const bool presenti = (iConfigOBX & kOpzStampaSenzaPresenti) == 0;
    const bool votanti = (iConfigOBX & kOpzStampaSenzaVotanti) == 0;
    const int nVotanti = (iConfigOBX & kOpzVotantiAstenuti) ? si + no + astenuti : si + no;
    auto n = [](int x) { return Formato(x, QStringLiteral("000")); };
    const bool regione = iTipoAssemblea == 4;
    // Each line of the totals is checked as it comes: the page breaks after
    // the line that passes its last row, and the lines before stay with the
    // names they close.

    if ((iv[0] & 5) == 5) {
        if (!regione) {
            Avanza(2);
            StampaXY(iRigaStampa, 10, QStringLiteral("  Presenti: ") + n(iv[10] - iv[9]));
            StampaXY(iRigaStampa, 50, QStringLiteral("   Assenti: ") + n(iv[9]));
            if (votanti && l != u"A") {
                Avanza(1);
                StampaXY(iRigaStampa, 10, QStringLiteral("   Votanti: ") + n(si));
                StampaXY(iRigaStampa, 50, QStringLiteral("NonVotanti: ") + n(iv[11]));
            }
            if (l == u"A") return;
            Avanza(1);
            StampaXY(iRigaStampa, 10, QStringLiteral("    Quorum: ") + n(soglia));
            StampaXY(iRigaStampa, 28, si >= soglia ? QStringLiteral("VALIDO") : QStringLiteral("NON VALIDO"));
        } else {
            Avanza(2);
            StampaXY(iRigaStampa, 10, QStringLiteral("  Presenti: ") + n(si));
            StampaXY(iRigaStampa, 50, QStringLiteral("   Assenti: ") + n(iv[10] - si));
            if (l == u"A") return;
            Avanza(2);
            if (si >= efficace)
                StampaXY(iRigaStampa, 30, QStringLiteral("NUMERO LEGALE: PRESENTE"));
            else
                StampaXY(iRigaStampa, 31, QStringLiteral("NUMERO LEGALE: ASSENTE"));
        }
        return;
    }

    if (!regione) {
        Avanza(2);
        if (presenti) StampaXY(iRigaStampa, 10, QStringLiteral("  Presenti: ") + n(iv[1]));
        if (soglia > 0) StampaXY(iRigaStampa, 50, QStringLiteral("    Quorum: ") + n(efficace));
        Avanza(1);
        if (votanti) StampaXY(iRigaStampa, 10, QStringLiteral("   Votanti: ") + n(nVotanti));
        StampaXY(iRigaStampa, 50, QStringLiteral("Favorevoli: ") + n(si));
        if (si >= efficace) StampaXY(iRigaStampa, 68, QStringLiteral("APPROVATO"));
        Avanza(1);
        StampaXY(iRigaStampa, 10, QStringLiteral("  Astenuti: ") + n(astenuti));
        StampaXY(iRigaStampa, 50, QStringLiteral("  Contrari: ") + n(no));
        if (si < efficace) StampaXY(iRigaStampa, 68, QStringLiteral("RESPINTO"));
        if (presenti) {
            Avanza(1);
            StampaXY(iRigaStampa, 10, QStringLiteral("   Assenti: ") + n(iv[9]));
            if (iv[11] > 0) StampaXY(iRigaStampa, 50, QStringLiteral("NonVotanti: ") + n(iv[11]));
        }
        if (xVerbaleEsteso && astenuti != 0) {
            Avanza(2);
            StampaXY(iRigaStampa, 5, QStringLiteral("Astenuti non computabili nel numero dei votanti ai sensi "));
            ++iRigaStampa;
            StampaXY(iRigaStampa, 5, QStringLiteral("dell'art. 51, 2° comma, del regolamento del Consiglio Comunale"));
        }
        return;
    }

    Avanza(2);
    StampaXY(iRigaStampa, 10, QStringLiteral("Favorevoli: ") + n(si));
    if (votanti) StampaXY(iRigaStampa, 50, QStringLiteral("   Votanti: ") + n(nVotanti));
    Avanza(1);
    StampaXY(iRigaStampa, 10, QStringLiteral("  Contrari: ") + n(no));
    if (presenti) StampaXY(iRigaStampa, 50, QStringLiteral("  Presenti: ") + n(iv[1]));
    Avanza(1);
    StampaXY(iRigaStampa, 10, QStringLiteral("  Astenuti: ") + n(astenuti));
    if (presenti) StampaXY(iRigaStampa, 50, QStringLiteral("   Assenti: ") + n(iv[9]));
    Avanza(2);
    StampaXY(iRigaStampa, 36, si >= efficace ? QStringLiteral("APPROVATO") : QStringLiteral("RESPINTO"));
}

// The agenda positions and titles, in key order.
std::vector<std::pair<int, QString>> LeggeDelibere(Verbale& verbale, Recordset& rs)
{
    std::vector<std::pair<int, QString>> d;
    verbale.Prova([&] {
        if (rs.Eof() && rs.Bof()) return;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const QVariant pos = verbale.Campo(rs, "iPosOdGDE");
            // An item without a position matches no vote.
            if (pos.isNull() || !pos.isValid()) continue;
            d.emplace_back(pos.toInt(), verbale.Testo(rs, "cTitoloDE"));
        }
    });
    return d;
}

void StampaArchivio(const QString& cSegnalibro)
{
    Verbale verbale;
    // The job starts with the first text: an empty table sends nothing to
    // the printer.
    if (!ImpostaStampante(2, kNomeStampa)) return;
    if (!bConsoleAperta && !GestisceAnagrafe(true)) {
        FineStampa();
        return;
    }

    Recordset rsVoti, rsDelibere;
    if (!verbale.Prova([&] {
            rsVoti = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
            rsDelibere = dbArchivio.OpenTable(cTabelle[2], QStringLiteral("TAG_A"));
        })) {
        FineStampa();
        return;
    }

    bool vuota = true;
    verbale.Prova([&] { vuota = rsVoti.Eof() && rsVoti.Bof(); });
    const bool uno = !cSegnalibro.isEmpty();
    bool trovato = !vuota;
    if (!vuota && uno) {
        bool numero = false;
        const qint64 segnalibro = cSegnalibro.trimmed().toLongLong(&numero);
        trovato = verbale.Prova([&] {
            if (!numero) throw Errore(errdb::kNessunRecord, QStringLiteral("Segnalibro non valido."));
            rsVoti.SetBookmark(segnalibro);
        });
    }

    if (trovato) {
        const std::vector<std::pair<int, QString>> delibere =
            iTipoAssemblea != 4 ? LeggeDelibere(verbale, rsDelibere) : std::vector<std::pair<int, QString>>{};
        DatiVoto v;
        if (uno) {
            verbale.DaArchivio(v, rsVoti, delibere);
            verbale.Stampa(v);
        } else {
            int totale = 0;
            verbale.Prova([&] { totale = rsVoti.RecordCount(); });
            Avanzamento avanzamento(QStringLiteral("Stampa Votazioni"), totale);
            verbale.Prova([&] { rsVoti.MoveFirst(); });
            bool fine = false;
            verbale.Prova([&] { fine = rsVoti.Eof(); });
            for (int n = 1; !fine; ++n) {
                verbale.DaArchivio(v, rsVoti, delibere);
                verbale.Stampa(v);
                avanzamento.Passo(n);
                if (avanzamento.Fermato()) {
                    verbale.Prova([&] {
                        rsVoti.Close();
                        rsDelibere.Close();
                    });
                    InterrompeStampa();
                    return;
                }
                // A row that cannot be left ends the report.
                fine = true;
                verbale.Prova([&] {
                    rsVoti.MoveNext();
                    fine = rsVoti.Eof();
                });
                if (!fine) {
                    iRigaStampa = 0;
                    NuovaPagina();
                }
            }
        }
    }
    verbale.Prova([&] {
        rsVoti.Close();
        rsDelibere.Close();
    });
    FineStampa();
}

void StampaConsole()
{
    if (!ImpostaStampante(0, kNomeStampa)) return;
    Verbale verbale;
    DatiVoto v;
    verbale.DaConsole(v);
    verbale.Stampa(v);
    FineStampa();
}

}  // namespace

void StampaVerbaleVoto(bool bArchivio, const QString& cSegnalibro)
{
    if (bArchivio)
        StampaArchivio(cSegnalibro);
    else
        StampaConsole();
}

}  // namespace obx
